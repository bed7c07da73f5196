#include "bar/optimal/branch_and_price.h"

#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "bar/optimal/pattern_knapsack.h"
#include "bar/optimal/pattern_lp.h"

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Patterns the search may generate in all; about (groups + rows) numbers each, so a few tens
// of megabytes at most together with the solver's copy.
constexpr std::size_t kColumnLimit = 40'000;
// Open nodes at most (each holds one branching row; the path shares its parents).
constexpr std::size_t kOpenLimit = 20'000;
// Pricing rounds of one node at most before the node is left with the bound it has.
constexpr int kNodeRounds = 500;
// Knapsack nodes of the first, short pricing search.
constexpr std::int64_t kQuickPricingNodes = 20'000;
// How far from a whole number a value may be and still count as whole.
constexpr double kWhole = 1e-6;

// One branching row: the bars of the patterns of `type` with at least `atLeast[g]` pieces of
// every group g, summed, at most or at least `rhs`.
struct BranchRow {
    std::size_t type = 0;
    std::vector<std::int64_t> atLeast;
    bool atMost = false;
    double rhs = 0.0;

    bool operator==(const BranchRow& other) const = default;
};

bool InSet(const Column& column, std::size_t type, const std::vector<std::int64_t>& atLeast) {
    if (column.type != type) return false;
    for (std::size_t g = 0; g < atLeast.size(); ++g)
        if (column.perGroup[g] < atLeast[g]) return false;
    return true;
}

// A node of the tree: its own branching row and its parent's node (the root has none).
struct Node {
    std::shared_ptr<const Node> parent;
    std::optional<BranchRow> row;
    double bound = -kInfinity;
    std::int64_t made = 0;  // creation number: among equal bounds the later node goes first
};

std::vector<const BranchRow*> RowsOf(const Node& node) {
    std::vector<const BranchRow*> rows;
    for (const Node* at = &node; at != nullptr; at = at->parent.get())
        if (at->row) rows.push_back(&*at->row);
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// The set a fractional node splits on, and the sum of its bars in the relaxation.
struct Split {
    std::size_t type = 0;
    std::vector<std::int64_t> atLeast;
    double value = 0.0;
};

double Fraction(double value) {
    return value - std::floor(value);
}
// How far a value is from the nearest whole number.
double Distance(double value) {
    return std::min(Fraction(value), 1.0 - Fraction(value));
}

class Search {
  public:
    Search(const PatternProblem& problem, const BranchAndPriceStart& start,
           SearchControl::Clock::time_point deadline, const SearchControl& control)
        : problem_(problem), deadline_(deadline), control_(control) {
        const std::size_t types = problem.capacity.size();
        limitRow_ = LimitRows(problem);
        baseRows_ = static_cast<int>(problem.width.size()) +
                    static_cast<int>(std::count_if(limitRow_.begin(), limitRow_.end(),
                                                   [](int row) { return row >= 0; }));
        for (const std::int64_t d : problem.demand) pieces_ += d;
        double largestWeight = 1.0;
        for (const double w : problem.weight) largestWeight = std::max(largestWeight, w);
        artificialCost_ = largestWeight * static_cast<double>(pieces_ + 1) * 4.0;
        for (std::size_t t = 0; t < types; ++t)
            for (std::size_t g = 0; g < problem.width.size(); ++g) {
                if (problem.width[g] > problem.capacity[t]) continue;
                std::vector<std::int64_t> perGroup(problem.width.size(), 0);
                perGroup[g] = std::min(problem.demand[g], problem.capacity[t] / problem.width[g]);
                AddPattern(t, perGroup);
            }
        for (const PatternRun& pattern : start.patterns)
            AddPattern(static_cast<std::size_t>(pattern.stockType), pattern.perGroup);
        for (const PatternRun& run : start.runs)
            AddPattern(static_cast<std::size_t>(run.stockType), run.perGroup);
        bestObjective_ = start.objective;
        rootBound_ = start.bound;
    }

    BranchAndPriceResult Run();

  private:
    enum class Outcome { kClosed, kFractional, kAbandoned };

    bool Prunable(double bound) const;
    bool Better(double objective) const;
    bool AddPattern(std::size_t type, const std::vector<std::int64_t>& perGroup);
    void Coefficients(std::size_t pool, const std::vector<BranchRow>& rows, std::vector<int>& index,
                      std::vector<double>& value) const;
    void BuildLp(const std::vector<const BranchRow*>& rows);
    bool PrepareLp(const std::vector<const BranchRow*>& rows);
    // A solver column's cost: its bar's weight, or when only feasibility is sought, nothing for
    // a pattern and one for an artificial column.
    double ColumnCost(int pool, bool feasibility) const;
    void AddLpColumn(std::size_t pool, bool feasibility);
    bool TakeIfPlan();
    void RoundAndFill();
    void Offer(const std::vector<PatternRun>& runs);
    std::optional<Split> ChooseSplit() const;
    Outcome SolveNode(const std::vector<const BranchRow*>& rows, double& bound, Split& split);

    const PatternProblem& problem_;
    SearchControl::Clock::time_point deadline_;
    const SearchControl& control_;
    std::vector<int> limitRow_;
    int baseRows_ = 0;
    std::int64_t pieces_ = 0;
    double artificialCost_ = 0.0;
    double rootBound_ = -kInfinity;

    std::vector<Column> pool_;
    std::set<std::pair<std::size_t, std::vector<std::int64_t>>> known_;
    bool poolFull_ = false;

    std::unique_ptr<ClpSimplex> lp_;
    std::vector<int> lpPool_;        // per solver column: its pattern, or -1 (artificial)
    std::vector<BranchRow> lpRows_;  // the branching rows the solver holds, in order

    double bestObjective_ = kInfinity;
    std::vector<PatternRun> bestRuns_;
    bool improved_ = false;
};

bool Search::Prunable(double bound) const {
    if (!std::isfinite(bestObjective_)) return false;
    const double slack = 1e-9 * std::fabs(bound) + 1e-6;
    if (problem_.wholeWeights) return std::ceil(bound - slack) >= std::round(bestObjective_);
    return bound >= bestObjective_ - 1e-9 * std::max(1.0, std::fabs(bestObjective_));
}

bool Search::Better(double objective) const {
    if (!std::isfinite(bestObjective_)) return true;
    if (problem_.wholeWeights) return std::round(objective) < std::round(bestObjective_);
    return objective < bestObjective_ - 1e-9 * std::max(1.0, std::fabs(bestObjective_));
}

bool Search::AddPattern(std::size_t type, const std::vector<std::int64_t>& perGroup) {
    if (std::all_of(perGroup.begin(), perGroup.end(), [](std::int64_t n) { return n == 0; }))
        return false;
    if (!known_.insert({type, perGroup}).second) return false;
    if (pool_.size() >= kColumnLimit) {
        poolFull_ = true;
        return false;
    }
    pool_.push_back({type, perGroup});
    return true;
}

void Search::Coefficients(std::size_t pool, const std::vector<BranchRow>& rows,
                          std::vector<int>& index, std::vector<double>& value) const {
    const Column& column = pool_[pool];
    AppendPatternEntries(column, limitRow_, index, value);
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (InSet(column, rows[r].type, rows[r].atLeast)) {
            index.push_back(baseRows_ + static_cast<int>(r));
            value.push_back(1.0);
        }
}

// A fresh solver for a node: the demand rows (each group cut exactly as demanded), the limit
// rows, the node's branching rows, an artificial column for every row that asks for at least
// something (dearer than any plan, so that the relaxation always has a solution), and every
// pattern generated so far.
void Search::BuildLp(const std::vector<const BranchRow*>& rows) {
    lpRows_.clear();
    for (const BranchRow* row : rows) lpRows_.push_back(*row);
    const int rowCount = baseRows_ + static_cast<int>(lpRows_.size());
    std::vector<double> lower(static_cast<std::size_t>(rowCount)),
        upper(static_cast<std::size_t>(rowCount));
    for (std::size_t g = 0; g < problem_.width.size(); ++g) {
        lower[g] = static_cast<double>(problem_.demand[g]);
        upper[g] = lower[g];
    }
    for (std::size_t t = 0; t < limitRow_.size(); ++t)
        if (limitRow_[t] >= 0) {
            lower[static_cast<std::size_t>(limitRow_[t])] = -kInfinity;
            upper[static_cast<std::size_t>(limitRow_[t])] = static_cast<double>(problem_.limit[t]);
        }
    for (std::size_t r = 0; r < lpRows_.size(); ++r) {
        const auto row = static_cast<std::size_t>(baseRows_) + r;
        lower[row] = lpRows_[r].atMost ? -kInfinity : lpRows_[r].rhs;
        upper[row] = lpRows_[r].atMost ? lpRows_[r].rhs : kInfinity;
    }
    lp_ = std::make_unique<ClpSimplex>();
    lp_->setLogLevel(0);
    const CoinPackedMatrix empty(true, rowCount, 0, 0, nullptr, nullptr, nullptr, nullptr);
    lp_->loadProblem(empty, nullptr, nullptr, nullptr, lower.data(), upper.data());
    lpPool_.clear();
    std::vector<CoinBigIndex> first;
    std::vector<int> index;
    std::vector<double> value, cost;
    auto artificial = [&](int row) {
        first.push_back(static_cast<CoinBigIndex>(index.size()));
        index.push_back(row);
        value.push_back(1.0);
        cost.push_back(artificialCost_);
        lpPool_.push_back(-1);
    };
    for (std::size_t g = 0; g < problem_.width.size(); ++g) artificial(static_cast<int>(g));
    for (std::size_t r = 0; r < lpRows_.size(); ++r)
        if (!lpRows_[r].atMost) artificial(baseRows_ + static_cast<int>(r));
    for (std::size_t p = 0; p < pool_.size(); ++p) {
        first.push_back(static_cast<CoinBigIndex>(index.size()));
        Coefficients(p, lpRows_, index, value);
        cost.push_back(problem_.weight[pool_[p].type]);
        lpPool_.push_back(static_cast<int>(p));
    }
    first.push_back(static_cast<CoinBigIndex>(index.size()));
    const std::vector<double> columnLower(cost.size(), 0.0), columnUpper(cost.size(), kInfinity);
    lp_->addColumns(static_cast<int>(cost.size()), columnLower.data(), columnUpper.data(),
                    cost.data(), first.data(), index.data(), value.data());
}

// Brings the solver to the node's rows: one more row when the node is a child of the node
// solved last (its basis stays a good start), a fresh solver otherwise. True when the solver
// was rebuilt.
bool Search::PrepareLp(const std::vector<const BranchRow*>& rows) {
    bool extends = lp_ != nullptr && rows.size() == lpRows_.size() + 1;
    for (std::size_t r = 0; extends && r < lpRows_.size(); ++r) extends = *rows[r] == lpRows_[r];
    if (!extends) {
        BuildLp(rows);
        return true;
    }
    const BranchRow& row = *rows.back();
    lpRows_.push_back(row);
    std::vector<int> index;
    std::vector<double> value;
    for (std::size_t c = 0; c < lpPool_.size(); ++c)
        if (lpPool_[c] >= 0 &&
            InSet(pool_[static_cast<std::size_t>(lpPool_[c])], row.type, row.atLeast)) {
            index.push_back(static_cast<int>(c));
            value.push_back(1.0);
        }
    lp_->addRow(static_cast<int>(index.size()), index.data(), value.data(),
                row.atMost ? -kInfinity : row.rhs, row.atMost ? row.rhs : kInfinity);
    if (!row.atMost) {
        const int at = lp_->numberRows() - 1;
        const double one = 1.0;
        lp_->addColumn(1, &at, &one, 0.0, kInfinity, artificialCost_);
        lpPool_.push_back(-1);
    }
    return false;
}

double Search::ColumnCost(int pool, bool feasibility) const {
    if (pool < 0) return feasibility ? 1.0 : artificialCost_;
    return feasibility ? 0.0 : problem_.weight[pool_[static_cast<std::size_t>(pool)].type];
}

void Search::AddLpColumn(std::size_t pool, bool feasibility) {
    std::vector<int> index;
    std::vector<double> value;
    Coefficients(pool, lpRows_, index, value);
    lp_->addColumn(static_cast<int>(index.size()), index.data(), value.data(), 0.0, kInfinity,
                   ColumnCost(static_cast<int>(pool), feasibility));
    lpPool_.push_back(static_cast<int>(pool));
}

// When the relaxation's solution is whole and needs no artificial column, it is a plan: it is
// checked against the demand and the limits and kept when it beats the best one. True when
// the solution was whole.
bool Search::TakeIfPlan() {
    const double* x = lp_->getColSolution();
    std::vector<std::int64_t> counts(pool_.size(), 0);
    for (std::size_t c = 0; c < lpPool_.size(); ++c) {
        if (Distance(x[c]) > kWhole) return false;
        if (lpPool_[c] < 0) {
            if (x[c] > kWhole) return false;
            continue;
        }
        counts[static_cast<std::size_t>(lpPool_[c])] = std::llround(x[c]);
    }
    double objective = 0.0;
    if (!CheckCounts(problem_, pool_, counts, objective)) return false;
    if (Better(objective)) {
        bestObjective_ = objective;
        improved_ = true;
        bestRuns_.clear();
        for (std::size_t p = 0; p < pool_.size(); ++p)
            if (counts[p] > 0)
                bestRuns_.push_back(
                    {static_cast<std::int32_t>(pool_[p].type), pool_[p].perGroup, counts[p]});
    }
    return true;
}

// A plan from a fractional relaxation: the whole part of every pattern's bars, and the pieces
// left over packed longest first onto the fullest bar they fit (a new bar of the type cheapest
// per length when none), each new bar then moved to the cheapest type that holds it. Offered
// as the best plan when it is cheaper.
void Search::RoundAndFill() {
    const std::size_t types = problem_.capacity.size();
    const std::size_t groups = problem_.width.size();
    const double* x = lp_->getColSolution();
    std::vector<PatternRun> runs;
    std::vector<std::int64_t> left = problem_.demand;
    std::vector<std::int64_t> room(types, std::numeric_limits<std::int64_t>::max());
    for (std::size_t t = 0; t < types; ++t)
        if (problem_.limit[t] > 0) room[t] = problem_.limit[t];
    for (std::size_t c = 0; c < lpPool_.size(); ++c) {
        if (lpPool_[c] < 0) continue;
        const auto whole = static_cast<std::int64_t>(std::floor(x[c] + kWhole));
        if (whole <= 0) continue;
        const Column& column = pool_[static_cast<std::size_t>(lpPool_[c])];
        for (std::size_t g = 0; g < groups; ++g) left[g] -= whole * column.perGroup[g];
        room[column.type] -= whole;
        runs.push_back({static_cast<std::int32_t>(column.type), column.perGroup, whole});
    }
    for (std::size_t g = 0; g < groups; ++g)
        if (left[g] < 0) return;
    for (std::size_t t = 0; t < types; ++t)
        if (room[t] < 0) return;
    struct Bar {
        std::size_t type;
        std::int64_t free;
        std::vector<std::int64_t> perGroup;
    };
    std::vector<Bar> bars;
    for (std::size_t g = 0; g < groups; ++g)
        for (std::int64_t n = 0; n < left[g]; ++n) {
            Bar* fullest = nullptr;
            for (Bar& bar : bars)
                if (bar.free >= problem_.width[g] &&
                    (fullest == nullptr || bar.free < fullest->free))
                    fullest = &bar;
            if (fullest == nullptr) {
                std::optional<std::size_t> cheapest;
                for (std::size_t t = 0; t < types; ++t) {
                    if (room[t] <= 0 || problem_.capacity[t] < problem_.width[g]) continue;
                    if (!cheapest ||
                        problem_.weight[t] * static_cast<double>(problem_.capacity[*cheapest]) <
                            problem_.weight[*cheapest] * static_cast<double>(problem_.capacity[t]))
                        cheapest = t;
                }
                if (!cheapest) return;
                room[*cheapest] -= 1;
                bars.push_back({*cheapest, problem_.capacity[*cheapest],
                                std::vector<std::int64_t>(groups, 0)});
                fullest = &bars.back();
            }
            fullest->free -= problem_.width[g];
            fullest->perGroup[g] += 1;
        }
    for (Bar& bar : bars) {
        const std::int64_t used = problem_.capacity[bar.type] - bar.free;
        std::size_t best = bar.type;
        for (std::size_t t = 0; t < types; ++t)
            if ((room[t] > 0 || t == bar.type) && problem_.capacity[t] >= used &&
                problem_.weight[t] < problem_.weight[best])
                best = t;
        room[bar.type] += 1;
        room[best] -= 1;
        bar.type = best;
        runs.push_back({static_cast<std::int32_t>(bar.type), bar.perGroup, 1});
    }
    Offer(runs);
}

// Takes a plan given as runs when it keeps the demand, the limits and the bar lengths and is
// cheaper than the best one.
void Search::Offer(const std::vector<PatternRun>& runs) {
    std::vector<std::int64_t> cut(problem_.width.size(), 0), used(problem_.capacity.size(), 0);
    double objective = 0.0;
    for (const PatternRun& run : runs) {
        const auto t = static_cast<std::size_t>(run.stockType);
        std::int64_t length = 0;
        for (std::size_t g = 0; g < cut.size(); ++g) {
            cut[g] += run.count * run.perGroup[g];
            length += run.perGroup[g] * problem_.width[g];
        }
        if (length > problem_.capacity[t] || run.count < 0) return;
        used[t] += run.count;
        objective += static_cast<double>(run.count) * problem_.weight[t];
    }
    for (std::size_t g = 0; g < cut.size(); ++g)
        if (cut[g] < problem_.demand[g]) return;
    for (std::size_t t = 0; t < used.size(); ++t)
        if (problem_.limit[t] > 0 && used[t] > problem_.limit[t]) return;
    if (!Better(objective)) return;
    bestObjective_ = objective;
    improved_ = true;
    bestRuns_ = runs;
}

// The set to split a fractional relaxation on: bars of one type, else patterns of one type
// with at least k pieces of one group, else the full piece vector of a fractional pattern that
// no other fractional pattern of its type contains (its sum is its own value plus whole ones,
// so it is fractional: this choice always exists). The most fractional sum at the first level
// that has one.
std::optional<Split> Search::ChooseSplit() const {
    const double* x = lp_->getColSolution();
    std::vector<std::pair<const Column*, double>> used;
    for (std::size_t c = 0; c < lpPool_.size(); ++c)
        if (lpPool_[c] >= 0 && x[c] > 1e-9)
            used.push_back({&pool_[static_cast<std::size_t>(lpPool_[c])], x[c]});
    const std::size_t types = problem_.capacity.size();
    const std::size_t groups = problem_.width.size();
    std::optional<Split> best;
    double bestDistance = kWhole;
    auto consider = [&](std::size_t type, const std::vector<std::int64_t>& atLeast) {
        double sum = 0.0;
        for (const auto& [column, value] : used)
            if (InSet(*column, type, atLeast)) sum += value;
        if (Distance(sum) > bestDistance) {
            bestDistance = Distance(sum);
            best = Split{type, atLeast, sum};
        }
    };
    const std::vector<std::int64_t> none(groups, 0);
    for (std::size_t t = 0; t < types; ++t) consider(t, none);
    if (best) return best;
    for (std::size_t t = 0; t < types; ++t)
        for (std::size_t g = 0; g < groups; ++g) {
            std::set<std::int64_t> counts;
            for (const auto& [column, value] : used)
                if (column->type == t && column->perGroup[g] > 0)
                    counts.insert(column->perGroup[g]);
            for (const std::int64_t k : counts) {
                std::vector<std::int64_t> atLeast = none;
                atLeast[g] = k;
                consider(t, atLeast);
            }
        }
    if (best) return best;
    for (const auto& [column, value] : used) {
        if (Distance(value) <= kWhole) continue;
        const bool contained = std::any_of(used.begin(), used.end(), [&](const auto& other) {
            return other.first != column && Distance(other.second) > kWhole &&
                   InSet(*other.first, column->type, column->perGroup);
        });
        if (!contained) consider(column->type, column->perGroup);
    }
    return best;
}

// Column generation at one node, each round's Lagrangian bound raising `bound`. Closed: the
// bound reaches the best plan, or the relaxation's solution is a plan (and then its best).
// Fractional: `split` says where to branch. Abandoned: the time or the caps ran out, or the
// solver failed; `bound` still holds for every plan of the node.
Search::Outcome Search::SolveNode(const std::vector<const BranchRow*>& rows, double& bound,
                                  Split& split) {
    const std::size_t types = problem_.capacity.size();
    const std::size_t groups = problem_.width.size();
    bool rebuilt = PrepareLp(rows);
    bool rowAdded = !rebuilt;
    std::vector<double> price(groups);
    // Bars of each type any plan of the node can use (no plan needs an empty bar, so never
    // more than the pieces), tightened by the limits and by "at most" rows on a type's bars.
    std::vector<double> mostBars(types, static_cast<double>(pieces_));
    for (std::size_t t = 0; t < types; ++t)
        if (problem_.limit[t] > 0)
            mostBars[t] = std::min(mostBars[t], static_cast<double>(problem_.limit[t]));
    for (const BranchRow& row : lpRows_)
        if (row.atMost &&
            std::all_of(row.atLeast.begin(), row.atLeast.end(), [](auto n) { return n == 0; }))
            mostBars[row.type] = std::min(mostBars[row.type], row.rhs);
    // First the node's problem itself; when its solution still needs an artificial column,
    // the sum of those alone is minimised (the patterns cost nothing) to prove that no plan
    // keeps the node's rows, or to find patterns that make the rows feasible.
    bool feasibility = false, feasibilityTried = false;
    auto useCosts = [&](bool feasibilityCosts) {
        feasibility = feasibilityCosts;
        for (std::size_t c = 0; c < lpPool_.size(); ++c)
            lp_->setObjectiveCoefficient(static_cast<int>(c), ColumnCost(lpPool_[c], feasibility));
    };
    for (int round = 0; round < kNodeRounds; ++round) {
        if (TimeIsUp(control_, deadline_)) return Outcome::kAbandoned;
        if (rowAdded) {
            lp_->dual();
            if (lp_->status() != 0) lp_->primal();
        } else {
            lp_->primal();
        }
        rowAdded = false;
        if (lp_->status() != 0) return Outcome::kAbandoned;
        const double* dual = lp_->dualRowSolution();
        double roundBound = 0.0;
        for (std::size_t g = 0; g < groups; ++g) {
            price[g] = dual[g];
            roundBound += price[g] * static_cast<double>(problem_.demand[g]);
        }
        std::vector<double> sigma(lpRows_.size());
        for (std::size_t r = 0; r < lpRows_.size(); ++r) {
            const double d = dual[static_cast<std::size_t>(baseRows_) + r];
            sigma[r] = lpRows_[r].atMost ? std::min(0.0, d) : std::max(0.0, d);
            roundBound += sigma[r] * lpRows_[r].rhs;
        }
        bool added = false;
        auto pricingSlack = [&](std::size_t t) { return 1e-9 * std::max(1.0, problem_.weight[t]); };
        for (std::size_t t = 0; t < types; ++t) {
            const double weight = feasibility ? 0.0 : problem_.weight[t];
            const double mu = limitRow_[t] >= 0
                                  ? std::min(0.0, dual[static_cast<std::size_t>(limitRow_[t])])
                                  : 0.0;
            if (limitRow_[t] >= 0) roundBound += mu * static_cast<double>(problem_.limit[t]);
            std::vector<PatternSet> sets;
            for (std::size_t r = 0; r < lpRows_.size(); ++r)
                if (lpRows_[r].type == t && sigma[r] != 0.0)
                    sets.push_back({lpRows_[r].atLeast, sigma[r]});
            // A short search first: most rounds only need some pattern that prices out.
            auto priced = std::make_unique<BonusKnapsack>(problem_.width, price, problem_.demand,
                                                          problem_.capacity[t], sets);
            priced->Solve(kQuickPricingNodes);
            if (!priced->complete() &&
                !(priced->found() && weight - mu - priced->value() < -pricingSlack(t))) {
                priced = std::make_unique<BonusKnapsack>(problem_.width, price, problem_.demand,
                                                         problem_.capacity[t], sets);
                priced->Solve();
            }
            const BonusKnapsack& knapsack = *priced;
            roundBound += std::min(0.0, weight - mu - knapsack.upper()) * mostBars[t];
            const double reduced = weight - mu - knapsack.value();
            if (knapsack.found() && reduced < -pricingSlack(t) &&
                AddPattern(t, knapsack.pattern())) {
                AddLpColumn(pool_.size() - 1, feasibility);
                added = true;
            }
        }
        if (feasibility) {
            // With costs of zero, every plan of the node would cost at least roundBound: above
            // zero, the node has no plan.
            if (roundBound > 1e-6) return Outcome::kClosed;
        } else {
            bound = std::max(bound, roundBound);
            if (Prunable(bound)) return Outcome::kClosed;
        }
        const bool whole = TakeIfPlan();
        if (poolFull_) return Outcome::kAbandoned;
        if (added) continue;
        // No pattern prices out: the relaxation of the node is solved.
        double artificial = 0.0;
        const double* x = lp_->getColSolution();
        for (std::size_t c = 0; c < lpPool_.size(); ++c)
            if (lpPool_[c] < 0) artificial += x[c];
        if (artificial > kWhole) {
            if (feasibility || feasibilityTried) return Outcome::kAbandoned;
            feasibilityTried = true;
            useCosts(true);
            continue;
        }
        if (feasibility) {
            useCosts(false);
            continue;
        }
        if (whole) return Outcome::kClosed;
        const auto chosen = ChooseSplit();
        if (!chosen) return Outcome::kAbandoned;
        split = *chosen;
        RoundAndFill();
        return Outcome::kFractional;
    }
    return Outcome::kAbandoned;
}

BranchAndPriceResult Search::Run() {
    BranchAndPriceResult result;
    auto root = std::make_shared<Node>();
    root->bound = rootBound_;
    std::int64_t made = 1;
    std::vector<std::shared_ptr<const Node>> open;
    std::shared_ptr<const Node> next = root;
    double abandoned = kInfinity;  // least bound of the nodes given up
    bool stopped = false;
    while (true) {
        if (!next) {
            // The open node of least bound; among equals the one made last.
            auto pick = open.end();
            for (auto it = open.begin(); it != open.end(); ++it)
                if (pick == open.end() || (*it)->bound < (*pick)->bound ||
                    ((*it)->bound == (*pick)->bound && (*it)->made > (*pick)->made))
                    pick = it;
            if (pick == open.end()) break;
            next = *pick;
            open.erase(pick);
        }
        const std::shared_ptr<const Node> node = std::move(next);
        next = nullptr;
        if (Prunable(node->bound)) continue;
        if (TimeIsUp(control_, deadline_)) {
            open.push_back(node);
            stopped = true;
            break;
        }
        double bound = node->bound;
        Split split;
        const Outcome outcome = SolveNode(RowsOf(*node), bound, split);
        ++result.nodes;
        if (outcome == Outcome::kClosed) continue;
        if (outcome == Outcome::kAbandoned) {
            abandoned = std::min(abandoned, bound);
            if (poolFull_ || TimeIsUp(control_, deadline_)) {
                stopped = true;
                break;
            }
            continue;
        }
        const double floorValue = std::floor(split.value);
        auto child = [&](bool atMost) {
            auto kid = std::make_shared<Node>();
            kid->parent = node;
            kid->row = BranchRow{split.type, split.atLeast, atMost,
                                 atMost ? floorValue : floorValue + 1.0};
            kid->bound = bound;
            kid->made = made++;
            return kid;
        };
        // The branch nearer the relaxation's value is searched first.
        const bool downFirst = Fraction(split.value) < 0.5;
        auto far = child(!downFirst);
        next = child(downFirst);
        open.push_back(std::move(far));
        if (open.size() > kOpenLimit) {
            open.push_back(std::move(next));
            stopped = true;
            break;
        }
    }
    double least = std::isfinite(bestObjective_) ? bestObjective_ : kInfinity;
    for (const auto& node : open)
        if (!Prunable(node->bound)) least = std::min(least, node->bound);
    if (!Prunable(abandoned)) least = std::min(least, abandoned);
    if (problem_.wholeWeights && std::isfinite(least))
        least = std::ceil(least - 1e-9 * std::fabs(least) - 1e-6);
    result.complete = !stopped && open.empty() && !std::isfinite(abandoned);
    result.infeasible = result.complete && !std::isfinite(bestObjective_);
    result.bound = std::max(least, rootBound_);
    if (result.complete) result.bound = bestObjective_;
    result.improved = improved_;
    if (improved_) {
        result.runs = bestRuns_;
        result.objective = bestObjective_;
    }
    for (const Column& column : pool_)
        result.patterns.push_back({static_cast<std::int32_t>(column.type), column.perGroup, 0});
    return result;
}

}  // namespace

BranchAndPriceResult BranchAndPrice(const PatternProblem& problem, const BranchAndPriceStart& start,
                                    SearchControl::Clock::time_point deadline,
                                    const SearchControl& control) {
    // The bounds assume that every bar costs something, so that no plan needs an empty one.
    if (problem.width.empty() || std::any_of(problem.weight.begin(), problem.weight.end(),
                                             [](double w) { return !(w > 0); })) {
        BranchAndPriceResult nothing;
        nothing.bound = start.bound;
        return nothing;
    }
    Search search(problem, start, deadline, control);
    return search.Run();
}

}  // namespace tvx::bar::optimal
