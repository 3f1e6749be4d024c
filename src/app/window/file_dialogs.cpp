#include "app/window/file_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kvat {

QString SystemFileDialogs::OpenPath(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, "Открыть стихотворение", folder, filter);
}

QString SystemFileDialogs::SavePath(const QString& title, const QString& suggested,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, title, suggested, filter);
}

FileDialogs::Unsaved SystemFileDialogs::AskUnsaved(const QString& name) {
    QMessageBox box(QMessageBox::Warning, "Kvat", QString("Сохранить изменения в «%1»?").arg(name),
                    QMessageBox::NoButton, parent_);
    QPushButton* save = box.addButton("Сохранить", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Не сохранять", QMessageBox::DestructiveRole);
    box.addButton("Отмена", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save) return Unsaved::kSave;
    if (box.clickedButton() == discard) return Unsaved::kDiscard;
    return Unsaved::kCancel;
}

bool SystemFileDialogs::AskReset() {
    QMessageBox box(QMessageBox::Question, "Kvat",
                    "Вернуть все настройки к исходным? Открытое стихотворение, последние файлы "
                    "и папка останутся.",
                    QMessageBox::NoButton, parent_);
    QPushButton* reset = box.addButton("Сбросить", QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton("Отмена", QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == reset;
}

} // namespace kvat
