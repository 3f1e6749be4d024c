#include "app/window/file_actions.h"

#include "app/window/control_names.h"
#include "app/window/file_dialogs.h"
#include "app/window/file_errors.h"
#include "app/window/platform_services.h"
#include "app/window/qt_text.h"
#include "text/text_file.h"

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

} // namespace

FileActions::FileActions(QMainWindow& window, FileDialogs& dialogs, MessageSink& messages,
                         Verse verse)
    : QObject(&window), window_(window), dialogs_(dialogs), messages_(messages),
      verse_(std::move(verse)) {
    UpdateTitle();
}

void FileActions::AddOpenItems(QMenu& menu) {
    QAction* open = menu.addAction("&Открыть…", this, [this] {
        const QString path = dialogs_.OpenPath(Folder(), kTextFilter);
        if (!path.isEmpty()) Open(path);
    });
    open->setShortcut(QKeySequence::Open);
    open->setObjectName(control::kOpenItem);
    QAction* save = menu.addAction("&Сохранить", this, [this] { Save(); });
    save->setShortcut(QKeySequence::Save);
    save->setObjectName(control::kSaveItem);
    menu.addAction("Сохранить &как…", this, [this] { SaveAs(); })
        ->setObjectName(control::kSaveAsItem);
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
    if (!MayDropEdits()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.Critical("Открыть", ReadFailure(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const auto decoded = DecodeTextFile(std::string_view(bytes.constData(), bytes.size()));
    if (!decoded) {
        messages_.Critical("Открыть", QFileInfo(path).fileName() + ": это не текстовый файл");
        return false;
    }
    verse_.load(Q(decoded->text));
    path_ = path;
    Remember(path);
    MarkClean();
    return true;
}

bool FileActions::Save() {
    return path_.isEmpty() ? SaveAs() : WriteTo(path_);
}

bool FileActions::SaveAs() {
    const QString suggested = path_.isEmpty() ? Folder() + "/" + kUntitled + ".txt" : path_;
    QString path = dialogs_.SavePath(suggested, kTextFilter);
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
    const QByteArray bytes = text.toUtf8();
    const QString error =
        WriteWholeFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())));
    if (!error.isEmpty()) {
        messages_.Critical("Сохранить", error);
        return false;
    }
    savedText_ = text;
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
}

void FileActions::MarkClean() {
    savedText_ = verse_.text();
    UpdateTitle();
}

bool FileActions::Modified() const {
    return verse_.text() != savedText_;
}

QStringList FileActions::Recent() const {
    return QSettings().value(kRecentKey).toStringList();
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
