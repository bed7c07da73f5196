#pragma once
// The geometry of one panel: free rectangles, hit tests, the guillotine-cut test and the
// per-panel statistics shared by the layout engine, the manual editor and the result view.

#include <array>
#include <cstdint>
#include <optional>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

struct FreeExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Rebuilds a panel's free-rectangle list from its placements (a panel of size -1 becomes
// size 0 first).
void RecomputeFreeRects(const LayoutInput& input, PanelState& panel);

// The free rectangle that starts at (x, y), bounded by the parts crossing its row and column;
// nothing when the point lies outside the panel or on a part.
std::optional<FreeExtent> FreeExtentAt(const LayoutInput& input, const PanelState& panel,
                                       std::int32_t x, std::int32_t y);

// The index (in placement order) of the first placement covering the point, or -1.
int PlacementAt(const LayoutInput& input, const PanelState& panel, double x, double y);
// The row of that placement, or -1.
int PartAtPoint(const LayoutInput& input, const PanelState& panel, double x, double y);

// The highest top edge of the parts below (x, y) whose width covers x; 0 when there is none.
std::int32_t HighestTopBelow(const LayoutInput& input, const PanelState& panel, std::int32_t x,
                             std::int32_t y);
// The rightmost right edge of the parts left of (x, y) whose height covers y; 0 when there is
// none.
std::int32_t RightmostEdgeLeft(const LayoutInput& input, const PanelState& panel, std::int32_t x,
                               std::int32_t y);

// Number of straight through-cuts that separate the placements whose origin lies in
// [x0, x1) x [y0, y1) (first cut found, recursively), or -1 when they cannot be separated.
int CountGuillotineCuts(const LayoutInput& input, const PanelState& panel, std::int32_t x0,
                        std::int32_t y0, std::int32_t x1, std::int32_t y1);

// The same for the whole panel: (0, 0, raw width, raw height) of its size.
int CountGuillotineCutsOfPanel(const LayoutInput& input, const PanelState& panel);

// The utilisation a panel is charged by: a percentage up to one of these bounds counts as that
// bound; above the last one the percentage itself.
inline constexpr std::array<std::int16_t, 5> kUtilisationBuckets = {25, 33, 50, 67, 75};
std::int16_t BucketedUtilisation(std::int16_t percent);

// Fills utilisation (bucketed) and the whole-panel flag of every used panel.
void ComputeUtilisation(const LayoutInput& input, PanelLayoutResult& result,
                        std::int16_t fullPanelPercent);
void ComputeUtilisation(const LayoutInput& input, std::vector<PanelState>& panels,
                        std::int16_t fullPanelPercent);

// True when panel i is used and repeats panel i-1 exactly (size, placements).
bool SameAsPrevious(const std::vector<PanelState>& panels, std::size_t i);

}  // namespace tvx::panel
