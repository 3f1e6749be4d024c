#include "app/window/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kvat {
namespace {

constexpr const char* kTranslatorName = "kvat-qt-russian";

} // namespace

void InstallQtTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->findChild<QTranslator*>(kTranslatorName)) return;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kTranslatorName);
    // "qt" brings in qtbase and the other modules' files the package has for the language.
    if (translator->load(QLocale(QLocale::Russian), "qt", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

} // namespace kvat
