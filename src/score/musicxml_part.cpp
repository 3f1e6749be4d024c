#include "score/musicxml_part.h"

#include "midi/sound_tables.h"
#include "score/note_values.h"

#include <algorithm>
#include <array>
#include <bit>

namespace kvat {
namespace {

struct DynamicsMark {
    char32_t glyph; // the mark's code in the symbol font
    std::string_view element;
};

// The symbol font's dynamics marks as MusicXML names them.
constexpr std::array<DynamicsMark, 8> kDynamicsMarks = {{
    {113, "fff"},
    {112, "ff"},
    {111, "f"},
    {110, "mf"},
    {108, "mp"},
    {105, "p"},
    {106, "pp"},
    {107, "ppp"},
}};

// By Syllabic.
constexpr std::array<std::string_view, 4> kSyllabicNames = {"single", "begin", "middle", "end"};

struct StaffPosition {
    char step;
    int octave;
};

// Where the drums stand on the percussion staff, in the order they first sound; any further
// ones share the last place.
constexpr std::array<StaffPosition, 2> kDrumPositions = {{{'C', 5}, {'G', 5}}};

// A part whose keys lie lower than this on average is written in the bass clef.
constexpr int kLowestTrebleAverage = 60;

std::string_view ClefOf(const ArrangedPart& part) {
    if (part.role == PartRole::kDrums) return "<clef><sign>percussion</sign></clef>";
    long long sum = 0, count = 0;
    for (const PartNote& note : part.notes)
        for (int i = 0; i < note.keyCount; ++i, ++count) sum += note.keys[std::size_t(i)];
    if (count > 0 && sum < kLowestTrebleAverage * count)
        return "<clef><sign>F</sign><line>4</line></clef>";
    return "<clef><sign>G</sign><line>2</line></clef>";
}

// MusicXML's beam values, by BeamState.
enum class Beam : unsigned char { kNone, kBegin, kContinue, kEnd, kForwardHook, kBackwardHook };
constexpr std::array<std::string_view, 6> kBeamNames = {"",    "begin",        "continue",
                                                        "end", "forward hook", "backward hook"};
constexpr int kMostBeams = 3;

// How many beams a value carries: an eighth one, a 16th two, a 32nd three; longer values none.
int BeamCount(const NoteValue& value) {
    if (value.ticks >= kQuarter) return 0;
    return value.type == "eighth" ? 1 : value.type == "16th" ? 2 : kMostBeams;
}

// One written value of a note, kept until its measure is complete: its beams need its
// neighbours.
struct Written {
    const PartNote* note;
    NoteValue value;
    int ticks;
    bool first, more;
    std::optional<LyricSyllable> syllable;
    int at; // ticks into the measure
    std::array<Beam, kMostBeams> beams{};
};

// Beams join the notes of one beat: each level runs over the notes that have it, a note alone
// on its level has a hook towards the others.
void BeamBeat(std::span<Written> group) {
    if (group.size() < 2) return;
    for (int level = 0; level < kMostBeams; ++level)
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (BeamCount(group[i].value) <= level) continue;
            const bool before = i > 0 && BeamCount(group[i - 1].value) > level;
            const bool after = i + 1 < group.size() && BeamCount(group[i + 1].value) > level;
            Beam& beam = group[i].beams[std::size_t(level)];
            if (level == 0 || before || after)
                beam = !before ? Beam::kBegin : after ? Beam::kContinue : Beam::kEnd;
            else
                beam = i == 0 ? Beam::kForwardHook : Beam::kBackwardHook;
        }
}

// Writes one part's measures, splitting notes at the bar lines and tying the pieces. Under a
// melody's own bars the first measure may be its upbeat, the key is the melody's, notes are
// beamed by the beat and the melody carries the chord symbols.
class PartWriter {
public:
    PartWriter(std::string& out, const ArrangedPart& part, std::string id, Metre metre,
               std::span<const std::optional<LyricSyllable>> syllables, const MelodyBars* bars)
        : out_(out), part_(part), id_(std::move(id)), metre_(metre), syllables_(syllables),
          drumKeys_(DrumKeys(part)), bars_(bars) {
        if (!bars) return;
        key_ = KeySignatureOf(bars->tonic, bars->minor);
        beatTicks_ = metre.beatType == 8 && metre.beats % 3 == 0 ? 3 * kQuarter / 2
                                                                 : 4 * kQuarter / metre.beatType;
        if (bars->upbeat > 0 && bars->upbeat < metre.measureTicks) {
            upbeat_ = bars->upbeat;
            measure_ = 0;
        }
    }

    void Begin(const SoundSettings& settings, bool withTempo) {
        out_ += "  <part id=\"" + id_ + "\">\n    <measure number=\"" + std::to_string(measure_) +
                (upbeat_ ? "\" implicit=\"yes" : "") + "\">\n      <attributes>";
        AppendElement(out_, "divisions", kTicksPerQuarter);
        out_ += "<key>";
        AppendElement(out_, "fifths", key_.fifths);
        if (bars_) out_ += key_.minor ? "<mode>minor</mode>" : "<mode>major</mode>";
        out_ += "</key><time>";
        AppendElement(out_, "beats", metre_.beats);
        AppendElement(out_, "beat-type", metre_.beatType);
        (out_ += "</time>") += ClefOf(part_);
        out_ += "</attributes>\n";
        if (withTempo) AppendTempo(settings);
        AppendDynamics(settings);
        AppendHarmony();
    }

    void Note(const PartNote& note) {
        std::optional<LyricSyllable> syllable;
        if (part_.role == PartRole::kMelody && note.keyCount > 0 &&
            static_cast<std::size_t>(note.token) < syllables_.size())
            syllable = syllables_[static_cast<std::size_t>(note.token)];
        for (int left = note.ticks, first = 1; left > 0; first = 0) {
            if (position_ == MeasureTicks()) NextMeasure();
            const int room = std::min(left, MeasureTicks() - position_);
            const NoteValue& value = LongestValueWithin(room);
            const int ticks = std::min(value.ticks, room);
            left -= ticks;
            Keep(note, value, ticks, first, left > 0, first ? syllable : std::nullopt);
        }
    }

    // Rests to the end of the last bar, and the final bar line.
    void Finish() {
        const PartNote rest;
        while (position_ < MeasureTicks()) {
            const NoteValue& value = LongestValueWithin(MeasureTicks() - position_);
            Keep(rest, value, std::min(value.ticks, MeasureTicks() - position_), true, false,
                 std::nullopt);
        }
        WriteMeasure();
        out_ += "      <barline location=\"right\"><bar-style>light-heavy</bar-style></barline>\n"
                "    </measure>\n  </part>\n";
    }

private:
    int MeasureTicks() const { return measure_ == 0 ? upbeat_ : metre_.measureTicks; }

    void Keep(const PartNote& note, const NoteValue& value, int ticks, bool first, bool more,
              const std::optional<LyricSyllable>& syllable) {
        written_.push_back({&note, value, ticks, first, more, syllable, position_, {}});
        position_ += ticks;
    }

    void NextMeasure() {
        WriteMeasure();
        out_ += "    </measure>\n    <measure number=\"" + std::to_string(++measure_) + "\">\n";
        position_ = 0;
        AppendHarmony();
    }

    // The measure's pieces, beamed beat by beat when the bars are the melody's own. An upbeat
    // measure counts its beats back from the bar line.
    void WriteMeasure() {
        if (beatTicks_ > 0 && part_.role != PartRole::kDrums) {
            const int offset = metre_.measureTicks - MeasureTicks();
            auto beamed = [](const Written& w) {
                return w.note->keyCount > 0 && BeamCount(w.value) > 0;
            };
            for (std::size_t i = 0; i < written_.size();) {
                std::size_t j = i + 1;
                const int beat = (offset + written_[i].at) / beatTicks_;
                while (beamed(written_[i]) && j < written_.size() && beamed(written_[j]) &&
                       (offset + written_[j].at) / beatTicks_ == beat)
                    ++j;
                if (beamed(written_[i])) BeamBeat(std::span(written_).subspan(i, j - i));
                i = j;
            }
        }
        for (const Written& w : written_) Piece(w);
        written_.clear();
    }

    void AppendHarmony() {
        if (!bars_ || part_.role != PartRole::kMelody) return;
        const std::size_t bar = static_cast<std::size_t>(measure_ - (upbeat_ ? 0 : 1));
        if (bar >= bars_->chords.size()) return;
        const BarChord& chord = bars_->chords[bar];
        // A lead sheet names a chord where it changes.
        if (bar > 0 && chord == bars_->chords[bar - 1]) return;
        const Spelling root = SpellKeyIn(chord.root, key_);
        ((out_ += "      <harmony><root><root-step>") += root.step) += "</root-step>";
        if (root.alter != 0) AppendElement(out_, "root-alter", root.alter);
        out_ += chord.minor ? "</root><kind>minor</kind></harmony>\n"
                            : "</root><kind>major</kind></harmony>\n";
    }

    void AppendTempo(const SoundSettings& settings) {
        out_ += "      <direction placement=\"above\">";
        out_ += "<direction-type><words font-weight=\"bold\">";
        AppendXmlText(out_, kTempoTable[std::size_t(TempoIndex(settings.beatsPerMinute))].term);
        out_ += "</words></direction-type>";
        out_ += "<direction-type><metronome><beat-unit>quarter</beat-unit>";
        AppendElement(out_, "per-minute", settings.beatsPerMinute);
        out_ += "</metronome></direction-type><sound tempo=\"" +
                std::to_string(settings.beatsPerMinute) + "\"/></direction>\n";
    }

    void AppendDynamics(const SoundSettings& settings) {
        const DynamicsItem& dynamics =
            kDynamicsTable[std::size_t(DynamicsIndex(settings.dynamicsPercent))];
        for (const DynamicsMark& mark : kDynamicsMarks)
            if (mark.glyph == static_cast<char32_t>(dynamics.glyph))
                ((out_ += "      <direction placement=\"below\"><direction-type><dynamics><") +=
                 mark.element) += "/></dynamics></direction-type></direction>\n";
    }

    // One written value of a note: the first piece carries the accent and the syllable, later
    // ones are tied to it. A drum stroke is not held: its later pieces are rests.
    void Piece(const Written& w) {
        const PartNote& note = *w.note;
        const bool drums = part_.role == PartRole::kDrums;
        const bool sounding = note.keyCount > 0 && (w.first || !drums);
        const bool tieStop = sounding && !w.first, tieStart = sounding && w.more && !drums;
        for (int i = 0; i < (sounding ? note.keyCount : 1); ++i) {
            out_ += "      <note>";
            if (i > 0) out_ += "<chord/>";
            if (!sounding)
                out_ += "<rest/>";
            else if (drums)
                AppendUnpitched(note.keys[0]);
            else
                AppendPitch(note.keys[std::size_t(i)]);
            AppendElement(out_, "duration", w.ticks);
            if (tieStop) out_ += "<tie type=\"stop\"/>";
            if (tieStart) out_ += "<tie type=\"start\"/>";
            if (sounding && drums)
                out_ += "<instrument id=\"" + InstrumentId(id_, note.keys[0]) + "\"/>";
            out_ += "<voice>1</voice><type>";
            out_ += w.value.type;
            out_ += "</type>";
            for (int dot = 0; dot < w.value.dots; ++dot) out_ += "<dot/>";
            for (std::size_t level = 0; i == 0 && level < w.beams.size(); ++level)
                if (w.beams[level] != Beam::kNone)
                    ((((out_ += "<beam number=\"") += char('1' + level)) += "\">") +=
                     kBeamNames[static_cast<std::size_t>(w.beams[level])]) += "</beam>";
            const bool accent = note.accent && w.first && i == 0;
            if (tieStop || tieStart || accent) {
                out_ += "<notations>";
                if (tieStop) out_ += "<tied type=\"stop\"/>";
                if (tieStart) out_ += "<tied type=\"start\"/>";
                if (accent) out_ += "<articulations><accent/></articulations>";
                out_ += "</notations>";
            }
            if (w.syllable && i == 0) AppendLyric(*w.syllable);
            out_ += "</note>\n";
        }
    }

    void AppendPitch(int key) {
        const Spelling spelling = bars_ ? SpellKeyIn(key, key_) : SpellKey(key);
        ((out_ += "<pitch><step>") += spelling.step) += "</step>";
        if (spelling.alter != 0) AppendElement(out_, "alter", spelling.alter);
        AppendElement(out_, "octave", spelling.octave);
        out_ += "</pitch>";
    }

    void AppendUnpitched(int key) {
        const auto at = std::find(drumKeys_.begin(), drumKeys_.end(), key) - drumKeys_.begin();
        const StaffPosition place =
            kDrumPositions[std::min<std::size_t>(std::size_t(at), kDrumPositions.size() - 1)];
        ((out_ += "<unpitched><display-step>") += place.step) += "</display-step>";
        AppendElement(out_, "display-octave", place.octave);
        out_ += "</unpitched>";
    }

    void AppendLyric(const LyricSyllable& syllable) {
        const Syllabic syllabic = SyllabicOf(previousGoesOn_, syllable.goesOn);
        previousGoesOn_ = syllable.goesOn;
        ((out_ += "<lyric number=\"1\"><syllabic>") +=
         kSyllabicNames[static_cast<std::size_t>(syllabic)]) += "</syllabic><text>";
        AppendXmlText(out_, syllable.text);
        out_ += "</text></lyric>";
    }

    std::string& out_;
    const ArrangedPart& part_;
    std::string id_;
    Metre metre_;
    std::span<const std::optional<LyricSyllable>> syllables_;
    std::vector<int> drumKeys_;
    const MelodyBars* bars_;
    KeySignature key_;  // C major unless the bars have a key
    int beatTicks_ = 0; // 0: no beams
    int upbeat_ = 0;    // the first measure's ticks when it is an upbeat
    int measure_ = 1;   // its number: the upbeat's is 0
    int position_ = 0;  // ticks into the current measure
    std::vector<Written> written_;
    bool previousGoesOn_ = false;
};

} // namespace

Metre MetreOf(const SoundSettings& settings) {
    const int beats = std::clamp(settings.numerator, 1, 255);
    const int beatType = static_cast<int>(
        std::bit_floor(static_cast<unsigned>(std::clamp(settings.denominator, 1, 64))));
    return {beats, beatType, beats * 4 * kTicksPerQuarter / beatType};
}

Metre MetreOf(const MelodyBars& bars) {
    SoundSettings time;
    time.numerator = bars.beats;
    time.denominator = bars.beatType;
    return MetreOf(time);
}

void AppendElement(std::string& out, std::string_view name, int value) {
    ((((out += '<') += name) += '>') += std::to_string(value)) += "</";
    (out += name) += '>';
}

std::vector<int> DrumKeys(const ArrangedPart& part) {
    std::vector<int> keys;
    if (part.role != PartRole::kDrums) return keys;
    std::array<bool, 256> seen{};
    for (const PartNote& note : part.notes)
        if (note.keyCount > 0 && !seen[note.keys[0]]) {
            seen[note.keys[0]] = true;
            keys.push_back(note.keys[0]);
        }
    return keys;
}

std::string InstrumentId(const std::string& part, int key) {
    return part + "-I" + std::to_string(key + 1);
}

void AppendPart(std::string& out, const ArrangedPart& part, const std::string& id, Metre metre,
                std::span<const std::optional<LyricSyllable>> syllables,
                const SoundSettings& settings, bool withTempo, const MelodyBars* bars) {
    PartWriter writer(out, part, id, metre, syllables, bars);
    writer.Begin(settings, withTempo);
    for (const PartNote& note : part.notes) writer.Note(note);
    writer.Finish();
}

} // namespace kvat
