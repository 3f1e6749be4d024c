#pragma once
// The picture buttons: play, pause, stop and the small speakers of the previews. A picture
// that acts on a click, or on Space or Enter once Tab has reached it; a border shows while the
// mouse is over it, a focus frame only while the keyboard is on it.

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
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The picture buttons standing on one surface: a button shows its border while the mouse is over
// it, and loses it when pressed, left, hidden or shown anew.
class PictureGroup : public QObject {
public:
    explicit PictureGroup(QWidget* surface);
    void Add(PictureButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kvat
