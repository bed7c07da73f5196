#pragma once
// The cheapest way to cut what a dive has left, once that is little: every pattern of the
// residual job whose reduced cost under the residual relaxation's duals keeps it within reach
// (see RoundDuals: a plan of cost at most bound + δ uses only patterns of reduced cost at most
// δ), and a depth-first search over them whose bars' reduced costs together stay within δ.
// Within reach, its plan is the cheapest completion; when it finds none, there is none within
// reach.

#include <cstdint>
#include <vector>

#include "bar/optimal/pattern_lp.h"
#include "bar/optimal/pattern_master.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct Completion {
    enum class Status { Found, NoneWithinReach, Unknown };
    Status status = Status::Unknown;
    std::vector<Column> patterns;     // the plan's patterns, each within the residual need
    std::vector<std::int64_t> count;  // bars of each
    double objective = 0.0;
};

// The cheapest plan for `residual` (need and room as the master holds them) of objective at
// most `reach`, under the residual relaxation's `duals`. Unknown when more than `most` patterns
// qualify, when the search needs more than `nodeBudget` nodes to find the cheapest or prove
// there is none, or at the deadline or a stop request; the best plan found by then is kept.
Completion CompleteResidual(const PatternProblem& problem, const MasterLp::Residual& residual,
                            const RoundDuals& duals, double reach, std::size_t most,
                            std::int64_t nodeBudget, SearchControl::Clock::time_point deadline,
                            const SearchControl& control);

}  // namespace tvx::bar::optimal
