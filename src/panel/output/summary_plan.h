#pragma once
// Where the summary text of a result goes. It starts on the page with the last diagram: in
// full below the diagrams when it fits, else (outside cut-sale pricing) in compact form beside
// a half-empty last row of cells, else it moves to the next page and continues page by page.

#include "panel/output/view_geometry.h"

namespace tvx::panel {

// The summary's line height as a share of VH (about 48.6 lines to a page). All eight digits
// count: the lines a page has room for, and so every page break, follow from it.
inline constexpr double kSummaryLineFactor = 0.02057008;

enum class SummaryForm {
    None,       // nothing on this page
    Full,       // the whole summary below the diagrams
    Compact,    // the whole summary in compact form beside the last row of cells
    Opening,    // head, size lines, list header and the first items of the list
    Continued,  // further items of the list
};

// What the summary consists of: S size lines, R listed rows and, in cut-sale pricing with the
// price display on, a closing total line that follows the last row.
struct SummaryCounts {
    int sizes = 0;
    int rows = 0;
    bool totalLine = false;
    int Items() const { return rows + (totalLine ? 1 : 0); }
};

// Where the diagrams of the result end.
struct DiagramEnd {
    int lastCell = -1;        // cell of the last diagram, -1 when there is none
    double lowestEdge = 0.0;  // bottom of the lowest diagram on the last diagram's page
};

struct SummaryPagePlan {
    SummaryForm form = SummaryForm::None;
    double x = 0.0;  // where writing starts
    double y = 0.0;
    int firstItem = 0;  // items of the list (rows, then the total line) on this page
    int itemCount = 0;
    bool continues = false;  // something is left for the next page
};

// Lines available from y to the foot of the page.
int LinesAvailable(const ViewGeometry& view, double y);

SummaryPagePlan PlanSummaryPage(const ViewGeometry& view, int page, const DiagramEnd& end,
                                const SummaryCounts& counts, bool cutSaleShown);

}  // namespace tvx::panel
