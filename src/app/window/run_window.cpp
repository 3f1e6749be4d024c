#include "app/window/run_window.h"

#include "app/playback/sound_services.h"
#include "app/window/main_window.h"
#include "app/window/settings_store.h"
#include "app/window/single_instance.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QSettings>
#include <QTimer>
#include <iostream>

namespace kvat {

int RunWindow(int argc, char** argv, bool resetSettings, const std::string& file) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kSettingsApplication);
    QApplication::setOrganizationName(kSettingsOrganisation);
    QStringList files;
    if (!file.empty()) files << QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    SingleInstance instance;
    if (instance.HandOver(files)) {
        if (resetSettings)
            std::cerr << "kvat: --reset-settings: a window is open already; its File menu "
                         "resets the settings\n";
        return 0;
    }
    if (resetSettings) {
        QSettings store;
        ForgetChoices(store);
    }
    QApplication::setWindowIcon(QIcon(":/icons/kvat.svg"));
    // The installed menu entry's name: Wayland desktops match the window to it by this.
    QApplication::setDesktopFileName("org.example.Kvat");
    // The window was designed around an 8-point MS Sans Serif; Liberation Sans has its metrics
    // close enough for every caption to fit its place.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    QApplication::setFont(font);
    MainWindow window(SystemSoundServices());
    window.StartUp();
    instance.Listen();
    QObject::connect(&instance, &SingleInstance::started, &window, &MainWindow::ComeForward);
    window.show();
    // Once the window stands, so that a question about an unsaved verse appears over it.
    if (!files.isEmpty()) QTimer::singleShot(0, &window, [&] { window.ComeForward(files); });
    return app.exec();
}

} // namespace kvat
