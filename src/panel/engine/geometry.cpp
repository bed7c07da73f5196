#include "geometry.h"

#include <algorithm>

#include "common/number_text.h"

namespace tvx::panel {
namespace {

struct PanelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

PanelSize EnlargedSizeOf(const LayoutInput& input, const PanelState& panel) {
    if (panel.sizeIndex < 0 || panel.sizeIndex >= kSlotCount) return {};
    const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
    return {size.enlargedWidth, size.enlargedHeight};
}

// The panel's two directions: x along its width, y along its height. The searches that look
// along one of them (cuts, the nearest edge behind a point) are written once for both.
enum class Axis { X, Y };

Axis Across(Axis axis) {
    return axis == Axis::X ? Axis::Y : Axis::X;
}

std::int32_t StartOf(const PlacedBox& b, Axis axis) {
    return axis == Axis::X ? b.x : b.y;
}
std::int32_t ExtentOf(const PlacedBox& b, Axis axis) {
    return axis == Axis::X ? b.width : b.height;
}

// The farthest far edge, along `axis`, of the placements that lie wholly before the point on
// that axis and cover its position on the other; 0 when there is none.
std::int32_t FarthestEdgeBefore(const LayoutInput& input, const PanelState& panel,
                                std::int32_t along, std::int32_t across, Axis axis) {
    std::int32_t farthest = 0;
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input, p);
        const std::int32_t end = StartOf(box, axis) + ExtentOf(box, axis);
        const std::int32_t acrossStart = StartOf(box, Across(axis));
        if (acrossStart <= across && across < acrossStart + ExtentOf(box, Across(axis)) &&
            end <= along)
            farthest = std::max(farthest, end);
    }
    return farthest;
}

bool Contains(const FreeRect& outer, const FreeRect& inner) {
    return outer.y <= inner.y && inner.y + inner.height <= outer.y + outer.height &&
           outer.x <= inner.x && inner.x + inner.width <= outer.x + outer.width;
}

void AddCandidate(const LayoutInput& input, const PanelState& panel, std::int32_t x, std::int32_t y,
                  std::vector<FreeRect>& candidates) {
    if (const auto extent = FreeExtentAt(input, panel, x, y))
        candidates.push_back({x, y, extent->width, extent->height});
}

}  // namespace

int PlacementAt(const LayoutInput& input, const PanelState& panel, double x, double y) {
    for (std::size_t i = 0; i < panel.placements.size(); ++i) {
        const PlacedBox box = BoxOf(input, panel.placements[i]);
        if (box.x <= x && x < box.x + box.width && box.y <= y && y < box.y + box.height)
            return static_cast<int>(i);
    }
    return -1;
}

int PartAtPoint(const LayoutInput& input, const PanelState& panel, double x, double y) {
    const int i = PlacementAt(input, panel, x, y);
    return i < 0 ? -1 : panel.placements[static_cast<std::size_t>(i)].row;
}

std::optional<FreeExtent> FreeExtentAt(const LayoutInput& input, const PanelState& panel,
                                       std::int32_t x, std::int32_t y) {
    const PanelSize size = EnlargedSizeOf(input, panel);
    if (x < 0 || x >= size.width || y < 0 || y >= size.height) return std::nullopt;
    if (PartAtPoint(input, panel, x, y) != -1) return std::nullopt;
    std::int32_t right = size.width;
    std::int32_t top = size.height;
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input, p);
        if (box.x <= x && x < box.x + box.width && y < box.y) top = std::min(top, box.y);
        if (box.y <= y && y < box.y + box.height && x < box.x) right = std::min(right, box.x);
    }
    return FreeExtent{right - x, top - y};
}

std::int32_t HighestTopBelow(const LayoutInput& input, const PanelState& panel, std::int32_t x,
                             std::int32_t y) {
    return FarthestEdgeBefore(input, panel, y, x, Axis::Y);
}

std::int32_t RightmostEdgeLeft(const LayoutInput& input, const PanelState& panel, std::int32_t x,
                               std::int32_t y) {
    return FarthestEdgeBefore(input, panel, x, y, Axis::X);
}

void RecomputeFreeRects(const LayoutInput& input, PanelState& panel) {
    if (panel.sizeIndex == -1) panel.sizeIndex = 0;

    std::vector<FreeRect> candidates;
    candidates.reserve(panel.placements.size() * 2 + 1);
    AddCandidate(input, panel, 0, 0, candidates);
    if (panel.placements.empty()) {
        panel.freeRects = std::move(candidates);
        return;
    }

    for (auto k = panel.placements.size(); k-- > 0;) {
        const PlacedBox box = BoxOf(input, panel.placements[k]);
        // Right corner: drops to the panel edge only when nothing lies beneath it.
        std::int32_t x = box.x + box.width;
        std::int32_t y = box.y;
        if (HighestTopBelow(input, panel, x, y) == 0) y = 0;
        AddCandidate(input, panel, x, y, candidates);
        // Upper corner: moves to the panel edge only when nothing lies left of it.
        x = box.x;
        y = box.y + box.height;
        if (RightmostEdgeLeft(input, panel, x, y) == 0) x = 0;
        AddCandidate(input, panel, x, y, candidates);
    }

    // Of equal candidates the later one survives: the earlier ones lose their height and are
    // then contained in the survivor.
    const std::size_t count = candidates.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t b = count; b-- > 0;) {
            if (b != i && candidates[i] == candidates[b]) candidates[i].height = 0;
        }
    }

    std::vector<FreeRect> survivors;
    survivors.reserve(count);
    for (std::size_t c = 0; c < count; ++c) {
        bool contained = false;
        for (std::size_t b = 0; b < count && !contained; ++b)
            contained = b != c && Contains(candidates[b], candidates[c]);
        if (!contained) survivors.push_back(candidates[c]);
    }

    // Lower y first, then lower x; equal keys keep their order.
    std::stable_sort(survivors.begin(), survivors.end(), [](const FreeRect& a, const FreeRect& b) {
        return a.y < b.y || (a.y == b.y && a.x < b.x);
    });
    panel.freeRects = std::move(survivors);
}

namespace {

// The first through-cut along `axis` at the far edge of a placement of the region (in region
// order) that crosses no placement and leaves placements on both sides; nothing when there is
// none.
std::optional<std::int32_t> FindThroughCut(const std::vector<PlacedBox>& boxes,
                                           const std::vector<std::size_t>& region, Axis axis) {
    for (const std::size_t j : region) {
        const std::int32_t e = StartOf(boxes[j], axis) + ExtentOf(boxes[j], axis);
        bool crossing = false;
        int before = 0, after = 0;
        for (const std::size_t k : region) {
            const std::int32_t start = StartOf(boxes[k], axis);
            const std::int32_t last = start + ExtentOf(boxes[k], axis) - 1;
            if (start < e && last >= e) {
                crossing = true;
                break;
            }
            if (last >= e)
                ++after;
            else
                ++before;
        }
        if (!crossing && before > 0 && after > 0) return e;
    }
    return std::nullopt;
}

// The guillotine test over the placements of a region, given as indices into the panel's
// placement list (in placement order).
int CountCutsOf(const std::vector<PlacedBox>& boxes, const std::vector<std::size_t>& all,
                std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    std::vector<std::size_t> region;
    for (const std::size_t k : all) {
        const PlacedBox& b = boxes[k];
        if (x0 <= b.x && b.x < x1 && y0 <= b.y && b.y < y1) region.push_back(k);
    }
    const std::size_t a = region.size();
    if (a <= 1) return 0;
    if (a == 2) return 1;
    if (a == 3) return 2;

    auto combine = [](int first, int second) {
        return first == -1 || second == -1 ? -1 : first + second + 1;
    };

    // Vertical cuts first, then horizontal ones; the first cut found splits the region.
    if (const auto e = FindThroughCut(boxes, region, Axis::X))
        return combine(CountCutsOf(boxes, region, x0, y0, *e - 1, y1),
                       CountCutsOf(boxes, region, *e, y0, x1, y1));
    if (const auto e = FindThroughCut(boxes, region, Axis::Y))
        return combine(CountCutsOf(boxes, region, x0, y0, x1, *e - 1),
                       CountCutsOf(boxes, region, x0, *e, x1, y1));
    return -1;
}

}  // namespace

int CountGuillotineCuts(const LayoutInput& input, const PanelState& panel, std::int32_t x0,
                        std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    std::vector<PlacedBox> boxes;
    boxes.reserve(panel.placements.size());
    std::vector<std::size_t> all;
    all.reserve(panel.placements.size());
    for (const Placement& p : panel.placements) {
        all.push_back(boxes.size());
        boxes.push_back(BoxOf(input, p));
    }
    return CountCutsOf(boxes, all, x0, y0, x1, y1);
}

int CountGuillotineCutsOfPanel(const LayoutInput& input, const PanelState& panel) {
    if (panel.sizeIndex < 0 || panel.sizeIndex >= kSlotCount) return 0;
    const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
    return CountGuillotineCuts(input, panel, 0, 0, size.rawWidth, size.rawHeight);
}

std::int16_t BucketedUtilisation(std::int16_t percent) {
    for (const std::int16_t bound : kUtilisationBuckets)
        if (percent <= bound) return bound;
    return percent;
}

void ComputeUtilisation(const LayoutInput& input, std::vector<PanelState>& panels,
                        std::int16_t fullPanelPercent) {
    for (PanelState& panel : panels) {
        if (!panel.used() || panel.sizeIndex < 0 || panel.sizeIndex >= kSlotCount) continue;
        const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        double partArea = 0.0;
        for (const Placement& p : panel.placements) {
            const PartRow& row = input.rows[static_cast<std::size_t>(p.row)];
            partArea += static_cast<double>(row.enlargedHeight) * row.enlargedWidth;
        }
        const double rawArea = static_cast<double>(size.rawHeight) * size.rawWidth;
        const std::int16_t percent = rawArea > 0 ? ClampToInt16(100.0 * partArea / rawArea) : 0;
        panel.wholePanel = percent >= fullPanelPercent;
        panel.utilisation = BucketedUtilisation(percent);
    }
}

void ComputeUtilisation(const LayoutInput& input, PanelLayoutResult& result,
                        std::int16_t fullPanelPercent) {
    ComputeUtilisation(input, result.panels, fullPanelPercent);
}

bool SameAsPrevious(const std::vector<PanelState>& panels, std::size_t i) {
    if (i == 0 || i >= panels.size()) return false;
    const PanelState& panel = panels[i];
    const PanelState& previous = panels[i - 1];
    return panel.used() && panel.sizeIndex == previous.sizeIndex &&
           panel.placements == previous.placements;
}

}  // namespace tvx::panel
