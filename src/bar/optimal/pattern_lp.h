#pragma once
// The linear master problem of the pattern model: patterns as columns, one row per length group
// (at least its demand) and one per limited stock type (at most its limit), solved by CLP, with
// column generation by the knapsack pricing. A dive takes bars out of it as it fixes them, so
// it always describes the residual job.

#include <ClpSimplex.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "bar/optimal/pattern_master.h"
#include "common/search_control.h"

namespace tvx::bar::optimal {

struct Column {
    std::size_t type = 0;
    std::vector<std::int64_t> perGroup;
};

// What one round of the column generation proved: with the demand rows' prices π ≥ 0 (kept
// as priced), the limit rows' duals μ ≤ 0 and, per type, the least reduced cost m ≤ 0 that any
// of its patterns can have, every plan x costs at least
//     bound + Σ_p x_p (emptyCost[type of p] − Σ_g π_g · pieces of g in p),
// where bound = Σ π·demand + Σ μ·limit + Σ m·(most bars of the type) and emptyCost = weight − μ
// − m; the sum's terms are not negative. So a plan of cost at most bound + δ uses only
// patterns whose term is at most δ.
struct RoundDuals {
    std::vector<double> price;      // per group
    std::vector<double> emptyCost;  // per type; infinite for a type with no bar left
    std::vector<double> limitDual;  // per type: μ (0 without a limit)
    double bound = -std::numeric_limits<double>::infinity();
    bool valid = false;
};

// The rows every linear or integer program of the pattern model begins with: one per length
// group (its index), then one per limited stock type. The limit row of each type (-1: none).
std::vector<int> LimitRows(const PatternProblem& problem);

// A pattern's entries in those rows: its pieces per group and, for a limited type, 1 in the
// type's limit row. Appended to `index` and `value`.
void AppendPatternEntries(const Column& column, const std::vector<int>& limitRow,
                          std::vector<int>& index, std::vector<double>& value);

// Whether the control asks for a stop or the deadline has passed.
bool TimeIsUp(const SearchControl& control, SearchControl::Clock::time_point deadline);

// Whether a count per column meets the demand and keeps the limits; its objective.
bool CheckCounts(const PatternProblem& problem, const std::vector<Column>& columns,
                 const std::vector<std::int64_t>& count, double& objective);

// The linear master problem over the patterns generated so far, for a residual demand and
// residual limits (the whole job at first; less as a dive fixes bars).
class MasterLp {
  public:
    explicit MasterLp(const PatternProblem& problem);

    const std::vector<Column>& columns() const { return columns_; }
    int rows() const { return rows_; }
    const std::vector<int>& limitRow() const { return limitRow_; }
    bool Done() const {
        return std::all_of(need_.begin(), need_.end(), [](std::int64_t n) { return n == 0; });
    }

    // Column generation until no pattern prices out (true) or the time is up (false). The
    // Lagrangian bound of each round on the residual problem: the best is in `bound`.
    bool Generate(const SearchControl& control, SearchControl::Clock::time_point deadline,
                  double& bound);

    // The duals of the last round priced (of the residual problem at that time).
    const RoundDuals& duals() const { return duals_; }

    // The relaxation's value of pattern column c, and of the artificial columns together.
    double Value(std::size_t c) const { return lp_.getColSolution()[kFirst() + c]; }
    double Artificial() const;

    // Pattern c cut down to the residual need and filled up again with needed pieces (longest
    // first): the index of that pattern (c itself when nothing changes).
    std::size_t AddTrimmed(std::size_t c);

    // When the whole residual need fits on one bar of some type with a bar left, that pattern
    // on the cheapest such type.
    std::optional<std::size_t> AddLastBar();

    // Adds a pattern found elsewhere; its index.
    std::size_t AddPattern(const Column& column) {
        AddColumn(column.type, column.perGroup);
        return columns_.size() - 1;
    }

    // Takes `count` bars of pattern c out of the residual problem.
    void Fix(std::size_t c, std::int64_t count);

    // The residual demand and bar counts, to go back to after a dive has fixed bars (patterns
    // generated meanwhile stay: they are valid for any residual).
    struct Residual {
        std::vector<std::int64_t> need;  // per group
        std::vector<std::int64_t> room;  // per type (limited types only)
    };
    Residual Save() const { return {need_, room_}; }
    void Restore(const Residual& residual);
    const std::vector<std::int64_t>& need() const { return need_; }

  private:
    std::size_t kFirst() const { return problem_.width.size(); }

    void SetRowBounds();

    void AddColumn(std::size_t type, const std::vector<std::int64_t>& perGroup);

    const PatternProblem& problem_;
    RoundDuals duals_;
    ClpSimplex lp_;
    std::vector<Column> columns_;
    std::vector<int> limitRow_;
    int rows_ = 0;
    std::vector<std::int64_t> need_;
    std::vector<std::int64_t> room_;
    std::int64_t totalPieces_ = 0;
};

}  // namespace tvx::bar::optimal
