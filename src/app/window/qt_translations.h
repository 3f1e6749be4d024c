#pragma once
// Qt's own texts in Russian, as every text of the window is: the file dialogs' «Имя файла»,
// «Сохранить», «Отмена», the standard buttons, the editor's menu. Debian's
// qt6-translations-l10n holds them.

namespace kvat {

// Loads Qt's Russian translations into the application, once; without the package the texts
// stay Qt's English.
void InstallQtTranslations();

} // namespace kvat
