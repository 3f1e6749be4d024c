#include "app/window/file_errors.h"

#include "midi/file_writer.h"

#include <QFileInfo>
#include <cerrno>

namespace kvat {
namespace {

constexpr struct {
    int code;
    const char* reason;
} kReasons[] = {
    {EACCES, "нет прав на запись в эту папку или этот файл"},
    {EPERM, "нет прав на запись в эту папку или этот файл"},
    {ENOENT, "такой папки нет"},
    {ENOTDIR, "в пути к файлу стоит не папка"},
    {EISDIR, "это папка, а не файл"},
    {EROFS, "диск открыт только для чтения"},
    {ENOSPC, "на диске не осталось места"},
    {EDQUOT, "исчерпана квота на диске"},
    {ENAMETOOLONG, "слишком длинное имя"},
    {ELOOP, "слишком много символических ссылок подряд"},
    {EIO, "ошибка ввода-вывода"},
};

QString Named(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return "«" + (name.isEmpty() ? path : name) + "»";
}

} // namespace

QString WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file(path.toStdString());
    return file.Write(bytes) && file.Commit() ? QString() : WriteFailure(path, file.ErrorCode());
}

QString WriteFailure(const QString& path, int errorCode) {
    for (const auto& known : kReasons)
        if (known.code == errorCode)
            return QString("Не удалось записать %1: %2.").arg(Named(path), known.reason);
    return QString("Не удалось записать %1 (ошибка системы %2).").arg(Named(path)).arg(errorCode);
}

QString ReadFailure(const QString& path) {
    const QFileInfo file(path);
    const char* reason = !file.exists()       ? "такого файла нет"
                         : file.isDir()       ? "это папка, а не файл"
                         : !file.isReadable() ? "нет прав на чтение этого файла"
                                              : "файл не читается";
    return QString("Не удалось открыть %1: %2.").arg(Named(path), reason);
}

} // namespace kvat
