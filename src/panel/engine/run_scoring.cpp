#include "run_scoring.h"

#include <algorithm>

#include "common/number_text.h"
#include "panel/engine/geometry.h"

namespace tvx::panel {
namespace {

const StockSize& SizeOf(const LayoutInput& input, std::int16_t sizeIndex) {
    return input.sizes[static_cast<std::size_t>(sizeIndex)];
}
std::size_t SlotOf(const LayoutInput& input, std::int16_t sizeIndex) {
    return static_cast<std::size_t>(input.sizeSlot[static_cast<std::size_t>(sizeIndex)]);
}

std::optional<double> PrimaryScore(const LayoutInput& input, const std::vector<PanelState>& panels,
                                   double totalPartArea) {
    if (input.priceMode) {
        double cost = 0.0;
        for (const PanelState& panel : panels)
            if (panel.used()) cost += SizeOf(input, panel.sizeIndex).price;
        return cost;
    }
    double usedArea = 0.0;
    for (const PanelState& panel : panels) {
        if (!panel.used()) continue;
        const StockSize& size = SizeOf(input, panel.sizeIndex);
        usedArea += static_cast<double>(size.enlargedHeight) * size.enlargedWidth;
    }
    if (usedArea <= 0) return std::nullopt;
    return RoundHalfEven(100.0 - 100.0 * (totalPartArea / usedArea));
}

// Sum over used panels of their price or area weighted by utilisation (in full above
// kConsumedInFullAbovePercent),
// in single precision, the running total rounded after each panel.
double ConsumptionScore(const LayoutInput& input, const std::vector<PanelState>& panels) {
    float total = 0.0f;
    for (const PanelState& panel : panels) {
        if (!panel.used()) continue;
        const float f = panel.utilisation > kConsumedInFullAbovePercent
                            ? 100.0f
                            : static_cast<float>(panel.utilisation);
        const StockSize& size = SizeOf(input, panel.sizeIndex);
        const float term = input.priceMode
                               ? f * static_cast<float>(size.price) / 100.0f
                               : static_cast<float>(size.enlargedWidth) *
                                     static_cast<float>(size.enlargedHeight) * f / 10000.0f;
        total = static_cast<float>(RoundHalfEven(static_cast<double>(total + term)));
    }
    return total;
}

int CutCountOfLayout(const LayoutInput& input, const std::vector<PanelState>& panels) {
    int cuts = 0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const PanelState& panel = panels[i];
        if (panel.placements.size() < 3 || SameAsPrevious(panels, i)) continue;
        const int c = CountGuillotineCutsOfPanel(input, panel);
        if (c == -1) return -1;
        cuts += c;
    }
    return cuts;
}

}  // namespace

SlotCounts CountUsedPerSlot(const LayoutInput& input, const std::vector<PanelState>& panels) {
    SlotCounts counts{};
    for (const PanelState& panel : panels)
        if (panel.used() && panel.sizeIndex >= 0) ++counts[SlotOf(input, panel.sizeIndex)];
    return counts;
}

void ShrinkPanels(const LayoutInput& input, std::vector<PanelState>& panels, SlotCounts counts,
                  const SlotCounts& slotLimit) {
    if (input.lastSizeIndex < 1) return;
    for (PanelState& panel : panels) {
        if (!panel.used() || panel.sizeIndex < 0) continue;
        const std::size_t slot = SlotOf(input, panel.sizeIndex);
        for (std::size_t j = kSmallestSlot; j > slot; --j) {
            if (counts[j] >= slotLimit[j]) continue;
            const std::int16_t smaller = input.slotSize[j];
            const StockSize& size = SizeOf(input, smaller);
            // Every part must lie inside the smaller panel; none may overhang it.
            const bool allInside = std::all_of(panel.placements.begin(), panel.placements.end(),
                                               [&](const Placement& p) {
                                                   const PlacedBox box = BoxOf(input, p);
                                                   return box.x + box.width <= size.enlargedWidth &&
                                                          box.y + box.height <= size.enlargedHeight;
                                               });
            if (!allInside) continue;
            panel.sizeIndex = smaller;
            --counts[slot];
            ++counts[j];
            break;
        }
    }
}

bool IsBetter(const RunScore& a, const RunScore& b) {
    if (a.primary != b.primary) return a.primary < b.primary;
    if (a.consumption != b.consumption) return a.consumption < b.consumption;
    return a.cuts < b.cuts;
}

std::optional<RunScore> ScoreRun(const LayoutInput& input, std::vector<PanelState>& panels,
                                 double totalPartArea, std::int16_t fullPanelPercent) {
    const std::optional<double> primary = PrimaryScore(input, panels, totalPartArea);
    if (!primary) return std::nullopt;
    RunScore score;
    score.primary = *primary;
    ComputeUtilisation(input, panels, fullPanelPercent);
    score.consumption = ConsumptionScore(input, panels);
    score.cuts = CutCountOfLayout(input, panels);
    return score;
}

}  // namespace tvx::panel
