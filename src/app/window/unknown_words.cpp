#include "app/window/unknown_words.h"

#include "app/window/format_runs.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
    enum { kOff, kOn };
    FormatRuns runs(
        {Underline(QTextCharFormat::NoUnderline), Underline(QTextCharFormat::WaveUnderline)});
    std::vector<bool> wanted;
    std::size_t line = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++line) {
        const QList<QTextLayout::FormatRange> formats = block.textFormats();
        const bool underlined =
            std::any_of(formats.begin(), formats.end(), [](const QTextLayout::FormatRange& r) {
                return r.format.underlineStyle() != QTextCharFormat::NoUnderline;
            });
        const bool hasWords = line < words.size() && !words[line].empty();
        if (!underlined && !hasWords) continue;
        wanted.assign(static_cast<std::size_t>(block.length()), false);
        if (hasWords) {
            const std::vector<int> starts = CodePointStarts(block.text());
            const std::size_t last = starts.size() - 1;
            for (const TextSpan& word : words[line])
                for (std::size_t c = std::min(word.begin, last);
                     c < std::min(word.begin + word.length, last); ++c)
                    for (int i = starts[c]; i < starts[c + 1]; ++i)
                        wanted[static_cast<std::size_t>(i)] = true;
        }
        for (const QTextLayout::FormatRange& range : formats) {
            const bool on = range.format.underlineStyle() == QTextCharFormat::WaveUnderline;
            for (int i = range.start; i < range.start + range.length; ++i)
                if (wanted[static_cast<std::size_t>(i)] != on)
                    runs.Add(on ? kOff : kOn, block.position() + i, 1);
        }
    }
    runs.MergeInto(document);
}

void TypeWithoutUnderline(QPlainTextEdit& editor) {
    QObject::connect(&editor, &QPlainTextEdit::cursorPositionChanged, &editor, [&editor] {
        if (editor.currentCharFormat().underlineStyle() != QTextCharFormat::NoUnderline &&
            !editor.textCursor().hasSelection())
            editor.mergeCurrentCharFormat(Underline(QTextCharFormat::NoUnderline));
    });
}

} // namespace kvat
