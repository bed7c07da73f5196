// Quorlin: plans the cutting of lengths out of stock bars.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <cstring>
#include <iostream>

#include "bar/model/bar_job.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/settings_store.h"
#include "common/version.h"
#include "common/version_text.h"

int main(int argc, char* argv[]) {
    // "--version" alone is answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << tvx::VersionLine("quorlin") << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorlin");
    QApplication::setApplicationVersion(tvx::kProgramVersion);

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
