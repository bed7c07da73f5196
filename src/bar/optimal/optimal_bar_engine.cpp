#include "bar/optimal/optimal_bar_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>

#include "bar/engine/bar_engine.h"
#include "bar/engine/bar_working_set.h"
#include "bar/optimal/arc_flow_graph.h"
#include "bar/optimal/exact_decimal.h"
#include "bar/optimal/flow_solver.h"
#include "bar/optimal/pattern_master.h"
#include "bar/optimal/pattern_runs.h"

namespace tvx::bar {
namespace {

using namespace std::chrono_literals;

using optimal::ArcFlowGraph;
using optimal::FlowProblem;
using optimal::FlowSolution;

// Lengths of the prepared job as whole numbers: bar capacities (length plus one kerf) and
// piece widths (length plus one kerf), either exact or, when the exact grid is too fine for
// the memory budget, rounded to a coarser grid on the safe side.
struct Lengths {
    std::vector<std::int64_t> capacity;  // per stock type
    std::vector<std::int64_t> width;     // per piece kind
    bool exact = true;
};

Lengths ScaleLengths(const BarWorkingSet& set, std::int64_t bitsBudget) {
    std::vector<float> values{set.kerf};
    values.insert(values.end(), set.stockEntered.begin(), set.stockEntered.end());
    values.insert(values.end(), set.pieceEntered.begin(), set.pieceEntered.end());
    Lengths lengths;
    std::int64_t kerf = 0;
    const std::size_t types = set.stockEntered.size();
    if (const auto scaled = optimal::ScaleToCommonUnit(values)) {
        kerf = scaled->values[0];
        for (std::size_t t = 0; t < types; ++t)
            lengths.capacity.push_back(scaled->values[1 + t] + kerf);
        for (std::size_t i = 0; i < set.pieceEntered.size(); ++i)
            lengths.width.push_back(scaled->values[1 + types + i] + kerf);
    } else {
        // Not representable exactly (beyond 18 digits): work in whole units of the double
        // values, rounded on the safe side.
        lengths.exact = false;
        for (std::size_t t = 0; t < types; ++t)
            lengths.capacity.push_back(static_cast<std::int64_t>(
                std::floor(static_cast<double>(set.stockEntered[t]) + set.kerf)));
        for (const float entered : set.pieceEntered)
            lengths.width.push_back(
                static_cast<std::int64_t>(std::ceil(static_cast<double>(entered) + set.kerf)));
    }
    const std::int64_t longest =
        *std::max_element(lengths.capacity.begin(), lengths.capacity.end());
    const std::int64_t bits = optimal::ArcFlowWorkBits(longest, lengths.width.size());
    if (bits > bitsBudget) {
        const std::int64_t grid = bits / bitsBudget + 1;
        lengths.exact = false;
        for (std::int64_t& c : lengths.capacity) c /= grid;
        for (std::int64_t& w : lengths.width) w = (w + grid - 1) / grid;
    }
    for (std::int64_t& w : lengths.width) w = std::max<std::int64_t>(w, 1);
    return lengths;
}

// The objective of one bar in the first phase: its cost in whole units (the exact decimal
// cost divided by the greatest common divisor of all bar costs, so that the solver can prune
// by whole steps), or, when the costs are not exact whole numbers below 2^53 in all, the
// plain cost.
struct BarWeights {
    std::vector<double> weight;
    double scale = 1.0;      // objective units per cost unit
    bool wholeCost = false;  // objectives are whole numbers
};

BarWeights WeighBars(const BarWorkingSet& set) {
    BarWeights weights;
    const auto pieces = static_cast<double>(set.piecesLeft);
    if (const auto scaled = optimal::ScaleToCommonUnit(set.barCost)) {
        std::int64_t divisor = 0;
        for (const std::int64_t cost : scaled->values) divisor = std::gcd(divisor, cost);
        double largest = 0.0;
        for (const std::int64_t cost : scaled->values)
            largest =
                std::max(largest, static_cast<double>(cost / std::max<std::int64_t>(divisor, 1)));
        if (divisor > 0 && largest * pieces < 9.0e15) {
            weights.wholeCost = true;
            weights.scale = std::pow(10.0, scaled->decimals) / static_cast<double>(divisor);
            for (const std::int64_t cost : scaled->values)
                weights.weight.push_back(static_cast<double>(cost / divisor));
            return weights;
        }
    }
    for (const float cost : set.barCost) weights.weight.push_back(cost);
    return weights;
}

// The cost of the plan with this objective.
double CostOfObjective(const BarWeights& weights, double objective) {
    if (!weights.wholeCost) return objective / weights.scale;
    return std::round(objective) / weights.scale;
}

// The cost of any plan is at least this, given a bound on the objective.
double CostBound(const BarWeights& weights, double bound) {
    if (!std::isfinite(bound)) return 0.0;
    const double slack = 1e-9 * std::fabs(bound) + 1e-6;  // the solver's rounding
    if (!weights.wholeCost) return std::max(0.0, (bound - slack) / weights.scale);
    return std::max(0.0, std::ceil(bound - slack) / weights.scale);
}

// A bound that holds whatever the grid: the demanded length at the cheapest cost per length
// of any type.
double TrivialCostBound(const BarWorkingSet& set) {
    double perLength = std::numeric_limits<double>::infinity();
    for (std::size_t t = 0; t < set.barCost.size(); ++t)
        perLength = std::min(perLength, static_cast<double>(set.barCost[t]) /
                                            (static_cast<double>(set.stockLength[t])));
    double demand = 0.0;
    for (std::size_t i = 0; i < set.pieceLength.size(); ++i)
        demand += static_cast<double>(set.pieceRemaining[i]) * set.pieceLength[i];
    return std::isfinite(perLength) ? demand * perLength * (1.0 - 1e-6) : 0.0;
}

// The better of the two proven bounds: the solver's (which may still be weak, even zero, when
// a stop came before column generation got far) and the demanded length at the cheapest rate.
double ProvenCostBound(const BarWeights& weights, double bound, const BarWorkingSet& set) {
    const double trivial = TrivialCostBound(set);
    return std::isfinite(bound) ? std::max(CostBound(weights, bound), trivial) : trivial;
}

float PlanCost(const BarPlan& plan) {
    float cost = 0.0f;
    for (std::size_t t = 0; t < plan.barCost.size(); ++t)
        cost += static_cast<float>(plan.resultCount[t]) * plan.barCost[t];
    return cost;
}

void MarkNoPlan(BarPlan& plan) {
    plan.resultBars.clear();
    plan.resultCount.assign(plan.stockLength.size(), 0);
    plan.resultBarCount = 0;
    plan.found = false;
    plan.bestCost = 0.0f;
}

void MarkPlan(BarPlan& plan) {
    plan.bestCost = PlanCost(plan);
    plan.found = true;
}

// The standard calculation on a budget: it runs to its own end, except that once it has a
// plan it starts no further pass (a pass tries one stock mix) after a stop request (and at
// least kStandardLeastTime of search), nor once `end` has passed. When `needPlan` (nothing else
// has a plan) it keeps looking for kStandardPlanTime longer until it has one, so that a stopped
// or timed-out solve still ends with a plan where the standard calculation finds one.
constexpr auto kStandardLeastTime = std::chrono::milliseconds(300);
constexpr auto kStandardPlanTime = std::chrono::seconds(3);
// Time for the standard calculation while the pattern model still has the rest: enough for
// most jobs to finish, so that its plan can end the search when it reaches the bound.
constexpr auto kStandardBudget = std::chrono::seconds(1);
// Kept back from the time limit for the standard calculation at the end, when it has not run
// yet (at most a tenth of the limit): the whole calculation ends within the limit, except that
// the standard calculation always gets kStandardLeastTime, so that even a very short limit
// ends with a plan no dearer than the standard calculation's on jobs it finishes at once.
constexpr auto kStandardReserve = std::chrono::seconds(1);

BarPlan BoundedStandardPlan(const BarJob& job, const SearchControl& control,
                            SearchControl::Clock::time_point end, bool needPlan) {
    const auto start = SearchControl::Clock::now();
    // The standard search reports after every pass and then looks at its control, so the
    // report decides whether that pass was the last.
    SearchControl budget;
    budget.onProgress = [&](const SearchProgress& progress) {
        const bool planFound = progress.bestCost.has_value();
        const auto now = SearchControl::Clock::now();
        const auto extra = planFound || !needPlan ? 0s : kStandardPlanTime;
        if ((control.StopRequested() && now >= start + kStandardLeastTime + extra) ||
            now >= end + extra)
            budget.RequestStop();
    };
    BarPlan standard = RunBarCalculation(job, BarOptions{}, budget);
    standard.provenOptimal = false;
    return standard;
}

// Whether `candidate` is a better plan than `incumbent`: cheaper, or as dear with fewer bars.
bool BetterPlan(const BarPlan& candidate, const BarPlan& incumbent) {
    if (!candidate.HasPlan()) return false;
    if (!incumbent.HasPlan()) return true;
    const double a = PlanCost(candidate), b = PlanCost(incumbent);
    const double tolerance = 1e-6 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
    if (a < b - tolerance) return true;
    return a <= b + tolerance && candidate.resultBarCount < incumbent.resultBarCount;
}

// Pieces beyond the demand taken off, then the plan's bars and costs.
void TakePlan(std::vector<optimal::PatternRun> runs, const std::vector<std::int64_t>& demand,
              const std::vector<std::vector<std::int32_t>>& groupKinds, const BarWorkingSet& set,
              BarPlan& plan) {
    optimal::RemoveSurplus(runs, demand);
    optimal::FillPlanBars(runs, groupKinds, set.pieceRemaining, plan);
    MarkPlan(plan);
}

// The arc-flow model is worth solving (it can prove what the pattern integer program could
// not) when its graphs stay this small; larger ones take CBC longer than the time limit
// for their first relaxation and hundreds of megabytes.
constexpr std::size_t kArcFlowArcLimit = 20000;

}  // namespace

BarPlan RunOptimalBarCalculation(const BarJob& job, const OptimalBarOptions& options,
                                 const SearchControl& control) {
    const auto started = SearchControl::Clock::now();
    // The time limit runs from here; the control's own deadline may end it earlier.
    auto deadline = started + std::chrono::hours(24 * 365);
    if (options.timeLimitSeconds > 0.0 && options.timeLimitSeconds < 1e9)
        deadline = started + std::chrono::duration_cast<SearchControl::Clock::duration>(
                                 std::chrono::duration<double>(options.timeLimitSeconds));
    if (const auto own = control.Deadline()) deadline = std::min(deadline, *own);
    // The stages before the final standard calculation end this much earlier.
    const auto searchDeadline =
        deadline -
        std::clamp<SearchControl::Clock::duration>(
            (deadline - started) / 10, SearchControl::Clock::duration::zero(), kStandardReserve);
    // The share of what is left until the search deadline, from now.
    auto shareOfRest = [&](int percent) {
        const auto now = SearchControl::Clock::now();
        return searchDeadline > now ? now + (searchDeadline - now) * percent / 100 : searchDeadline;
    };

    const BarWorkingSet set = PrepareWorkingSet(job);
    BarPlan plan;
    CopyWorkingTables(set, plan);
    MarkNoPlan(plan);
    if (set.pieceLength.empty() || set.stockLength.empty()) return plan;

    // Exact whole-number lengths for the pattern model (any size will do there); the arc-flow
    // graphs are built only when these fit the memory budget.
    const Lengths lengths = ScaleLengths(set, std::numeric_limits<std::int64_t>::max());

    // Length groups: kinds of equal width share one group (kinds of equal length stay apart
    // only when part codes are shown). Kinds are sorted by descending length, so each group
    // is a run of neighbouring kinds.
    std::vector<std::int64_t> groupWidth;
    std::vector<std::vector<std::int32_t>> groupKinds;
    std::vector<std::int64_t> demand;
    for (std::size_t i = 0; i < lengths.width.size(); ++i) {
        if (groupWidth.empty() || groupWidth.back() != lengths.width[i]) {
            groupWidth.push_back(lengths.width[i]);
            groupKinds.emplace_back();
            demand.push_back(0);
        }
        groupKinds.back().push_back(static_cast<std::int32_t>(i));
        demand.back() += set.pieceRemaining[i];
    }
    // A group that fits no usable type cannot be cut: no plan, without asking the solver.
    for (const std::int64_t width : groupWidth) {
        bool fits = false;
        for (const std::int64_t capacity : lengths.capacity) fits = fits || width <= capacity;
        if (!fits) return plan;
    }

    const BarWeights weights = WeighBars(set);
    auto progress = [&](double best, double bound) {
        SearchProgress report;
        if (!std::isnan(best)) report.bestCost = CostOfObjective(weights, best);
        if (std::isfinite(bound) && lengths.exact) report.lowerBound = CostBound(weights, bound);
        control.Report(report);
    };

    // The standard calculation's plan, once it has run.
    BarPlan standard;
    bool standardRun = false;
    // The proven bound on the objective and the best plan so far (as pattern runs).
    double bound = -std::numeric_limits<double>::infinity();
    bool haveRuns = false;
    std::vector<optimal::PatternRun> bestRuns;
    double bestObjective = std::numeric_limits<double>::infinity();
    bool proven = false;
    auto reachesBound = [&] {
        if (!haveRuns || !lengths.exact || !std::isfinite(bound)) return false;
        const double slack = 1e-9 * std::fabs(bound) + 1e-6;
        return weights.wholeCost ? std::round(bestObjective) <= std::ceil(bound - slack)
                                 : bestObjective <= bound + slack;
    };

    // First the pattern model: column generation gives the bound, the integer program over its
    // patterns a plan. Most jobs end here, proven.
    {
        optimal::PatternProblem patterns;
        patterns.capacity = lengths.capacity;
        patterns.weight = weights.weight;
        for (const std::int32_t limit : set.countLimit) patterns.limit.push_back(limit);
        patterns.width = groupWidth;
        patterns.demand = demand;
        patterns.wholeWeights = weights.wholeCost;
        const std::int64_t bits = optimal::ArcFlowWorkBits(
            *std::max_element(lengths.capacity.begin(), lengths.capacity.end()), groupWidth.size());
        // The arc-flow graphs, when they are small enough to be worth solving later.
        optimal::FlowProblem problem;
        std::size_t arcs = 0;
        bool graphsSmall = lengths.exact && bits <= options.graphBitsBudget;
        for (std::size_t t = 0; t < lengths.capacity.size() && graphsSmall; ++t) {
            problem.graphs.push_back(optimal::BuildArcFlowGraph(lengths.capacity[t], groupWidth));
            problem.barLimit.push_back(set.countLimit[t]);
            arcs += problem.graphs.back().arcs.size();
            graphsSmall = arcs <= kArcFlowArcLimit;
        }
        if (!graphsSmall) problem = {};
        // When the dive proves nothing, the standard calculation on its short budget: its plan
        // may reach the bound, and the integer program then looks only for cheaper ones.
        auto standardPlan = [&] {
            standard = BoundedStandardPlan(
                job, control, std::min(SearchControl::Clock::now() + kStandardBudget, deadline),
                false);
            standardRun = true;
            if (!standard.HasPlan()) return std::numeric_limits<double>::infinity();
            double objective = 0.0;
            for (std::size_t t = 0; t < standard.resultCount.size(); ++t)
                objective += static_cast<double>(standard.resultCount[t]) * weights.weight[t];
            return objective;
        };
        const optimal::PatternSolution solved = optimal::SolvePatternProblem(
            patterns, shareOfRest(graphsSmall ? 40 : 85), options.seed, control, standardPlan);
        if (solved.infeasible && lengths.exact) return plan;
        if (solved.boundKnown && lengths.exact) bound = solved.bound;
        if (solved.hasPlan) {
            haveRuns = true;
            bestRuns = solved.runs;
            bestObjective = solved.objective;
            progress(bestObjective, bound);
        }
        proven = reachesBound();

        // Then, when that proved nothing and the graphs are small, the arc-flow model with the
        // rest of the time: a plan strictly cheaper than the one in hand, or the proof that
        // there is none.
        if (!proven && graphsSmall && !control.ShouldStop()) {
            {
                problem.barWeight = weights.weight;
                problem.demand = demand;
                problem.allowableGap = weights.wholeCost ? 0.5 : 1e-9;
                if (haveRuns && weights.wholeCost) problem.cutoff = std::round(bestObjective) - 0.5;
                const auto flowDeadline = shareOfRest(85);
                FlowSolution solution = optimal::SolveFlowProblem(problem, flowDeadline,
                                                                  options.seed, control, progress);
                // A verdict reached before the deadline and without a stop request is a proof;
                // a solve cut short says nothing.
                const bool cutShort =
                    control.ShouldStop() || SearchControl::Clock::now() >= flowDeadline;
                if (solution.status == FlowSolution::Status::Infeasible && !cutShort) {
                    // With a cutoff below the plan in hand, that plan is optimal; without a
                    // plan, there is none within the limits.
                    if (!haveRuns) return plan;
                    proven = true;
                } else if (solution.hasSolution) {
                    if (solution.objective < bestObjective) {
                        std::vector<optimal::PatternRun> runs;
                        for (std::size_t t = 0; t < problem.graphs.size(); ++t) {
                            auto typeRuns = optimal::DecomposeFlow(
                                problem.graphs[t], static_cast<std::int32_t>(t),
                                solution.arcFlow[t], groupWidth.size());
                            runs.insert(runs.end(), typeRuns.begin(), typeRuns.end());
                        }
                        bestRuns = std::move(runs);
                        bestObjective = solution.objective;
                        haveRuns = true;
                    }
                    if (std::isfinite(solution.bound)) bound = std::max(bound, solution.bound);
                    proven = solution.status == FlowSolution::Status::Optimal || reachesBound();
                } else if (std::isfinite(solution.bound) &&
                           solution.status != FlowSolution::Status::Stopped) {
                    bound = std::max(bound, solution.bound);
                }
            }
        }
    }

    if (haveRuns) {
        TakePlan(bestRuns, demand, groupKinds, set, plan);
        plan.provenOptimal = lengths.exact && proven;
        plan.costLowerBound = ProvenCostBound(weights, bound, set);
        if (plan.provenOptimal) plan.costLowerBound = plan.bestCost;
        plan.costLowerBound = std::min(plan.costLowerBound, static_cast<double>(plan.bestCost));
        if (plan.provenOptimal) return plan;
    }

    // Without a proof, the standard calculation's plan on a short budget as well: the result
    // is never dearer than the standard calculation's, and a stopped solve still has a plan
    // where the standard calculation finds one.
    if (!standardRun || (!haveRuns && !standard.HasPlan()))
        standard = BoundedStandardPlan(
            job, control, std::max(deadline, SearchControl::Clock::now() + kStandardLeastTime),
            !haveRuns);
    if (!BetterPlan(standard, plan)) return plan;
    const double lower = haveRuns ? plan.costLowerBound : ProvenCostBound(weights, bound, set);
    standard.costLowerBound = std::min(lower, static_cast<double>(standard.bestCost));
    // The standard plan may itself reach the proven bound.
    if (lengths.exact && std::isfinite(bound) && weights.wholeCost) {
        bestObjective = 0.0;
        for (std::size_t t = 0; t < standard.resultCount.size() && t < weights.weight.size(); ++t)
            bestObjective += static_cast<double>(standard.resultCount[t]) * weights.weight[t];
        haveRuns = true;
        if (reachesBound()) {
            standard.provenOptimal = true;
            standard.costLowerBound = standard.bestCost;
        }
    }
    return standard;
}

std::string OptimalSummaryText(const BarPlan& plan) {
    if (!plan.HasPlan()) return {};
    if (plan.provenOptimal) return "最適";
    const double cost = plan.bestCost;
    const double gap = cost > 0.0 ? (cost - plan.costLowerBound) / cost * 100.0 : 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::max(0.0, gap));
    return std::string("下限との差 ") + text + "%";
}

}  // namespace tvx::bar
