#pragma once
// A scroll bar that chooses a value rather than scrolls a view: it shows a focus frame while the
// keyboard is on it, and on an upward bar (its first value at the top) the keys pointing up
// raise the value, as its arrow pointing up does.

#include <QScrollBar>

namespace kvat {

class ValueBar : public QScrollBar {
public:
    ValueBar(Qt::Orientation orientation, bool upward, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool upward_;
};

} // namespace kvat
