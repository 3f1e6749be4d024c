// The page's view of the core: the session, the settings as plain JavaScript objects, the
// lists the controls offer. Arrays come back as typed arrays the page owns (copies), text as
// strings.

#include "web/core/session.h"

#include "help/sample_verse.h"
#include "melody/method.h"
#include "melody/method_texts.h"
#include "melody/note_map.h"
#include "midi/instrument_names.h"
#include "midi/presets.h"
#include "midi/sound_tables.h"
#include "score/twips.h"
#include "text/utf8.h"
#include "verse/paste.h"

#include <emscripten/bind.h>

#include <random>

using emscripten::val;

namespace kvat::web {
namespace {

// MelodySettings as the page holds it: no optional, -1 for no method.
struct MelodyChoice {
    int method = MethodIndex(Method::kPentatonic);
    bool lengthen = true;
    int keyShift = 0;
    int softVowelShift = 0;
    int centreShift = 0;
    NoteMap noteMap{};
    int tonic = 0; // the song's choices as their lists' indexes
    int mode = 0;
    int range = 0;
};

// SoundSettings as the page's lists hold them: list indexes where the settings hold values in
// their units. The lists are the page's business, as the window's are the window's.
struct SoundChoice {
    int dynamics = 0; // dynamics list index
    int boost = 0;    // the boost bar's steps, ten per cent each
    bool lengthen = true;
    int tempo = 0; // tempo list index
    int numerator = 0;
    int denominator = 0;
    int soprano = 0;
    VoiceChoice mezzo, tenor, bass;
    bool groupOn = false;
    int group = 0; // group list index
    bool drumsOn = false;
    int drumFirst = 0; // percussion list indexes
    int drumLast = 0;
    int drumMap = 0;
    bool accompanimentOn = false;
    int accompaniment = 0;
    int effect = 0; // effect list index
};

constexpr int kBoostStep = 10;

template <class Table> const typename Table::value_type& Row(const Table& table, int index) {
    return table[index >= 0 && index < static_cast<int>(table.size()) ? std::size_t(index) : 0];
}

template <class Table, class Value>
int RowOf(const Table& table, Value value, Value Table::value_type::*member) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].*member == value) return static_cast<int>(i);
    return 0;
}

SoundSettings SoundOf(const SoundChoice& c) {
    return {.dynamicsPercent = Row(kDynamicsTable, c.dynamics).percent,
            .boostPercent = c.boost * kBoostStep,
            .lengthen = c.lengthen,
            .beatsPerMinute = Row(kTempoTable, c.tempo).bpm,
            .numerator = c.numerator,
            .denominator = c.denominator,
            .soprano = c.soprano,
            .mezzo = c.mezzo,
            .tenor = c.tenor,
            .bass = c.bass,
            .groupOn = c.groupOn,
            .group = Row(kVoiceGroups, c.group).group,
            .drumsOn = c.drumsOn,
            .firstDrumKey = c.drumFirst + kFirstDrumKey,
            .lastDrumKey = c.drumLast + kFirstDrumKey,
            .drumMap = c.drumMap,
            .accompanimentOn = c.accompanimentOn,
            .accompaniment = c.accompaniment,
            .effect = Row(kOutputEffects, c.effect).effect};
}

SoundChoice ChoiceOf(const SoundSettings& s) {
    return {.dynamics = DynamicsIndex(s.dynamicsPercent),
            .boost = s.boostPercent / kBoostStep,
            .lengthen = s.lengthen,
            .tempo = TempoIndex(s.beatsPerMinute),
            .numerator = s.numerator,
            .denominator = s.denominator,
            .soprano = s.soprano,
            .mezzo = s.mezzo,
            .tenor = s.tenor,
            .bass = s.bass,
            .groupOn = s.groupOn,
            .group = RowOf(kVoiceGroups, s.group, &VoiceGroupRow::group),
            .drumsOn = s.drumsOn,
            .drumFirst = s.firstDrumKey - kFirstDrumKey,
            .drumLast = s.lastDrumKey - kFirstDrumKey,
            .drumMap = s.drumMap,
            .accompanimentOn = s.accompanimentOn,
            .accompaniment = s.accompaniment,
            .effect = RowOf(kOutputEffects, s.effect, &OutputEffectRow::effect)};
}

MelodySettings MelodyOf(const MelodyChoice& choice) {
    MelodySettings settings;
    settings.method = MethodFromIndex(choice.method);
    settings.lengthen = choice.lengthen;
    settings.keyShift = choice.keyShift;
    settings.softVowelShift = choice.softVowelShift;
    settings.centreShift = choice.centreShift;
    settings.noteMap = choice.noteMap;
    settings.song = {choice.tonic, static_cast<SongMode>(choice.mode),
                     static_cast<SongRange>(choice.range)};
    return settings;
}

val Text(std::u32string_view text) {
    return val(EncodeUtf8(text));
}

template <class T> val Copy(const std::vector<T>& values) {
    return val(emscripten::typed_memory_view(values.size(), values.data())).call<val>("slice");
}

template <class Range, class Field> val TextArray(const Range& range, Field field) {
    val array = val::array();
    for (const auto& row : range) array.call<void>("push", Text(field(row)));
    return array;
}

template <class Range> val NumberArray(const Range& range) {
    val array = val::array();
    for (const auto value : range) array.call<void>("push", value);
    return array;
}

void SetVerse(Session& session, const std::string& text, bool followAnalysis, int mode,
              int separator) {
    session.SetStressMode(mode == 1 ? StressMode::kDictionary : StressMode::kRule);
    session.SetDecimalSeparator(static_cast<char32_t>(separator));
    session.SetVerse(text, followAnalysis);
}

val MetreItems(const Session& session) {
    return TextArray(session.Analysis().items, [](const std::u32string& s) { return s; });
}

val Marks(const Session& session, int line) {
    const LineMarks marks = session.Marks(static_cast<std::size_t>(line));
    val result = val::object();
    result.set("red", Copy(marks.red));
    result.set("unknown", Copy(marks.unknown));
    result.set("rhyme", Text(marks.rhyme));
    result.set("rhymeTip", Text(marks.rhymeTip));
    result.set("rhymeGroup", marks.rhymeGroup);
    result.set("rhymeBegin", marks.rhymeBegin);
    result.set("rhymeEnd", marks.rhymeEnd);
    return result;
}

// The score: whether a melody was made, why not, the centre range, the orthography messages
// and the layout as typed arrays.
val MakeScore(Session& session, const MelodyChoice& melody, const SoundChoice& sound, bool colour,
              float viewportTwips) {
    val result = val::object();
    result.set("made", session.MakeScore(MelodyOf(melody), SoundOf(sound), colour, viewportTwips));
    result.set("why", session.Why());
    result.set("sung", session.HasSungNote());
    if (const auto range = session.CentreRange()) {
        result.set("centreMin", range->first);
        result.set("centreMax", range->second);
    }
    result.set("messages",
               TextArray(session.Messages(), [](const std::u32string& s) { return s; }));
    const ScoreLayout& layout = session.Layout();
    const ScoreArrays& arrays = session.Arrays();
    result.set("geometry", Copy(arrays.geometry));
    result.set("style", Copy(arrays.style));
    result.set("colour", Copy(arrays.colour));
    result.set("text", Copy(arrays.text));
    result.set("column", Copy(arrays.column));
    result.set("chars", Copy(std::vector<std::uint16_t>(arrays.chars.begin(), arrays.chars.end())));
    result.set("columnStart", Copy(layout.columnStart));
    result.set("columnLeft", Copy(layout.columnLeft));
    result.set("columnReach", Copy(layout.columnReach));
    result.set("colours", Copy(layout.colours));
    result.set("longestStaff", layout.longestStaff);
    result.set("scrollMaximum", layout.scrollMaximum);
    result.set("canvasWidth", layout.canvasWidth);
    result.set("canvasHeight", layout.canvasHeight);
    return result;
}

val MidiFile(const Session& session, const SoundChoice& sound, bool lyrics) {
    return Copy(session.MidiFile(SoundOf(sound), lyrics));
}

val TokenStarts(const Session& session, const SoundChoice& sound) {
    const Session::Starts starts = session.TokenStarts(session.MidiFile(SoundOf(sound), false));
    val result = val::object();
    result.set("ticks", Copy(starts.ticks));
    result.set("ms", Copy(starts.ms));
    return result;
}

std::string MusicXml(const Session& session, const SoundChoice& sound) {
    return session.MusicXml(SoundOf(sound));
}

std::string Title(const Session& session) {
    return EncodeUtf8(session.Title());
}

std::string CleanPasted(const std::string& text) {
    return EncodeUtf8(CleanPastedText(DecodeUtf8(text).value_or(U"")));
}

val RandomMap(int octaveItem, double seed) {
    NoteMap unselected;
    unselected.fill(-1);
    std::mt19937_64 random(static_cast<std::uint64_t>(seed));
    return NumberArray(RandomNoteMap(unselected, octaveItem, random));
}

val Denominators(int numerator) {
    return NumberArray(DenominatorsFor(numerator));
}

val MethodTexts(int key, int shift, int centre, int separator) {
    val texts = val::object();
    texts.set("key", Text(KeyText(key)));
    texts.set("shift", Text(ShiftText(shift, static_cast<char32_t>(separator))));
    texts.set("centre", Text(CentreText(centre)));
    return texts;
}

std::string Caption(int method) {
    const auto m = MethodFromIndex(method);
    return EncodeUtf8(m ? MethodCaption(kMethods[std::size_t(MethodIndex(*m))].name)
                        : MethodCaption(U""));
}

// Every list the controls offer, and the measures the score view shares with the layout.
val Tables() {
    val t = val::object();
    t.set("methods", TextArray(kMethods, [](const auto& r) { return r.name; }));
    t.set("dynamics", TextArray(kDynamicsTable, [](const auto& r) { return r.item; }));
    val velocities = val::array();
    for (const auto& row : kDynamicsTable) velocities.call<void>("push", row.percent);
    t.set("dynamicsValues", velocities);
    t.set("tempos", TextArray(kTempoTable, [](const auto& r) { return r.item; }));
    val bpm = val::array();
    for (const auto& row : kTempoTable) bpm.call<void>("push", row.bpm);
    t.set("tempoBpm", bpm);
    t.set("numerators", NumberArray(kNumerators));
    t.set("programs", TextArray(kProgramNames, [](auto s) { return s; }));
    t.set("percussion", TextArray(kPercussionNames, [](auto s) { return s; }));
    t.set("groups", TextArray(kVoiceGroups, [](const auto& r) { return r.item; }));
    t.set("effects", TextArray(kOutputEffects, [](const auto& r) { return r.item; }));
    t.set("notes", TextArray(kNoteNames, [](auto s) { return s; }));
    t.set("octaves", TextArray(kOctaveItems, [](auto s) { return s; }));
    t.set("tonics", TextArray(kTonicTexts, [](const auto& r) { return r.item; }));
    t.set("modes", TextArray(kModeTexts, [](const auto& r) { return r.item; }));
    t.set("ranges", TextArray(kRangeTexts, [](const auto& r) { return r.item; }));
    t.set("sampleVerse", TextArray(kSampleVerse, [](auto s) { return s; }));
    t.set("keyShiftLow", kKeyShiftLow);
    t.set("keyShiftHigh", kKeyShiftHigh);
    t.set("softVowelShiftHigh", kSoftVowelShiftHigh);
    t.set("drumMapLow", kDrumMapLow);
    t.set("drumMapHigh", kDrumMapHigh);
    t.set("columnTwips", kColumnTwips);
    t.set("viewportHeightTwips", kViewportHeightTwips);
    t.set("markerStartTwips", kMarkerStartTwips);
    return t;
}

bool UsesShift(int method) {
    const auto m = MethodFromIndex(method);
    return m && UsesSoftVowelShift(*m);
}
bool UsesMap(int method) {
    const auto m = MethodFromIndex(method);
    return m && UsesNoteMap(*m);
}
bool UsesKey(int method) {
    const auto m = MethodFromIndex(method);
    return m && HasKeyShift(*m);
}
bool UsesCentre(int method) {
    const auto m = MethodFromIndex(method);
    return m && HasCentreRange(*m);
}
bool TimesNotes(int method) {
    const auto m = MethodFromIndex(method);
    return m && TimesItsNotes(*m);
}

} // namespace

EMSCRIPTEN_BINDINGS(kvat) {
    using namespace emscripten;
    using emscripten::index;
    value_array<NoteMap>("NoteMap")
        .element(index<0>())
        .element(index<1>())
        .element(index<2>())
        .element(index<3>())
        .element(index<4>())
        .element(index<5>())
        .element(index<6>())
        .element(index<7>())
        .element(index<8>())
        .element(index<9>());
    value_object<MelodyChoice>("MelodyChoice")
        .field("method", &MelodyChoice::method)
        .field("lengthen", &MelodyChoice::lengthen)
        .field("keyShift", &MelodyChoice::keyShift)
        .field("softVowelShift", &MelodyChoice::softVowelShift)
        .field("centreShift", &MelodyChoice::centreShift)
        .field("noteMap", &MelodyChoice::noteMap)
        .field("tonic", &MelodyChoice::tonic)
        .field("mode", &MelodyChoice::mode)
        .field("range", &MelodyChoice::range);
    value_object<VoiceChoice>("VoiceChoice")
        .field("on", &VoiceChoice::on)
        .field("program", &VoiceChoice::program);
    value_object<SoundChoice>("SoundChoice")
        .field("dynamics", &SoundChoice::dynamics)
        .field("boost", &SoundChoice::boost)
        .field("lengthen", &SoundChoice::lengthen)
        .field("tempo", &SoundChoice::tempo)
        .field("numerator", &SoundChoice::numerator)
        .field("denominator", &SoundChoice::denominator)
        .field("soprano", &SoundChoice::soprano)
        .field("mezzo", &SoundChoice::mezzo)
        .field("tenor", &SoundChoice::tenor)
        .field("bass", &SoundChoice::bass)
        .field("groupOn", &SoundChoice::groupOn)
        .field("group", &SoundChoice::group)
        .field("drumsOn", &SoundChoice::drumsOn)
        .field("drumFirst", &SoundChoice::drumFirst)
        .field("drumLast", &SoundChoice::drumLast)
        .field("drumMap", &SoundChoice::drumMap)
        .field("accompanimentOn", &SoundChoice::accompanimentOn)
        .field("accompaniment", &SoundChoice::accompaniment)
        .field("effect", &SoundChoice::effect);

    class_<Session>("Session")
        .constructor<>()
        .function("setVerse", &SetVerse)
        .function("lineCount", &Session::LineCount)
        .function("metre", &Session::Metre)
        .function("hasMetre", &Session::HasMetre)
        .function("metreItems", &MetreItems)
        .function("chooseMetre", &Session::ChooseMetre)
        .function("toggleIctus", &Session::ToggleIctus)
        .function("marks", &Marks)
        .function("makeScore", &MakeScore)
        .function("midiFile", &MidiFile)
        .function("musicXml", &MusicXml)
        .function("tokenStarts", &TokenStarts)
        .function("title", &Title);

    function(
        "defaultSound", +[] { return ChoiceOf(SoundSettings{}); });
    function(
        "defaultMelody", +[] { return MelodyChoice{}; });
    function(
        "applyGroup", +[](const SoundChoice& choice, int group) {
            SoundSettings s = SoundOf(choice);
            if (group >= 0 && group < static_cast<int>(kVoiceGroups.size()))
                ApplyGroup(s, kVoiceGroups[std::size_t(group)].group);
            return ChoiceOf(s);
        });
    function("tables", &Tables);
    function("cleanPasted", &CleanPasted);
    function("randomNoteMap", &RandomMap);
    function("denominators", &Denominators);
    function("methodTexts", &MethodTexts);
    function("methodCaption", &Caption);
    function("usesSoftVowelShift", &UsesShift);
    function("usesNoteMap", &UsesMap);
    function("hasKeyShift", &UsesKey);
    function("hasCentreRange", &UsesCentre);
    function("timesItsNotes", &TimesNotes);
}

} // namespace kvat::web
