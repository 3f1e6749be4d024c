#pragma once
// The About page: the program's name and version, what it is built with, and where to write.

#include <QFrame>
#include <QUrl>
#include <array>
#include <utility>

class QLabel;

namespace kvat {

class AboutPage : public QFrame {
    Q_OBJECT

public:
    AboutPage(QWidget* focusSink, QWidget* parent);
    // Prints the About text; the page does it each time it is shown.
    void DrawText();

signals:
    void linkClicked(const QUrl& url);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* focusSink_;
    QLabel* aboutText_ = nullptr;
    std::array<std::pair<QLabel*, QUrl>, 2> links_{}; // the site and the mail address
};

} // namespace kvat
