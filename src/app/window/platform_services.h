#pragma once
// The few things the window asks of the desktop, behind small interfaces, so that tests can
// record them instead of blocking on a dialog or starting a browser.

#include <QString>
#include <QUrl>

class QWidget;

namespace kvat {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message box with the critical-error icon and an OK button.
    virtual void Critical(const QString& title, const QString& text) = 0;
    // A message box with the exclamation icon and an OK button.
    virtual void Exclamation(const QString& title, const QString& text) = 0;
};

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Opens a file, a web address or a mail address with the desktop's own program.
    virtual void Open(const QUrl& url) = 0;
};

class DialogMessageSink : public MessageSink {
public:
    explicit DialogMessageSink(QWidget* parent) : parent_(parent) {}
    void Critical(const QString& title, const QString& text) override;
    void Exclamation(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

class SystemDesktopOpener : public DesktopOpener {
public:
    void Open(const QUrl& url) override;
};

} // namespace kvat
