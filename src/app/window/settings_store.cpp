#include "app/window/settings_store.h"

#include "app/window/control_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <iterator>

namespace kvat {
namespace {

constexpr struct {
    const char* key;
    int SoundSettings::*member;
} kSoundNumbers[] = {
    {"sound/dynamics", &SoundSettings::dynamics},
    {"sound/boost", &SoundSettings::boost},
    {"sound/tempo", &SoundSettings::tempo},
    {"sound/numerator", &SoundSettings::numerator},
    {"sound/denominator", &SoundSettings::denominator},
    {"sound/soprano", &SoundSettings::soprano},
    {"sound/group", &SoundSettings::group},
    {"sound/drumFirst", &SoundSettings::drumFirst},
    {"sound/drumLast", &SoundSettings::drumLast},
    {"sound/drumMap", &SoundSettings::drumMap},
    {"sound/accompaniment", &SoundSettings::accompaniment},
    {"sound/effect", &SoundSettings::effect},
};

constexpr struct {
    const char* key;
    bool SoundSettings::*member;
} kSoundSwitches[] = {
    {"sound/lengthen", &SoundSettings::lengthen},
    {"sound/groupOn", &SoundSettings::groupOn},
    {"sound/drumsOn", &SoundSettings::drumsOn},
    {"sound/accompanimentOn", &SoundSettings::accompanimentOn},
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

constexpr const char* kMethodKey = "melody/method"; // -1: no method chosen
constexpr const char* kLengthenKey = "melody/lengthen";
constexpr const char* kNoteMapKey = "melody/noteMap";
constexpr const char* kUnsavedVerseKey = "verse/unsaved";
constexpr const char* kControlsGroup = "controls";
constexpr const char* kStressKey = "choices/stress";
constexpr const char* kKeyShiftKeys[] = {"choices/tonalKey", "choices/centreKey",
                                         "choices/templateKey"};
constexpr const char* kOctavesKey = "choices/octaves";
// The groups that hold no choice, which a reset keeps.
constexpr const char* kNotChoices[] = {"files", "window"};

constexpr const char* kRememberedChecks[] = {control::kColourCheck, control::kKeepFileCheck};

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
    return settings;
}

void SaveChoices(QSettings& store, const WindowChoices& choices) {
    store.setValue(kStressKey, static_cast<int>(choices.stress));
    for (std::size_t i = 0; i < choices.keyShifts.size(); ++i)
        store.setValue(kKeyShiftKeys[i], choices.keyShifts[i]);
    store.setValue(kOctavesKey, choices.octaves);
}

WindowChoices LoadChoices(QSettings& store, const MelodySettings& melody) {
    WindowChoices choices;
    if (ReadInt(store, kStressKey, 0) == static_cast<int>(StressMode::dictionary))
        choices.stress = StressMode::dictionary;
    for (std::size_t i = 0; i < choices.keyShifts.size(); ++i)
        choices.keyShifts[i] = ReadInt(store, kKeyShiftKeys[i], melody.keyShift);
    choices.octaves = ReadInt(store, kOctavesKey, 0);
    return choices;
}

void ForgetChoices(QSettings& store) {
    for (const QString& group : store.childGroups())
        if (std::find(std::begin(kNotChoices), std::end(kNotChoices), group) ==
            std::end(kNotChoices))
            store.remove(group);
    for (const QString& key : store.childKeys()) store.remove(key);
}

QVariantMap ReadControls(const QWidget& window) {
    QVariantMap controls;
    for (const char* name : kRememberedChecks)
        if (const auto* box = window.findChild<QCheckBox*>(name)) controls[name] = box->isChecked();
    if (const auto* devices = window.findChild<QComboBox*>(control::kDeviceList))
        controls[control::kDeviceList] = devices->currentText();
    return controls;
}

void ApplyControls(const QVariantMap& controls, QWidget& window) {
    for (const char* name : kRememberedChecks) {
        auto* box = window.findChild<QCheckBox*>(name);
        if (box && controls.contains(name)) box->setChecked(controls[name].toBool());
    }
    auto* devices = window.findChild<QComboBox*>(control::kDeviceList);
    if (!devices || !controls.contains(control::kDeviceList)) return;
    const int index = devices->findText(controls[control::kDeviceList].toString());
    if (index >= 0) devices->setCurrentIndex(index); // a device gone since keeps the first
}

// One key each, so that the file stays readable.
void SaveControls(QSettings& store, const QVariantMap& controls) {
    store.beginGroup(kControlsGroup);
    for (auto it = controls.begin(); it != controls.end(); ++it) store.setValue(it.key(), *it);
    store.endGroup();
}

QVariantMap LoadControls(QSettings& store) {
    QVariantMap controls;
    store.beginGroup(kControlsGroup);
    for (const QString& key : store.childKeys()) controls[key] = store.value(key);
    store.endGroup();
    return controls;
}

std::optional<QString> TakeLegacyUnsavedVerse(QSettings& store) {
    if (!store.contains(kUnsavedVerseKey)) return std::nullopt;
    const QString verse = store.value(kUnsavedVerseKey).toString();
    store.remove(kUnsavedVerseKey);
    return verse;
}

} // namespace kvat
