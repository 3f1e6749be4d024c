#pragma once
// The words no stress source knew, underlined in the editor for the poet to check. The
// underline is laid over the line as its colours are (verse_editor.h), never into the text, so
// the red ictuses and the hand placement that reads them see nothing of it; the underlined
// places stay with their characters as the line is edited, and what is typed takes none.

#include "verse/dictionary_stress.h"

#include <QString>
#include <QTextCharFormat>
#include <vector>

namespace kvat {

// A run of a line's UTF-16 text: [begin, end).
struct LineRange {
    int begin = 0, end = 0;
    bool operator==(const LineRange&) const = default;
};

// The wavy blue underline.
QTextCharFormat UnknownWordFormat();

// The words' places in `line`, whose spans count code points as the core does.
std::vector<LineRange> UnknownWordRanges(const QString& line, const std::vector<TextSpan>& words);

// The ranges after `removed` characters at `at` gave way to `added` new ones: the new text takes
// no underline, the rest moves with its characters.
std::vector<LineRange> EditedRanges(const std::vector<LineRange>& ranges, int at, int removed,
                                    int added);

} // namespace kvat
