#pragma once
// The "印刷" command of the Quorlin window: the printer and its dialog (Qt PrintSupport and
// Widgets), kept apart from the plan drawing that the command line also uses.

#include <string>

#include "bar/output/bar_plan_view.h"

class QWidget;

namespace tvx::bar {

enum class PrintOutcome { Printed, Cancelled, Failed };

// Re-applies the remembered printer, shows the print dialog, remembers the choice and prints
// on the current printer. Failed (with `error` set) when the printer could not be opened,
// refused a page or reported an error.
PrintOutcome PrintBarPlanWithDialog(const BarPlanView& view, QWidget* owner,
                                    std::string* error = nullptr);

}  // namespace tvx::bar
