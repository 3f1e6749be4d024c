#include "app/window/report_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kvat {

QString ReportPath() {
    const QString folder = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                               ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               : QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QDir(folder).filePath("kvat-report.txt");
}

bool WriteReport(const QString& text) {
    QDir().mkpath(QFileInfo(ReportPath()).path());
    QSaveFile file(ReportPath());
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString content = text + "\r\n";
    file.write(content.replace("\r\n", "\n").toUtf8());
    return file.commit();
}

} // namespace kvat
