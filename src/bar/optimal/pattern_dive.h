#pragma once
// A primal heuristic for the pattern model: diving with column generation and a limited
// discrepancy search. A dive repeatedly takes bars of one pattern of the relaxation out of the
// job (the pattern whose value is nearest a whole count, rounded to that count, at least one
// bar), generates patterns for what is left and solves again, until the relaxation needs only a
// few more bars: the cheapest completion of that residual (see pattern_completion.h) ends it.
// A path may turn aside near the top: at its first few decisions, after the path through the
// first choice has ended, the next candidates are tried too, each with the ones tried before it
// set aside (never fixed again below it). A path ends early when the bars fixed so far plus the
// residual's bound cannot beat the best plan, and the whole search ends as soon as a plan
// reaches the proven bound.

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "bar/optimal/pattern_lp.h"
#include "bar/optimal/pattern_master.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct DiveSettings {
    // Candidates a path may set aside in all (0: a single dive, no backtracking).
    int maxDiscrepancy = 3;
    // Decisions from the top at which a path may still turn aside.
    int maxDepth = 6;
    // A path ends with the cheapest completion of its residual once the relaxation needs at
    // most this many bars, searched among plans at most `endGameReach` of the dearest bar above
    // the residual's bound and over at most `endGamePatterns` patterns (0 bars: never).
    double endGameBars = 4.0;
    double endGameReach = 1.0;
    std::size_t endGamePatterns = 5000;
    std::int64_t endGameNodes = 200'000;
};

struct DivePlan {
    bool found = false;
    std::vector<std::int64_t> count;  // bars per column of the master (its columns at the end)
    double objective = std::numeric_limits<double>::infinity();
    int paths = 0;  // paths ended (complete, pruned or dead ends)
};

// Called with the objective of each better plan found; returns the proven lower bound on the
// whole job's objective, which may rise once a plan is known (a bound that depends on how far
// it has to look).
using BoundForPlan = std::function<double(double objective)>;

// Dives from the master's current residual (column generation on it should have converged).
// `bound` is the proven lower bound on the objective; the search ends once a plan reaches it
// (by whole steps when the problem's weights are whole), at `deadline` or on a stop request;
// until it has a plan, at `firstPlanDeadline` instead when that is later (a short share of a
// short time limit should still end with the dive's plan, which is usually far better than
// any other plan at hand).
// The master's residual is as before when it returns; the patterns it generated stay.
DivePlan DiveForPlan(const PatternProblem& problem, MasterLp& master, const DiveSettings& settings,
                     double bound, const BoundForPlan& boundForPlan,
                     SearchControl::Clock::time_point deadline,
                     SearchControl::Clock::time_point firstPlanDeadline,
                     const SearchControl& control);

}  // namespace tvx::bar::optimal
