#include "app/window/kept_verse.h"

#include "midi/file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace kvat {

// The first line names the verse's file as a URL, which holds no line break whatever the
// file's name; the verse follows as it stands.
QString KeptVersePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/unsaved.txt";
}

bool KeepVerse(const KeptVerse& verse) {
    const QString file = KeptVersePath();
    if (!QDir().mkpath(QFileInfo(file).path())) return false;
    const QByteArray link =
        verse.path.isEmpty() ? QByteArray() : QUrl::fromLocalFile(verse.path).toEncoded();
    const QByteArray bytes = link + '\n' + verse.text.toUtf8();
    return WriteFileAtomically(file.toStdString(),
                               std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size())));
}

std::optional<KeptVerse> LoadKeptVerse() {
    QFile file(KeptVersePath());
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0) return std::nullopt;
    const QByteArray link = bytes.left(end);
    return KeptVerse{QString::fromUtf8(bytes.mid(end + 1)),
                     link.isEmpty() ? QString() : QUrl::fromEncoded(link).toLocalFile()};
}

void ForgetKeptVerse() {
    QFile::remove(KeptVersePath());
}

} // namespace kvat
