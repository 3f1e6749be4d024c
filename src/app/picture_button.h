#pragma once
// The picture buttons: play, pause, stop and the small speakers of the previews. A picture
// that acts on a click, with no focus frame and a border only while the mouse is over it.

#include <QLabel>

namespace kvat {

enum class Picture { kPlay, kPause, kStop, kSpeaker };

class PictureButton : public QLabel {
    Q_OBJECT

public:
    PictureButton(Picture picture, const QString& name, QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace kvat
