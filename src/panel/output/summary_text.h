#pragma once
// Writes the summary text of a result page: head line with the yield (and the panel total),
// one line per stock size in use, the cut-size list and, in cut-sale pricing, the parts total.

#include "common/gui/draw_surface.h"
#include "panel/output/result_figures.h"
#include "panel/output/summary_plan.h"

namespace tvx::panel {

class ResultSession;

// The summary's make-up for the session's current flags.
SummaryCounts CountSummary(const ResultSession& session);

// Writes what `plan` puts on the page, at the text font size of the session.
void WriteSummary(gui::DrawSurface& surface, const ResultSession& session,
                  const SummaryPagePlan& plan, const CutSalePrices& prices);

}  // namespace tvx::panel
