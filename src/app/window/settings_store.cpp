#include "app/window/settings_store.h"

#include "melody/method_texts.h"

#include <QSettings>
#include <algorithm>
#include <iterator>

#include <algorithm>

namespace kvat {
namespace {

constexpr struct {
    const char* key;
    int SoundSettings::*member;
} kSoundNumbers[] = {
    {"sound/dynamicsPercent", &SoundSettings::dynamicsPercent},
    {"sound/boostPercent", &SoundSettings::boostPercent},
    {"sound/beatsPerMinute", &SoundSettings::beatsPerMinute},
    {"sound/numerator", &SoundSettings::numerator},
    {"sound/denominator", &SoundSettings::denominator},
    {"sound/soprano", &SoundSettings::soprano},
    {"sound/firstDrumKey", &SoundSettings::firstDrumKey},
    {"sound/lastDrumKey", &SoundSettings::lastDrumKey},
    {"sound/drumMap", &SoundSettings::drumMap},
    {"sound/accompaniment", &SoundSettings::accompaniment},
};

constexpr struct {
    const char* key;
    bool SoundSettings::*member;
} kSoundSwitches[] = {
    {"sound/lengthen", &SoundSettings::lengthen},
    {"sound/groupOn", &SoundSettings::groupOn},
    {"sound/drumsOn", &SoundSettings::drumsOn},
    {"sound/accompanimentOn", &SoundSettings::accompanimentOn},
    {"sound/singing", &SoundSettings::singing},
};

constexpr struct {
    const char* key;
    VoiceChoice SoundSettings::*member;
} kVoices[] = {
    {"sound/mezzo", &SoundSettings::mezzo},
    {"sound/tenor", &SoundSettings::tenor},
    {"sound/bass", &SoundSettings::bass},
};

constexpr struct {
    const char* key;
    int MelodySettings::*member;
} kMelodyNumbers[] = {
    {"melody/keyShift", &MelodySettings::keyShift},
    {"melody/softVowelShift", &MelodySettings::softVowelShift},
    {"melody/centreShift", &MelodySettings::centreShift},
};

// The song method's choices by their command-line words.
constexpr const char* kTonicKey = "melody/tonic";
constexpr const char* kModeKey = "melody/mode";
constexpr const char* kRangeKey = "melody/range";
constexpr const char* kMethodKey = "melody/method"; // -1: no method chosen
constexpr const char* kLengthenKey = "melody/lengthen";
constexpr const char* kNoteMapKey = "melody/noteMap";
constexpr const char* kUnsavedVerseKey = "verse/unsaved";
// The group and the effect by their command-line words, which say what they are.
constexpr const char* kGroupKey = "sound/group";
constexpr const char* kEffectKey = "sound/effect";
constexpr const char* kSingerKey = "sound/singer"; // "male" or "female", as --voice takes them
constexpr const char* kColourKey = "choices/colour";
constexpr const char* kKeepFileKey = "choices/keepFile";
constexpr const char* kDeviceKey = "choices/device";
constexpr const char* kRhymesKey = "choices/rhymes";
constexpr const char* kStressKey = "choices/stress";
constexpr const char* kKeyShiftKeys[] = {"choices/tonalKey", "choices/centreKey",
                                         "choices/templateKey"};
constexpr const char* kOctavesKey = "choices/octaves";
// The groups that hold no choice, which a reset keeps.
constexpr const char* kNotChoices[] = {"files", "window"};

QString Word(std::string_view word) {
    return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

// The row whose word the store holds under `key`, if any.
template <class Table>
const typename Table::value_type* StoredRow(QSettings& store, const char* key, const Table& table) {
    const QString word = store.value(key).toString();
    for (const auto& row : table)
        if (word == Word(row.word)) return &row;
    return nullptr;
}

// The song choice whose word the store holds under `key`, or `fallback`.
template <std::size_t N>
int StoredChoice(QSettings& store, const char* key, const std::array<SongChoiceText, N>& texts,
                 int fallback) {
    const QByteArray word = store.value(key).toString().toLatin1();
    return SongChoiceOf(texts, std::string_view(word.constData(), std::size_t(word.size())))
        .value_or(fallback);
}

int ReadInt(QSettings& store, const char* key, int fallback) {
    bool ok = false;
    const int value = store.value(key, fallback).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

void SaveMelody(QSettings& store, const MelodySettings& settings) {
    store.setValue(kMethodKey, settings.method ? MethodIndex(*settings.method) : -1);
    store.setValue(kLengthenKey, settings.lengthen);
    for (const auto& field : kMelodyNumbers) store.setValue(field.key, settings.*field.member);
    QList<QVariant> map;
    for (int note : settings.noteMap) map << note;
    store.setValue(kNoteMapKey, map);
    const SongSettings& song = settings.song;
    store.setValue(kTonicKey, Word(kTonicTexts[std::size_t((song.tonic % 12 + 12) % 12)].word));
    store.setValue(kModeKey, Word(kModeTexts[song.mode == SongMode::kMinor].word));
    store.setValue(
        kRangeKey,
        Word(kRangeTexts[std::size_t(std::clamp(int(song.range), 0, kSongRangeCount - 1))].word));
}

MelodySettings LoadMelody(QSettings& store) {
    MelodySettings settings;
    if (store.contains(kMethodKey))
        settings.method = MethodFromIndex(ReadInt(store, kMethodKey, -1));
    settings.lengthen = store.value(kLengthenKey, settings.lengthen).toBool();
    for (const auto& field : kMelodyNumbers)
        settings.*field.member = ReadInt(store, field.key, settings.*field.member);
    const QList<QVariant> map = store.value(kNoteMapKey).toList();
    if (map.size() == static_cast<qsizetype>(settings.noteMap.size()))
        for (std::size_t i = 0; i < settings.noteMap.size(); ++i)
            settings.noteMap[i] = map[static_cast<qsizetype>(i)].toInt();
    SongSettings& song = settings.song;
    song.tonic = StoredChoice(store, kTonicKey, kTonicTexts, song.tonic);
    song.mode = static_cast<SongMode>(StoredChoice(store, kModeKey, kModeTexts, int(song.mode)));
    song.range =
        static_cast<SongRange>(StoredChoice(store, kRangeKey, kRangeTexts, int(song.range)));
    return settings;
}

bool HasSavedMelody(QSettings& store) {
    return store.contains(kNoteMapKey);
}

void SaveSound(QSettings& store, const SoundSettings& settings) {
    for (const auto& field : kSoundNumbers) store.setValue(field.key, settings.*field.member);
    for (const auto& field : kSoundSwitches) store.setValue(field.key, settings.*field.member);
    for (const auto& voice : kVoices) {
        store.setValue(QString(voice.key) + "On", (settings.*voice.member).on);
        store.setValue(QString(voice.key) + "Program", (settings.*voice.member).program);
    }
    if (const auto group = VoiceGroupOf(settings.group))
        store.setValue(kGroupKey, Word(group->word));
    for (const auto& effect : kOutputEffects)
        if (effect.effect == settings.effect) store.setValue(kEffectKey, Word(effect.word));
    store.setValue(kSingerKey, settings.singer == VoiceKind::kFemale ? "female" : "male");
}

SoundSettings LoadSound(QSettings& store) {
    SoundSettings settings;
    for (const auto& field : kSoundNumbers)
        settings.*field.member = ReadInt(store, field.key, settings.*field.member);
    for (const auto& field : kSoundSwitches)
        settings.*field.member = store.value(field.key, settings.*field.member).toBool();
    for (const auto& voice : kVoices) {
        VoiceChoice& choice = settings.*voice.member;
        const QString key(voice.key);
        choice.on = store.value(key + "On", choice.on).toBool();
        choice.program = ReadInt(store, (key + "Program").toUtf8().constData(), choice.program);
    }
    if (const auto* group = StoredRow(store, kGroupKey, kVoiceGroups))
        settings.group = group->group;
    if (const auto* effect = StoredRow(store, kEffectKey, kOutputEffects))
        settings.effect = effect->effect;
    if (store.value(kSingerKey).toString() == "female") settings.singer = VoiceKind::kFemale;
    return settings;
}

void SaveChoices(QSettings& store, const WindowChoices& choices) {
    store.setValue(kColourKey, choices.colour);
    store.setValue(kKeepFileKey, choices.keepFile);
    store.setValue(kDeviceKey, choices.device);
    store.setValue(kRhymesKey, choices.rhymes);
    store.setValue(kStressKey, static_cast<int>(choices.stress));
    for (std::size_t i = 0; i < choices.keyShifts.size(); ++i)
        store.setValue(kKeyShiftKeys[i], choices.keyShifts[i]);
    store.setValue(kOctavesKey, choices.octaves);
}

WindowChoices LoadChoices(QSettings& store, WindowChoices choices) {
    choices.colour = store.value(kColourKey, choices.colour).toBool();
    choices.keepFile = store.value(kKeepFileKey, choices.keepFile).toBool();
    choices.device = store.value(kDeviceKey, choices.device).toString();
    choices.rhymes = store.value(kRhymesKey, choices.rhymes).toBool();
    if (ReadInt(store, kStressKey, 0) == static_cast<int>(StressMode::kDictionary))
        choices.stress = StressMode::kDictionary;
    for (std::size_t i = 0; i < choices.keyShifts.size(); ++i)
        choices.keyShifts[i] = ReadInt(store, kKeyShiftKeys[i], choices.keyShifts[i]);
    choices.octaves = ReadInt(store, kOctavesKey, choices.octaves);
    return choices;
}

void ForgetChoices(QSettings& store) {
    for (const QString& group : store.childGroups())
        if (std::find(std::begin(kNotChoices), std::end(kNotChoices), group) ==
            std::end(kNotChoices))
            store.remove(group);
    for (const QString& key : store.childKeys()) store.remove(key);
}

std::optional<QString> TakeLegacyUnsavedVerse(QSettings& store) {
    if (!store.contains(kUnsavedVerseKey)) return std::nullopt;
    const QString verse = store.value(kUnsavedVerseKey).toString();
    store.remove(kUnsavedVerseKey);
    return verse;
}

} // namespace kvat
