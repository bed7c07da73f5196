// Tavolex: plans the cutting of rectangular parts out of stock panels.

#include <QApplication>
#include <QStringList>

#include "common/gui/settings_store.h"
#include "panel/model/panel_job.h"
#include "panel/ui/size_wariate.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tavolex");

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
