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

// Writes one part's measures, splitting notes at the bar lines and tying the pieces.
class PartWriter {
public:
    PartWriter(std::string& out, const ArrangedPart& part, std::string id, Metre metre,
               std::span<const std::optional<LyricSyllable>> syllables)
        : out_(out), part_(part), id_(std::move(id)), metre_(metre), syllables_(syllables),
          drumKeys_(DrumKeys(part)) {}

    void Begin(const SoundSettings& settings, bool withTempo) {
        out_ += "  <part id=\"" + id_ + "\">\n    <measure number=\"1\">\n      <attributes>";
        AppendElement(out_, "divisions", kTicksPerQuarter);
        out_ += "<key><fifths>0</fifths></key><time>";
        AppendElement(out_, "beats", metre_.beats);
        AppendElement(out_, "beat-type", metre_.beatType);
        (out_ += "</time>") += ClefOf(part_);
        out_ += "</attributes>\n";
        if (withTempo) AppendTempo(settings);
        AppendDynamics(settings);
    }

    void Note(const PartNote& note) {
        std::optional<LyricSyllable> syllable;
        if (part_.role == PartRole::kMelody && note.keyCount > 0 &&
            static_cast<std::size_t>(note.token) < syllables_.size())
            syllable = syllables_[static_cast<std::size_t>(note.token)];
        for (int left = note.ticks, first = 1; left > 0; first = 0) {
            if (position_ == metre_.measureTicks) NextMeasure();
            const int room = std::min(left, metre_.measureTicks - position_);
            const NoteValue& value = LongestValueWithin(room);
            const int ticks = std::min(value.ticks, room);
            left -= ticks;
            Piece(note, value, ticks, first, left > 0, first ? syllable : std::nullopt);
            position_ += ticks;
        }
    }

    // Rests to the end of the last bar, and the final bar line.
    void Finish() {
        const PartNote rest;
        while (position_ < metre_.measureTicks) {
            const int room = metre_.measureTicks - position_;
            const NoteValue& value = LongestValueWithin(room);
            const int ticks = std::min(value.ticks, room);
            Piece(rest, value, ticks, true, false, std::nullopt);
            position_ += ticks;
        }
        out_ += "      <barline location=\"right\"><bar-style>light-heavy</bar-style></barline>\n"
                "    </measure>\n  </part>\n";
    }

private:
    void NextMeasure() {
        out_ += "    </measure>\n    <measure number=\"" + std::to_string(++measure_) + "\">\n";
        position_ = 0;
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
    void Piece(const PartNote& note, const NoteValue& value, int ticks, bool first, bool more,
               const std::optional<LyricSyllable>& syllable) {
        const bool drums = part_.role == PartRole::kDrums;
        const bool sounding = note.keyCount > 0 && (first || !drums);
        const bool tieStop = sounding && !first, tieStart = sounding && more && !drums;
        for (int i = 0; i < (sounding ? note.keyCount : 1); ++i) {
            out_ += "      <note>";
            if (i > 0) out_ += "<chord/>";
            if (!sounding)
                out_ += "<rest/>";
            else if (drums)
                AppendUnpitched(note.keys[0]);
            else
                AppendPitch(note.keys[std::size_t(i)]);
            AppendElement(out_, "duration", ticks);
            if (tieStop) out_ += "<tie type=\"stop\"/>";
            if (tieStart) out_ += "<tie type=\"start\"/>";
            if (sounding && drums)
                out_ += "<instrument id=\"" + InstrumentId(id_, note.keys[0]) + "\"/>";
            out_ += "<voice>1</voice><type>";
            out_ += value.type;
            out_ += "</type>";
            for (int dot = 0; dot < value.dots; ++dot) out_ += "<dot/>";
            const bool accent = note.accent && first && i == 0;
            if (tieStop || tieStart || accent) {
                out_ += "<notations>";
                if (tieStop) out_ += "<tied type=\"stop\"/>";
                if (tieStart) out_ += "<tied type=\"start\"/>";
                if (accent) out_ += "<articulations><accent/></articulations>";
                out_ += "</notations>";
            }
            if (syllable && i == 0) AppendLyric(*syllable);
            out_ += "</note>\n";
        }
    }

    void AppendPitch(int key) {
        const Spelling spelling = SpellKey(key);
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
    int measure_ = 1;
    int position_ = 0; // ticks into the current measure
    bool previousGoesOn_ = false;
};

} // namespace

Metre MetreOf(const SoundSettings& settings) {
    const int beats = std::clamp(settings.numerator, 1, 255);
    const int beatType = static_cast<int>(
        std::bit_floor(static_cast<unsigned>(std::clamp(settings.denominator, 1, 64))));
    return {beats, beatType, beats * 4 * kTicksPerQuarter / beatType};
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
                const SoundSettings& settings, bool withTempo) {
    PartWriter writer(out, part, id, metre, syllables);
    writer.Begin(settings, withTempo);
    for (const PartNote& note : part.notes) writer.Note(note);
    writer.Finish();
}

} // namespace kvat
