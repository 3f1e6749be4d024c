#pragma once
// The About page: the program's name and version, what it is built with, and where to write.

#include <QFrame>
#include <QUrl>

class QLabel;

namespace kvat {

class AboutPage : public QFrame {
    Q_OBJECT

public:
    explicit AboutPage(QWidget* parent);
    // Prints the About text; the page does it each time it is shown.
    void DrawText();

signals:
    void linkClicked(const QUrl& url);

private:
    QLabel* aboutText_ = nullptr;
};

} // namespace kvat
