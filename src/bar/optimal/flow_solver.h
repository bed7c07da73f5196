#pragma once
// The integer program over the arc-flow graphs of all stock types, solved by CBC: integer
// flow on every arc, flow balance at every node, bars of a type = flow out of its source (at
// most the type's limit), every length group cut at least its demand, cost = the weighted
// number of bars. The solver runs on one thread with fixed seeds and stops on the control's
// stop request, at its deadline or at the time limit, keeping the best solution found.

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "bar/optimal/arc_flow_graph.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct FlowProblem {
    std::vector<ArcFlowGraph> graphs;    // one per stock type
    std::vector<double> barWeight;       // objective weight of one bar of each type
    std::vector<std::int64_t> barLimit;  // 0 = no limit
    std::vector<std::int64_t> demand;    // per length group
    // Optional: sum of capWeight[t] × bars of type t at most capValue.
    std::vector<double> capWeight;
    double capValue = 0.0;
    // The solve ends as optimal once the best objective is within this of the bound.
    double allowableGap = 1e-9;
    // Optional: only solutions with an objective below this count; when there is none, the
    // verdict is infeasible.
    double cutoff = std::numeric_limits<double>::infinity();
};

struct FlowSolution {
    enum class Status { Optimal, Stopped, Infeasible };
    Status status = Status::Infeasible;
    bool hasSolution = false;
    std::vector<std::vector<std::int64_t>> arcFlow;  // per type, per arc
    std::vector<std::int64_t> barCount;              // per type
    double objective = 0.0;
    double bound = 0.0;  // proven lower bound on the objective
};

// Called whenever the best objective or the bound improves: (best or NaN, bound).
using FlowProgress = std::function<void(double best, double bound)>;

// Ends at `deadline` at the latest, or earlier on the control's stop request or deadline.
FlowSolution SolveFlowProblem(const FlowProblem& problem, SearchControl::Clock::time_point deadline,
                              int seed, const SearchControl& control, const FlowProgress& progress);

}  // namespace tvx::bar::optimal
