#include "common/gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tvx::gui {

bool InstallQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    const QLocale system = QLocale::system();
    const bool plainLocale = system.language() == QLocale::C;
    if ((!plainLocale && translator->load(system, "qtbase", "_", folder)) ||
        translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_", folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

}  // namespace tvx::gui
