#include "bin_elimination.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "panel/engine/optimize/pool_packer.h"

namespace tvx::panel::optimize {
namespace {

constexpr std::size_t kRuleCount = std::size(kFillRules);
constexpr std::size_t kRulesPerBin = 3;  // each refilled panel keeps the best of three fills

// What one refill of the chosen panels produced.
struct Refill {
    std::vector<PackedBin> bins;  // the others' sizes, then perhaps the weak panel's
    std::int64_t leftoverArea = 0;
    std::size_t leftoverCount = 0;
    bool BetterThan(const Refill& other) const {
        return leftoverArea < other.leftoverArea ||
               (leftoverArea == other.leftoverArea && leftoverCount < other.leftoverCount);
    }
};

class WeakPanelStep {
  public:
    WeakPanelStep(const PackingProblem& problem, Packing& packing, SearchRandom& random)
        : problem_(problem), packing_(packing), random_(random) {}

    // One step; true when the packing changed.
    bool Run(std::size_t weak, std::size_t partners);
    // The work of the last step (see EliminationLimits::work).
    std::int64_t lastWork() const { return lastWork_; }

  private:
    std::vector<std::size_t> PickPartners(std::size_t weak, std::size_t count);
    std::vector<int> Ordered(const std::vector<int>& pool, std::size_t variant);
    std::optional<Refill> TryRefill(const std::vector<int>& ordered, const std::vector<int>& types,
                                    int weakType, const std::vector<FillRules>& rules);
    void Replace(std::vector<std::size_t> chosen, std::vector<PackedBin> bins);

    const PackingProblem& problem_;
    Packing& packing_;
    SearchRandom& random_;
    std::int64_t lastWork_ = 0;
};

std::vector<std::size_t> WeakPanelStep::PickPartners(std::size_t weak, std::size_t count) {
    std::vector<std::size_t> candidates;
    for (std::size_t b = 0; b < packing_.bins.size(); ++b)
        if (b != weak) candidates.push_back(b);
    std::vector<std::size_t> picked;
    while (picked.size() < count && !candidates.empty()) {
        const std::size_t i = random_.Below(candidates.size());
        picked.push_back(candidates[i]);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return picked;
}

std::vector<int> WeakPanelStep::Ordered(const std::vector<int>& pool, std::size_t variant) {
    constexpr std::size_t kOrders = sizeof(kPieceOrders) / sizeof(kPieceOrders[0]);
    if (variant < kOrders) return OrderPieces(problem_, pool, kPieceOrders[variant]);
    // A shuffled area order: neighbours swap at random, big pieces still come early.
    std::vector<int> ordered = OrderPieces(problem_, pool, PieceOrder::Area);
    for (std::size_t i = 0; i + 1 < ordered.size(); ++i)
        if (random_.Below(3) == 0) std::swap(ordered[i], ordered[i + 1]);
    return ordered;
}

std::optional<Refill> WeakPanelStep::TryRefill(const std::vector<int>& ordered,
                                               const std::vector<int>& types, int weakType,
                                               const std::vector<FillRules>& rules) {
    std::vector<int> left;
    Refill refill;
    refill.bins = PackIntoBinsBestOf(problem_, ordered, types, rules, left);
    if (left.empty()) return refill;
    std::vector<int> stillLeft;
    std::vector<PackedBin> last = PackIntoBinsBestOf(problem_, left, {weakType}, rules, stillLeft);
    if (!stillLeft.empty() || last.empty()) return std::nullopt;
    refill.leftoverArea = last.front().contentArea;
    refill.leftoverCount = last.front().placed.size();
    refill.bins.push_back(std::move(last.front()));
    return refill;
}

void WeakPanelStep::Replace(std::vector<std::size_t> chosen, std::vector<PackedBin> bins) {
    std::sort(chosen.begin(), chosen.end());
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        packing_.bins.erase(packing_.bins.begin() + static_cast<std::ptrdiff_t>(*it));
    for (PackedBin& bin : bins)
        if (!bin.placed.empty()) packing_.bins.push_back(std::move(bin));
}

bool WeakPanelStep::Run(std::size_t weak, std::size_t partners) {
    lastWork_ = 0;
    const std::vector<std::size_t> others = PickPartners(weak, partners);
    if (others.empty()) return false;
    std::vector<int> pool;
    std::vector<int> types;
    for (const std::size_t b : others) {
        types.push_back(packing_.bins[b].type);
        for (const PlacedPiece& placed : packing_.bins[b].placed) pool.push_back(placed.piece);
    }
    const PackedBin& weakBin = packing_.bins[weak];
    std::vector<int> weakPieces;
    for (const PlacedPiece& placed : weakBin.placed) weakPieces.push_back(placed.piece);
    pool.insert(pool.end(), weakPieces.begin(), weakPieces.end());
    lastWork_ = static_cast<std::int64_t>(pool.size()) * static_cast<std::int64_t>(pool.size());

    std::optional<Refill> best;
    constexpr std::size_t kVariants = 8;  // five orders, two shuffles, the weak pieces first
    for (std::size_t variant = 0; variant < kVariants; ++variant) {
        std::vector<int> ordered;
        if (variant + 1 < kVariants) {
            ordered = Ordered(pool, variant);
        } else {
            ordered = OrderPieces(problem_, weakPieces, PieceOrder::Area);
            const std::vector<int> rest = OrderPieces(
                problem_,
                std::vector<int>(pool.begin(),
                                 pool.end() - static_cast<std::ptrdiff_t>(weakPieces.size())),
                PieceOrder::Area);
            ordered.insert(ordered.end(), rest.begin(), rest.end());
        }
        std::vector<FillRules> rules;
        for (std::size_t r = 0; r < kRulesPerBin; ++r)
            rules.push_back(kFillRules[random_.Below(kRuleCount)]);
        std::optional<Refill> refill = TryRefill(ordered, types, weakBin.type, rules);
        if (!refill) continue;
        if (!best || refill->BetterThan(*best)) best = std::move(refill);
        if (best->leftoverArea == 0) break;
    }
    // Kept when the weak panel holds less area, or as much in fewer pieces, or the same.
    if (!best || best->leftoverArea > weakBin.contentArea ||
        (best->leftoverArea == weakBin.contentArea && best->leftoverCount > weakBin.placed.size()))
        return false;
    std::vector<std::size_t> chosen = others;
    chosen.push_back(weak);
    Replace(std::move(chosen), std::move(best->bins));
    return true;
}

std::size_t WeakestBin(const Packing& packing, SearchRandom& random, bool widen) {
    std::vector<std::size_t> order(packing.bins.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return packing.bins[a].contentArea < packing.bins[b].contentArea;
    });
    if (!widen) return order.front();
    return order[random.Below(std::min<std::size_t>(3, order.size()))];
}

std::int64_t WeakestArea(const Packing& packing) {
    std::int64_t least = -1;
    for (const PackedBin& bin : packing.bins)
        if (least < 0 || bin.contentArea < least) least = bin.contentArea;
    return least;
}

}  // namespace

std::int64_t EliminateWeakPanels(const PackingProblem& problem, Packing& packing,
                                 const EliminationLimits& limits, SearchRandom& random,
                                 const std::function<bool()>& shouldStop,
                                 const std::function<void(std::int64_t, std::int64_t)>& onStep) {
    WeakPanelStep step(problem, packing, random);
    std::int64_t cost = problem.Cost(packing);
    std::int64_t lightest = WeakestArea(packing);
    std::int64_t stepsSinceGain = 0;
    std::int64_t steps = 0;
    std::int64_t work = 0;
    for (; steps < limits.steps && stepsSinceGain <= limits.patience; ++steps) {
        if (limits.work > 0 && work > limits.work) break;
        if (packing.bins.size() < 2 || cost <= limits.costBound) break;
        if (steps % 16 == 0 && shouldStop && shouldStop()) break;
        const bool widen = stepsSinceGain > 50 && random.Below(2) == 0;
        const std::size_t weak = WeakestBin(packing, random, widen);
        const std::size_t partners = 1 + random.Below(3);
        ++stepsSinceGain;
        const bool changed = step.Run(weak, partners);
        work += step.lastWork();
        if (!changed) continue;
        const std::int64_t newCost = problem.Cost(packing);
        if (newCost < cost) {
            MoveToCheaperSizes(problem, packing);
            cost = problem.Cost(packing);
            lightest = WeakestArea(packing);
            stepsSinceGain = 0;
        } else if (WeakestArea(packing) < lightest) {
            lightest = WeakestArea(packing);
            stepsSinceGain = 0;
        }
        if (onStep) onStep(steps, cost);
    }
    return steps;
}

}  // namespace tvx::panel::optimize
