// Quorlin: plans the cutting of lengths out of stock bars.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "bar/model/bar_job.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/settings_store.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorlin");

    // The standard dialogs (files, printing, questions) speak Japanese like the window.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The command line is taken as one text: the path of the job to open.
    QStringList words = QApplication::arguments();
    if (!words.isEmpty()) words.removeFirst();
    const QString commandLine = words.join(' ');

    tvx::gui::SettingsStore settings;
    tvx::bar::BarJob job;
    tvx::bar::QuorlinWindow window(job, settings);
    window.SetCommandLine(commandLine);
    window.show();
    return app.exec();
}
