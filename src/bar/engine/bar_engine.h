#pragma once
// The bar assignment engine: assigns the job's lengths to stock bars at the lowest cost (or
// the least stock length) by a bounded branch-and-bound search over stock mixes.

#include <string>

#include "bar/model/bar_job.h"
#include "common/search_control.h"

namespace tvx::bar {

inline constexpr int kStepLimit = 40000;  // search steps per pass

// What the caller may choose about the search; the defaults are the standard search.
struct BarOptions {
    int stepLimit = kStepLimit;  // search steps per pass (tests lower it)
};

// Runs the calculation on the job (which it does not change) and returns the plan. The
// engine works on its own copies; the plan holds the sorted stock table and piece list.
// Without a valid row the plan has no pieces; without an assignment within the count limits
// and the step budget, HasPlan() is false (and bestCost 0).
//
// After every pass the engine reports progress (the pass count and, once there is a plan, its
// cost) and then looks at the control: a stop (request or deadline) is honoured there only,
// between passes, and the best plan so far is returned.
BarPlan RunBarCalculation(const BarJob& job, const BarOptions& options,
                          const SearchControl& control);
// The standard search without a stop.
BarPlan RunBarCalculation(const BarJob& job);

inline constexpr const char* kNoAssignmentMessage = "割り当てられません。棒材数が不足です。";

// The message line after a calculation: empty with a plan or without any valid row, else the
// no-assignment message.
std::string CalculationResultMessage(const BarPlan& plan);

}  // namespace tvx::bar
