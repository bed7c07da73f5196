#pragma once
// The optimising bar calculation: the cheapest plan of the job (among plans of equal cost,
// the one with fewest bars), found and proven with an integer program over compressed
// arc-flow graphs solved by CBC. It starts from the same prepared job as the standard
// calculation (valid rows, merged lengths, kerf rule, stock table, cost rule) and fills the
// same BarPlan. Lengths and kerf are used exactly as entered, decimals included.
//
// When the time limit, the control's deadline or a stop request ends the solve first, the
// plan is the best one found, with provenOptimal false and the proven lower bound in
// costLowerBound. Without any plan within the limits, HasPlan() is false and
// CalculationResultMessage gives the standard no-assignment message.

#include <string>

#include "bar/model/bar_job.h"
#include "common/search_control.h"

namespace tvx::bar {

inline constexpr double kDefaultOptimalTimeLimit = 10.0;  // seconds

struct OptimalBarOptions {
    double timeLimitSeconds = kDefaultOptimalTimeLimit;  // 0 or less: only the control's deadline
    int seed = 1;  // the solver's random seed; one thread, so equal seeds give equal plans
    // Work memory of the pattern graphs, in bits. Jobs whose exact lengths need more are
    // solved on a coarser grid (lengths rounded up, bars rounded down): the plan still fits
    // exactly, but is not proven optimal.
    std::int64_t graphBitsBudget = 400'000'000;
};

// Runs the calculation on the job (which it does not change). Progress reports carry the
// best cost and the lower bound, in the units of BarPlan::bestCost.
BarPlan RunOptimalBarCalculation(const BarJob& job, const OptimalBarOptions& options,
                                 const SearchControl& control);

// The summary of an optimised plan for the window: "最適" for a proven optimum, else
// "下限との差 x.x%" (the share of the plan's cost above the lower bound); empty without a plan.
std::string OptimalSummaryText(const BarPlan& plan);

}  // namespace tvx::bar
