#pragma once
// Pricing for the pattern model: the most valuable filling of one bar by the length groups.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace tvx::bar::optimal {

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

}  // namespace tvx::bar::optimal
