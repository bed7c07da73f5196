#pragma once
// Printing a result: every page of the result view, each with its head and page number, and
// the summary continued on new pages, in one print job. The printed page keeps one scale in
// both directions, fitted to the printable area.

#include <QPageSize>
#include <QString>
#include <string>

#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

class QPagedPaintDevice;
class QWidget;

namespace tvx::panel {

class ResultSession;

// Prints all pages of the session on the device (a printer or a PDF writer); returns the
// number of pages written, 0 when the device could not be opened. The session's page and
// its screen cells are left as they were.
int PrintPages(ResultSession& session, QPagedPaintDevice& device);

// The printed document's name: the job title, else the job file's name, else "Tavolex".
QString PrintedDocumentName(const std::string& jobTitle, const QString& fileName);

// The "印  刷" command: re-applies the remembered printer, shows the print dialog, remembers
// the choice and prints under the document name above (`fileName` is the job file's name).
// Cancelling prints nothing and returns false.
bool PrintResult(ResultSession& session, QWidget* owner, const QString& fileName = QString());

// The paper named on the command line ("A4", "A3", "B4", "Letter", ... any Qt page size name,
// case ignored); an invalid size when the name is unknown.
QPageSize PaperByName(const std::string& name);

// Writes the printed plan of a job and its layout as a PDF file (atomically), with the same
// page routine as the printout; the fonts are fitted as the result view would fit them on a
// common screen. Needs a QGuiApplication (the offscreen platform will do). Returns the number
// of pages, 0 on failure with `error` set.
int WritePlanPdf(PanelJob& job, LayoutInput& input, PanelLayoutResult& result,
                 const std::string& path, const QPageSize& paper, std::string* error = nullptr);

}  // namespace tvx::panel
