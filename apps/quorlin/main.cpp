// Quorlin: plans the cutting of lengths out of stock bars.

#include <QApplication>
#include <QStringList>
#include <cstring>
#include <iostream>

#include "bar/model/bar_job.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/qt_translations.h"
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
    tvx::gui::InstallQtTranslations(app);

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
