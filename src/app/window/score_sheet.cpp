#include "app/window/score_sheet.h"

#include <algorithm>

namespace kvat {
namespace {

// Columns laid out at once to learn the whole's colours: a few megabytes at a time.
constexpr std::size_t kPartColumns = 1 << 15;

} // namespace

ScoreLayout ScoreSheet::Layout() const {
    return LayoutColumns(0, tokens.size());
}

ScoreLayout ScoreSheet::LayoutColumns(std::size_t first, std::size_t count) const {
    first = std::min(first, tokens.size());
    count = std::min(count, tokens.size() - first);
    const std::size_t rowCount = first < divided.RowCount() ? divided.RowCount() - first : 0;
    std::vector<std::u32string_view> rows;
    rows.reserve(std::min(count, rowCount));
    for (std::size_t k = 0; k < std::min(count, rowCount); ++k)
        rows.push_back(divided.Row(first + k));
    const std::vector<std::string_view> views(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                                              tokens.begin() +
                                                  static_cast<std::ptrdiff_t>(first + count));
    const auto drawn = lengths.size() < first + count ? std::span<const NoteLength>()
                                                      : std::span(lengths).subspan(first, count);
    return LayoutScore(rows, views, header, options, drawn);
}

ScoreSheet MakeScoreSheet(std::vector<std::string> tokens, DividedText divided,
                          const ScoreHeader& header, const ScoreOptions& options,
                          std::vector<NoteLength> lengths) {
    ScoreSheet sheet{
        std::move(tokens), std::move(divided), header, options, std::move(lengths), {}, 0, 0};
    for (std::size_t first = 0;; first += kPartColumns) {
        const ScoreLayout part = sheet.LayoutColumns(first, kPartColumns);
        sheet.colours.insert(sheet.colours.end(), part.colours.begin(), part.colours.end());
        sheet.scrollMaximum += part.scrollMaximum;
        sheet.columns += part.ColumnCount();
        // A part that stops short ends the score: at a token without a note or a row.
        if (part.ColumnCount() < kPartColumns ||
            static_cast<std::size_t>(part.scrollMaximum) < kPartColumns)
            break;
    }
    return sheet;
}

} // namespace kvat
