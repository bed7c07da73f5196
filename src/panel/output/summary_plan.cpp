#include "panel/output/summary_plan.h"

#include <algorithm>

#include "common/number_text.h"

namespace tvx::panel {

namespace {

// The decision for the page that holds the last diagram.
SummaryPagePlan PlanOnLastDiagramPage(const ViewGeometry& v, const DiagramEnd& end,
                                      const SummaryCounts& counts, bool cutSaleShown) {
    SummaryPagePlan plan;
    const int S = counts.sizes;
    const int R = counts.rows;
    plan.x = v.ML;
    plan.y = end.lowestEdge + v.GY;
    const int L = LinesAvailable(v, plan.y);
    const int needed = cutSaleShown ? R + S + 3 : R + S + 2;
    if (L >= needed) {
        plan.form = SummaryForm::Full;
        plan.itemCount = counts.Items();
        return plan;
    }
    plan.continues = true;
    if (cutSaleShown || end.lastCell < 0) return plan;

    const int onPage = end.lastCell % v.CellsPerPage();
    const int usedInRow = onPage % v.columns + 1;
    if (usedInRow * 2 > v.columns) return plan;  // the last row is more than half full
    const double x = v.ML + usedInRow * (v.GX + v.W);
    const double y = v.MT + (onPage / v.columns) * (v.GY + v.H);
    // Head, sizes, total line, list header and rows must all fit beside the diagrams.
    if (LinesAvailable(v, y) < R + S + 3) return plan;
    plan.form = SummaryForm::Compact;
    plan.x = x;
    plan.y = y;
    plan.itemCount = counts.Items();
    plan.continues = false;
    return plan;
}

}  // namespace

int LinesAvailable(const ViewGeometry& v, double y) {
    const double lineHeight = v.VH * kSummaryLineFactor;
    if (lineHeight <= 0) return 0;
    return ClampToInt16(RoundHalfEven((v.VH - y - v.VH * kFooterRoomShare) / lineHeight));
}

SummaryPagePlan PlanSummaryPage(const ViewGeometry& v, int page, const DiagramEnd& end,
                                const SummaryCounts& counts, bool cutSaleShown) {
    const int lastPage = end.lastCell < 0 ? 0 : v.PageOfCell(end.lastCell);
    if (page < lastPage) return {};
    const SummaryPagePlan onLast = PlanOnLastDiagramPage(v, end, counts, cutSaleShown);
    if (page == lastPage) return onLast;
    if (!onLast.continues) return {};

    // Pages after the last diagram start writing at GY.
    const int L = LinesAvailable(v, v.GY);
    const int items = counts.Items();
    int first = std::min(items, std::max(0, L - counts.sizes - 3));
    SummaryPagePlan plan;
    plan.x = v.ML;
    plan.y = v.GY;
    if (page == lastPage + 1) {
        plan.form = SummaryForm::Opening;
        plan.itemCount = first;
        plan.continues = first < items;
        return plan;
    }
    const int perPage = std::max(1, L);
    for (int p = lastPage + 2; p < page && first < items; ++p) first += perPage;
    if (first >= items) return {};
    plan.form = SummaryForm::Continued;
    plan.firstItem = first;
    plan.itemCount = std::min(perPage, items - first);
    plan.continues = first + plan.itemCount < items;
    return plan;
}

}  // namespace tvx::panel
