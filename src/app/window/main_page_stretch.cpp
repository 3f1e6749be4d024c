// How the main page grows with the window: the editor takes the height it gains, so more lines
// show; the score, its scroll bar and the lamp take the width, so more columns show; whatever
// stands under the editor moves down with it.

#include "app/window/control_names.h"
#include "app/window/main_page.h"
#include "app/window/picture_button.h"
#include "app/window/score_view.h"
#include "app/window/verse_editor.h"

#include <QComboBox>
#include <QResizeEvent>
#include <QScrollBar>

namespace kvat {

void MainPage::RecordStretch() {
    const auto add = [this](QWidget* widget, float growX, float growY, float moveX, float moveY) {
        if (widget) stretch_.push_back({widget, widget->geometry(), growX, growY, moveX, moveY});
    };
    add(editor_, 1, 1, 0, 0);
    for (const char* name : {control::kMetreLabel, control::kMethodLabel})
        add(findChild<QWidget*>(name), 0, 0, 0, 1);
    add(metreList_, 1, 0, 0, 1);
    add(methodList_, 1, 0, 0, 1);
    add(findChild<QWidget*>(control::kAnalyseButton), 0, 0, 1, 1);
    for (QWidget* wide : std::initializer_list<QWidget*>{score_, scoreScroll_, lamp_})
        add(wide, 1, 0, 0, 1);
    for (PictureButton* button : transport_) add(button, 0, 0, 0.5F, 1);
}

void MainPage::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The first size the page is given is the one its controls were placed for.
    if (designSize_.isEmpty()) designSize_ = event->size();
    const int dx = std::max(0, width() - designSize_.width());
    const int dy = std::max(0, height() - designSize_.height());
    const int scoreWidth = score_->width();
    for (const Stretch& s : stretch_)
        s.widget->setGeometry(s.design.x() + static_cast<int>(s.moveX * dx),
                              s.design.y() + static_cast<int>(s.moveY * dy),
                              s.design.width() + static_cast<int>(s.growX * dx),
                              s.design.height() + static_cast<int>(s.growY * dy));
    if (score_->width() != scoreWidth) emit scoreOutdated(); // more or fewer columns fit
}

} // namespace kvat
