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
namespace {

// Columns laid out beyond those in sight on the left: a long syllable or an accent reaches
// past its own column.
constexpr int kColumnsBefore = 3;

} // namespace

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

void ScoreCanvas::SetSheet(ScoreSheet sheet) {
    sheet_ = std::move(sheet);
    update();
}

void ScoreCanvas::SetViewWidth(int twips) {
    sheet_.options.viewportWidth = static_cast<float>(twips);
    update();
}

void ScoreCanvas::SetScroll(int value) {
    scroll_ = value;
    PlaceMarker();
    update();
}

void ScoreCanvas::SetZoom(double zoom) {
    zoom_ = zoom;
    PlaceMarker();
    update();
}

// One twip less than the scrolled columns, as the design had it.
double ScoreCanvas::LeftTwips() const {
    return static_cast<double>(kColumnTwips) * scroll_ - 1;
}

void ScoreCanvas::SetMarker(int xTwips) {
    markerX_ = xTwips;
    PlaceMarker();
}

void ScoreCanvas::ShowMarker(bool shown) {
    marker_->setVisible(shown);
    marker_->raise();
}

void ScoreCanvas::PlaceMarker() {
    const double x = (markerX_ - LeftTwips()) * zoom_ / kTwipsPerPixel;
    marker_->setGeometry(static_cast<int>(std::floor(x)), 0, 1, height());
}

void ScoreCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceMarker();
}

void ScoreCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The layout is in twips; the window shows 15 of them to a logical pixel at zoom 1 whatever
    // the screen's resolution, as every other control here.
    const double scale = kTwipsPerInch / kTwipsPerPixel * zoom_;
    painter.scale(scale / logicalDpiX(), scale / logicalDpiY());
    const QRect r = event->rect();
    const double left = LeftTwips() + Twips(r.left()) / zoom_;
    const double right = LeftTwips() + Twips(r.right() + 1) / zoom_;
    // Only the columns in sight are laid out, as the first ones of a layout of their own.
    const long long first =
        std::max(0LL, static_cast<long long>(std::floor(left / kColumnTwips)) - kColumnsBefore);
    const auto count =
        static_cast<std::size_t>(std::ceil((right - left) / kColumnTwips)) + kColumnsBefore + 2;
    const ScoreLayout part = sheet_.LayoutColumns(static_cast<std::size_t>(first), count);
    const double shift = static_cast<double>(kColumnTwips) * static_cast<double>(first);
    ScorePaintOptions options;
    options.origin = QPointF(LeftTwips() - shift, 0);
    options.header = first == 0;
    PaintScore(
        painter, part,
        QRectF(left - shift, Twips(r.top()) / zoom_, right - left, Twips(r.height()) / zoom_),
        options);
}

// The column whose marker place lies nearest, as the marker would stand over that note.
std::optional<int> ScoreCanvas::ColumnAt(double x) const {
    const double at = LeftTwips() + Twips(1) * x / zoom_;
    const long long from = std::llround(at) - kMarkerStartTwips + kColumnTwips / 2;
    if (from < 0 || from / kColumnTwips >= static_cast<long long>(sheet_.columns))
        return std::nullopt;
    return static_cast<int>(from / kColumnTwips);
}

void ScoreCanvas::mousePressEvent(QMouseEvent* event) {
    const auto column = ColumnAt(event->position().x());
    if (event->button() == Qt::LeftButton && column) emit columnClicked(*column);
    QWidget::mousePressEvent(event);
}

void ScoreCanvas::mouseMoveEvent(QMouseEvent* event) {
    const bool note = ColumnAt(event->position().x()).has_value();
    setCursor(note ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setToolTip(note ? " Нажмите, чтобы играть с этой ноты " : QString());
    QWidget::mouseMoveEvent(event);
}

ScoreViewport::ScoreViewport(QWidget* parent) : QWidget(parent), canvas_(new ScoreCanvas(this)) {
    setObjectName(control::kScoreViewport);
}

void ScoreViewport::ScrollTo(int value) {
    canvas_->SetScroll(value);
}

int ScoreViewport::WidthTwips() const {
    return static_cast<int>(std::lround(Twips(width()) / canvas_->Zoom()));
}

void ScoreViewport::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_->setGeometry(rect());
}

void ScoreViewport::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return QWidget::wheelEvent(event);
    const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0) emit zoomRequested(steps);
    event->accept();
}

} // namespace kvat
