#include "app/window/unknown_words.h"

#include <algorithm>

namespace kvat {

QTextCharFormat UnknownWordFormat() {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(QColor(0, 90, 200)); // blue, apart from the red and the black
    return format;
}

std::vector<LineRange> UnknownWordRanges(const QString& line, const std::vector<TextSpan>& words) {
    // Where each code point starts in the UTF-16 text, and one past the end.
    std::vector<int> starts;
    for (int i = 0; i < line.size(); ++i)
        if (!line[i].isLowSurrogate()) starts.push_back(i);
    starts.push_back(static_cast<int>(line.size()));
    const std::size_t last = starts.size() - 1;
    std::vector<LineRange> ranges;
    for (const TextSpan& word : words) {
        const std::size_t begin = std::min(word.begin, last);
        const std::size_t end = std::min(word.begin + word.length, last);
        if (begin < end) ranges.push_back({starts[begin], starts[end]});
    }
    return ranges;
}

std::vector<LineRange> EditedRanges(const std::vector<LineRange>& ranges, int at, int removed,
                                    int added) {
    std::vector<LineRange> edited;
    for (const LineRange& range : ranges) {
        if (range.begin < at) edited.push_back({range.begin, std::min(range.end, at)});
        if (range.end > at + removed)
            edited.push_back({std::max(range.begin, at + removed) + added - removed,
                              range.end + added - removed});
    }
    return edited;
}

} // namespace kvat
