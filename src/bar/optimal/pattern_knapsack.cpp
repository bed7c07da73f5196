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
        if (FillFractionally(width_[g], price_[g], bound_[g], room, value)) break;
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

BonusKnapsack::BonusKnapsack(const std::vector<std::int64_t>& width,
                             const std::vector<double>& price,
                             const std::vector<std::int64_t>& bound, std::int64_t capacity,
                             const std::vector<PatternSet>& sets)
    : width_(width), price_(price), bound_(bound), capacity_(capacity) {
    const std::size_t groups = width.size();
    // A group is searched when it fits and either earns a price or a set with a positive bonus
    // asks for it. Leaving any other group out of a pattern loses no price and no positive
    // bonus, so the best pattern is among the searched ones or is the empty bar.
    std::vector<bool> searched(groups, false);
    for (std::size_t g = 0; g < groups; ++g) {
        if (width[g] > capacity || bound[g] <= 0) continue;
        searched[g] = price[g] > 1e-12;
        for (const PatternSet& set : sets)
            searched[g] = searched[g] || (set.bonus > 0.0 && set.atLeast[g] > 0);
    }
    for (const PatternSet& set : sets) {
        if (set.bonus == 0.0) continue;
        std::int64_t length = 0;
        bool reachable = true;
        for (std::size_t g = 0; g < groups && reachable; ++g) {
            if (set.atLeast[g] <= 0) continue;
            reachable = (searched[g] || set.bonus < 0.0) && set.atLeast[g] <= bound[g];
            length += set.atLeast[g] * width[g];
        }
        if (reachable && length <= capacity) sets_.push_back(set);
    }
    // The groups the sets ask for come first, so that which sets a pattern belongs to is
    // settled early; each part in falling price per width.
    auto byRatio = [&](std::size_t a, std::size_t b) {
        const double ra = price_[a] / static_cast<double>(width_[a]);
        const double rb = price_[b] / static_cast<double>(width_[b]);
        return ra != rb ? ra > rb : a < b;
    };
    std::vector<bool> asked(groups, false);
    for (const PatternSet& set : sets_)
        for (std::size_t g = 0; g < groups; ++g) asked[g] = asked[g] || set.atLeast[g] > 0;
    for (const bool first : {true, false}) {
        const std::size_t from = order_.size();
        for (std::size_t g = 0; g < groups; ++g)
            if (searched[g] && asked[g] == first) order_.push_back(g);
        std::sort(order_.begin() + static_cast<std::ptrdiff_t>(from), order_.end(), byRatio);
    }
    byRatio_ = order_;
    std::sort(byRatio_.begin(), byRatio_.end(), byRatio);
    position_.assign(groups, groups);
    for (std::size_t i = 0; i < order_.size(); ++i) position_[order_[i]] = i;
    // Per set: what it asks of the groups from each position on, in length; from which
    // position on nothing is left to ask; and, per position, what it asks of that group. A set
    // that asks for a group left out of the search is never met.
    const std::size_t searchedCount = order_.size();
    missed_.assign(sets_.size(), 0);
    settled_.assign(sets_.size(), 0);
    lengthFrom_.assign(sets_.size(), std::vector<std::int64_t>(searchedCount + 1, 0));
    asks_.assign(searchedCount, {});
    for (std::size_t s = 0; s < sets_.size(); ++s)
        for (std::size_t g = 0; g < groups; ++g) {
            const std::int64_t need = sets_[s].atLeast[g];
            if (need <= 0) continue;
            if (position_[g] >= searchedCount) {
                missed_[s] = 1;
                continue;
            }
            asks_[position_[g]].push_back({s, need});
            settled_[s] = std::max(settled_[s], position_[g] + 1);
            for (std::size_t i = 0; i <= position_[g]; ++i) lengthFrom_[s][i] += need * width[g];
        }
    current_.assign(groups, 0);
    best_ = current_;
}

void BonusKnapsack::Solve(std::int64_t nodeLimit) {
    nodeLimit_ = nodeLimit;
    // The empty bar belongs to the sets that ask for nothing: no pattern left out of the
    // search is worth more than it.
    const double empty = Bonus();
    upper_ = std::max(empty, Fractional(0, capacity_) + BonusBound(0, capacity_));
    Search(0, capacity_, 0.0, 0);
    // A non-empty pattern of groups left out of the search is worth no more than one piece of
    // one of them (dropping more of them loses no price and no positive bonus).
    for (std::size_t g = 0; g < width_.size(); ++g) {
        if (position_[g] < order_.size() || width_[g] > capacity_ || bound_[g] <= 0) continue;
        current_[g] = 1;
        const double value = price_[g] + Bonus();
        current_[g] = 0;
        if (!found_ || value > bestValue_ + 1e-12) {
            found_ = true;
            bestValue_ = value;
            best_.assign(width_.size(), 0);
            best_[g] = 1;
        }
    }
    if (complete()) upper_ = std::max(empty, bestValue_);
}

double BonusKnapsack::Fractional(std::size_t from, std::int64_t room) const {
    double value = 0.0;
    for (const std::size_t g : byRatio_) {
        if (room <= 0 || price_[g] <= 1e-12) break;
        if (position_[g] < from) continue;
        if (FillFractionally(width_[g], price_[g], bound_[g], room, value)) break;
    }
    return value;
}

double BonusKnapsack::BonusBound(std::size_t from, std::int64_t room) const {
    // A positive bonus counts while the set can still be met; a negative one only when every
    // completion belongs to the set (what is placed meets it and nothing more is asked).
    double bonus = 0.0;
    for (std::size_t s = 0; s < sets_.size(); ++s) {
        if (missed_[s] > 0) continue;
        if (sets_[s].bonus > 0.0 ? lengthFrom_[s][from] <= room : settled_[s] <= from)
            bonus += sets_[s].bonus;
    }
    return bonus;
}

double BonusKnapsack::Bonus() const {
    double bonus = 0.0;
    for (const PatternSet& set : sets_) {
        bool member = true;
        for (std::size_t g = 0; g < set.atLeast.size() && member; ++g)
            member = current_[g] >= set.atLeast[g];
        if (member) bonus += set.bonus;
    }
    return bonus;
}

void BonusKnapsack::Search(std::size_t i, std::int64_t room, double value, std::int64_t pieces) {
    if (++nodes_ > nodeLimit_) return;
    if (i == order_.size()) {
        if (pieces == 0) return;
        // Every set is settled here: it counts unless some group fell short of it.
        double total = value;
        for (std::size_t s = 0; s < sets_.size(); ++s)
            if (missed_[s] == 0) total += sets_[s].bonus;
        if (!found_ || total > bestValue_ + 1e-12) {
            found_ = true;
            bestValue_ = total;
            best_ = current_;
        }
        return;
    }
    if (found_ && value + Fractional(i, room) + BonusBound(i, room) <= bestValue_ + 1e-12) return;
    const std::size_t g = order_[i];
    const std::int64_t most = std::min(bound_[g], room / width_[g]);
    for (std::int64_t n = most; n >= 0; --n) {
        current_[g] = n;
        for (const auto& [s, need] : asks_[i]) missed_[s] += n < need;
        Search(i + 1, room - n * width_[g], value + static_cast<double>(n) * price_[g], pieces + n);
        for (const auto& [s, need] : asks_[i]) missed_[s] -= n < need;
        if (nodes_ > nodeLimit_) break;
    }
    current_[g] = 0;
}

}  // namespace tvx::bar::optimal
