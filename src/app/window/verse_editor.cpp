#include "app/window/verse_editor.h"

#include "app/window/control_names.h"
#include "app/window/format_runs.h"
#include "app/window/unknown_words.h"
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
constexpr const char* kUnknownWordTip =
    " Этого слова нет в словаре ударений: ударение в нём угадано. Поставить его можно вручную: "
    "выберите размер «Расстановка иктов вручную» и нажмите на ударную гласную. ";
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

// What an analysis gave a line: a mark per vowel, and the words no stress source knew; kept with
// the line as lines come and go.
struct LineColours : QTextBlockUserData {
    std::string marks;
    std::vector<LineRange> unknown;
    RhymeMark rhyme;
};

const LineColours* ColoursOf(const QTextBlock& block) {
    return static_cast<const LineColours*>(block.userData());
}

LineColours& ColoursFor(QTextBlock& block) {
    if (!block.userData()) block.setUserData(new LineColours);
    return *static_cast<LineColours*>(block.userData());
}

char LineMark(const QTextBlock& block, std::size_t vowel) {
    const auto* colours = ColoursOf(block);
    return colours && vowel < colours->marks.size() ? colours->marks[vowel] : '0';
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

VerseEditor::VerseEditor(QWidget* parent) : QPlainTextEdit(parent), editMenu_(new QMenu(this)) {
    setObjectName(control::kEditor);
    // A verse has no tab stops: Tab moves on to the next control, as everywhere else.
    setTabChangesFocus(true);
    rhymeColumn_ = new RhymeColumn(*this);
    // The column follows the text as it scrolls and is laid out anew.
    connect(this, &QPlainTextEdit::updateRequest, rhymeColumn_, [this](const QRect& rect, int dy) {
        if (dy != 0) {
            rhymeColumn_->scroll(0, dy);
            rhymeColumn_->Scrolled();
        } else {
            rhymeColumn_->update(0, rect.y(), rhymeColumn_->width(), rect.height());
        }
    });
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int from, int removed, int added) { OnContentsChange(from, removed, added); });
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.5);
    setFont(font);
    editMenu_->setObjectName(control::kEditMenu);
    editMenu_->setTitle("Правка");
    BuildEditMenu();
}

// The usual edits, each with the key that does it (the editor answers the keys itself), and
// each enabled while it can do something.
void VerseEditor::BuildEditMenu() {
    const auto add = [this](const char* text, QKeySequence::StandardKey key, auto act) {
        QAction* item = editMenu_->addAction(text, this, act);
        item->setShortcut(key);
        return item;
    };
    QAction* undo = add("Отменить", QKeySequence::Undo, &QPlainTextEdit::undo);
    QAction* redo = add("Повторить", QKeySequence::Redo, &QPlainTextEdit::redo);
    editMenu_->addSeparator();
    QAction* cut = add("Вырезать", QKeySequence::Cut, &QPlainTextEdit::cut);
    QAction* copy = add("Копировать", QKeySequence::Copy, &QPlainTextEdit::copy);
    QAction* paste = add("Вставить", QKeySequence::Paste,
                         [this] { emit pasteRequested(QGuiApplication::clipboard()->text()); });
    paste->setObjectName(control::kPasteItem);
    editMenu_->addSeparator();
    add("Выделить всё", QKeySequence::SelectAll, &QPlainTextEdit::selectAll);
    for (QAction* item : {undo, redo, cut, copy}) item->setEnabled(false);
    connect(this, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(this, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
    connect(this, &QPlainTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(this, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);
}

const Lines& VerseEditor::VerseLines() const {
    if (lines_) return *lines_;
    lines_.emplace();
    const QTextDocument* doc = document();
    if (doc->isEmpty()) return *lines_;
    lines_->reserve(static_cast<std::size_t>(doc->blockCount()));
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines_->push_back(block.text().toStdU32String());
    // The last line's break only ends that line, as in a file kvat reads: no empty line after.
    if (lines_->size() > 1 && lines_->back().empty()) lines_->pop_back();
    return *lines_;
}

void VerseEditor::SetVerse(const Lines& lines) {
    QStringList text;
    for (const auto& line : lines) text << QString::fromStdU32String(line);
    setPlainText(text.join('\n'));
}

void VerseEditor::ApplyPaint(const VowelPaint& paint) {
    if (ownColours_) ClearOwnColours();
    std::size_t line = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++line) {
        const bool red = line < paint.size() && paint[line].find('1') != std::string::npos;
        if (red)
            ColoursFor(block).marks = paint[line];
        else if (block.userData())
            ColoursFor(block).marks.clear();
    }
    ++colouring_;
    viewport()->update();
}

void VerseEditor::UnderlineUnknown(const std::vector<std::vector<TextSpan>>& words) {
    std::size_t line = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++line) {
        if (line < words.size() && !words[line].empty())
            ColoursFor(block).unknown = UnknownWordRanges(block.text(), words[line]);
        else if (block.userData())
            ColoursFor(block).unknown.clear();
    }
    ++colouring_;
    viewport()->update();
}

bool VerseEditor::UnknownWordAt(int position) const {
    const QTextBlock block = document()->findBlock(position);
    const auto* colours = ColoursOf(block);
    const int at = position - block.position();
    return colours && std::any_of(colours->unknown.begin(), colours->unknown.end(),
                                  [at](LineRange r) { return r.begin <= at && at < r.end; });
}

void VerseEditor::ClearOwnColours() {
    FormatRuns runs({Coloured(kBlack)});
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.textFormats())
            if (MarkOf(range.format) != '0')
                runs.Add(0, block.position() + range.start, range.length);
    formatting_ = true;
    runs.MergeInto(*document());
    formatting_ = false;
    ownColours_ = false;
}

void VerseEditor::OnContentsChange(int from, int removed, int added) {
    if (formatting_) return;
    lines_.reset();
    QTextBlock block = document()->findBlock(from);
    // Typing within a line: its underlined words keep to their characters.
    if (block.isValid() && from + added < block.position() + block.length() && block.userData()) {
        LineColours& colours = ColoursFor(block);
        colours.unknown = EditedRanges(colours.unknown, from - block.position(), removed, added);
    }
    // The changed lines' colours stand at new places: laid over them afresh when next shown.
    for (; block.isValid() && block.position() <= from + added; block = block.next())
        block.setUserState(-1);
}

void VerseEditor::paintEvent(QPaintEvent* event) {
    ShowLineColours();
    QPlainTextEdit::paintEvent(event);
}

// As a syntax highlighter would, but for the lines in sight alone: the analysis's red and
// underline go into the line's layout, not into the text, so that the text itself stays
// untouched.
void VerseEditor::ShowLineColours() {
    const qreal bottom = viewport()->rect().bottom();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > bottom) break;
        if (block.userState() == colouring_) continue;
        block.setUserState(colouring_);
        QList<QTextLayout::FormatRange> formats;
        const QString text = block.text();
        for (int i = 0, vowel = 0; i < text.size(); ++i)
            if (IsVowelChar(text[i]) && LineMark(block, static_cast<std::size_t>(vowel++)) == '1')
                formats.append({i, 1, Coloured(kRed)});
        if (const auto* colours = ColoursOf(block))
            for (const LineRange& word : colours->unknown)
                formats.append({word.begin,
                                std::min(word.end, static_cast<int>(text.size())) - word.begin,
                                UnknownWordFormat()});
        if (formats.isEmpty() && block.layout()->formats().isEmpty()) continue;
        block.layout()->setFormats(formats);
        document()->markContentsDirty(block.position(), block.length());
    }
}

void VerseEditor::ShowRhymes(std::vector<RhymeMark> marks) {
    MarkRhyme(-1);
    std::size_t line = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++line) {
        if (line < marks.size() && !marks[line].letter.isEmpty())
            ColoursFor(block).rhyme = std::move(marks[line]);
        else if (block.userData())
            ColoursFor(block).rhyme = {};
    }
    rhymeColumn_->update();
}

void VerseEditor::ShowRhymeColumn(bool shown) {
    MarkRhyme(-1);
    rhymeColumn_->setVisible(shown);
    PlaceRhymeColumn();
}

void VerseEditor::PlaceRhymeColumn() {
    const int width = rhymeColumn_->isHidden() ? 0 : rhymeColumn_->WidthWanted();
    setViewportMargins(width, 0, 0, 0);
    const QRect inside = contentsRect();
    rhymeColumn_->setGeometry(inside.left(), inside.top(), width, inside.height());
}

void VerseEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    PlaceRhymeColumn();
}

void VerseEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && rhymeColumn_) PlaceRhymeColumn();
}

void VerseEditor::MarkRhyme(int line) {
    if (line == markedLine_) return;
    const QTextBlock pointed = document()->findBlockByNumber(line);
    const auto* colours = line >= 0 ? ColoursOf(pointed) : nullptr;
    markedLine_ = colours ? line : -1;
    markedGroup_ = colours ? colours->rhyme.group : kNoWord;
    QList<QTextEdit::ExtraSelection> marks;
    // A rhyme's lines lie in one stanza, but a stanza may run the whole verse: every line is
    // looked at, which takes well under a millisecond on 10 000 lines.
    for (QTextBlock block = document()->begin(); colours && block.isValid(); block = block.next()) {
        const auto* own = ColoursOf(block);
        const bool rhymes =
            own && !own->rhyme.letter.isEmpty() &&
            (block == pointed || (markedGroup_ >= 0 && own->rhyme.group == markedGroup_));
        if (!rhymes) continue;
        // Counted in code points as the underline's words are; an edited line may be shorter.
        const std::vector<LineRange> range = UnknownWordRanges(
            block.text(), {TextSpan{own->rhyme.begin, own->rhyme.end - own->rhyme.begin}});
        if (range.empty()) continue;
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + range[0].begin);
        cursor.setPosition(block.position() + range[0].end, QTextCursor::KeepAnchor);
        marks.append({cursor, RhymeMarkFormat()});
    }
    setExtraSelections(marks);
    rhymeColumn_->update();
}

std::vector<VerseEditor::LineInSight> VerseEditor::LinesInSight() const {
    std::vector<LineInSight> lines;
    const qreal bottom = viewport()->rect().bottom();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() > bottom) break;
        const QTextLayout* layout = block.layout();
        const QRectF lastRow = layout->lineCount() > 0
                                   ? layout->lineAt(layout->lineCount() - 1).rect()
                                   : QRectF(0, 0, 0, box.height());
        const auto* colours = ColoursOf(block);
        const RhymeMark* rhyme =
            colours && !colours->rhyme.letter.isEmpty() ? &colours->rhyme : nullptr;
        const int line = block.blockNumber();
        const bool marked =
            rhyme && markedLine_ >= 0 &&
            (line == markedLine_ || (markedGroup_ >= 0 && rhyme->group == markedGroup_));
        lines.push_back({rhyme, line, qRound(box.top()), qRound(box.bottom()),
                         qRound(box.top() + lastRow.top()), qRound(lastRow.height()), marked});
    }
    return lines;
}

VowelPaint VerseEditor::Paint() const {
    VowelPaint paint;
    const QTextDocument* doc = document();
    if (doc->isEmpty()) return paint;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        std::string marks;
        for (const QTextLayout::FormatRange& range : block.textFormats()) {
            const char own = MarkOf(range.format);
            for (int i = range.start; i < range.start + range.length; ++i)
                if (IsVowelChar(text[i]))
                    marks.push_back(own != '0' ? own : LineMark(block, marks.size()));
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
    if (MarkOf(cursor.charFormat()) != '0') return MarkOf(cursor.charFormat()) == '1';
    const QTextBlock block = document()->findBlock(position);
    const QString before = block.text().left(position - block.position());
    return LineMark(block, static_cast<std::size_t>(
                               std::count_if(before.begin(), before.end(), IsVowelChar))) == '1';
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
        viewport()->setToolTip(p >= 0 && UnknownWordAt(p) ? kUnknownWordTip : QString());
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
    QPlainTextEdit::mouseMoveEvent(event);
}

void VerseEditor::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !handPlacement_ || hoverVowel_.isEmpty()) return;
    const bool red = IsRed(hoverPos_);
    FormatRuns runs({Coloured(red ? kBlack : kRed)});
    runs.Add(0, hoverPos_, 1);
    formatting_ = true;
    runs.MergeInto(*document());
    formatting_ = false;
    ownColours_ = true;
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
