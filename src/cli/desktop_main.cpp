// kvat-desktop: the kvat command line with the parts that need Qt or the synthesizer: the
// window, the score's pictures and sound. kvat runs it in its own place for those; it is not a
// command of its own, and it writes everything else as kvat does.

#include "app/render/score_export.h"
#include "app/render/symbol_font.h"
#include "app/window/run_window.h"
#include "cli/command_line.h"
#include "cli/commands.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>

namespace {

using namespace kvat;

// Qt's chatter (a missing runtime folder and the like) is not the user's business here.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kvat: " << message.toStdString() << '\n';
}

std::string DrawPicture(const ScoreLayout& layout, OutputFormat format, const std::u32string& title,
                        std::vector<std::uint8_t>& bytes) {
    QByteArray picture;
    const QString error =
        RenderScorePicture(layout, format, QString::fromStdU32String(title), picture);
    if (!error.isEmpty()) return error.toStdString();
    bytes.assign(picture.begin(), picture.end());
    return {};
}

// The application object the pictures are painted with, made on this thread before any is
// drawn, without a display.
std::unique_ptr<QGuiApplication> PictureApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    InstallSymbolFont();
    return app;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const auto options = cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    // Only the score draws here; the window makes its own application object.
    int pictureArgc = 1;
    const auto pictures =
        options && options->command == "score" ? PictureApplication(pictureArgc, argv) : nullptr;
    const cli::DesktopParts parts{RunWindow, DrawPicture, cli::RunAudio};
    return cli::RunCommandLine(argc, argv, &parts);
}
