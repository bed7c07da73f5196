#pragma once
// One page of the result: the page head (date and title), the diagrams of the page's cells
// with their stack markers, the summary where it belongs and the page number. The screen view
// and the printout draw their pages with this same routine.

#include "common/gui/draw_surface.h"
#include "panel/output/summary_plan.h"

namespace tvx::panel {

class ResultSession;

struct PageOutcome {
    bool previousEnabled = false;
    bool nextEnabled = false;  // more diagrams or more summary after this page
    SummaryForm summary = SummaryForm::None;
};

// Where the diagrams of the result end (the last cell and the lowest edge on its page).
DiagramEnd FindDiagramEnd(const ResultSession& session);

// Draws page `page` of the session on the surface; the cells of the page are kept in the
// session for mouse hits and the cut-sale prices are brought up to date first.
PageOutcome DrawResultPage(gui::DrawSurface& surface, ResultSession& session, int page);

}  // namespace tvx::panel
