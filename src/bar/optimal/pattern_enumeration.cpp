#include "bar/optimal/pattern_enumeration.h"

#include "bar/optimal/pattern_knapsack.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tvx::bar::optimal {
namespace {

constexpr std::int64_t kNodeLimit = 20'000'000;

// A depth-first search over the groups in falling price per width: how many pieces of each,
// from the most that fit down to none. A branch ends when even the fractional filling of its
// room with the remaining groups cannot bring the reduced cost down to the threshold, or when
// the remaining groups cannot fill the room below the narrowest group left short of its demand.
class Enumeration {
  public:
    Enumeration(const PricedType& type, const std::vector<std::int64_t>& width,
                const std::vector<std::int64_t>& demand, const std::vector<double>& price,
                double threshold, std::size_t most)
        : width_(width),
          demand_(demand),
          price_(price),
          capacity_(type.capacity),
          emptyCost_(type.emptyCost),
          most_(most) {
        // Rounding of the sums: patterns this close to the threshold are kept, never lost.
        threshold_ = threshold + 1e-9 * std::max(1.0, std::fabs(emptyCost_));
        for (std::size_t g = 0; g < width.size(); ++g)
            if (demand[g] > 0 && width[g] <= capacity_) order_.push_back(g);
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            return price_[a] * static_cast<double>(width_[b]) >
                   price_[b] * static_cast<double>(width_[a]);
        });
        // restLength_[i]: the length of all demanded pieces of the groups from position i on.
        restLength_.assign(order_.size() + 1, 0);
        for (std::size_t i = order_.size(); i-- > 0;) {
            const std::size_t g = order_[i];
            const std::int64_t fit = std::min(demand_[g], capacity_ / width_[g]);
            restLength_[i] = restLength_[i + 1] + fit * width_[g];
        }
        current_.assign(width.size(), 0);
    }

    bool Run() {
        Search(0, capacity_, 0.0, std::numeric_limits<std::int64_t>::max(), 0);
        return !failed_;
    }
    std::vector<std::vector<std::int64_t>>& patterns() { return patterns_; }

  private:
    // The most value the groups from position i on can add to a bar with this room, pieces
    // taken fractionally.
    double Fractional(std::size_t i, std::int64_t room) const {
        double value = 0.0;
        for (; i < order_.size() && room > 0; ++i) {
            const std::size_t g = order_[i];
            if (FillFractionally(width_[g], price_[g], demand_[g], room, value)) break;
        }
        return value;
    }

    // `shortest`: the narrowest width among the groups already passed with fewer pieces than
    // their demand; a maximal pattern's room ends below it.
    void Search(std::size_t i, std::int64_t room, double value, std::int64_t shortest,
                std::int64_t pieces) {
        if (failed_) return;
        if (++nodes_ > kNodeLimit) {
            failed_ = true;
            return;
        }
        if (room - restLength_[i] >= shortest) return;  // cannot become maximal
        if (emptyCost_ - value - Fractional(i, room) > threshold_) return;
        if (i == order_.size()) {
            if (pieces == 0 || room >= shortest) return;
            if (patterns_.size() >= most_) {
                failed_ = true;
                return;
            }
            patterns_.push_back(current_);
            return;
        }
        const std::size_t g = order_[i];
        const std::int64_t fit = std::min(demand_[g], room / width_[g]);
        for (std::int64_t n = fit; n >= 0 && !failed_; --n) {
            current_[g] = n;
            const std::int64_t narrowest =
                n < demand_[g] ? std::min(shortest, width_[g]) : shortest;
            Search(i + 1, room - n * width_[g], value + static_cast<double>(n) * price_[g],
                   narrowest, pieces + n);
        }
        current_[g] = 0;
    }

    const std::vector<std::int64_t>& width_;
    const std::vector<std::int64_t>& demand_;
    const std::vector<double>& price_;
    std::int64_t capacity_;
    double emptyCost_;
    double threshold_ = 0.0;
    std::size_t most_;
    std::vector<std::size_t> order_;
    std::vector<std::int64_t> restLength_;
    std::vector<std::int64_t> current_;
    std::vector<std::vector<std::int64_t>> patterns_;
    std::int64_t nodes_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<std::vector<std::vector<std::int64_t>>> EnumeratePatterns(
    const PricedType& type, const std::vector<std::int64_t>& width,
    const std::vector<std::int64_t>& demand, const std::vector<double>& price, double threshold,
    std::size_t most) {
    Enumeration enumeration(type, width, demand, price, threshold, most);
    if (!enumeration.Run()) return std::nullopt;
    return std::move(enumeration.patterns());
}

}  // namespace tvx::bar::optimal
