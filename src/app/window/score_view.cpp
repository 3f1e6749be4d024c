#include "app/window/score_view.h"

#include "app/render/score_painter.h"
#include "app/window/control_names.h"
#include "app/window/twip_rect.h"
#include "score/twips.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace kvat {

ScoreCanvas::ScoreCanvas(QWidget* parent) : QWidget(parent), marker_(new QFrame(this)) {
    setObjectName(control::kScoreCanvas);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setMouseTracking(true); // the pointer shows where a click plays from
    marker_->setObjectName(control::kMarker);
    marker_->setFrameShape(QFrame::VLine);
    marker_->setFrameShadow(QFrame::Plain);
    marker_->hide();
}

void ScoreCanvas::SetLayout(ScoreLayout layout) {
    layout_ = std::move(layout);
    resize(Px(static_cast<int>(std::ceil(layout_.canvasWidth))),
           Px(static_cast<int>(std::ceil(layout_.canvasHeight))));
    marker_->resize(1, height());
    update();
}

void ScoreCanvas::SetMarker(int xTwips) {
    marker_->setGeometry(Px(xTwips), 0, 1, height());
}

void ScoreCanvas::ShowMarker(bool shown) {
    marker_->setVisible(shown);
    marker_->raise();
}

void ScoreCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The layout is in twips; the window shows 15 of them to a logical pixel whatever the
    // screen's resolution, as every other control here.
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    painter.scale(kTwipsPerInch / kTwipsPerPixel / dpiX, kTwipsPerInch / kTwipsPerPixel / dpiY);
    const QRect r = event->rect();
    const QRectF area(Twips(r.left()), Twips(r.top()), Twips(r.width()), Twips(r.height()));
    PaintScore(painter, layout_, area);
}

// The column whose marker place lies nearest, as the marker would stand over that note.
std::optional<int> ScoreCanvas::ColumnAt(int x) const {
    const int from = Twips(x) - kMarkerStartTwips + kColumnTwips / 2;
    const int columns = static_cast<int>(layout_.columnStart.size()) - 1;
    if (from < 0 || from / kColumnTwips >= columns) return std::nullopt;
    return from / kColumnTwips;
}

void ScoreCanvas::mousePressEvent(QMouseEvent* event) {
    const auto column = ColumnAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton && column) emit columnClicked(*column);
    QWidget::mousePressEvent(event);
}

void ScoreCanvas::mouseMoveEvent(QMouseEvent* event) {
    const bool note = ColumnAt(event->position().toPoint().x()).has_value();
    setCursor(note ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setToolTip(note ? " Нажмите, чтобы играть с этой ноты " : QString());
    QWidget::mouseMoveEvent(event);
}

ScoreViewport::ScoreViewport(QWidget* parent) : QWidget(parent), canvas_(new ScoreCanvas(this)) {
    setObjectName(control::kScoreViewport);
    ScrollTo(0);
}

void ScoreViewport::ScrollTo(int value) {
    // In 32 bits, so that every value of the scroll range is reachable.
    const long long left = 1 - static_cast<long long>(kColumnTwips) * value;
    canvas_->move(Px(static_cast<int>(left)), 0);
}

} // namespace kvat
