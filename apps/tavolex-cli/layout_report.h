#pragma once
// The "layout" command: the check, the automatic layout and the plan it prints.

#include <iosfwd>
#include <optional>

#include "common/json.h"
#include "common/search_control.h"
#include "panel/engine/check_job.h"
#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

namespace tvx::panel::cli {

// "--optimize": the optimising layout instead of the standard one.
struct OptimizeRequest {
    double timeLimitSeconds = 5.0;
};

// What the optimising layout adds to a run.
struct OptimizeReport {
    bool optimal = false;
    double lowerBound = 0.0;  // panels in area mode, money in price mode
    double gapPercent = 0.0;
    double seconds = 0.0;
};

struct LayoutRun {
    CheckResult check;
    bool found = false;
    LayoutInput input;
    PanelLayoutResult result;
    std::optional<OptimizeReport> optimize;  // set when the optimising layout ran
    bool stopped = false;  // the search ended at the time limit; the best layout found is kept

    // "" on success, the check's message, or "割り当てられませんでした。".
    std::string message() const;
};

// What "自動カット" does with the job: the typed panel size taken into the stock table,
// CheckJob, PrepareLayoutInput, then AutoLayout under `control` (or the optimising layout when
// asked), which leaves the utilisation of every used panel filled.
LayoutRun RunLayout(PanelJob& job, const SearchControl& control,
                    const std::optional<OptimizeRequest>& optimize = std::nullopt);

// {"ok", "message", "kerf", "priceMode", "lastSizeIndex", "sizes", "score",
//  "panels": [{"position", "size", "placements": [{"row", "x", "y", "turned"}]}],
//  "utilisation"}, with the optimising layout also "optimal", "lowerBound", "seconds"
Json LayoutJson(const PanelJob& job, const LayoutRun& run);

// The plan for people: every used panel with its parts, then the panels used per size, the
// yield (placed part area over the stock area of the used panels) and the total price.
void PrintPlan(const PanelJob& job, const LayoutRun& run, std::ostream& out);

}  // namespace tvx::panel::cli
