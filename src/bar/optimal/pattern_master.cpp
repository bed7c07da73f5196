#include "bar/optimal/pattern_master.h"

#include "bar/optimal/cbc_solve.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <string>

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::int64_t kKnapsackNodeLimit = 2'000'000;
constexpr int kRoundLimit = 2000;

// The most valuable filling of one bar: at most `bound[g]` pieces of group g, widths summing
// to at most the capacity, value = sum of the groups' prices. An exact depth-first search
// (groups in falling price per width, bounded by the fractional filling of the rest); when it
// exceeds its node budget, `upper` is the fractional bound of the whole bar instead of the
// value found, so that it stays an upper estimate.
class Knapsack {
  public:
    Knapsack(const std::vector<std::int64_t>& width, const std::vector<double>& price,
             const std::vector<std::int64_t>& bound, std::int64_t capacity)
        : width_(width), price_(price), bound_(bound), capacity_(capacity) {
        for (std::size_t g = 0; g < width.size(); ++g)
            if (price[g] > 1e-12 && width[g] <= capacity && bound[g] > 0) order_.push_back(g);
        std::sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            const double ra = price_[a] / static_cast<double>(width_[a]);
            const double rb = price_[b] / static_cast<double>(width_[b]);
            return ra != rb ? ra > rb : a < b;
        });
        current_.assign(width.size(), 0);
        best_ = current_;
    }

    void Solve() {
        upper_ = Fractional(0, capacity_);
        Search(0, capacity_, 0.0);
        if (nodes_ <= kKnapsackNodeLimit) upper_ = bestValue_;
    }
    double value() const { return bestValue_; }
    double upper() const { return std::max(upper_, bestValue_); }
    const std::vector<std::int64_t>& pattern() const { return best_; }

  private:
    double Fractional(std::size_t from, std::int64_t room) const {
        double value = 0.0;
        for (std::size_t i = from; i < order_.size() && room > 0; ++i) {
            const std::size_t g = order_[i];
            const std::int64_t take = std::min(bound_[g], room / width_[g]);
            value += static_cast<double>(take) * price_[g];
            room -= take * width_[g];
            if (take < bound_[g] && room > 0) {
                value += price_[g] * static_cast<double>(room) / static_cast<double>(width_[g]);
                break;
            }
        }
        return value;
    }

    void Search(std::size_t i, std::int64_t room, double value) {
        if (++nodes_ > kKnapsackNodeLimit) return;
        if (value > bestValue_ + 1e-12) {
            bestValue_ = value;
            best_ = current_;
        }
        if (i == order_.size()) return;
        if (value + Fractional(i, room) <= bestValue_ + 1e-12) return;
        const std::size_t g = order_[i];
        const std::int64_t most = std::min(bound_[g], room / width_[g]);
        for (std::int64_t n = most; n >= 0; --n) {
            current_[g] = n;
            Search(i + 1, room - n * width_[g], value + static_cast<double>(n) * price_[g]);
            if (nodes_ > kKnapsackNodeLimit) break;
        }
        current_[g] = 0;
    }

    const std::vector<std::int64_t>& width_;
    const std::vector<double>& price_;
    const std::vector<std::int64_t>& bound_;
    std::int64_t capacity_;
    std::vector<std::size_t> order_;
    std::vector<std::int64_t> current_;
    std::vector<std::int64_t> best_;
    double bestValue_ = 0.0;
    double upper_ = kInfinity;
    std::int64_t nodes_ = 0;
};

struct Column {
    std::size_t type = 0;
    std::vector<std::int64_t> perGroup;
};

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

bool TimeIsUp(const SearchControl& control, SearchControl::Clock::time_point deadline) {
    return control.ShouldStop() || SearchControl::Clock::now() >= deadline;
}

// The linear master problem over the patterns generated so far, for a residual demand and
// residual limits (the whole job at first; less as a dive fixes bars).
class Master {
  public:
    explicit Master(const PatternProblem& problem) : problem_(problem) {
        const std::size_t types = problem.capacity.size();
        const std::size_t groups = problem.width.size();
        need_ = problem.demand;
        room_ = problem.limit;
        for (const std::int64_t d : problem.demand) totalPieces_ += d;
        double largestWeight = 1.0;
        for (const double w : problem.weight) largestWeight = std::max(largestWeight, std::fabs(w));
        // An artificial column per group keeps the master feasible whatever the limits; it
        // costs more than any plan.
        const double artificialCost = largestWeight * static_cast<double>(totalPieces_ + 1) * 4.0;

        // Rows: one per group (at least its demand), then one per limited type (at most its
        // limit).
        limitRow_.assign(types, -1);
        rows_ = static_cast<int>(groups);
        for (std::size_t t = 0; t < types; ++t)
            if (problem.limit[t] > 0) limitRow_[t] = rows_++;
        lp_.setLogLevel(0);
        const CoinPackedMatrix empty(true, rows_, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const std::vector<double> zero(static_cast<std::size_t>(rows_), 0.0);
        lp_.loadProblem(empty, nullptr, nullptr, nullptr, zero.data(), zero.data());
        SetRowBounds();
        for (std::size_t g = 0; g < groups; ++g) {
            const int row = static_cast<int>(g);
            const double one = 1.0;
            lp_.addColumn(1, &row, &one, 0.0, kInfinity, artificialCost);
        }
        // Start: for each type, the single-group patterns (as many pieces as fit, at most the
        // demand).
        for (std::size_t t = 0; t < types; ++t)
            for (std::size_t g = 0; g < groups; ++g) {
                if (problem.width[g] > problem.capacity[t]) continue;
                std::vector<std::int64_t> perGroup(groups, 0);
                perGroup[g] = std::min(problem.demand[g], problem.capacity[t] / problem.width[g]);
                AddColumn(t, perGroup);
            }
    }

    const std::vector<Column>& columns() const { return columns_; }
    int rows() const { return rows_; }
    const std::vector<int>& limitRow() const { return limitRow_; }
    bool Done() const {
        return std::all_of(need_.begin(), need_.end(), [](std::int64_t n) { return n == 0; });
    }

    // Column generation until no pattern prices out (true) or the time is up (false). The
    // Lagrangian bound of each round on the residual problem: the best is in `bound`.
    bool Generate(const SearchControl& control, SearchControl::Clock::time_point deadline,
                  double& bound) {
        const std::size_t types = problem_.capacity.size();
        const std::size_t groups = problem_.width.size();
        std::int64_t pieces = 0;
        for (const std::int64_t n : need_) pieces += n;
        std::vector<double> price(groups);
        for (int round = 0; round < kRoundLimit && !TimeIsUp(control, deadline); ++round) {
            lp_.primal(1);
            if (lp_.status() != 0) return false;  // not solved: no duals to trust
            const double* dual = lp_.dualRowSolution();
            double roundBound = 0.0;
            for (std::size_t g = 0; g < groups; ++g) {
                price[g] = need_[g] > 0 ? std::max(0.0, dual[g]) : 0.0;
                roundBound += price[g] * static_cast<double>(need_[g]);
            }
            bool added = false;
            for (std::size_t t = 0; t < types; ++t) {
                const bool limited = limitRow_[t] >= 0;
                if (limited && room_[t] <= 0) continue;  // no bar of this type left to use
                const double mu =
                    limited ? std::min(0.0, dual[static_cast<std::size_t>(limitRow_[t])]) : 0.0;
                const std::int64_t most = limited ? std::min(room_[t], pieces) : pieces;
                roundBound += mu * static_cast<double>(limited ? room_[t] : 0);
                Knapsack knapsack(problem_.width, price, need_, problem_.capacity[t]);
                knapsack.Solve();
                const double reducedUpper = problem_.weight[t] - mu - knapsack.upper();
                roundBound += std::min(0.0, reducedUpper) * static_cast<double>(most);
                const double reduced = problem_.weight[t] - mu - knapsack.value();
                if (reduced < -1e-9 * std::max(1.0, std::fabs(problem_.weight[t]))) {
                    AddColumn(t, knapsack.pattern());
                    added = true;
                }
            }
            bound = std::max(bound, roundBound);
            if (!added) return true;
        }
        return false;
    }

    // The relaxation's value of pattern column c, and of the artificial columns together.
    double Value(std::size_t c) const { return lp_.getColSolution()[kFirst() + c]; }
    double Artificial() const {
        double sum = 0.0;
        for (std::size_t g = 0; g < problem_.width.size(); ++g) sum += lp_.getColSolution()[g];
        return sum;
    }

    // Pattern c cut down to the residual need and filled up again with needed pieces (longest
    // first): the index of that pattern (c itself when nothing changes).
    std::size_t AddTrimmed(std::size_t c) {
        const Column column = columns_[c];
        std::vector<std::int64_t> perGroup = column.perGroup;
        std::int64_t room = problem_.capacity[column.type];
        for (std::size_t g = 0; g < perGroup.size(); ++g) {
            perGroup[g] = std::min(perGroup[g], need_[g]);
            room -= perGroup[g] * problem_.width[g];
        }
        for (std::size_t g = 0; g < perGroup.size(); ++g) {
            const std::int64_t more = std::min(need_[g] - perGroup[g], room / problem_.width[g]);
            if (more > 0) {
                perGroup[g] += more;
                room -= more * problem_.width[g];
            }
        }
        if (perGroup == column.perGroup) return c;
        AddColumn(column.type, perGroup);
        return columns_.size() - 1;
    }

    // When the whole residual need fits on one bar of some type with a bar left, that pattern
    // on the cheapest such type.
    std::optional<std::size_t> AddLastBar() {
        std::int64_t length = 0;
        for (std::size_t g = 0; g < need_.size(); ++g) length += need_[g] * problem_.width[g];
        std::optional<std::size_t> cheapest;
        for (std::size_t t = 0; t < problem_.capacity.size(); ++t) {
            if (length > problem_.capacity[t] || (limitRow_[t] >= 0 && room_[t] <= 0)) continue;
            if (!cheapest || problem_.weight[t] < problem_.weight[*cheapest]) cheapest = t;
        }
        if (!cheapest) return std::nullopt;
        AddColumn(*cheapest, need_);
        return columns_.size() - 1;
    }

    // Takes `count` bars of pattern c out of the residual problem.
    void Fix(std::size_t c, std::int64_t count) {
        const Column& column = columns_[c];
        for (std::size_t g = 0; g < need_.size(); ++g)
            need_[g] = std::max<std::int64_t>(0, need_[g] - count * column.perGroup[g]);
        if (limitRow_[column.type] >= 0) room_[column.type] -= count;
        SetRowBounds();
    }

  private:
    std::size_t kFirst() const { return problem_.width.size(); }

    void SetRowBounds() {
        for (std::size_t g = 0; g < need_.size(); ++g) {
            lp_.setRowLower(static_cast<int>(g), static_cast<double>(need_[g]));
            lp_.setRowUpper(static_cast<int>(g), kInfinity);
        }
        for (std::size_t t = 0; t < limitRow_.size(); ++t)
            if (limitRow_[t] >= 0) {
                lp_.setRowLower(limitRow_[t], -kInfinity);
                lp_.setRowUpper(limitRow_[t], static_cast<double>(room_[t]));
            }
    }

    void AddColumn(std::size_t type, const std::vector<std::int64_t>& perGroup) {
        std::vector<int> index;
        std::vector<double> value;
        for (std::size_t g = 0; g < perGroup.size(); ++g)
            if (perGroup[g] > 0) {
                index.push_back(static_cast<int>(g));
                value.push_back(static_cast<double>(perGroup[g]));
            }
        if (limitRow_[type] >= 0) {
            index.push_back(limitRow_[type]);
            value.push_back(1.0);
        }
        lp_.addColumn(static_cast<int>(index.size()), index.data(), value.data(), 0.0, kInfinity,
                      problem_.weight[type]);
        columns_.push_back({type, perGroup});
    }

    const PatternProblem& problem_;
    ClpSimplex lp_;
    std::vector<Column> columns_;
    std::vector<int> limitRow_;
    int rows_ = 0;
    std::vector<std::int64_t> need_;
    std::vector<std::int64_t> room_;
    std::int64_t totalPieces_ = 0;
};

// Whether a count per column meets the demand and keeps the limits; its objective.
bool CheckCounts(const PatternProblem& problem, const std::vector<Column>& columns,
                 const std::vector<std::int64_t>& count, double& objective) {
    std::vector<std::int64_t> cut(problem.width.size(), 0), used(problem.capacity.size(), 0);
    objective = 0.0;
    for (std::size_t c = 0; c < columns.size() && c < count.size(); ++c) {
        if (count[c] < 0) return false;
        for (std::size_t g = 0; g < cut.size(); ++g) cut[g] += count[c] * columns[c].perGroup[g];
        used[columns[c].type] += count[c];
        objective += static_cast<double>(count[c]) * problem.weight[columns[c].type];
    }
    for (std::size_t g = 0; g < cut.size(); ++g)
        if (cut[g] < problem.demand[g]) return false;
    for (std::size_t t = 0; t < used.size(); ++t)
        if (problem.limit[t] > 0 && used[t] > problem.limit[t]) return false;
    return true;
}

// A stronger bound from whole bars: every plan buys whole bars whose lengths together hold all
// the pieces, so its cost is one that some numbers of bars cost in all while holding the total
// piece length (limits left aside, which only weakens the bound). The least such cost from
// `from` (a proven bound, whole weights) up to `upTo`, or `upTo` itself when none lies below it.
double WholeBarBound(const std::vector<double>& weight, const std::vector<std::int64_t>& capacity,
                     std::int64_t pieceLength, double from, double upTo) {
    constexpr double kMostSteps = 20'000'000;  // weight steps the table may have
    const double first = std::max(0.0, std::ceil(from - 1e-6));
    if (!(upTo > first) || upTo > kMostSteps) return from;
    for (const double w : weight)
        if (!(w >= 1.0) || w != std::round(w)) return from;
    // most[c]: the greatest total length of bars that cost exactly c (-1: no such bars).
    const auto last = static_cast<std::size_t>(upTo);
    std::vector<std::int64_t> most(last + 1, -1);
    most[0] = 0;
    for (std::size_t c = 1; c <= last; ++c)
        for (std::size_t t = 0; t < weight.size(); ++t) {
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

// The integer program over the generated patterns with CBC: demand and limits, the given
// objective per pattern and, optionally, the plan's weight at most `weightCap`; from `start`
// when given. The best counts found by the deadline, unchecked.
std::optional<std::vector<std::int64_t>> SolveRestricted(
    const PatternProblem& problem, const Master& master, const std::vector<double>& objective,
    std::optional<double> weightCap, const std::vector<std::int64_t>* start, double cutoff,
    SearchControl::Clock::time_point deadline, int seed, const SearchControl& control) {
    const std::vector<Column>& columns = master.columns();
    const std::vector<int>& limitRow = master.limitRow();
    const std::size_t patterns = columns.size();
    const int capRow = master.rows();
    const int rows = capRow + (weightCap ? 1 : 0);
    std::vector<double> rowLower(static_cast<std::size_t>(rows)),
        rowUpper(static_cast<std::size_t>(rows));
    for (std::size_t g = 0; g < problem.width.size(); ++g) {
        rowLower[g] = static_cast<double>(problem.demand[g]);
        rowUpper[g] = kInfinity;
    }
    for (std::size_t t = 0; t < problem.capacity.size(); ++t)
        if (limitRow[t] >= 0) {
            rowLower[static_cast<std::size_t>(limitRow[t])] = -kInfinity;
            rowUpper[static_cast<std::size_t>(limitRow[t])] = static_cast<double>(problem.limit[t]);
        }
    if (weightCap) {
        rowLower[static_cast<std::size_t>(capRow)] = -kInfinity;
        rowUpper[static_cast<std::size_t>(capRow)] = *weightCap + 1e-6;
    }
    std::vector<CoinBigIndex> first;
    std::vector<int> length, rowIndex;
    std::vector<double> element;
    const std::vector<double> columnLower(patterns, 0.0), columnUpper(patterns, kInfinity);
    for (std::size_t c = 0; c < patterns; ++c) {
        first.push_back(static_cast<CoinBigIndex>(rowIndex.size()));
        const Column& column = columns[c];
        for (std::size_t g = 0; g < problem.width.size(); ++g)
            if (column.perGroup[g] > 0) {
                rowIndex.push_back(static_cast<int>(g));
                element.push_back(static_cast<double>(column.perGroup[g]));
            }
        if (limitRow[column.type] >= 0) {
            rowIndex.push_back(limitRow[column.type]);
            element.push_back(1.0);
        }
        if (weightCap) {
            rowIndex.push_back(capRow);
            element.push_back(problem.weight[column.type]);
        }
        length.push_back(static_cast<int>(rowIndex.size()) - first.back());
    }
    const CoinPackedMatrix matrix(true, rows, static_cast<int>(patterns),
                                  static_cast<CoinBigIndex>(element.size()), element.data(),
                                  rowIndex.data(), first.data(), length.data());
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                       rowLower.data(), rowUpper.data());
    for (std::size_t c = 0; c < patterns; ++c) solver.setInteger(static_cast<int>(c));
    CbcModel model(solver);
    model.messageHandler()->setLogLevel(0);
    StopEvents events(control, deadline);
    model.passInEventHandler(&events);
    const bool whole = std::all_of(objective.begin(), objective.end(),
                                   [](double w) { return w == std::round(w); });
    // Only plans below `cutoff` (by a whole step when the objective is whole) are of use; the
    // starting plan is then not one of them.
    if (std::isfinite(cutoff)) model.setCutoff(whole ? cutoff - 0.5 : cutoff - 1e-9);
    if (start != nullptr && !std::isfinite(cutoff)) {
        std::vector<double> values(patterns, 0.0);
        double value = 0.0;
        for (std::size_t c = 0; c < patterns && c < start->size(); ++c) {
            values[c] = static_cast<double>((*start)[c]);
            value += values[c] * objective[c];
        }
        model.setBestSolution(values.data(), static_cast<int>(patterns), value, true);
    }
    RunCbcSolve(model, {.seed = seed, .deadline = deadline, .allowableGap = whole ? 0.5 : 1e-9});
    const double* best = model.bestSolution();
    if (best == nullptr) return std::nullopt;
    std::vector<std::int64_t> counts(patterns);
    for (std::size_t c = 0; c < patterns; ++c) counts[c] = std::llround(best[c]);
    return counts;
}

}  // namespace

PatternSolution SolvePatternProblem(const PatternProblem& problem,
                                    SearchControl::Clock::time_point deadline, int seed,
                                    const SearchControl& control, const OtherPlan& otherPlan) {
    const std::size_t types = problem.capacity.size();
    PatternSolution result;
    Master master(problem);

    // The relaxation of the whole job: its Lagrangian bound is the proof.
    double bound = -kInfinity;
    const bool converged = master.Generate(control, deadline, bound);
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

    // A dive: fix the whole part of every pattern the relaxation uses (or, when it uses none
    // whole, one bar of the one it uses most), generate patterns for what is left, repeat.
    std::vector<std::int64_t> count;
    bool dived = false;
    if (converged) {
        while (!TimeIsUp(control, deadline)) {
            if (master.Done()) {
                dived = true;
                break;
            }
            double residualBound = -kInfinity;
            if (!master.Generate(control, deadline, residualBound)) break;
            if (master.Artificial() > 1e-6) break;  // the fixed bars leave no plan
            count.resize(master.columns().size(), 0);
            bool fixed = false;
            std::size_t most = 0;
            double mostValue = 0.0;
            for (std::size_t c = 0; c < master.columns().size(); ++c) {
                const double value = master.Value(c);
                const auto whole = static_cast<std::int64_t>(std::floor(value + 1e-6));
                if (whole > 0) {
                    count[c] += whole;
                    master.Fix(c, whole);
                    fixed = true;
                }
                if (value > mostValue) {
                    mostValue = value;
                    most = c;
                }
            }
            if (!fixed) {
                if (mostValue <= 1e-9) break;
                // What is left fits on one bar: the cheapest type that holds it ends the dive.
                if (const auto last = master.AddLastBar()) {
                    count.resize(master.columns().size(), 0);
                    count[*last] += 1;
                    master.Fix(*last, 1);
                    continue;
                }
                // One bar of the pattern the relaxation uses most, without pieces nobody needs
                // any more, the room filled with needed pieces, longest first.
                const std::size_t c = master.AddTrimmed(most);
                count.resize(master.columns().size(), 0);
                count[c] += 1;
                master.Fix(c, 1);
            }
        }
    }
    const std::vector<Column>& columns = master.columns();
    count.resize(columns.size(), 0);
    double diveObjective = 0.0;
    const bool diveGood = dived && CheckCounts(problem, columns, count, diveObjective);

    std::int64_t pieceLength = 0;
    for (std::size_t g = 0; g < problem.width.size(); ++g)
        pieceLength += problem.width[g] * problem.demand[g];
    auto takeCounts = [&](const std::vector<std::int64_t>& counts, double objective) {
        if (problem.wholeWeights && result.boundKnown)
            result.bound =
                std::max(result.bound, WholeBarBound(problem.weight, problem.capacity, pieceLength,
                                                     result.bound, std::round(objective)));
        result.hasPlan = true;
        result.objective = objective;
        result.runs.clear();
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (counts[c] > 0)
                result.runs.push_back(
                    {static_cast<std::int32_t>(columns[c].type), columns[c].perGroup, counts[c]});
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
        const auto fewer = SolveRestricted(problem, master, one, result.objective, &count,
                                           kInfinity, quarter, seed, control);
        if (!fewer) return;
        double fewerObjective = 0.0;
        std::int64_t barsBefore = 0, barsAfter = 0;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            barsBefore += count[c];
            barsAfter += (*fewer)[c];
        }
        if (CheckCounts(problem, columns, *fewer, fewerObjective) &&
            fewerObjective <= result.objective + 1e-9 && barsAfter < barsBefore)
            takeCounts(*fewer, fewerObjective);
    };
    if (diveGood && reachesBound(diveObjective)) {
        fewestBars();
        return result;
    }
    if (TimeIsUp(control, deadline)) return result;
    const double other = otherPlan ? otherPlan() : kInfinity;
    if (reachesBound(other) || TimeIsUp(control, deadline)) return result;

    // The integer program over all generated patterns, from the dive's plan.
    const std::vector<double> weightOf = PatternWeights(problem, columns);
    const double cutoff = std::min(other, result.hasPlan ? result.objective : kInfinity);
    if (const auto solved =
            SolveRestricted(problem, master, weightOf, std::nullopt, diveGood ? &count : nullptr,
                            cutoff, deadline, seed, control)) {
        double solvedObjective = 0.0;
        // Checked against the demand and the limits before it is trusted.
        if (CheckCounts(problem, columns, *solved, solvedObjective) &&
            (!result.hasPlan || solvedObjective < result.objective)) {
            takeCounts(*solved, solvedObjective);
            count = *solved;
        }
    }
    fewestBars();
    return result;
}

}  // namespace tvx::bar::optimal
