#include "app/window/value_bar.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kvat {

ValueBar::ValueBar(Qt::Orientation orientation, bool upward, QWidget* parent)
    : QScrollBar(orientation, parent), upward_(upward) {
    // Reached by Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void ValueBar::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const int step = key == Qt::Key_Up         ? singleStep()
                     : key == Qt::Key_Down     ? -singleStep()
                     : key == Qt::Key_PageUp   ? pageStep()
                     : key == Qt::Key_PageDown ? -pageStep()
                                               : 0;
    if (!upward_ || step == 0) return QScrollBar::keyPressEvent(event);
    setValue(value() + step);
}

void ValueBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace kvat
