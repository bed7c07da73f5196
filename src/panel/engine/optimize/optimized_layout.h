#pragma once
// The optimising layout: an opt-in search beside the standard automatic layout. It takes the
// same input and leaves the same kind of layout, never worse than the standard one: it starts
// from the standard layout and from guillotine fills in several orders, then keeps emptying
// the weakest panel until the lower bound is reached, the effort is spent, the time limit
// passes or a stop is requested.

#include <cstdint>
#include <optional>
#include <string>

#include "common/search_control.h"
#include "panel/engine/layout_types.h"

namespace tvx::panel {

struct OptimizeOptions {
    // 1 (quick) .. 8 (thorough): rounds of weak-panel elimination; the same effort gives the
    // same layout, and a higher effort runs the rounds of a lower one first.
    int effort = 5;
    double timeLimitSeconds = 5.0;       // caps the search; 0 or less = no cap of its own
    std::int16_t fullPanelPercent = 60;  // as in the standard layout
};

// How good a layout is against the proven bound. Cost and bound count stock area (enlarged
// units) in area mode and money in price mode.
struct OptimizeSummary {
    std::int64_t cost = 0;
    std::int64_t costBound = 0;
    // The bound as the user reads it: panels in area mode, money in price mode.
    double lowerBound = 0.0;
    bool optimal = false;
    // (cost - bound) / bound in percent; 0 when optimal.
    double gapPercent = 0.0;
};

std::optional<PanelLayoutResult> RunOptimizedLayout(const LayoutInput& input,
                                                    const OptimizeOptions& options,
                                                    const SearchControl& control);

// What the result summary says about an optimised layout: "最適" when it reaches the bound,
// else "下限との差 x.x%".
std::string OptimizeVerdict(bool optimal, double gapPercent);

// The bound and the optimality of a layout of the input.
OptimizeSummary SummarizeLayout(const LayoutInput& input, const PanelLayoutResult& layout);

}  // namespace tvx::panel
