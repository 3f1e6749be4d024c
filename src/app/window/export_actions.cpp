#include "app/window/export_actions.h"

#include "app/window/control_names.h"
#include "app/window/file_dialogs.h"
#include "app/window/file_errors.h"
#include "app/window/platform_services.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <thread>

namespace kvat {
namespace {

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The WAV's items: what it holds of the voice, whether or not «Голос» is ticked.
constexpr struct {
    WavSinging singing;
    const char* item;
} kWavItems[] = {{WavSinging::kNone, "Без голоса…"},
                 {WavSinging::kWithVoice, "С голосом…"},
                 {WavSinging::kVoiceOnly, "Только голос…"}};

} // namespace

// FluidSynth renders to a file of its own here, so that a cancelled render never touches the
// target; a finished one is then copied over it whole.
struct ExportActions::WavJob {
    QTemporaryDir folder;
    std::atomic<int> percent{0};
    std::atomic<bool> finished{false};
    QString error;
    std::thread thread;
    ~WavJob() {
        if (thread.joinable()) thread.join();
    }
};

ExportActions::ExportActions(QWidget& window, FileDialogs& dialogs, MessageSink& messages,
                             std::function<ExportPiece()> piece, std::function<QString()> suggest,
                             std::function<QString()> verse)
    : QObject(&window), window_(window), dialogs_(dialogs), messages_(messages),
      piece_(std::move(piece)), suggest_(std::move(suggest)), verse_(std::move(verse)) {}

ExportActions::~ExportActions() = default;

void ExportActions::AddMenu(QMenu& file) {
    QMenu* menu = file.addMenu("&Экспорт");
    menu->setObjectName(control::kExportMenu);
    for (const OutputFormat format : ExportFormats()) {
        const QString item = Text(FormatRow(format).menuItem);
        if (FormatRow(format).family != FormatFamily::kSound) {
            menu->addAction(item, this, [this, format] { AskAndExport(format, std::nullopt); });
            continue;
        }
        QMenu* sound = menu->addMenu(QString(item).remove("…"));
        sound->setObjectName(control::kWavMenu);
        for (const auto& [singing, text] : kWavItems)
            sound->addAction(text, this,
                             [this, format, singing = singing] { AskAndExport(format, singing); });
    }
}

void ExportActions::AskAndExport(OutputFormat format, std::optional<WavSinging> singing) {
    const QString extension = Text(FormatRow(format).extension);
    const QString title = QString("Экспорт в %1").arg(Text(FormatRow(format).menuItem).remove("…"));
    QString path =
        dialogs_.SavePath(title, suggest_() + "." + extension, Text(FormatRow(format).filter));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += "." + extension;
    Export(format, path, singing);
}

bool ExportActions::Export(OutputFormat format, const QString& path,
                           std::optional<WavSinging> singing) {
    if (const QString verse = verse_(); !verse.isEmpty() && QFileInfo(path) == QFileInfo(verse)) {
        messages_.Critical("Экспорт", "Это файл самого стихотворения: выберите для экспорта "
                                      "другое имя.");
        return false;
    }
    const ExportPiece piece = piece_();
    if (FormatRow(format).family == FormatFamily::kSound)
        return ExportWavWithProgress(piece.piece, path, singing.value_or(SingingOf(piece.piece)));
    const QString error = ExportFile(format, piece, path);
    if (!error.isEmpty()) messages_.Critical("Экспорт", error);
    return error.isEmpty();
}

bool ExportActions::ExportWavWithProgress(const Piece& piece, const QString& path,
                                          WavSinging singing) {
    auto job = std::make_shared<WavJob>();
    const QString rendered = job->folder.filePath("kvat.wav");
    job->thread = std::thread([job = job.get(), piece, rendered, singing] {
        job->error = ExportWav(piece, rendered, singing,
                               [job](double done) { job->percent = static_cast<int>(done * 100); });
        job->finished = true;
    });

    QProgressDialog progress("Запись WAV…", "Отмена", 0, 100, &window_);
    progress.setWindowTitle("Экспорт");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (job->finished || progress.wasCanceled()) return loop.quit();
        progress.setValue(job->percent);
    });
    connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    poll.start(50);
    loop.exec();
    if (!job->finished) { // cancelled
        cancelled_.push_back(job);
        return false;
    }
    job->thread.join();
    QString error = job->error;
    if (error.isEmpty()) {
        QFile file(rendered);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        error =
            WriteWholeFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size())));
    }
    if (!error.isEmpty()) messages_.Critical("Экспорт", error);
    return error.isEmpty();
}

} // namespace kvat
