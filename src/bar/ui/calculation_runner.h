#pragma once
// What "計算" does around the engine, without any window: the checks the window adds to the
// engine's own (kerf and piece count), and the call of the engine with a SearchControl, so the
// window can run it on a worker thread and stop it from its own.

#include <string>

#include "bar/model/bar_job.h"
#include "bar/model/bar_plan.h"
#include "common/search_control.h"

namespace tvx::bar {

inline constexpr const char* kNegativeKerfMessage = "切断幅は0以上で指定してください。";
inline constexpr const char* kTooManyPiecesMessage = "本数の合計は32767本までにしてください。";
inline constexpr int kMaxPieces = 32767;

enum class InputRefusal { None, NegativeKerf, TooManyPieces };
// A negative (or not finite) kerf, or more than 32767 pieces over the valid rows.
InputRefusal CheckCalculationInput(const BarJob& job);
std::string InputRefusalMessage(InputRefusal refusal);

// Runs the engine on `job`; `control` stops it between passes. `stepLimit` 0 keeps the
// engine's own budget.
BarPlan RunBarSearch(const BarJob& job, const SearchControl& control, int stepLimit = 0);

// Runs the optimising calculation on `job` with its default time limit; `control` stops it
// (the best plan found so far is kept).
BarPlan RunOptimalBarSearch(const BarJob& job, const SearchControl& control);

}  // namespace tvx::bar
