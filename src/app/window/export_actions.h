#pragma once
// The «Экспорт» submenu: asks where, writes the piece in the format chosen, and for the WAV,
// which takes a while to render, shows how far it is with a way to cancel. The WAV is offered
// without the voice, with it, or of the voice alone.

#include "app/window/export_files.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QWidget;

namespace kvat {

class FileDialogs;
class MessageSink;

class ExportActions : public QObject {
    Q_OBJECT

public:
    // `suggest`: the path, without its extension, the file dialog offers first; `verse`: the
    // verse's own file, which no export may replace.
    ExportActions(QWidget& window, FileDialogs& dialogs, MessageSink& messages,
                  std::function<ExportPiece()> piece, std::function<QString()> suggest,
                  std::function<QString()> verse);
    ~ExportActions() override;

    void AddMenu(QMenu& file);
    // Writes the piece as `path`, a WAV with the voice as `singing` says or else as the piece's
    // settings have it; false (and a message) on failure or when cancelled.
    bool Export(OutputFormat format, const QString& path,
                std::optional<WavSinging> singing = std::nullopt);

private:
    struct WavJob;
    void AskAndExport(OutputFormat format, std::optional<WavSinging> singing);
    bool ExportWavWithProgress(const Piece& piece, const QString& path, WavSinging singing);

    QWidget& window_;
    FileDialogs& dialogs_;
    MessageSink& messages_;
    std::function<ExportPiece()> piece_;
    std::function<QString()> suggest_;
    std::function<QString()> verse_;
    // Renders that were cancelled run to their end in the background, their files dropped;
    // they are waited for before the window goes.
    std::vector<std::shared_ptr<WavJob>> cancelled_;
};

} // namespace kvat
