#pragma once
// The "印  刷" command of the result view: the printer and its dialog (Qt PrintSupport and
// Widgets), kept apart from the page drawing that the command line also uses.

class QWidget;

namespace tvx::panel {

class ResultSession;

// Re-applies the remembered printer, shows the print dialog, remembers the choice and prints
// every page. Cancelling prints nothing and returns false.
bool PrintResult(ResultSession& session, QWidget* owner);

}  // namespace tvx::panel
