// Tavolex: plans the cutting of rectangular parts out of stock panels.

#include <QApplication>
#include <QStringList>
#include <cstring>
#include <iostream>

#include "common/gui/qt_translations.h"
#include "common/gui/settings_store.h"
#include "common/version.h"
#include "common/version_text.h"
#include "panel/model/panel_job.h"
#include "panel/ui/size_wariate.h"

int main(int argc, char* argv[]) {
    // "--version" alone is answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << tvx::VersionLine("tavolex") << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tavolex");
    QApplication::setApplicationVersion(tvx::kProgramVersion);

    // The standard dialogs (files, printing, questions) speak Japanese like the window.
    tvx::gui::InstallQtTranslations(app);

    // The command line is taken as one text: the path of the job to open.
    QStringList words = QApplication::arguments();
    if (!words.isEmpty()) words.removeFirst();
    const QString commandLine = words.join(' ');

    tvx::gui::SettingsStore settings;
    tvx::panel::PanelJob job;
    tvx::panel::SizeWariate window(job, settings);
    window.SetCommandLine(commandLine);
    window.show();
    return app.exec();
}
