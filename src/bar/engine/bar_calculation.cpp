#include "bar/engine/bar_engine.h"
#include "bar/engine/bar_search.h"
#include "bar/engine/bar_working_set.h"

namespace tvx::bar {
namespace {

// The plan's copy of the engine's sorted tables.
void CopyTables(const BarWorkingSet& set, BarPlan& plan) {
    plan.kerf = set.kerf;
    plan.allPricesGiven = set.allPricesGiven;
    plan.stockLength = set.stockLength;
    plan.barCost = set.barCost;
    plan.countLimit = set.countLimit;
    plan.resultCount.assign(set.stockLength.size(), 0);
    plan.pieceLength = set.pieceLength;
    plan.pieceComment = set.pieceComment;
}

}  // namespace

BarPlan RunBarCalculation(const BarJob& job) {
    const SearchControl noStop;
    return RunBarCalculation(job, BarOptions{}, noStop);
}

BarPlan RunBarCalculation(const BarJob& job, const BarOptions& options,
                          const SearchControl& control) {
    BarWorkingSet set;
    BuildStockTypes(job, set);
    SortStockTypes(set);
    BuildPieceList(job, set);
    SortAndMergePieces(set, job.showPartCodes);
    DropUnusableStockTypes(set);

    BarPlan plan;
    CopyTables(set, plan);
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
