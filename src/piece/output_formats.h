#pragma once
// Every kind of file the program writes, as one table: what the command line's parsing, -f,
// --help and error texts, the batch and the window's «Экспорт» menu all read. A format added to
// the enum without its row fails to compile.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvat {

enum class OutputFormat { kMidi, kWav, kPng, kSvg, kPdf, kJson, kMusicXml, kCount };

inline constexpr std::size_t kOutputFormatCount = static_cast<std::size_t>(OutputFormat::kCount);

// What a format is, and so what writes it: the core alone writes MIDI, the layout and
// MusicXML; pictures need the score painter, sound the synthesizer.
enum class FormatFamily { kMidi, kSound, kPicture, kLayout, kNotation };

struct OutputFormatRow {
    OutputFormat format;
    std::string_view extension; // without the dot; a file's is matched without regard to case
    FormatFamily family;
    std::string_view command;  // the subcommand that writes it
    bool batchDefault;         // what -d writes for that subcommand without -f
    std::string_view menuItem; // the «Экспорт» submenu's item (UTF-8), empty for none
    int menuPlace;             // the item's place in the submenu, from 1
    std::string_view filter;   // the file dialog's filter
};

// In the order the command line lists them.
inline constexpr std::array<OutputFormatRow, kOutputFormatCount> kOutputFormats = {{
    {OutputFormat::kMidi, "mid", FormatFamily::kMidi, "midi", true, "MIDI…", 1, "MIDI (*.mid)"},
    {OutputFormat::kWav, "wav", FormatFamily::kSound, "audio", true, "WAV…", 6, "WAV (*.wav)"},
    {OutputFormat::kPng, "png", FormatFamily::kPicture, "score", false, "PNG…", 5, "PNG (*.png)"},
    {OutputFormat::kSvg, "svg", FormatFamily::kPicture, "score", false, "SVG…", 4, "SVG (*.svg)"},
    {OutputFormat::kPdf, "pdf", FormatFamily::kPicture, "score", true, "PDF…", 3, "PDF (*.pdf)"},
    {OutputFormat::kJson, "json", FormatFamily::kLayout, "score", false, "", 0, ""},
    {OutputFormat::kMusicXml, "musicxml", FormatFamily::kNotation, "score", false, "MusicXML…", 2,
     "MusicXML (*.musicxml)"},
}};

constexpr bool EveryFormatHasItsRow() {
    for (std::size_t i = 0; i < kOutputFormatCount; ++i)
        if (static_cast<std::size_t>(kOutputFormats[i].format) != i ||
            kOutputFormats[i].extension.empty() || kOutputFormats[i].command.empty())
            return false;
    return true;
}
static_assert(EveryFormatHasItsRow(), "kOutputFormats needs one row per OutputFormat, in order");

constexpr const OutputFormatRow& FormatRow(OutputFormat format) {
    return kOutputFormats[static_cast<std::size_t>(format)];
}

// Whether only the desktop program, with Qt or the synthesizer, writes the format.
constexpr bool NeedsDesktop(OutputFormat format) {
    const FormatFamily family = FormatRow(format).family;
    return family == FormatFamily::kPicture || family == FormatFamily::kSound;
}

// The format a file name's extension names, for a subcommand (any subcommand when empty).
std::optional<OutputFormat> FormatOfPath(std::string_view path, std::string_view command = {});
std::optional<OutputFormat> FormatOfExtension(std::string_view extension,
                                              std::string_view command = {});

// The format -d writes for a subcommand: -f's `extension` as given, or without it the
// subcommand's default; nothing when the subcommand writes no such format.
std::optional<OutputFormat> BatchFormat(std::string_view command, std::string_view extension);

// The formats a subcommand writes, in the table's order.
std::vector<OutputFormat> FormatsOf(std::string_view command);

// "a, b or c" (or "and"): the texts joined as a sentence lists them.
std::string Listed(const std::vector<std::string>& texts, std::string_view conjunction = "or");

// The subcommands that write files, in the table's order.
std::vector<std::string> WritingCommands();

} // namespace kvat
