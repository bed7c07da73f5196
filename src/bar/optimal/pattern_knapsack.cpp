#include "bar/optimal/pattern_knapsack.h"

namespace tvx::bar::optimal {
namespace {

// Search nodes one pricing may visit before its answer becomes an upper estimate.
constexpr std::int64_t kKnapsackNodeLimit = 2'000'000;

}  // namespace

Knapsack::Knapsack(const std::vector<std::int64_t>& width, const std::vector<double>& price,
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

void Knapsack::Solve() {
    upper_ = Fractional(0, capacity_);
    Search(0, capacity_, 0.0);
    if (nodes_ <= kKnapsackNodeLimit) upper_ = bestValue_;
}

double Knapsack::Fractional(std::size_t from, std::int64_t room) const {
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

void Knapsack::Search(std::size_t i, std::int64_t room, double value) {
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

}  // namespace tvx::bar::optimal
