#include "panel/output/result_page.h"

#include <algorithm>

#include "common/gui/qt_text.h"
#include "panel/output/cutting_diagram.h"
#include "panel/output/result_session.h"
#include "panel/output/summary_text.h"

namespace tvx::panel {

namespace {

void DrawPageHead(gui::DrawSurface& s, const ResultSession& session) {
    const ViewGeometry& v = session.view();
    s.SetScaleOrigin(0, 0);
    s.SetItalic(false);
    s.SetFontSize(s.IsPrinter() ? 9 : session.textFontSize() - 1);
    s.PrintAt(v.VW - s.TextWidth(QStringLiteral("2001/10/10 ")), 0, session.DateText());
    s.SetFontSize(s.IsPrinter() ? 17 : session.titleFontSize());
    s.PrintAt(v.ML, v.VH * kTitleTopShare, QString::fromStdString(session.job().jobTitle));
}

void DrawPageNumber(gui::DrawSurface& s, const ResultSession& session, int page) {
    const ViewGeometry& v = session.view();
    s.SetScaleOrigin(0, 0);
    s.SetItalic(false);
    s.SetFontSize(s.IsPrinter() ? 14 : session.textFontSize());
    const double left = v.VW / 2 - s.TextWidth(U("－ 1 －")) / 2;
    s.PrintAt(left, v.VH * kFooterTopShare, U("－") + QString::number(page + 1) + U("－"));
}

}  // namespace

DiagramEnd FindDiagramEnd(const ResultSession& session) {
    DiagramEnd end;
    const auto& groups = session.groups();
    if (groups.empty()) return end;
    const ViewGeometry& v = session.view();
    end.lastCell = groups.back().cell;
    const int lastPage = v.PageOfCell(end.lastCell);
    for (const PanelGroup& g : groups) {
        if (v.PageOfCell(g.cell) != lastPage) continue;
        const PanelState& panel = session.result().panels[static_cast<std::size_t>(g.firstPanel)];
        const int index = std::clamp<int>(panel.sizeIndex, 0, kSlotCount - 1);
        const double ph = session.input().sizes[static_cast<std::size_t>(index)].enlargedHeight;
        end.lowestEdge = std::max(end.lowestEdge, ph + v.CellY(g.cell));
    }
    return end;
}

PageOutcome DrawResultPage(gui::DrawSurface& s, ResultSession& session, int page) {
    const ViewGeometry& v = session.view();
    PageOutcome out;
    if (!s.IsPrinter()) s.Clear();
    out.previousEnabled = page > 0;
    s.SetScale(0, 0, v.VW, v.VH);
    DrawPageHead(s, session);

    PageCells& cells = session.cells();
    cells.Reset(v.CellsPerPage());
    const CutSalePrices prices = session.UpdateCutSalePrices();

    const DiagramContext context{session.input(), session.result(), v,
                                 session.figures().usedSizes.size() > 1, session.CutSaleShown()};
    const int perPage = v.CellsPerPage();
    auto onPage = [&](int cell) { return cell / perPage == page; };
    for (const PanelGroup& g : session.groups()) {
        if (onPage(g.cell)) {
            DrawPanelDiagram(s, context, g.cell, g.firstPanel, cells);
            if (g.count >= 2) DrawStackMarker(s, context, g.cell, g.firstPanel, g.count);
        }
    }
    s.SetScaleOrigin(0, 0);
    const DiagramEnd end = FindDiagramEnd(session);
    if (end.lastCell >= (page + 1) * perPage) out.nextEnabled = true;

    const SummaryPagePlan plan =
        PlanSummaryPage(v, page, end, CountSummary(session), session.CutSaleShown());
    WriteSummary(s, session, plan, prices);
    out.summary = plan.form;
    if (plan.continues) out.nextEnabled = true;

    DrawPageNumber(s, session, page);
    return out;
}

}  // namespace tvx::panel
