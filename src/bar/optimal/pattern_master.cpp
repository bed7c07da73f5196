#include "bar/optimal/pattern_master.h"

#include "bar/optimal/branch_and_price.h"
#include "bar/optimal/cbc_solve.h"
#include "bar/optimal/pattern_dive.h"
#include "bar/optimal/pattern_enumeration.h"
#include "bar/optimal/pattern_lp.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <set>
#include <string>

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Patterns listed by reduced cost for one integer program, at most: CBC needs about 10 kB
// per pattern of such a program, so this keeps a solve near 100 MB.
constexpr std::size_t kEnumerationLimit = 10'000;
// The tree search's try at proving a dive's plan that lies one whole step above the bound, at
// most this long (and a tenth of the dive's time): such a plan is often optimal, and the tree
// closes in a few nodes, far sooner than the dive would give up looking for a cheaper one.
constexpr auto kQuickProofTime = std::chrono::milliseconds(300);

// Stops CBC on a stop request or at the deadline.
class StopEvents : public CbcEventHandler {
  public:
    StopEvents(const SearchControl& control, SearchControl::Clock::time_point deadline)
        : control_(&control), deadline_(deadline) {}
    StopEvents(const StopEvents&) = default;
    CbcEventHandler* clone() const override { return new StopEvents(*this); }
    CbcAction event(CbcEvent whichEvent) override {
        if (whichEvent != endSearch &&
            (control_->ShouldStop() || SearchControl::Clock::now() >= deadline_))
            return stop;
        return noAction;
    }

  private:
    const SearchControl* control_;
    SearchControl::Clock::time_point deadline_;
};

// A stronger bound from whole bars: every plan buys whole bars, within the count limits, whose
// lengths together hold all the pieces, so its cost is one that some numbers of bars cost in
// all while holding the total piece length. The least such cost from `from` (a proven bound,
// whole weights) up to `upTo`, or `upTo` itself when none lies below it. Limits are left aside
// (which only weakens the bound) when the table would take too long with them.
double WholeBarBound(const std::vector<double>& weight, const std::vector<std::int64_t>& capacity,
                     const std::vector<std::int64_t>& limit, std::int64_t pieceLength, double from,
                     double upTo) {
    constexpr double kMostSteps = 20'000'000;     // weight steps the table may have
    constexpr double kMostUpdates = 200'000'000;  // table updates the limits may cost
    const double first = std::max(0.0, std::ceil(from - 1e-6));
    if (!(upTo > first) || upTo > kMostSteps) return from;
    for (const double w : weight)
        if (!(w >= 1.0) || w != std::round(w)) return from;
    // A limited type as bundles of 1, 2, 4, ... bars (and the rest), each taken once at most.
    struct Bundle {
        std::size_t weight;
        std::int64_t length;
    };
    std::vector<Bundle> bundles;
    std::vector<std::size_t> unlimited;
    for (std::size_t t = 0; t < weight.size(); ++t) {
        const auto w = static_cast<std::size_t>(weight[t]);
        if (limit[t] <= 0) {
            unlimited.push_back(t);
            continue;
        }
        std::int64_t left = limit[t];
        for (std::int64_t size = 1; left > 0; size *= 2) {
            const std::int64_t take = std::min(size, left);
            bundles.push_back({w * static_cast<std::size_t>(take), capacity[t] * take});
            left -= take;
        }
    }
    const auto last = static_cast<std::size_t>(upTo);
    if (static_cast<double>(bundles.size()) * static_cast<double>(last) > kMostUpdates) {
        bundles.clear();
        unlimited.clear();
        for (std::size_t t = 0; t < weight.size(); ++t) unlimited.push_back(t);
    }
    // most[c]: the greatest total length of bars that cost exactly c (-1: no such bars).
    std::vector<std::int64_t> most(last + 1, -1);
    most[0] = 0;
    for (const Bundle& bundle : bundles)
        for (std::size_t c = last; c >= bundle.weight && c > 0; --c)
            if (most[c - bundle.weight] >= 0)
                most[c] = std::max(most[c], most[c - bundle.weight] + bundle.length);
    for (std::size_t c = 1; c <= last; ++c)
        for (const std::size_t t : unlimited) {
            const auto w = static_cast<std::size_t>(weight[t]);
            if (w <= c && most[c - w] >= 0) most[c] = std::max(most[c], most[c - w] + capacity[t]);
        }
    for (auto c = static_cast<std::size_t>(first); c < last; ++c)
        if (most[c] >= pieceLength) return static_cast<double>(c);
    return upTo;
}

// The objective of each pattern: the weight of its stock type.
std::vector<double> PatternWeights(const PatternProblem& problem,
                                   const std::vector<Column>& columns) {
    std::vector<double> weight;
    for (const Column& column : columns) weight.push_back(problem.weight[column.type]);
    return weight;
}

// What CBC made of a pattern integer program: the best counts it found (unchecked), and
// whether its search ran to the end (optimal over these patterns, or no plan below the
// cutoff) before any stop request or deadline.
struct RestrictedSolve {
    std::optional<std::vector<std::int64_t>> counts;
    bool provenOptimal = false;
    bool provenInfeasible = false;
};

// Further bounds a plan within a target must keep: each group cut at most `surplus` pieces
// beyond its demand, each limited type used at least its limit less `unused`.
struct SlackCaps {
    std::vector<std::int64_t> surplus;  // per group
    std::vector<std::int64_t> unused;   // per type
    std::vector<std::int64_t> bars;     // per type: at most this many bars
    // Per pattern of the list, its reduced cost; a plan's sum of them is at most `budget`.
    std::vector<double> reduced;
    double budget = kInfinity;
};

// Every plan of weight at most bound + `slack` under `duals` wastes at most `slack` on the
// terms of RoundDuals' sum, so a group with price π gets at most slack / π surplus pieces and
// a type with limit dual μ leaves at most slack / |μ| of its limit unused.
SlackCaps CapsWithin(const PatternProblem& problem, const RoundDuals& duals, double slack) {
    constexpr std::int64_t kAny = std::numeric_limits<std::int32_t>::max();
    const double margin = 1e-6 * std::max(1.0, std::fabs(duals.bound));
    auto most = [&](double dual) {
        const double share = (slack + margin) / std::fabs(dual);
        return std::fabs(dual) < 1e-9 || !(share < 1e9) ? kAny : static_cast<std::int64_t>(share);
    };
    SlackCaps caps;
    for (std::size_t g = 0; g < problem.width.size(); ++g)
        caps.surplus.push_back(most(duals.price[g]));
    for (std::size_t t = 0; t < problem.capacity.size(); ++t)
        caps.unused.push_back(problem.limit[t] > 0 ? most(duals.limitDual[t]) : kAny);
    caps.bars.assign(problem.capacity.size(), kAny);
    return caps;
}

// The reduced cost of a pattern under `duals` (see RoundDuals).
double ReducedCost(const RoundDuals& duals, const Column& column) {
    double value = 0.0;
    for (std::size_t g = 0; g < column.perGroup.size(); ++g)
        value += duals.price[g] * static_cast<double>(column.perGroup[g]);
    return duals.emptyCost[column.type] - value;
}

// Every bar of a plan within the slack adds at least the least reduced cost of its type's
// patterns, which the list holds whenever it is within the slack: so at most slack / that
// many bars of the type, and none of a type with nothing listed.
void CapBars(const RoundDuals& duals, const std::vector<Column>& listed, double slack,
             SlackCaps& caps) {
    const double margin = 1e-6 * std::max(1.0, std::fabs(duals.bound));
    std::vector<double> least(caps.bars.size(), kInfinity);
    caps.reduced.clear();
    for (const Column& column : listed) {
        caps.reduced.push_back(std::max(0.0, ReducedCost(duals, column)));
        least[column.type] = std::min(least[column.type], caps.reduced.back());
    }
    caps.budget = slack + margin;
    for (std::size_t t = 0; t < least.size(); ++t) {
        if (!std::isfinite(least[t])) {
            caps.bars[t] = 0;
            continue;
        }
        const double share = (slack + margin) / least[t];
        if (least[t] > 1e-9 && share < 1e9) caps.bars[t] = static_cast<std::int64_t>(share);
    }
}

// The integer program over the given patterns with CBC: demand and limits, the given
// objective per pattern and, optionally, the plan's weight at most `weightCap` and the slack
// caps; from `start` when given; only plans below `cutoff` (infinite: any).
RestrictedSolve SolveRestricted(const PatternProblem& problem, const std::vector<Column>& columns,
                                const std::vector<double>& objective,
                                std::optional<double> weightCap,
                                const std::vector<std::int64_t>* start, double cutoff,
                                SearchControl::Clock::time_point deadline, int seed,
                                const SearchControl& control, const SlackCaps* caps = nullptr) {
    const std::vector<int> limitRow = LimitRows(problem);
    const std::size_t patterns = columns.size();
    int capRow = static_cast<int>(problem.width.size());
    for (const int row : limitRow) capRow = std::max(capRow, row + 1);
    // One row per type: its patterns' bars less its bar count, a column of its own that the
    // search may branch on (a few whole bar counts decide most of the cost).
    const std::size_t types = problem.capacity.size();
    const int typeRow = capRow + (weightCap ? 1 : 0);
    const bool budgeted = caps != nullptr && std::isfinite(caps->budget);
    const int budgetRow = typeRow + static_cast<int>(types);
    const int rows = budgetRow + (budgeted ? 1 : 0);
    std::vector<double> rowLower(static_cast<std::size_t>(rows)),
        rowUpper(static_cast<std::size_t>(rows));
    for (std::size_t g = 0; g < problem.width.size(); ++g) {
        rowLower[g] = static_cast<double>(problem.demand[g]);
        rowUpper[g] = kInfinity;
        if (caps != nullptr && caps->surplus[g] < problem.demand[g] * 4)
            rowUpper[g] = static_cast<double>(problem.demand[g] + caps->surplus[g]);
    }
    for (std::size_t t = 0; t < problem.capacity.size(); ++t)
        if (limitRow[t] >= 0) {
            const auto row = static_cast<std::size_t>(limitRow[t]);
            rowLower[row] = -kInfinity;
            rowUpper[row] = static_cast<double>(problem.limit[t]);
            if (caps != nullptr && caps->unused[t] < problem.limit[t])
                rowLower[row] = static_cast<double>(problem.limit[t] - caps->unused[t]);
        }
    if (weightCap) {
        rowLower[static_cast<std::size_t>(capRow)] = -kInfinity;
        rowUpper[static_cast<std::size_t>(capRow)] = *weightCap + 1e-6;
    }
    std::vector<CoinBigIndex> first;
    std::vector<int> length, rowIndex;
    std::vector<double> element;
    std::vector<double> columnLower(patterns + types, 0.0),
        columnUpper(patterns + types, kInfinity);
    for (std::size_t c = 0; c < patterns; ++c) {
        first.push_back(static_cast<CoinBigIndex>(rowIndex.size()));
        const Column& column = columns[c];
        AppendPatternEntries(column, limitRow, rowIndex, element);
        if (weightCap) {
            rowIndex.push_back(capRow);
            element.push_back(problem.weight[column.type]);
        }
        rowIndex.push_back(typeRow + static_cast<int>(column.type));
        element.push_back(1.0);
        if (budgeted && caps->reduced[c] > 1e-9) {
            rowIndex.push_back(budgetRow);
            element.push_back(caps->reduced[c]);
        }
        length.push_back(static_cast<int>(rowIndex.size()) - first.back());
    }
    for (std::size_t t = 0; t < types; ++t) {
        first.push_back(static_cast<CoinBigIndex>(rowIndex.size()));
        rowIndex.push_back(typeRow + static_cast<int>(t));
        element.push_back(-1.0);
        length.push_back(1);
        if (problem.limit[t] > 0) columnUpper[patterns + t] = static_cast<double>(problem.limit[t]);
        if (caps != nullptr)
            columnUpper[patterns + t] =
                std::min(columnUpper[patterns + t], static_cast<double>(caps->bars[t]));
    }
    if (budgeted) {
        rowLower[static_cast<std::size_t>(budgetRow)] = -kInfinity;
        rowUpper[static_cast<std::size_t>(budgetRow)] = caps->budget;
    }
    std::vector<double> fullObjective = objective;
    fullObjective.resize(patterns + types, 0.0);
    const CoinPackedMatrix matrix(true, rows, static_cast<int>(patterns + types),
                                  static_cast<CoinBigIndex>(element.size()), element.data(),
                                  rowIndex.data(), first.data(), length.data());
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), fullObjective.data(),
                       rowLower.data(), rowUpper.data());
    for (std::size_t c = 0; c < patterns + types; ++c) solver.setInteger(static_cast<int>(c));
    // The dual simplex for the first relaxation: CLP's automatic choice takes its sprint
    // method for models with many more columns than rows, and that writes to standard output.
    ClpSolve firstSolve;
    firstSolve.setSolveType(ClpSolve::useDual);
    solver.setSolveOptions(firstSolve);
    CbcModel model(solver);
    model.messageHandler()->setLogLevel(0);
    StopEvents events(control, deadline);
    model.passInEventHandler(&events);
    const bool whole = std::all_of(objective.begin(), objective.end(),
                                   [](double w) { return w == std::round(w); });
    // Only plans below `cutoff` (by a whole step when the objective is whole) are of use; the
    // starting plan is then not one of them.
    const double cbcCutoff = whole ? cutoff - 0.5 : cutoff - 1e-9;
    if (std::isfinite(cutoff)) model.setCutoff(cbcCutoff);
    if (start != nullptr && !std::isfinite(cutoff)) {
        std::vector<double> values(patterns + types, 0.0);
        double value = 0.0;
        for (std::size_t c = 0; c < patterns && c < start->size(); ++c) {
            values[c] = static_cast<double>((*start)[c]);
            values[patterns + columns[c].type] += values[c];
            value += values[c] * objective[c];
        }
        model.setBestSolution(values.data(), static_cast<int>(patterns + types), value, true);
    }
    RunCbcSolve(model, {.seed = seed,
                        .deadline = deadline,
                        .allowableGap = whole ? 0.5 : 1e-9,
                        .cutoff = std::isfinite(cutoff) ? cbcCutoff : kInfinity,
                        .preprocess = start == nullptr});
    RestrictedSolve result;
    const bool cutShort = TimeIsUp(control, deadline);
    // A solve stopped inside CBC's preprocessing may leave a solution of its reduced model,
    // which has other columns: only one of the model as built is read.
    const double* best = model.bestSolution();
    if (best != nullptr && (model.solver() == nullptr ||
                            model.solver()->getNumCols() != static_cast<int>(patterns + types)))
        best = nullptr;
    if (best != nullptr) {
        std::vector<std::int64_t> counts(patterns);
        for (std::size_t c = 0; c < patterns; ++c) counts[c] = std::llround(best[c]);
        result.counts = std::move(counts);
        result.provenOptimal = !cutShort && model.isProvenOptimal();
    } else {
        result.provenInfeasible = !cutShort && model.isProvenInfeasible();
    }
    return result;
}

// Every maximal pattern of every type whose reduced cost under `duals` is at most `slack`
// (see RoundDuals), at most `most` in all; nothing when there are more.
std::optional<std::vector<Column>> PatternsWithin(const PatternProblem& problem,
                                                  const RoundDuals& duals, double slack,
                                                  std::size_t most) {
    std::vector<Column> listed;
    for (std::size_t t = 0; t < problem.capacity.size(); ++t) {
        if (!std::isfinite(duals.emptyCost[t])) continue;
        const auto patterns =
            EnumeratePatterns({problem.capacity[t], duals.emptyCost[t]}, problem.width,
                              problem.demand, duals.price, slack, most - listed.size());
        if (!patterns) return std::nullopt;
        for (const auto& perGroup : *patterns) listed.push_back({t, perGroup});
    }
    return listed;
}

}  // namespace

PatternSolution SolvePatternProblem(const PatternProblem& problem,
                                    SearchControl::Clock::time_point deadline, int seed,
                                    const SearchControl& control, const OtherPlan& otherPlan) {
    const std::size_t types = problem.capacity.size();
    PatternSolution result;
    MasterLp master(problem);

    // The relaxation of the whole job: its Lagrangian bound is the proof.
    double bound = -kInfinity;
    const bool converged = master.Generate(control, deadline, bound);
    // The whole job's last duals, before the dive prices residual problems.
    const RoundDuals wholeDuals = master.duals();
    if (std::isfinite(bound)) {
        result.bound = bound;
        result.boundKnown = true;
    }
    // No plan at all when even the relaxation needs an artificial column.
    if (converged && master.Artificial() > 1e-6) {
        result.infeasible = true;
        return result;
    }
    auto reachesBound = [&](double objective) {
        if (!result.boundKnown) return false;
        const double slack = 1e-9 * std::fabs(result.bound) + 1e-6;
        return problem.wholeWeights ? std::round(objective) <= std::ceil(result.bound - slack)
                                    : objective <= result.bound + slack;
    };

    // A dive with a limited discrepancy search over the relaxation (half the time at most).
    // The bound from whole bars rises with every better plan it finds, towards that plan.
    std::int64_t pieceLength = 0;
    for (std::size_t g = 0; g < problem.width.size(); ++g)
        pieceLength += problem.width[g] * problem.demand[g];
    std::vector<std::int64_t> count;
    bool dived = false;
    if (converged && problem.dive) {
        const auto now = SearchControl::Clock::now();
        const auto diveDeadline = now + (deadline - now) / 2;
        auto boundForPlan = [&](double objective) {
            if (problem.wholeWeights && result.boundKnown)
                result.bound = std::max(
                    result.bound, WholeBarBound(problem.weight, problem.capacity, problem.limit,
                                                pieceLength, result.bound, std::round(objective)));
            const double slack = 1e-9 * std::fabs(result.bound) + 1e-6;
            if (problem.wholeWeights && result.boundKnown &&
                std::round(objective) == std::ceil(result.bound - slack) + 1.0) {
                const auto at = SearchControl::Clock::now();
                if (at >= diveDeadline) return result.bound;
                BranchAndPriceStart start;
                start.objective = std::round(objective);
                start.bound = result.bound;
                for (const Column& column : master.columns())
                    start.patterns.push_back(
                        {static_cast<std::int32_t>(column.type), column.perGroup, 0});
                const auto quick = std::min<SearchControl::Clock::time_point>(
                    at + kQuickProofTime, at + (diveDeadline - at) / 10);
                const BranchAndPriceResult searched =
                    BranchAndPrice(problem, start, quick, control);
                // Only a closed tree without a cheaper plan says something here: the plan is
                // optimal. (A cheaper plan found on the way is left to the later stages.)
                if (searched.complete && !searched.improved)
                    result.bound = std::max(result.bound, searched.bound);
            }
            return result.bound;
        };
        const DivePlan plan = DiveForPlan(problem, master, DiveSettings{}, result.bound,
                                          boundForPlan, diveDeadline, deadline, control);
        if (plan.found) {
            count = plan.count;
            dived = true;
        }
    }
    // The plan's patterns: the generated ones, then any listed by reduced cost.
    std::vector<Column> columns = master.columns();
    count.resize(columns.size(), 0);
    double diveObjective = 0.0;
    const bool diveGood = dived && CheckCounts(problem, columns, count, diveObjective);

    auto takeCounts = [&](const std::vector<std::int64_t>& counts, double objective) {
        if (problem.wholeWeights && result.boundKnown)
            result.bound = std::max(
                result.bound, WholeBarBound(problem.weight, problem.capacity, problem.limit,
                                            pieceLength, result.bound, std::round(objective)));
        result.hasPlan = true;
        result.objective = objective;
        result.runs.clear();
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (counts[c] > 0)
                result.runs.push_back(
                    {static_cast<std::int32_t>(columns[c].type), columns[c].perGroup, counts[c]});
        count = counts;
    };
    if (diveGood) takeCounts(count, diveObjective);

    // Among plans of the least cost, fewer bars: once the cost is proven, the patterns' integer
    // program again, for the fewest bars at no more than that cost (a quarter of the time
    // left). With one usable type, the cost fixes the number of bars.
    auto fewestBars = [&] {
        if (!result.hasPlan || !reachesBound(result.objective) || TimeIsUp(control, deadline))
            return;
        int usable = 0;
        for (std::size_t t = 0; t < types; ++t)
            usable += std::any_of(problem.width.begin(), problem.width.end(),
                                  [&](std::int64_t w) { return w <= problem.capacity[t]; });
        if (usable < 2) return;
        const auto now = SearchControl::Clock::now();
        const auto quarter = now + (deadline - now) / 4;
        const std::vector<double> one(columns.size(), 1.0);
        const auto fewer = SolveRestricted(problem, columns, one, result.objective, &count,
                                           kInfinity, quarter, seed, control);
        if (!fewer.counts) return;
        double fewerObjective = 0.0;
        std::int64_t barsBefore = 0, barsAfter = 0;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            barsBefore += count[c];
            barsAfter += (*fewer.counts)[c];
        }
        if (CheckCounts(problem, columns, *fewer.counts, fewerObjective) &&
            fewerObjective <= result.objective + 1e-9 && barsAfter < barsBefore)
            takeCounts(*fewer.counts, fewerObjective);
    };
    if (diveGood && reachesBound(diveObjective)) {
        fewestBars();
        return result;
    }
    if (TimeIsUp(control, deadline)) return result;

    // Price and branch made exact: every pattern whose reduced cost under the whole job's duals
    // is small enough to appear in a plan of cost at most `target`, and the integer program
    // over them for a plan of that cost. A plan found and proven optimal over that set is the
    // optimum; no plan there means none at all, and the bound rises to the next whole step.
    // The target starts at the bound and grows in doubling steps while the lists stay short.
    if (problem.wholeWeights && result.boundKnown && wholeDuals.valid) {
        const auto now = SearchControl::Clock::now();
        const auto stageDeadline = now + (deadline - now) * 3 / 5;
        const double slackOfSums = 1e-9 * std::fabs(result.bound) + 1e-6;
        double lowest = std::ceil(result.bound - slackOfSums);
        const double dearest = result.hasPlan ? std::round(result.objective) : kInfinity;
        double step = 0.0;
        while (lowest < dearest && !TimeIsUp(control, stageDeadline)) {
            const double target = std::min(lowest + step, dearest - 1.0);
            auto listed =
                PatternsWithin(problem, wholeDuals, target - wholeDuals.bound, kEnumerationLimit);
            if (!listed) break;
            SlackCaps caps = CapsWithin(problem, wholeDuals, target - wholeDuals.bound);
            CapBars(wholeDuals, *listed, target - wholeDuals.bound, caps);
            std::vector<Column> pool = std::move(*listed);
            const auto solved =
                SolveRestricted(problem, pool, PatternWeights(problem, pool), std::nullopt, nullptr,
                                target + 1.0, stageDeadline, seed, control, &caps);
            double objective = 0.0;
            if (solved.counts && CheckCounts(problem, pool, *solved.counts, objective) &&
                std::round(objective) <= target &&
                (!result.hasPlan || objective < result.objective)) {
                columns = std::move(pool);
                takeCounts(*solved.counts, objective);
                // Optimal over every pattern a cheaper plan could use: optimal.
                if (solved.provenOptimal) result.bound = std::max(result.bound, objective);
                break;
            }
            if (!solved.provenInfeasible) break;
            lowest = target + 1.0;
            result.bound = std::max(result.bound, lowest);
            step = 2.0 * step + 1.0;
        }
        if (result.hasPlan && reachesBound(result.objective)) {
            fewestBars();
            return result;
        }
    }
    // Branch and price over the relaxation with three quarters of the time left: a cheaper
    // plan, a higher bound, or the proof that the plan in hand is optimal. It only ever adds a
    // checked cheaper plan or raises the bound.
    if (result.boundKnown && !TimeIsUp(control, deadline)) {
        const auto now = SearchControl::Clock::now();
        BranchAndPriceStart start;
        start.runs = result.runs;
        start.objective = result.hasPlan ? result.objective : kInfinity;
        start.bound = result.bound;
        for (const Column& column : columns)
            start.patterns.push_back({static_cast<std::int32_t>(column.type), column.perGroup, 0});
        const BranchAndPriceResult searched =
            BranchAndPrice(problem, start, now + (deadline - now) * 3 / 4, control);
        if (searched.infeasible && !result.hasPlan) {
            result.infeasible = true;
            return result;
        }
        result.bound = std::max(result.bound, searched.bound);
        if (searched.improved) {
            std::vector<std::int64_t> counts(columns.size(), 0);
            for (const PatternRun& run : searched.runs) {
                columns.push_back({static_cast<std::size_t>(run.stockType), run.perGroup});
                counts.push_back(run.count);
            }
            double objective = 0.0;
            if (CheckCounts(problem, columns, counts, objective) &&
                (!result.hasPlan || objective < result.objective))
                takeCounts(counts, objective);
        }
        if (result.hasPlan && reachesBound(result.objective)) {
            fewestBars();
            return result;
        }
        // Its patterns join the final integer program's, as many as that stays small with.
        std::set<std::pair<std::size_t, std::vector<std::int64_t>>> known;
        for (const Column& column : columns) known.insert({column.type, column.perGroup});
        for (const PatternRun& pattern : searched.patterns) {
            if (columns.size() >= kEnumerationLimit) break;
            const auto type = static_cast<std::size_t>(pattern.stockType);
            if (known.insert({type, pattern.perGroup}).second)
                columns.push_back({type, pattern.perGroup});
        }
    }
    if (TimeIsUp(control, deadline)) return result;
    const double other = otherPlan ? otherPlan() : kInfinity;
    if (reachesBound(other) || TimeIsUp(control, deadline)) return result;

    // The integer program over all generated patterns, from the plan in hand.
    const std::vector<double> weightOf = PatternWeights(problem, columns);
    const double cutoff = std::min(other, result.hasPlan ? result.objective : kInfinity);
    count.resize(columns.size(), 0);
    const auto solved =
        SolveRestricted(problem, columns, weightOf, std::nullopt, result.hasPlan ? &count : nullptr,
                        cutoff, deadline, seed, control);
    double solvedObjective = 0.0;
    // Checked against the demand and the limits before it is trusted.
    if (solved.counts && CheckCounts(problem, columns, *solved.counts, solvedObjective) &&
        (!result.hasPlan || solvedObjective < result.objective))
        takeCounts(*solved.counts, solvedObjective);
    fewestBars();
    return result;
}

}  // namespace tvx::bar::optimal
