#include "app/score_view.h"

#include "app/score_painter.h"
#include "app/twips.h"

#include <QFrame>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace kvat {

ScoreCanvas::ScoreCanvas(QWidget* parent) : QWidget(parent), marker_(new QFrame(this)) {
    setObjectName("Picture1");
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    marker_->setObjectName("Line6");
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
    markerTwips_ = xTwips;
    marker_->setGeometry(Px(xTwips), 0, 1, height());
}

void ScoreCanvas::ShowMarker(bool shown) {
    marker_->setVisible(shown);
    marker_->raise();
}

bool ScoreCanvas::MarkerShown() const { return marker_->isVisibleTo(this); }

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

ScoreViewport::ScoreViewport(QWidget* parent) : QWidget(parent), canvas_(new ScoreCanvas(this)) {
    setObjectName("Picture2");
    ScrollTo(0);
}

void ScoreViewport::ScrollTo(int value) {
    // In 32 bits, so that every value of the scroll range is reachable.
    const long long left = 1 - 800LL * value;
    canvas_->move(Px(static_cast<int>(left)), 0);
}

} // namespace kvat
