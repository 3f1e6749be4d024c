#include "app/window/unknown_words.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace kvat {
namespace {

// Blue, apart from both the red ictuses and the black text.
const QColor kUnderlineColour(0, 90, 200);

QTextCharFormat Underline(QTextCharFormat::UnderlineStyle style) {
    QTextCharFormat format;
    format.setUnderlineStyle(style);
    if (style != QTextCharFormat::NoUnderline) format.setUnderlineColor(kUnderlineColour);
    return format;
}

// Where each code point of the line starts in its UTF-16 text, and one past the end.
std::vector<int> CodePointStarts(const QString& text) {
    std::vector<int> starts;
    for (int i = 0; i < text.size(); ++i)
        if (!text[i].isLowSurrogate()) starts.push_back(i);
    starts.push_back(static_cast<int>(text.size()));
    return starts;
}

} // namespace

void UnderlineUnknownWords(QTextDocument& document,
                           const std::vector<std::vector<TextSpan>>& words) {
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(Underline(QTextCharFormat::NoUnderline));
    std::size_t line = 0;
    for (QTextBlock block = document.begin(); block.isValid() && line < words.size();
         block = block.next(), ++line) {
        if (words[line].empty()) continue;
        const std::vector<int> starts = CodePointStarts(block.text());
        const std::size_t last = starts.size() - 1;
        for (const TextSpan& word : words[line]) {
            const std::size_t begin = std::min(word.begin, last);
            const std::size_t end = std::min(word.begin + word.length, last);
            if (begin == end) continue;
            cursor.setPosition(block.position() + starts[begin]);
            cursor.setPosition(block.position() + starts[end], QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(Underline(QTextCharFormat::WaveUnderline));
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
}

void TypeWithoutUnderline(QTextEdit& editor) {
    QObject::connect(&editor, &QTextEdit::currentCharFormatChanged, &editor,
                     [&editor](const QTextCharFormat& format) {
                         if (format.underlineStyle() != QTextCharFormat::NoUnderline &&
                             !editor.textCursor().hasSelection())
                             editor.mergeCurrentCharFormat(Underline(QTextCharFormat::NoUnderline));
                     });
}

} // namespace kvat
