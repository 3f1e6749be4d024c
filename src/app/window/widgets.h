#pragma once
// Controls placed at fixed twip positions, as the window was designed.

#include "app/window/qt_text.h"
#include "app/window/twip_rect.h"
#include "app/window/value_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <vector>

namespace kvat {

inline QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left,
                         int top, int width = 2535, int height = 255) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(TwipRect(left, top, width, height));
    return label;
}

inline QComboBox* MakeList(QWidget* parent, const QString& name, int left, int top, int width,
                           const QStringList& items = {}) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(TwipRect(left, top, width, 315));
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

inline QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& text, int left,
                            int top, int width = 4215, bool checked = false) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(TwipRect(left, top, width, 255));
    box->setChecked(checked);
    return box;
}

// A scroll bar whose ends hold `first` (top or left) and `last` (bottom or right), in either
// order, as the designer's Min and Max did.
inline QScrollBar* MakeScroll(QWidget* parent, const QString& name, Qt::Orientation orientation,
                              int first, int last, int value, QRect geometry) {
    const bool upward = first > last;
    auto* bar = new ValueBar(orientation, upward, parent);
    bar->setObjectName(name);
    bar->setRange(std::min(first, last), std::max(first, last));
    bar->setInvertedAppearance(upward);
    // Qt's own scroll bars invert the controls, so that the wheel turned up moves the handle up;
    // on an upward bar that same move raises the value.
    bar->setInvertedControls(!upward);
    if (upward) {
        // Qt gives the top arrow and the groove above the handle the steps down whatever the
        // appearance: mirror them, so that the arrow pointing up raises the value.
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
            using A = QAbstractSlider;
            const int single = bar->singleStep(), page = bar->pageStep();
            const int step = action == A::SliderSingleStepAdd   ? -single
                             : action == A::SliderSingleStepSub ? single
                             : action == A::SliderPageStepAdd   ? -page
                             : action == A::SliderPageStepSub   ? page
                                                                : 0;
            if (step != 0) bar->setSliderPosition(bar->value() + step);
        });
    }
    bar->setPageStep(1);
    bar->setValue(value);
    bar->setGeometry(geometry);
    return bar;
}

// A control the keyboard reached keeps the focus, so that the next key acts on it too; after a
// click the focus goes on to `next` (the editor, so that typing goes on, or the page).
inline void HandFocusOn(const QWidget* control, QWidget* next) {
    if (!control->hasFocus()) next->setFocus();
}

// The controls in the order Tab walks them.
inline void ChainTabs(const std::vector<QWidget*>& controls) {
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

} // namespace kvat
