#include "app/window/platform_services.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace kvat {

void DialogMessageSink::Critical(const QString& title, const QString& text) {
    QMessageBox::critical(parent_, title, text);
}

void DialogMessageSink::Exclamation(const QString& title, const QString& text) {
    QMessageBox::warning(parent_, title, text);
}

void SystemDesktopOpener::Open(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace kvat
