#include "bar/optimal/pattern_lp.h"

#include <CoinPackedMatrix.hpp>

#include <cmath>

#include "bar/optimal/pattern_knapsack.h"

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Pricing rounds of one column generation, at most.
constexpr int kRoundLimit = 2000;

}  // namespace

std::vector<int> LimitRows(const PatternProblem& problem) {
    std::vector<int> limitRow(problem.capacity.size(), -1);
    int rows = static_cast<int>(problem.width.size());
    for (std::size_t t = 0; t < problem.capacity.size(); ++t)
        if (problem.limit[t] > 0) limitRow[t] = rows++;
    return limitRow;
}

void AppendPatternEntries(const Column& column, const std::vector<int>& limitRow,
                          std::vector<int>& index, std::vector<double>& value) {
    for (std::size_t g = 0; g < column.perGroup.size(); ++g)
        if (column.perGroup[g] > 0) {
            index.push_back(static_cast<int>(g));
            value.push_back(static_cast<double>(column.perGroup[g]));
        }
    if (limitRow[column.type] >= 0) {
        index.push_back(limitRow[column.type]);
        value.push_back(1.0);
    }
}

bool TimeIsUp(const SearchControl& control, SearchControl::Clock::time_point deadline) {
    return control.ShouldStop() || SearchControl::Clock::now() >= deadline;
}

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

MasterLp::MasterLp(const PatternProblem& problem) : problem_(problem) {
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
    limitRow_ = LimitRows(problem);
    rows_ = static_cast<int>(groups) +
            static_cast<int>(std::count_if(limitRow_.begin(), limitRow_.end(),
                                           [](int row) { return row >= 0; }));
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

bool MasterLp::Generate(const SearchControl& control, SearchControl::Clock::time_point deadline,
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
        duals_.price = price;
        duals_.emptyCost.assign(types, kInfinity);
        duals_.limitDual.assign(types, 0.0);
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
            duals_.emptyCost[t] = problem_.weight[t] - mu - std::min(0.0, reducedUpper);
            duals_.limitDual[t] = mu;
            const double reduced = problem_.weight[t] - mu - knapsack.value();
            if (reduced < -1e-9 * std::max(1.0, std::fabs(problem_.weight[t]))) {
                AddColumn(t, knapsack.pattern());
                added = true;
            }
        }
        bound = std::max(bound, roundBound);
        duals_.bound = roundBound;
        duals_.valid = true;
        if (!added) return true;
    }
    return false;
}

double MasterLp::Artificial() const {
    double sum = 0.0;
    for (std::size_t g = 0; g < problem_.width.size(); ++g) sum += lp_.getColSolution()[g];
    return sum;
}

std::size_t MasterLp::AddTrimmed(std::size_t c) {
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

std::optional<std::size_t> MasterLp::AddLastBar() {
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

void MasterLp::Fix(std::size_t c, std::int64_t count) {
    const Column& column = columns_[c];
    for (std::size_t g = 0; g < need_.size(); ++g)
        need_[g] = std::max<std::int64_t>(0, need_[g] - count * column.perGroup[g]);
    if (limitRow_[column.type] >= 0) room_[column.type] -= count;
    SetRowBounds();
}

void MasterLp::Restore(const Residual& residual) {
    need_ = residual.need;
    room_ = residual.room;
    SetRowBounds();
}

void MasterLp::SetRowBounds() {
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

void MasterLp::AddColumn(std::size_t type, const std::vector<std::int64_t>& perGroup) {
    columns_.push_back({type, perGroup});
    std::vector<int> index;
    std::vector<double> value;
    AppendPatternEntries(columns_.back(), limitRow_, index, value);
    lp_.addColumn(static_cast<int>(index.size()), index.data(), value.data(), 0.0, kInfinity,
                  problem_.weight[type]);
}

}  // namespace tvx::bar::optimal
