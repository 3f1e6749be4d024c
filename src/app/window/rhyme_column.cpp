#include "app/window/rhyme_column.h"

#include "app/window/control_names.h"
#include "app/window/verse_editor.h"
#include "verse/rhyme_scheme.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace kvat {
namespace {

constexpr int kPadding = 4; // pixels each side of a letter

const QColor kColumnBackground(240, 240, 240);
const QColor kUnrhymedLetter(150, 150, 150);

} // namespace

std::vector<RhymeMark> RhymeMarks(const std::vector<LineRhyme>& rhymes) {
    const std::vector<std::u32string> letters = SchemeLetters(rhymes);
    std::vector<RhymeMark> marks(rhymes.size());
    for (std::size_t i = 0; i < rhymes.size(); ++i) {
        const LineRhyme& rhyme = rhymes[i];
        marks[i] = {QString::fromStdU32String(letters[i]),
                    rhyme.group,
                    rhyme.clausula,
                    rhyme.exact,
                    rhyme.begin,
                    rhyme.end};
    }
    return marks;
}

QString RhymeTip(const RhymeMark& mark) {
    LineRhyme rhyme;
    rhyme.group = mark.group;
    rhyme.clausula = mark.clausula;
    rhyme.exact = mark.exact;
    return QString::fromStdU32String(RhymeDescription(rhyme, mark.letter.toStdU32String()));
}

QTextCharFormat RhymeMarkFormat() {
    QTextCharFormat format;
    format.setBackground(QColor(255, 226, 120)); // a marker's yellow, under the red and black
    return format;
}

RhymeColumn::RhymeColumn(VerseEditor& editor) : QWidget(&editor), editor_(editor) {
    setObjectName(control::kRhymeColumn);
    setMouseTracking(true);
}

int RhymeColumn::WidthWanted() const {
    return editor_.fontMetrics().horizontalAdvance(QString("Ж″")) + 2 * kPadding;
}

void RhymeColumn::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kColumnBackground);
    const QBrush marked = RhymeMarkFormat().background();
    for (const VerseEditor::LineInSight& line : editor_.LinesInSight()) {
        if (!line.rhyme) continue;
        const QRect row(0, line.lastRowTop, width(), line.rowHeight);
        if (line.marked) painter.fillRect(row, marked);
        painter.setPen(line.rhyme->group < 0 ? kUnrhymedLetter : palette().color(QPalette::Text));
        painter.drawText(row.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignCenter,
                         line.rhyme->letter);
    }
}

void RhymeColumn::mouseMoveEvent(QMouseEvent* event) {
    PointAt(event->position().toPoint().y());
}

void RhymeColumn::Scrolled() {
    if (underMouse()) PointAt(mapFromGlobal(QCursor::pos()).y());
}

void RhymeColumn::PointAt(int y) {
    const VerseEditor::LineInSight* under = nullptr;
    const auto lines = editor_.LinesInSight();
    for (const auto& line : lines)
        if (line.rhyme && line.top <= y && y < line.bottom) under = &line;
    editor_.MarkRhyme(under ? under->line : -1);
    setToolTip(under ? RhymeTip(*under->rhyme) : QString());
}

void RhymeColumn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    editor_.MarkRhyme(-1);
    setToolTip(QString());
}

} // namespace kvat
