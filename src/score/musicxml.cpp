#include "score/musicxml.h"

#include "midi/instrument_names.h"
#include "score/arranged_parts.h"
#include "score/musicxml_part.h"
#include "score/musicxml_text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kvat {
namespace {

// By PartRole.
constexpr std::array<std::string_view, 6> kPartNames = {"Soprano", "Mezzo",         "Tenor",
                                                        "Bass",    "Accompaniment", "Drums"};

constexpr int kGeneralMidiPrograms = 128;

std::string PartId(std::size_t index) {
    return "P" + std::to_string(index + 1);
}

std::u32string_view DrumName(int key) {
    const int index = key - kFirstDrumKey;
    if (index < 0 || index >= static_cast<int>(kPercussionNames.size())) return U"Percussion";
    return kPercussionNames[static_cast<std::size_t>(index)];
}

void AppendScorePart(std::string& out, const ArrangedPart& part, const std::string& id) {
    out += "    <score-part id=\"" + id + "\">\n      <part-name>";
    (out += kPartNames[static_cast<std::size_t>(part.role)]) += "</part-name>\n";
    if (part.role == PartRole::kDrums) {
        const std::vector<int> keys = DrumKeys(part);
        for (int key : keys) {
            out += "      <score-instrument id=\"" + InstrumentId(id, key) + "\"><instrument-name>";
            AppendXmlText(out, DrumName(key));
            out += "</instrument-name></score-instrument>\n";
        }
        for (int key : keys) {
            out += "      <midi-instrument id=\"" + InstrumentId(id, key) + "\">";
            AppendElement(out, "midi-channel", part.channel + 1);
            AppendElement(out, "midi-unpitched", key + 1);
            out += "</midi-instrument>\n";
        }
    } else {
        const int program = std::clamp(part.program, 0, kGeneralMidiPrograms - 1);
        out += "      <score-instrument id=\"" + InstrumentId(id, 0) + "\"><instrument-name>";
        AppendXmlText(out, kProgramNames[static_cast<std::size_t>(program)]);
        out += "</instrument-name></score-instrument>\n";
        out += "      <midi-instrument id=\"" + InstrumentId(id, 0) + "\">";
        AppendElement(out, "midi-channel", part.channel + 1);
        AppendElement(out, "midi-program", program + 1);
        out += "</midi-instrument>\n";
    }
    out += "    </score-part>\n";
}

void AppendHeader(std::string& out, std::u32string_view title) {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
           "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
           "<score-partwise version=\"4.0\">\n";
    if (!title.empty()) {
        out += "  <work><work-title>";
        AppendXmlText(out, title);
        out += "</work-title></work>\n";
    }
    out += "  <identification><encoding><software>Kvat</software></encoding></identification>\n";
}

} // namespace

std::string MusicXmlScore(std::span<const TokenSound> notes,
                          std::span<const std::u32string_view> rows, const SoundSettings& settings,
                          std::u32string_view title, const MelodyBars* bars) {
    const std::vector<ArrangedPart> parts = ArrangeParts(notes, settings, bars);
    const Metre metre = bars ? MetreOf(*bars) : MetreOf(settings);
    const auto syllables = TokenSyllables(rows, notes.size());
    // About the length of one written note, per note and part.
    constexpr std::size_t kBytesPerNote = 200;
    std::string out;
    out.reserve(1024 + kBytesPerNote * parts.size() * notes.size());
    AppendHeader(out, title);
    out += "  <part-list>\n";
    for (std::size_t p = 0; p < parts.size(); ++p) AppendScorePart(out, parts[p], PartId(p));
    out += "  </part-list>\n";
    for (std::size_t p = 0; p < parts.size(); ++p)
        AppendPart(out, parts[p], PartId(p), metre, syllables, settings, p == 0, bars);
    out += "</score-partwise>\n";
    return out;
}

} // namespace kvat
