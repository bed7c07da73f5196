#pragma once
// The bar assignment engine: assigns the job's lengths to stock bars at the lowest cost (or
// the least stock length) by a bounded branch-and-bound search over stock mixes.

#include <functional>
#include <string>

#include "bar/model/bar_job.h"

namespace tvx::bar {

inline constexpr int kStepLimit = 40000;  // search steps per pass

// What the window hands the engine so that it stays responsive while it runs.
struct BarEngineHooks {
    std::function<void()> pumpEvents;     // processes pending window events
    std::function<bool()> stopRequested;  // "強制終了" pressed; looked at between passes only
    int stepLimit = kStepLimit;           // search steps per pass (tests lower it)
    // Optional, for callers that run the search on a budget: asked after each pass whether
    // the search has a plan yet, and ends it when it answers true.
    std::function<bool(bool planFound)> stopAfterPass;
};

// Runs the calculation on the job (which it does not change) and returns the plan. The
// engine works on its own copies; the plan holds the sorted stock table and piece list.
// Without a valid row the plan has no pieces; without an assignment within the count limits
// and the step budget, HasPlan() is false (and bestCost 0).
BarPlan RunBarCalculation(const BarJob& job, const BarEngineHooks& hooks = {});

inline constexpr const char* kNoAssignmentMessage = "割り当てられません。棒材数が不足です。";

// The message line after a calculation: empty with a plan or without any valid row, else the
// no-assignment message.
std::string CalculationResultMessage(const BarPlan& plan);

}  // namespace tvx::bar
