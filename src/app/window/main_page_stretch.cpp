// How the main page grows with the window: the editor and the score share the height it gains,
// the score taking a quarter and drawing itself larger to fill it, so more lines show and the
// notes read better; the score, its scroll bar and the lamp take the width, so more columns
// show; the lists keep the width their longest items need. Ctrl with the wheel over the score,
// Ctrl+plus and Ctrl+minus zoom the score in steps, taking height from the editor or giving it
// back; Ctrl+0 returns to the size the window gives it.

#include "app/playback/playback.h"
#include "app/window/control_names.h"
#include "app/window/main_page.h"
#include "app/window/picture_button.h"
#include "app/window/score_view.h"
#include "app/window/verse_editor.h"

#include <QComboBox>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <cmath>

namespace kvat {
namespace {

constexpr double kZoomStep = 1.25;
constexpr int kFewestZoomSteps = -3, kMostZoomSteps = 8;
constexpr double kScoreShareOfHeight = 0.25;
constexpr int kLeastEditorHeight = 60; // four lines of verse
constexpr double kLeastZoom = 0.5;

} // namespace

void MainPage::RecordStretch() {
    using V = Stretch::Vertical;
    const auto add = [this](QWidget* widget, float growX, float moveX, V vertical) {
        if (widget) stretch_.push_back({widget, widget->geometry(), growX, moveX, vertical});
    };
    add(editor_, 1, 0, V::kEditor);
    for (const char* name : {control::kMetreLabel, control::kMethodLabel, control::kAnalyseButton})
        add(findChild<QWidget*>(name), 0, 0, V::kUnderEditor);
    add(metreList_, 0, 0, V::kUnderEditor);
    add(methodList_, 0, 0, V::kUnderEditor);
    add(score_, 1, 0, V::kScore);
    add(scoreScroll_, 1, 0, V::kUnderScore);
    add(lamp_, 1, 0, V::kUnderScore);
    for (PictureButton* button : transport_) add(button, 0, 0.5F, V::kUnderScore);

    const auto shortcut = [this](const QKeySequence& keys, int steps) {
        auto* key = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, steps] { Zoom(steps); });
    };
    shortcut(QKeySequence::ZoomIn, 1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    shortcut(QKeySequence::ZoomOut, -1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
    connect(score_, &ScoreViewport::zoomRequested, this, &MainPage::Zoom);
}

void MainPage::Zoom(int steps) {
    zoomSteps_ = steps == 0 ? 0 : std::clamp(zoomSteps_ + steps, kFewestZoomSteps, kMostZoomSteps);
    Arrange();
}

void MainPage::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The first size the page is given is the one its controls were placed for.
    if (designSize_.isEmpty()) designSize_ = event->size();
    Arrange();
}

void MainPage::Arrange() {
    if (designSize_.isEmpty()) return;
    const int dx = std::max(0, width() - designSize_.width());
    const int dy = std::max(0, height() - designSize_.height());
    const auto designHeight = [this](const QWidget* widget) {
        for (const Stretch& st : stretch_)
            if (st.widget == widget) return st.design.height();
        return 0;
    };
    const int designScore = designHeight(score_), designEditor = designHeight(editor_);
    const double wanted =
        (designScore + kScoreShareOfHeight * dy) * std::pow(kZoomStep, zoomSteps_);
    const int most = designScore + dy + designEditor - kLeastEditorHeight;
    const int scoreHeight = std::clamp(static_cast<int>(std::lround(wanted)),
                                       static_cast<int>(designScore * kLeastZoom), most);
    const int s = scoreHeight - designScore, e = dy - s;
    for (const Stretch& st : stretch_) {
        using V = Stretch::Vertical;
        const int moveY = st.vertical == V::kEditor ? 0 : st.vertical == V::kUnderScore ? e + s : e;
        const int growY = st.vertical == V::kEditor ? e : st.vertical == V::kScore ? s : 0;
        st.widget->setGeometry(
            st.design.x() + static_cast<int>(st.moveX * dx), st.design.y() + moveY,
            st.design.width() + static_cast<int>(st.growX * dx), st.design.height() + growY);
    }
    score_->Canvas()->SetZoom(static_cast<double>(scoreHeight) / designScore);
    // More or fewer columns fit: the staff reaches further, the marker walks further. Nothing
    // else of the score depends on the width, so it is not made again.
    score_->Canvas()->SetViewWidth(score_->WidthTwips());
    if (playback_) playback_->SetViewportWidth(score_->WidthTwips());
}

} // namespace kvat
