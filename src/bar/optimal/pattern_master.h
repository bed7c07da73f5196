#pragma once
// The pattern formulation of the bar problem, solved by column generation and then as an
// integer program over the generated patterns (price and branch) with CBC. Its linear
// relaxation is as strong as the arc-flow model's, but it stays small however long the bars
// and however fine the lengths: a pattern is priced by an exact bounded knapsack search over
// the length groups, not over every position of the bar.
//
// The lower bound it returns is a Lagrangian bound from the last duals and the knapsack
// values (an upper estimate of each knapsack where the search was cut short), so it is a
// proof whatever state the column generation ended in. The integer plan over the generated
// patterns is only a plan: it is optimal when its cost reaches the bound.
//
// When a dive over the relaxation leaves a gap (whole weights only), the proof is completed
// by listing every pattern whose reduced cost under the relaxation's duals allows it in a
// plan of a target cost (see pattern_enumeration.h): CBC then either finds the best plan among
// them, which is optimal, or proves that none reaches the target, which raises the bound. The
// target grows from the bound towards the plan in hand while the lists stay short.

#include <cstdint>
#include <functional>
#include <vector>

#include "bar/optimal/pattern_runs.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct PatternProblem {
    std::vector<std::int64_t> capacity;  // per stock type, exact whole units
    std::vector<double> weight;          // objective of one bar of each type
    std::vector<std::int64_t> limit;     // per stock type; 0 = no limit
    std::vector<std::int64_t> width;     // per length group, descending, exact whole units
    std::vector<std::int64_t> demand;    // per length group
    bool wholeWeights = false;           // weights are whole numbers: bounds round up
    // Whether to look for a plan by diving first (off only to reach the later stages alone).
    bool dive = true;
};

struct PatternSolution {
    bool hasPlan = false;
    std::vector<PatternRun> runs;  // the plan (pieces beyond the demand not yet removed)
    double objective = 0.0;        // its weighted bars
    double bound = 0.0;            // proven lower bound on the objective of any plan
    bool boundKnown = false;       // false when no bound could be proven (stopped too early)
    bool infeasible = false;       // proven: no plan within the limits
};

// Asked once, when the dive has proven nothing: the objective of a plan found elsewhere
// (infinity without one). When it reaches the bound, the search ends there; otherwise the
// integer program looks only for plans below it.
using OtherPlan = std::function<double()>;

// Ends at `deadline` or on the control's stop request, with what it has by then.
PatternSolution SolvePatternProblem(const PatternProblem& problem,
                                    SearchControl::Clock::time_point deadline, int seed,
                                    const SearchControl& control, const OtherPlan& otherPlan);

}  // namespace tvx::bar::optimal
