#pragma once
// The "印  刷" command of the result view: the printer and its dialog (Qt PrintSupport and
// Widgets), kept apart from the page drawing that the command line also uses.

#include <QString>
#include <string>

class QWidget;

namespace tvx::panel {

class ResultSession;

// The printed document's name: the job title, else the job file's name, else "Tavolex".
QString PrintedDocumentName(const std::string& jobTitle, const QString& fileName);

// Re-applies the remembered printer, shows the print dialog, remembers the choice and prints
// every page under the document name above (`fileName` is the job file's name); the print queue
// and PDF readers show that name. Cancelling prints nothing and returns false.
bool PrintResult(ResultSession& session, QWidget* owner, const QString& fileName = QString());

}  // namespace tvx::panel
