#pragma once
// Character formats changed only where they differ from what is wanted. On a long verse a new
// colouring or underline then touches the few characters that change rather than every one,
// and the editor lays out again only the blocks it shows.

#include <QTextCharFormat>
#include <vector>

class QTextDocument;

namespace kvat {

// Where each of a few formats is to be merged, collected in document order; runs of one format
// that touch join into one.
class FormatRuns {
public:
    explicit FormatRuns(std::vector<QTextCharFormat> formats) : formats_(std::move(formats)) {}
    void Add(std::size_t format, int position, int length);
    // Merges the formats over their runs, as one step that is no edit to undo.
    void MergeInto(QTextDocument& document) const;

private:
    struct Run {
        std::size_t format;
        int position, length;
    };
    std::vector<QTextCharFormat> formats_;
    std::vector<Run> runs_;
};

} // namespace kvat
