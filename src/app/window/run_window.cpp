#include "app/window/run_window.h"

#include "app/playback/sound_services.h"
#include "app/window/main_window.h"
#include "app/window/settings_store.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QSettings>

namespace kvat {

int RunWindow(int argc, char** argv, bool resetSettings) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kSettingsApplication);
    QApplication::setOrganizationName(kSettingsOrganisation);
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
    window.show();
    return app.exec();
}

} // namespace kvat
