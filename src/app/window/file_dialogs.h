#pragma once
// The questions the File menu asks the user, behind an interface, so that tests answer them
// instead of blocking on a dialog.

#include <QString>

class QWidget;

namespace kvat {

class FileDialogs {
public:
    enum class Unsaved { kSave, kDiscard, kCancel };
    virtual ~FileDialogs() = default;
    // An empty path when the user cancels. `title` says what is saved.
    virtual QString OpenPath(const QString& folder, const QString& filter) = 0;
    virtual QString SavePath(const QString& title, const QString& suggested,
                             const QString& filter) = 0;
    // What to do with the unsaved edits of `name`: «Сохранить», «Не сохранять» or «Отмена».
    virtual Unsaved AskUnsaved(const QString& name) = 0;
    // Whether every choice is to return to its default: true for «Сбросить».
    virtual bool AskReset() = 0;
};

class SystemFileDialogs : public FileDialogs {
public:
    explicit SystemFileDialogs(QWidget* parent) : parent_(parent) {}
    QString OpenPath(const QString& folder, const QString& filter) override;
    QString SavePath(const QString& title, const QString& suggested,
                     const QString& filter) override;
    Unsaved AskUnsaved(const QString& name) override;
    bool AskReset() override;

private:
    QWidget* parent_;
};

} // namespace kvat
