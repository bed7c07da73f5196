#pragma once
// A branch-and-price search over the pattern model, for jobs where the relaxation's bound and
// the plan in hand stay apart. Each node of the tree is the pattern master linear problem
// (CLP) with column generation, plus the branching rows on the path to it. A branching row
// sums the bars of one set of patterns: those of one stock type with at least given numbers of
// pieces of every group (the empty demand: all bars of the type). When that sum is fractional
// the node splits into "at most its floor" and "at least its ceiling". Sets are tried in the
// order: bars of a type, then patterns with at least k pieces of one group, then the full piece
// vector of a fractional pattern that no other fractional pattern of its type contains; that
// last choice exists whenever the relaxation is fractional, so the search is complete.
//
// The tree covers the plans that cut every group exactly as often as demanded, from patterns
// within the demand: some cheapest plan is among them (take surplus pieces off, drop bars left
// empty), and none of them has more bars than pieces, so every sum branched on is bounded and
// the tree is finite.
//
// Pricing adds the duals of the branching rows whose sets contain a pattern (BonusKnapsack).
// Each node's bound is the Lagrangian bound of its duals, valid whatever state its column
// generation ended in, so a node is closed as soon as its bound reaches the plan in hand. The
// search dives towards the branch nearer the relaxation's value and, after each dive, goes on
// from the open node of least bound; the least bound of the open nodes is a proven bound on
// every plan. It is deterministic (no threads, no randomness) and keeps its nodes and columns
// within fixed caps.

#include <cstdint>
#include <limits>
#include <vector>

#include "bar/optimal/pattern_master.h"
#include "bar/optimal/pattern_runs.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct BranchAndPriceStart {
    // The plan in hand (no runs and an infinite objective without one).
    std::vector<PatternRun> runs;
    double objective = std::numeric_limits<double>::infinity();
    // A proven lower bound on every plan (minus infinity when none is known).
    double bound = -std::numeric_limits<double>::infinity();
    // Patterns to begin the column generation with, for example those generated already (their
    // counts are not used).
    std::vector<PatternRun> patterns;
};

struct BranchAndPriceResult {
    bool improved = false;         // a plan cheaper than the start's was found
    std::vector<PatternRun> runs;  // that plan
    double objective = std::numeric_limits<double>::infinity();
    // Proven lower bound on every plan: the least bound of the nodes left open, or the best
    // objective once the whole tree is closed.
    double bound = -std::numeric_limits<double>::infinity();
    bool complete = false;    // the tree was searched to the end: the best plan is optimal
    bool infeasible = false;  // complete, and no plan at all keeps the limits
    // Every pattern the search had (counts not used): for an integer program over them.
    std::vector<PatternRun> patterns;
    std::int64_t nodes = 0;  // nodes solved
};

// Searches until the tree is closed, `deadline` passes, the control asks for a stop or a cap
// on nodes or columns is reached; each plan it accepts keeps the demand and the limits.
BranchAndPriceResult BranchAndPrice(const PatternProblem& problem, const BranchAndPriceStart& start,
                                    SearchControl::Clock::time_point deadline,
                                    const SearchControl& control);

}  // namespace tvx::bar::optimal
