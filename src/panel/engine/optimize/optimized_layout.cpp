#include "optimized_layout.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <span>

#include "panel/engine/optimize/bin_elimination.h"
#include "panel/engine/optimize/lower_bounds.h"
#include "panel/engine/optimize/pool_packer.h"
#include "panel/engine/optimize/standard_layout_adapter.h"

namespace tvx::panel {
namespace {

using namespace optimize;

// The refill work one round of weak-panel elimination may spend (see EliminationLimits).
constexpr std::int64_t kWorkPerRound = 2'000'000;

// A stop request, the caller's deadline or the option's time limit.
class StopWatch {
  public:
    StopWatch(const SearchControl& control, double seconds)
        : control_(control), start_(SearchControl::Clock::now()) {
        if (seconds > 0 && seconds < 1e9)
            own_ = start_ + std::chrono::duration_cast<SearchControl::Clock::duration>(
                                std::chrono::duration<double>(seconds));
    }
    bool ShouldStop() const {
        return control_.ShouldStop() || (own_ && SearchControl::Clock::now() >= *own_);
    }

  private:
    const SearchControl& control_;
    SearchControl::Clock::time_point start_;
    std::optional<SearchControl::Clock::time_point> own_;
};

// Every piece exactly once, every bin's pieces inside it, the sheet limits kept. A guard
// against a fault in the search: a packing that fails it is never returned.
bool IsCompletePacking(const PackingProblem& problem, const Packing& packing) {
    std::vector<int> seen(problem.pieces.size(), 0);
    for (const PackedBin& bin : packing.bins) {
        if (bin.type < 0 || static_cast<std::size_t>(bin.type) >= problem.types.size())
            return false;
        const BinType& type = problem.types[static_cast<std::size_t>(bin.type)];
        for (const PlacedPiece& placed : bin.placed) {
            if (placed.piece < 0 || static_cast<std::size_t>(placed.piece) >= seen.size())
                return false;
            const Piece& piece = problem.pieces[static_cast<std::size_t>(placed.piece)];
            const std::int64_t w = placed.turned ? piece.height : piece.width;
            const std::int64_t h = placed.turned ? piece.width : piece.height;
            if (placed.turned && !piece.canTurn) return false;
            if (placed.x < 0 || placed.y < 0 || placed.x + w > type.width ||
                placed.y + h > type.height)
                return false;
            ++seen[static_cast<std::size_t>(placed.piece)];
        }
    }
    return std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }) &&
           problem.WithinLimits(packing);
}

class OptimizingSearch {
  public:
    OptimizingSearch(const LayoutInput& input, const OptimizeOptions& options,
                     const SearchControl& control)
        : input_(input),
          options_(options),
          control_(control),
          watch_(control, options.timeLimitSeconds),
          problem_(BuildPackingProblem(input)),
          costBound_(CostBound(problem_)) {}

    std::optional<PanelLayoutResult> Run();

  private:
    void Offer(Packing packing);
    void ConstructFromOrders();
    void Improve();
    void Report(std::int64_t iteration) const;
    bool Done() const { return best_ && bestCost_ <= costBound_; }

    const LayoutInput& input_;
    const OptimizeOptions& options_;
    const SearchControl& control_;
    StopWatch watch_;
    PackingProblem problem_;
    std::int64_t costBound_;
    std::optional<Packing> best_;
    std::int64_t bestCost_ = 0;
};

void OptimizingSearch::Offer(Packing packing) {
    std::erase_if(packing.bins, [](const PackedBin& bin) { return bin.placed.empty(); });
    if (!IsCompletePacking(problem_, packing)) return;
    const std::int64_t cost = problem_.Cost(packing);
    if (best_ &&
        (cost > bestCost_ || (cost == bestCost_ && packing.bins.size() >= best_->bins.size())))
        return;
    best_ = std::move(packing);
    bestCost_ = cost;
}

void OptimizingSearch::ConstructFromOrders() {
    std::vector<int> all(problem_.pieces.size());
    std::iota(all.begin(), all.end(), 0);
    for (const PieceOrder order : kPieceOrders) {
        const std::vector<int> ordered = OrderPieces(problem_, all, order);
        for (const FillRules& rules : std::span(kFillRules).first(kConstructionRuleCount)) {
            // Even when stopped at once, one fill is made so that there is a layout.
            if (Done() || (best_ && watch_.ShouldStop())) return;
            if (std::optional<Packing> packing = ConstructPacking(problem_, ordered, rules))
                Offer(std::move(*packing));
        }
    }
}

void OptimizingSearch::Report(std::int64_t iteration) const {
    SearchProgress progress;
    progress.iteration = iteration;
    if (best_) progress.bestCost = static_cast<double>(bestCost_);
    progress.lowerBound = static_cast<double>(costBound_);
    control_.Report(progress);
}

void OptimizingSearch::Improve() {
    if (!best_ || Done()) return;
    // One seed for every effort: a higher effort runs the same rounds first, then more.
    SearchRandom random(0x7461766F6C6578ULL);
    const std::int64_t rounds = std::clamp(options_.effort, 1, 20);
    const std::int64_t stepsPerRound =
        400 + 40 * static_cast<std::int64_t>(std::min<std::size_t>(problem_.pieces.size(), 100));
    std::int64_t done = 0;
    for (std::int64_t round = 0; round < rounds && !Done(); ++round) {
        Packing working = *best_;
        EliminationLimits limits{stepsPerRound, costBound_, stepsPerRound / 4, kWorkPerRound};
        done += EliminateWeakPanels(
            problem_, working, limits, random, [&] { return watch_.ShouldStop(); },
            [&](std::int64_t step, std::int64_t) { Report(done + step); });
        Offer(std::move(working));
        if (watch_.ShouldStop()) break;
    }
    Report(done);
}

std::optional<PanelLayoutResult> OptimizingSearch::Run() {
    std::optional<PanelLayoutResult> standard =
        RunStandardLayout(input_, options_.fullPanelPercent, control_);
    if (standard) Offer(PackingFromLayout(problem_, input_, *standard));
    const bool standardKept = best_.has_value();
    const std::int64_t standardCost = bestCost_;
    ConstructFromOrders();
    Improve();
    if (!best_) return standard;
    // The standard layout stays when the search found nothing cheaper.
    if (standard && standardKept && bestCost_ >= standardCost) return standard;
    return LayoutFromPacking(problem_, input_, *best_, options_.fullPanelPercent);
}

}  // namespace

std::optional<PanelLayoutResult> RunOptimizedLayout(const LayoutInput& input,
                                                    const OptimizeOptions& options,
                                                    const SearchControl& control) {
    const bool anything = std::any_of(input.rows.begin(), input.rows.end(),
                                      [](const PartRow& row) { return row.quantity > 0; });
    if (!anything) return std::nullopt;
    OptimizingSearch search(input, options, control);
    return search.Run();
}

std::string OptimizeVerdict(bool optimal, double gapPercent) {
    if (optimal) return "最適";
    char text[64];
    std::snprintf(text, sizeof text, "下限との差 %.1f%%", std::clamp(gapPercent, 0.0, 1e9));
    return text;
}

OptimizeSummary SummarizeLayout(const LayoutInput& input, const PanelLayoutResult& layout) {
    const PackingProblem problem = BuildPackingProblem(input);
    OptimizeSummary summary;
    summary.cost = problem.Cost(PackingFromLayout(problem, input, layout));
    summary.costBound = CostBound(problem);
    summary.optimal = summary.cost <= summary.costBound;
    if (problem.priceMode) {
        summary.lowerBound = static_cast<double>(summary.costBound);
    } else {
        // Panels: with one size the bound itself, with several the bound area over the
        // largest size, rounded up.
        std::int64_t largest = 0;
        for (const BinType& type : problem.types) largest = std::max(largest, type.area());
        summary.lowerBound =
            largest > 0 ? std::ceil(static_cast<double>(summary.costBound) / largest - 1e-9) : 0;
    }
    if (!summary.optimal && summary.costBound > 0)
        summary.gapPercent = 100.0 * static_cast<double>(summary.cost - summary.costBound) /
                             static_cast<double>(summary.costBound);
    return summary;
}

}  // namespace tvx::panel
