#include "app/window/format_runs.h"

#include <QTextCursor>
#include <QTextDocument>

namespace kvat {

void FormatRuns::Add(std::size_t format, int position, int length) {
    if (length <= 0) return;
    if (!runs_.empty() && runs_.back().format == format &&
        runs_.back().position + runs_.back().length == position)
        runs_.back().length += length;
    else
        runs_.push_back({format, position, length});
}

void FormatRuns::MergeInto(QTextDocument& document) const {
    if (runs_.empty()) return;
    // Turning undo off clears its history; it is done only when there is something to change.
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const Run& run : runs_) {
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(formats_[run.format]);
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
}

} // namespace kvat
