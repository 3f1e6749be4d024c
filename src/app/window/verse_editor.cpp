#include "app/window/verse_editor.h"

#include "app/window/control_names.h"
#include "verse/letters.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace kvat {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

bool IsVowelChar(QChar c) {
    return IsVowel(ToLower(static_cast<char32_t>(c.unicode())));
}

// Letters that make up a word under the pointer, both cases, and the line feed.
bool IsWordChar(QChar c) {
    const char32_t lower = ToLower(static_cast<char32_t>(c.unicode()));
    return ClassOf(lower) != LetterClass::kOther || c == QChar('\n');
}

QTextCharFormat Coloured(const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

// Text with no colour of its own shows in the default black.
char MarkOf(const QTextCharFormat& format) {
    const QBrush brush = format.foreground();
    if (brush.style() == Qt::NoBrush) return '0';
    const QColor colour = brush.color();
    if (colour.rgb() == kRed.rgb()) return '1';
    if (colour.rgb() == kBlack.rgb()) return '0';
    return 'x';
}

} // namespace

VerseEditor::VerseEditor(QWidget* parent) : QTextEdit(parent), editMenu_(new QMenu(this)) {
    setObjectName(control::kEditor);
    setAcceptRichText(false);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.5);
    setFont(font);
    editMenu_->setObjectName(control::kEditMenu);
    editMenu_->setTitle("Правка");
    QAction* paste = editMenu_->addAction("Вставить");
    paste->setObjectName(control::kPasteItem);
    connect(paste, &QAction::triggered, this,
            [this] { emit pasteRequested(QGuiApplication::clipboard()->text()); });
}

Lines VerseEditor::VerseLines() const {
    Lines lines;
    const QTextDocument* doc = document();
    if (doc->isEmpty()) return lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdU32String());
    return lines;
}

void VerseEditor::SetVerse(const Lines& lines) {
    QStringList text;
    for (const auto& line : lines) text << QString::fromStdU32String(line);
    setPlainText(text.join('\n'));
}

void VerseEditor::ApplyPaint(const VowelPaint& paint) {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(Coloured(kBlack));
    std::size_t line = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++line) {
        if (line >= paint.size()) break;
        const QString text = block.text();
        std::size_t vowel = 0;
        for (int i = 0; i < text.size(); ++i) {
            if (!IsVowelChar(text[i])) continue;
            if (vowel < paint[line].size() && paint[line][vowel] == '1') {
                cursor.setPosition(block.position() + i);
                cursor.setPosition(block.position() + i + 1, QTextCursor::KeepAnchor);
                cursor.mergeCharFormat(Coloured(kRed));
            }
            ++vowel;
        }
    }
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(true);
}

VowelPaint VerseEditor::Paint() const {
    VowelPaint paint;
    const QTextDocument* doc = document();
    if (doc->isEmpty()) return paint;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        std::string marks;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const char mark = MarkOf(fragment.charFormat());
            for (QChar c : fragment.text())
                if (IsVowelChar(c)) marks.push_back(mark);
        }
        paint.push_back(std::move(marks));
    }
    return paint;
}

void VerseEditor::SetHandPlacement(bool on) {
    handPlacement_ = on;
    hoverPos_ = -1;
    hoverVowel_.clear();
    viewport()->setToolTip(QString());
    viewport()->setCursor(Qt::IBeamCursor);
}

int VerseEditor::CharacterAt(const QPoint& point) const {
    const QTextCursor cursor = cursorForPosition(point);
    int position = cursor.position();
    // The cursor stands between characters: the one under the point is the one to the left
    // when the point lies left of the cursor.
    if (position > 0 && point.x() < cursorRect(cursor).center().x()) --position;
    return position;
}

QString VerseEditor::WordAround(int position) const {
    const QTextDocument* doc = document();
    int start = position, end = position;
    while (start > 0 && IsWordChar(doc->characterAt(start - 1))) --start;
    while (end < doc->characterCount() && IsWordChar(doc->characterAt(end))) ++end;
    QString word;
    for (int i = start; i < end; ++i) word += doc->characterAt(i);
    return word.remove('\'');
}

bool VerseEditor::IsRed(int position) const {
    QTextCursor cursor(document());
    cursor.setPosition(position + 1);
    return MarkOf(cursor.charFormat()) == '1';
}

void VerseEditor::Hover(const QPoint& point) {
    const QTextDocument* doc = document();
    const int p = CharacterAt(point);
    hoverVowel_.clear();
    hoverPos_ = -1;
    if (p >= 0 && IsVowelChar(doc->characterAt(p))) {
        int start = p;
        while (start > 0 && IsVowelChar(doc->characterAt(start - 1))) --start;
        hoverPos_ = start;
        hoverVowel_ = doc->characterAt(start);
    }
    if (!handPlacement_) {
        viewport()->setCursor(Qt::IBeamCursor);
        viewport()->setToolTip(QString());
        return;
    }
    if (hoverVowel_.isEmpty()) {
        viewport()->setCursor(Qt::ArrowCursor);
        viewport()->setToolTip(
            " Наведите курсор на гласную букву, чтобы установить или убрать ударение в слове. ");
        return;
    }
    const QString q = "\"";
    const QString word = WordAround(hoverPos_);
    viewport()->setCursor(Qt::PointingHandCursor);
    viewport()->setToolTip(IsRed(hoverPos_)
                               ? " Нажатие на левую кнопку мыши снимет ударение в слове " + q +
                                     word + q + " с буквы " + q + hoverVowel_ + q + ". "
                               : " Нажатие на левую кнопку мыши установит ударение в слове " + q +
                                     word + q + " на букву " + q + hoverVowel_ + q + ". ");
}

void VerseEditor::mouseMoveEvent(QMouseEvent* event) {
    Hover(event->position().toPoint());
    QTextEdit::mouseMoveEvent(event);
}

void VerseEditor::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !handPlacement_ || hoverVowel_.isEmpty()) return;
    const bool red = IsRed(hoverPos_);
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.setPosition(hoverPos_);
    cursor.setPosition(hoverPos_ + 1, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(Coloured(red ? kBlack : kRed));
    doc->setUndoRedoEnabled(true);
    Hover(event->position().toPoint()); // the tooltip now offers the opposite
    emit ictusToggled();
}

void VerseEditor::contextMenuEvent(QContextMenuEvent* event) {
    editMenu_->popup(event->globalPos());
}

void VerseEditor::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) emit pasteRequested(source->text());
}

} // namespace kvat
