#include "app/window/picture_button.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kvat {
namespace {

// Drawn at the screen's pixel ratio, so that the pictures stay sharp on a HiDPI screen.
QPixmap Draw(Picture picture, int size) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    const double s = size;
    switch (picture) {
    case Picture::kPlay: {
        QPainterPath path;
        path.moveTo(s * 0.3, s * 0.2);
        path.lineTo(s * 0.8, s * 0.5);
        path.lineTo(s * 0.3, s * 0.8);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Picture::kPause:
        p.drawRect(QRectF(s * 0.25, s * 0.2, s * 0.18, s * 0.6));
        p.drawRect(QRectF(s * 0.57, s * 0.2, s * 0.18, s * 0.6));
        break;
    case Picture::kStop:
        p.drawRect(QRectF(s * 0.25, s * 0.25, s * 0.5, s * 0.5));
        break;
    case Picture::kSpeaker: {
        QPainterPath path;
        path.moveTo(s * 0.15, s * 0.38);
        path.lineTo(s * 0.35, s * 0.38);
        path.lineTo(s * 0.6, s * 0.15);
        path.lineTo(s * 0.6, s * 0.85);
        path.lineTo(s * 0.35, s * 0.62);
        path.lineTo(s * 0.15, s * 0.62);
        path.closeSubpath();
        p.drawPath(path);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), s * 0.07));
        p.drawArc(QRectF(s * 0.45, s * 0.3, s * 0.35, s * 0.4), -60 * 16, 120 * 16);
        break;
    }
    }
    return pixmap;
}

} // namespace

PictureButton::PictureButton(Picture picture, const QString& name, QWidget* parent)
    : QLabel(parent) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setPixmap(Draw(picture, picture == Picture::kSpeaker ? 16 : 28));
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

PictureGroup::PictureGroup(QWidget* surface) : QObject(surface) {}

void PictureGroup::Add(PictureButton* button) {
    button->installEventFilter(this);
}

bool PictureGroup::eventFilter(QObject* watched, QEvent* event) {
    // Enter and leave alone decide: a move over the picture reaches its surface too, and a
    // picture shown in a clicked one's place must not inherit its border.
    switch (event->type()) {
    case QEvent::Enter:
        static_cast<QLabel*>(watched)->setFrameShape(QFrame::Box);
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::Show:
    case QEvent::MouseButtonPress:
        static_cast<QLabel*>(watched)->setFrameShape(QFrame::NoFrame);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kvat
