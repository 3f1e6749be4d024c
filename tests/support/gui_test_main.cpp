// main() for tests that need Qt's application object before any test runs. Without a display
// the offscreen platform is used, which also lets test discovery run the binary at build time.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps choices, verses and music in the user's folders: never the user's own
    // here. A home of the test's own holds whatever goes there.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
