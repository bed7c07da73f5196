#pragma once
// Drawing a result on a paged device: every page of the result view, each with its head and
// page number, and the summary continued on new pages, in one document; and the PDF writer of
// the command line. The printed page keeps one scale in both directions, fitted to the
// printable area. Qt Gui only: the print dialog lives in print_command.h.

#include <QPageSize>
#include <QString>
#include <string>

#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

class QPagedPaintDevice;

namespace tvx::panel {

class ResultSession;

// Prints all pages of the session on the device (a printer or a PDF writer); returns the
// number of pages written, 0 when the device could not be opened. The session's page and
// its screen cells are left as they were.
int PrintPages(ResultSession& session, QPagedPaintDevice& device);

// The paper named on the command line ("A4", "A3", "B4", "Letter", ... any Qt page size name,
// case ignored); an invalid size when the name is unknown.
QPageSize PaperByName(const std::string& name);

// Writes the printed plan of a job and its layout as a PDF file (atomically), with the same
// page routine as the printout; the fonts are fitted as the result view would fit them on a
// common screen. Needs a QGuiApplication (the offscreen platform will do). Returns the number
// of pages, 0 on failure with `error` set.
int WritePlanPdf(const PanelJob& job, const LayoutInput& input, const PanelLayoutResult& result,
                 const std::string& path, const QPageSize& paper, std::string* error = nullptr);

}  // namespace tvx::panel
