#include "bar/output/print_command.h"

#include <QPrinter>

#include "bar/output/print_plan.h"
#include "common/gui/printer_setup.h"
#include "common/gui/qt_text.h"

namespace tvx::bar {

PrintOutcome PrintBarPlanWithDialog(const BarPlanView& view, QWidget* owner, std::string* error) {
    gui::RestorePrinter();
    if (!gui::ShowPrinterDialog(gui::kPrintSetupFlag, owner)) return PrintOutcome::Cancelled;
    gui::RememberPrinter();
    QPrinter& printer = gui::CurrentPrinter();
    printer.setDocName(view.title.empty() ? QStringLiteral("Quorlin") : Q(view.title));
    const int pages = PrintBarPlan(printer, view, error);
    if (pages > 0 && printer.printerState() == QPrinter::Error) {
        if (error) *error = kPrintFailedMessage;
        return PrintOutcome::Failed;
    }
    return pages > 0 ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace tvx::bar
