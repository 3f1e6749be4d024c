#include "app/render/symbol_font.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvat {
namespace {

constexpr char ResourcePath[] = ":/fonts/KvatSymbols.ttf";
// Registration reads a file we have just checked or written, so a failure seldom goes away
// by itself: a few attempts, then the bytes in memory.
constexpr int RegisterAttempts = 3;

enum class FileState { kMissing, kOurs, kOther, kRefused };

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// The folder must be a real directory of ours that no one else can enter: a planted link
// or a folder owned by someone else is refused rather than used.
bool MakePrivateFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!QDir().mkpath(info.absolutePath())) return false;
    const QByteArray path = Native(info.absoluteFilePath());
    if (::mkdir(path.constData(), 0700) == 0) return true;
    if (errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (st.st_uid != ::geteuid()) return false;
    return (st.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

bool ReadAll(int fd, QByteArray& into, qsizetype limit) {
    into.resize(limit);
    qsizetype got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, into.data() + got, static_cast<size_t>(limit - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += n;
    }
    into.truncate(got);
    return true;
}

FileState Inspect(const QByteArray& path, const QByteArray& font) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT ? FileState::kMissing : FileState::kRefused;
    if (!S_ISREG(st.st_mode)) return FileState::kRefused;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileState::kRefused;
    QByteArray held;
    // One byte past the font's length tells a longer file from ours.
    const bool read = ReadAll(fd, held, font.size() + 1);
    ::close(fd);
    if (!read) return FileState::kRefused;
    return held == font ? FileState::kOurs : FileState::kOther;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// Replaces the file's content from its start and cuts it to the font's length, so a stale
// longer file does not keep a tail that would make it differ from ours at every start.
bool WriteFont(const QByteArray& path, const QByteArray& font) {
    const int fd =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat st {};
    const bool written = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && WriteAll(fd, font) &&
                         ::ftruncate(fd, font.size()) == 0;
    return ::close(fd) == 0 && written;
}

bool IsOurFamily(int id) {
    if (id < 0) return false;
    if (QFontDatabase::applicationFontFamilies(id).contains(QLatin1String(SymbolFontFamily)))
        return true;
    QFontDatabase::removeApplicationFont(id);
    return false;
}

bool RegisterFile(const QString& file) {
    for (int attempt = 0; attempt < RegisterAttempts; ++attempt)
        if (IsOurFamily(QFontDatabase::addApplicationFont(file))) return true;
    return false;
}

bool FamilyAvailable() {
    return QFontDatabase::families().contains(QLatin1String(SymbolFontFamily));
}

bool InstallFile(const QString& folder, const QByteArray& font) {
    if (!MakePrivateFolder(folder)) return false;
    const QString file = QDir(folder).absoluteFilePath(QLatin1String(SymbolFontFileName));
    const QByteArray path = Native(file);
    switch (Inspect(path, font)) {
    case FileState::kRefused:
        return false;
    case FileState::kOurs:
        break;
    case FileState::kMissing:
    case FileState::kOther:
        if (!WriteFont(path, font)) return false;
        break;
    }
    return RegisterFile(file);
}

} // namespace

QByteArray EmbeddedSymbolFont() {
    QFile resource{QString::fromLatin1(ResourcePath)};
    if (!resource.open(QIODevice::ReadOnly)) return {};
    return resource.readAll();
}

QString SymbolFontFolder() {
    const QString chosen = qEnvironmentVariable("KVAT_DATA_DIR");
    if (!chosen.isEmpty()) return chosen;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (!data.isEmpty()) return data;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QLatin1String("/kvat");
}

bool InstallSymbolFont(const QString& folder) {
    // The font database lives with the GUI application; without one there is nothing to do.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    const QByteArray font = EmbeddedSymbolFont();
    if (font.isEmpty()) return FamilyAvailable();
    if (!folder.isEmpty() && InstallFile(folder, font)) return true;
    // The file could not be used: the score still gets its font for this run.
    if (IsOurFamily(QFontDatabase::addApplicationFontFromData(font))) return true;
    return FamilyAvailable();
}

bool InstallSymbolFont() {
    return InstallSymbolFont(SymbolFontFolder());
}

} // namespace kvat
