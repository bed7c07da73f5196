#include "bar/engine/bar_engine.h"
#include "bar/engine/bar_search.h"
#include "bar/engine/bar_working_set.h"

namespace tvx::bar {

BarPlan RunBarCalculation(const BarJob& job) {
    const SearchControl noStop;
    return RunBarCalculation(job, BarOptions{}, noStop);
}

BarPlan RunBarCalculation(const BarJob& job, const BarOptions& options,
                          const SearchControl& control) {
    BarWorkingSet set = PrepareWorkingSet(job);
    BarPlan plan;
    CopyWorkingTables(set, plan);
    if (set.pieceLength.empty() || set.stockLength.empty()) {
        // Nothing to cut, or no stock that holds the shortest piece: no plan.
        return plan;
    }
    BarSearch search(set, options, control);
    search.SearchStockMixes(plan);
    return plan;
}

std::string CalculationResultMessage(const BarPlan& plan) {
    if (plan.HasPlan() || plan.pieceLength.empty()) return {};
    return kNoAssignmentMessage;
}

}  // namespace tvx::bar
