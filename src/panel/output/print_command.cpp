#include "panel/output/print_command.h"

#include <QPrinter>

#include "common/gui/printer_setup.h"
#include "panel/output/print_result.h"
#include "panel/output/result_session.h"

namespace tvx::panel {

QString PrintedDocumentName(const std::string& jobTitle, const QString& fileName) {
    if (!jobTitle.empty()) return QString::fromStdString(jobTitle);
    if (!fileName.isEmpty()) return fileName;
    return QStringLiteral("Tavolex");
}

bool PrintResult(ResultSession& session, QWidget* owner, const QString& fileName) {
    gui::RestorePrinter();
    if (!gui::ShowPrinterDialog(gui::kPrintSetupFlag, owner)) return false;
    gui::RememberPrinter();
    QPrinter& printer = gui::CurrentPrinter();
    printer.setDocName(PrintedDocumentName(session.job().jobTitle, fileName));
    return PrintPages(session, printer) > 0;
}

}  // namespace tvx::panel
