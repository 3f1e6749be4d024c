#pragma once
// The verse as a file: open, save, save as, the five recent files, the title with the file's
// name and its modified mark, the question before unsaved edits are dropped, and the unsaved
// verse kept for the next start.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class QMainWindow;
class QMenu;
class QSettings;

namespace kvat {

class FileDialogs;
class MessageSink;

inline constexpr int kRecentFileCount = 5;

class FileActions : public QObject {
    Q_OBJECT

public:
    // How the actions reach the verse: its text (lines end in \n), and loading a text as it
    // stands.
    struct Verse {
        std::function<QString()> text;
        std::function<void(const QString&)> load;
    };
    FileActions(QMainWindow& window, FileDialogs& dialogs, MessageSink& messages, Verse verse);

    // Fills the «Файл» menu's first items and its last ones; the window puts the rest between.
    void AddOpenItems(QMenu& menu);
    void AddCloseItems(QMenu& menu);

    bool Open(const QString& path); // asks about unsaved edits first
    bool Save();
    bool SaveAs();
    // True when the edits are saved, dropped or none: what may go ahead may.
    bool MayDropEdits();
    // The verse changed: the modified mark follows whether it differs from the file.
    void VerseChanged();
    // The verse now shown counts as unchanged (start-up, after loading).
    void MarkClean();
    // At start-up: the verse an earlier run left unsaved, with its file, else the one shown.
    void Restore(std::optional<QString> legacyText = std::nullopt);
    // Keeps the unsaved verse at once (a logout), or forgets it (saved or dropped on closing).
    void KeepUnsaved();
    void ForgetUnsaved();

    QString Path() const { return path_; }
    bool Modified() const;
    QStringList Recent() const;
    // What files made from the verse are called: its file's name, else its first line.
    QString Stem() const;
    // The folder of the last file opened or saved; the home folder at first.
    QString Folder() const;

    static constexpr const char* kTextFilter = "Текст (*.txt);;Все файлы (*)";

private:
    bool Load(const QString& path); // Open without the question
    std::optional<QString> ReadVerse(const QString& path);
    bool WriteTo(const QString& path);
    void Remember(const QString& path);
    void UpdateTitle();
    void FillRecent();

    QMainWindow& window_;
    FileDialogs& dialogs_;
    MessageSink& messages_;
    Verse verse_;
    QString path_;
    QString savedText_;
    QString lineEnd_ = "\n"; // as the file opened had them
    QMenu* recentMenu_ = nullptr;
    QTimer keepTimer_; // a moment after the last edit, the unsaved verse is kept
};

} // namespace kvat
