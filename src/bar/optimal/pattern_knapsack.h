#pragma once
// Pricing for the pattern model: the most valuable filling of one bar by the length groups.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace tvx::bar::optimal {

// One group's share of a fractional filling of a bar (the bound of the knapsack searches): as
// many whole pieces as fit in `room`, at most `most`, and when fewer fit, the fraction of one
// more that fills the room. Takes the room and adds the price; true once the room is full.
inline bool FillFractionally(std::int64_t width, double price, std::int64_t most,
                             std::int64_t& room, double& value) {
    const std::int64_t take = std::min(most, room / width);
    value += static_cast<double>(take) * price;
    room -= take * width;
    if (take < most && room > 0) {
        value += price * static_cast<double>(room) / static_cast<double>(width);
        return true;
    }
    return false;
}

// The most valuable filling of one bar: at most `bound[g]` pieces of group g, widths summing
// to at most the capacity, value = sum of the groups' prices. An exact depth-first search
// (groups in falling price per width, bounded by the fractional filling of the rest); when it
// exceeds its node budget, `upper` is the fractional bound of the whole bar instead of the
// value found, so that it stays an upper estimate.
class Knapsack {
  public:
    Knapsack(const std::vector<std::int64_t>& width, const std::vector<double>& price,
             const std::vector<std::int64_t>& bound, std::int64_t capacity);

    void Solve();
    double value() const { return bestValue_; }
    double upper() const { return std::max(upper_, bestValue_); }
    const std::vector<std::int64_t>& pattern() const { return best_; }

  private:
    double Fractional(std::size_t from, std::int64_t room) const;
    void Search(std::size_t i, std::int64_t room, double value);
    const std::vector<std::int64_t>& width_;
    const std::vector<double>& price_;
    const std::vector<std::int64_t>& bound_;
    std::int64_t capacity_;
    std::vector<std::size_t> order_;
    std::vector<std::int64_t> current_;
    std::vector<std::int64_t> best_;
    double bestValue_ = 0.0;
    double upper_ = std::numeric_limits<double>::infinity();
    std::int64_t nodes_ = 0;
};

// A set of patterns of one stock type: those with at least `atLeast[g]` pieces of every group
// g. A branching row of the tree search sums the bars of such a set, and its dual adds `bonus`
// to the price of every pattern in the set (a negative bonus for an upper limit on the sum).
struct PatternSet {
    std::vector<std::int64_t> atLeast;  // per group
    double bonus = 0.0;
};

// The most valuable non-empty filling of one bar when, beyond the groups' prices (which may be
// negative: demand rows that are equalities have duals of either sign), a pattern
// earns the bonus of every set it belongs to: at most `bound[g]` pieces of group g, widths
// summing to at most the capacity. With a negative bonus the best pattern need not be full, so
// the depth-first search weighs every pattern it reaches, not only maximal ones; a branch is cut
// when its pieces' prices filled fractionally, plus the positive bonuses of the sets it can
// still reach and the negative ones of the sets it cannot leave, stay below the best value. Past
// its node budget, `upper` is that estimate for the whole bar instead of the value found.
class BonusKnapsack {
  public:
    static constexpr std::int64_t kMostNodes = 2'000'000;

    BonusKnapsack(const std::vector<std::int64_t>& width, const std::vector<double>& price,
                  const std::vector<std::int64_t>& bound, std::int64_t capacity,
                  const std::vector<PatternSet>& sets);

    // Searches at most `nodeLimit` nodes (a short search may find a good pattern long before
    // it could prove the best one).
    void Solve(std::int64_t nodeLimit = kMostNodes);
    // Whether the search ran to the end: value() is then the best and upper() equals it.
    bool complete() const { return nodes_ <= nodeLimit_; }
    // Whether a non-empty pattern fits at all; value() and pattern() mean nothing otherwise.
    bool found() const { return found_; }
    double value() const { return bestValue_; }
    double upper() const { return std::max(upper_, bestValue_); }
    const std::vector<std::int64_t>& pattern() const { return best_; }

  private:
    double Fractional(std::size_t from, std::int64_t room) const;
    double BonusBound(std::size_t from, std::int64_t room) const;
    double Bonus() const;
    void Search(std::size_t i, std::int64_t room, double value, std::int64_t pieces);
    const std::vector<std::int64_t>& width_;
    const std::vector<double>& price_;
    const std::vector<std::int64_t>& bound_;
    std::int64_t capacity_;
    std::vector<PatternSet> sets_;       // the sets with a bonus that can be reached at all
    std::vector<std::size_t> order_;     // groups searched: those sets ask for first
    std::vector<std::size_t> byRatio_;   // the same groups, falling price per width
    std::vector<std::size_t> position_;  // per group: its place in order_ (size: not searched)
    std::vector<int> missed_;            // per set: groups placed below what it asks
    std::vector<std::size_t> settled_;   // per set: the position after the last group it asks
    std::vector<std::vector<std::int64_t>> lengthFrom_;  // per set and position: length asked
    std::vector<std::vector<std::pair<std::size_t, std::int64_t>>> asks_;  // per position
    std::vector<std::int64_t> current_;
    std::vector<std::int64_t> best_;
    bool found_ = false;
    double bestValue_ = -std::numeric_limits<double>::infinity();
    double upper_ = std::numeric_limits<double>::infinity();
    std::int64_t nodes_ = 0;
    std::int64_t nodeLimit_ = kMostNodes;
};

}  // namespace tvx::bar::optimal
