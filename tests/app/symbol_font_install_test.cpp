// Installing the symbol font into a private folder, again and again, and over files that
// are not ours.

#include "app/symbol_font.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class InstallSymbolFont : public testing::Test {
protected:
    QTemporaryDir root_;
    QString folder_ = root_.filePath("data/kvat");
    QString file_ = folder_ + "/" + kvat::SymbolFontFileName;
    const QByteArray font_ = kvat::EmbeddedSymbolFont();

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

TEST_F(InstallSymbolFont, FirstStartWritesAPrivateCopyWhereTheEnvironmentSays) {
    ASSERT_FALSE(font_.isEmpty());
    qputenv("KVAT_DATA_DIR", QFile::encodeName(folder_));
    for (bool folder_was_open : {false, true}) {
        if (folder_was_open) {
            QFile::remove(file_);
            ::chmod(QFile::encodeName(folder_).constData(), 0777);
        }
        EXPECT_TRUE(kvat::InstallSymbolFont());
        EXPECT_EQ(Read(file_), font_);
        EXPECT_EQ(Stat(folder_).st_mode & 0777, 0700u) << folder_was_open;
        EXPECT_EQ(Stat(file_).st_mode & 0777, 0600u);
    }
    qunsetenv("KVAT_DATA_DIR");
    EXPECT_TRUE(QFontDatabase::families().contains(kvat::SymbolFontFamily));
}

TEST_F(InstallSymbolFont, SecondStartRegistersTheFileWithoutRewritingIt) {
    ASSERT_TRUE(kvat::InstallSymbolFont(folder_));
    const timespec long_ago[2] = {{946684800, 0}, {946684800, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file_).constData(), long_ago, 0), 0);
    const struct stat before = Stat(file_);
    EXPECT_TRUE(kvat::InstallSymbolFont(folder_));
    EXPECT_EQ(Stat(file_).st_ino, before.st_ino);
    EXPECT_EQ(Stat(file_).st_mtim.tv_sec, 946684800);
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
    EXPECT_TRUE(kvat::InstallSymbolFont(folder_));
    EXPECT_EQ(Read(victim), "someone else's");
    EXPECT_TRUE(S_ISLNK(Stat(file_).st_mode));

    const QString elsewhere = root_.filePath("elsewhere");
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(QFile::link(elsewhere, root_.filePath("linked")));
    EXPECT_TRUE(kvat::InstallSymbolFont(root_.filePath("linked")));
    EXPECT_TRUE(QDir(elsewhere).isEmpty());

    EXPECT_TRUE(kvat::InstallSymbolFont(victim));
    EXPECT_EQ(Read(victim), "someone else's");
}

} // namespace
