#pragma once
// What quorlin-cli prints: the outcome of "plan" and the contents of "show", as readable text
// or as one JSON object with sorted keys.

#include <string>

#include "bar/engine/calculation_check.h"
#include "bar/model/bar_job.h"
#include "common/search_control.h"

namespace tvx::bar::cli {

// The outcome of a calculation: refused by the checks, or the engine's plan.
struct PlanOutcome {
    CalculationCheck check;
    BarPlan plan;            // meaningful only when the check let the engine run
    bool ok = false;         // a plan exists
    std::string message;     // the main window's message line
    bool stopped = false;    // the search ended at the time limit; the best plan so far is kept
    bool optimised = false;  // planned by the optimising calculation
    double seconds = 0.0;    // its running time
};

// The checks, then the engine under `control` (its deadline is the time limit).
PlanOutcome CalculateJob(const BarJob& job, const SearchControl& control);
// The same with the optimising calculation, ending after at most `timeLimitSeconds` or at a
// stop request.
PlanOutcome CalculateJobOptimally(const BarJob& job, double timeLimitSeconds,
                                  const SearchControl& control);

std::string PlanJson(const BarJob& job, const PlanOutcome& outcome);
std::string PlanText(const BarJob& job, const PlanOutcome& outcome);
std::string ShowJson(const BarJob& job);
std::string ShowText(const BarJob& job);

}  // namespace tvx::bar::cli
