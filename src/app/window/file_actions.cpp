#include "app/window/file_actions.h"

#include "app/playback/copy_name.h"
#include "app/window/control_names.h"
#include "app/window/file_dialogs.h"
#include "app/window/file_errors.h"
#include "app/window/kept_verse.h"
#include "app/window/platform_services.h"
#include "app/window/qt_text.h"
#include "text/text_file.h"
#include "verse/lyrics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>

namespace kvat {
namespace {

constexpr const char* kRecentKey = "files/recent";
constexpr const char* kFolderKey = "files/folder";
constexpr const char* kUntitled = "Без имени";
constexpr int kKeepDelayMs = 1000;

} // namespace

FileActions::FileActions(QMainWindow& window, FileDialogs& dialogs, MessageSink& messages,
                         Verse verse)
    : QObject(&window), window_(window), dialogs_(dialogs), messages_(messages),
      verse_(std::move(verse)) {
    keepTimer_.setSingleShot(true);
    keepTimer_.setInterval(kKeepDelayMs);
    connect(&keepTimer_, &QTimer::timeout, this, &FileActions::KeepUnsaved);
    UpdateTitle();
}

void FileActions::AddOpenItems(QMenu& menu) {
    QAction* open = menu.addAction("&Открыть…", this, [this] {
        if (!MayDropEdits()) return; // asked before the user looks for a file, not after
        const QString path = dialogs_.OpenPath(Folder(), kTextFilter);
        if (!path.isEmpty()) Load(path);
    });
    open->setShortcut(QKeySequence::Open);
    open->setObjectName(control::kOpenItem);
    QAction* save = menu.addAction("&Сохранить", this, [this] { Save(); });
    save->setShortcut(QKeySequence::Save);
    save->setObjectName(control::kSaveItem);
    QAction* saveAs = menu.addAction("Сохранить &как…", this, [this] { SaveAs(); });
    saveAs->setShortcut(
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)); // where no desktop sets one
    saveAs->setObjectName(control::kSaveAsItem);
}

void FileActions::AddCloseItems(QMenu& menu) {
    recentMenu_ = menu.addMenu("&Последние файлы");
    recentMenu_->setObjectName(control::kRecentMenu);
    FillRecent();
    menu.addSeparator();
    QAction* quit = menu.addAction("&Выход", &window_, &QMainWindow::close);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setObjectName(control::kQuitItem);
}

bool FileActions::Open(const QString& path) {
    return MayDropEdits() && Load(path);
}

bool FileActions::Load(const QString& path) {
    const auto text = ReadVerse(path);
    if (!text) return false;
    // The file's name and text first: the drawing that follows the load may show a message,
    // and the title behind it names the file, unmodified.
    path_ = path;
    savedText_ = *text;
    verse_.load(*text);
    Remember(path);
    MarkClean();
    return true;
}

// The file's text decoded, lines ending in \n; nothing (and a message) when it cannot be read.
std::optional<QString> FileActions::ReadVerse(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.Critical("Открыть", ReadFailure(path));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const auto decoded = DecodeTextFile(std::string_view(bytes.constData(), bytes.size()));
    if (!decoded) {
        messages_.Critical("Открыть", QFileInfo(path).fileName() + ": это не текстовый файл");
        return std::nullopt;
    }
    QString text = Q(decoded->text);
    lineEnd_ = text.contains("\r\n") ? "\r\n" : "\n";
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

void FileActions::Restore(std::optional<QString> legacyText) {
    std::optional<KeptVerse> kept = LoadKeptVerse();
    if (!kept && legacyText) kept = KeptVerse{*legacyText, {}};
    if (!kept) return MarkClean();
    path_ = kept->path;
    // The file as it stands is what the edits are measured against; gone, it is empty.
    savedText_ =
        path_.isEmpty() || !QFile::exists(path_) ? QString() : ReadVerse(path_).value_or(QString());
    verse_.load(kept->text); // modified, so kept again: it stays kept until saved or dropped
    UpdateTitle();
}

void FileActions::KeepUnsaved() {
    keepTimer_.stop();
    if (Modified()) KeepVerse({verse_.text(), path_});
}

void FileActions::ForgetUnsaved() {
    keepTimer_.stop();
    ForgetKeptVerse();
}

bool FileActions::Save() {
    if (path_.isEmpty()) return SaveAs();
    return !Modified() || WriteTo(path_); // the file holds the verse already
}

bool FileActions::SaveAs() {
    const QString suggested = path_.isEmpty() ? Folder() + "/" + Stem() + ".txt" : path_;
    QString path = dialogs_.SavePath("Сохранить стихотворение", suggested, kTextFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".txt";
    if (!WriteTo(path)) return false;
    path_ = path;
    Remember(path);
    UpdateTitle();
    return true;
}

bool FileActions::WriteTo(const QString& path) {
    const QString text = verse_.text();
    const QByteArray bytes = QString(text).replace("\n", lineEnd_).toUtf8();
    const QString error =
        WriteWholeFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())));
    if (!error.isEmpty()) {
        messages_.Critical("Сохранить", error);
        return false;
    }
    savedText_ = text;
    ForgetUnsaved();
    UpdateTitle();
    return true;
}

bool FileActions::MayDropEdits() {
    if (!Modified()) return true;
    const QString name = path_.isEmpty() ? kUntitled : QFileInfo(path_).fileName();
    switch (dialogs_.AskUnsaved(name)) {
    case FileDialogs::Unsaved::kSave:
        return Save();
    case FileDialogs::Unsaved::kDiscard:
        return true;
    case FileDialogs::Unsaved::kCancel:
        break;
    }
    return false;
}

void FileActions::VerseChanged() {
    if (window_.isWindowModified() != Modified()) UpdateTitle();
    if (Modified())
        keepTimer_.start();
    else if (keepTimer_.isActive() || QFile::exists(KeptVersePath()))
        ForgetUnsaved();
}

void FileActions::MarkClean() {
    savedText_ = verse_.text();
    ForgetUnsaved();
    UpdateTitle();
}

bool FileActions::Modified() const {
    return verse_.text() != savedText_;
}

QStringList FileActions::Recent() const {
    return QSettings().value(kRecentKey).toStringList();
}

QString FileActions::Stem() const {
    if (!path_.isEmpty()) return QFileInfo(path_).completeBaseName();
    Lines lines;
    for (const QString& line : verse_.text().split('\n')) lines.push_back(line.toStdU32String());
    return SafeFileStem(Q(VerseTitle(lines)));
}

QString FileActions::Folder() const {
    return QSettings().value(kFolderKey, QDir::homePath()).toString();
}

void FileActions::Remember(const QString& path) {
    const QFileInfo info(path);
    QStringList recent = Recent();
    recent.removeAll(info.absoluteFilePath());
    recent.prepend(info.absoluteFilePath());
    while (recent.size() > kRecentFileCount) recent.removeLast();
    QSettings settings;
    settings.setValue(kRecentKey, recent);
    settings.setValue(kFolderKey, info.absolutePath());
    FillRecent();
}

void FileActions::UpdateTitle() {
    const QString name = path_.isEmpty() ? kUntitled : QFileInfo(path_).fileName();
    // Qt puts the mark in place of [*] and shows it only while the window is modified.
    window_.setWindowTitle(name + "[*] — Kvat");
    window_.setWindowModified(Modified());
}

void FileActions::FillRecent() {
    if (!recentMenu_) return;
    recentMenu_->clear();
    for (const QString& path : Recent())
        recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] { Open(path); })
            ->setToolTip(path);
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

} // namespace kvat
