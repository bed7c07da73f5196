#include "panel/output/print_command.h"

#include "common/gui/printer_setup.h"
#include "panel/output/print_result.h"

namespace tvx::panel {

bool PrintResult(ResultSession& session, QWidget* owner) {
    gui::RestorePrinter();
    if (!gui::ShowPrinterDialog(gui::kPrintSetupFlag, owner)) return false;
    gui::RememberPrinter();
    return PrintPages(session, gui::CurrentPrinter()) > 0;
}

}  // namespace tvx::panel
