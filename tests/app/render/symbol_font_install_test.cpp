// Installing the symbol font into a private folder, again and again, and over files that are
// not ours.

#include "app/render/symbol_font.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kvat {
namespace {

class InstallSymbolFont : public testing::Test {
protected:
    QTemporaryDir root_;
    QString folder_ = root_.filePath("data/kvat");
    QString file_ = folder_ + "/" + SymbolFontFileName;
    const QByteArray font_ = EmbeddedSymbolFont();

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static struct stat Stat(const QString& path) {
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        return st;
    }
};

TEST_F(InstallSymbolFont, WritesAPrivateCopyWhereTheEnvironmentSaysAndKeepsIt) {
    ASSERT_FALSE(font_.isEmpty());
    qputenv("KVAT_DATA_DIR", QFile::encodeName(folder_));
    EXPECT_TRUE(kvat::InstallSymbolFont());
    qunsetenv("KVAT_DATA_DIR");
    EXPECT_EQ(Read(file_), font_);
    EXPECT_EQ(Stat(file_).st_mode & 0777, 0600u);
    EXPECT_TRUE(QFontDatabase::families().contains(SymbolFontFamily));
    // A second start registers the file without rewriting it, and closes an opened folder.
    const timespec longAgo[2] = {{946684800, 0}, {946684800, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file_).constData(), longAgo, 0), 0);
    ::chmod(QFile::encodeName(folder_).constData(), 0777);
    EXPECT_TRUE(kvat::InstallSymbolFont(folder_));
    EXPECT_EQ(Stat(file_).st_mtim.tv_sec, 946684800);
    EXPECT_EQ(Stat(folder_).st_mode & 0777, 0700u);
}

TEST_F(InstallSymbolFont, AFileThatIsNotOursIsReplacedFromItsStart) {
    QDir().mkpath(folder_);
    QByteArray damaged = font_;
    damaged[damaged.size() / 2] = ~damaged[damaged.size() / 2];
    for (const QByteArray& stale :
         {QByteArray(100000, 'x'), QByteArray("short"), damaged, font_ + "tail"}) {
        Write(file_, stale);
        EXPECT_TRUE(kvat::InstallSymbolFont(folder_));
        EXPECT_EQ(Read(file_), font_) << stale.size();
    }
}

// A refused place costs the file, not the font: it is registered from memory instead.
TEST_F(InstallSymbolFont, NeverWritesThroughALinkNorFailsStartUp) {
    const QString victim = root_.filePath("victim.txt");
    Write(victim, "someone else's");
    QDir().mkpath(folder_);
    ASSERT_TRUE(QFile::link(victim, file_));
    const QString elsewhere = root_.filePath("elsewhere");
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(QFile::link(elsewhere, root_.filePath("linked")));
    for (const QString& folder : {folder_, root_.filePath("linked"), victim})
        EXPECT_TRUE(kvat::InstallSymbolFont(folder)) << folder.toStdString();
    EXPECT_EQ(Read(victim), "someone else's");
    EXPECT_TRUE(S_ISLNK(Stat(file_).st_mode));
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

} // namespace
} // namespace kvat
