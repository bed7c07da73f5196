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

bool SameRect(const FreeRect& a, const FreeRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
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

int PartAtPoint(const LayoutInput& input, const PanelState& panel, double x, double y) {
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input, p);
        if (box.x <= x && x < box.x + box.width && box.y <= y && y < box.y + box.height)
            return p.row;
    }
    return -1;
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
    std::int32_t highest = 0;
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input, p);
        if (box.x <= x && x < box.x + box.width && box.y + box.height <= y)
            highest = std::max(highest, box.y + box.height);
    }
    return highest;
}

std::int32_t RightmostEdgeLeft(const LayoutInput& input, const PanelState& panel, std::int32_t x,
                               std::int32_t y) {
    std::int32_t rightmost = 0;
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input, p);
        if (box.y <= y && y < box.y + box.height && box.x + box.width <= x)
            rightmost = std::max(rightmost, box.x + box.width);
    }
    return rightmost;
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
            if (b != i && SameRect(candidates[i], candidates[b])) candidates[i].height = 0;
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

    // Vertical cuts at the right edge of each placement.
    for (const std::size_t j : region) {
        const std::int32_t e = boxes[j].x + boxes[j].width;
        bool crossing = false;
        int left = 0, right = 0;
        for (const std::size_t k : region) {
            const PlacedBox& b = boxes[k];
            if (b.x < e && b.x + b.width - 1 >= e) {
                crossing = true;
                break;
            }
            if (b.x + b.width - 1 >= e)
                ++right;
            else
                ++left;
        }
        if (!crossing && left > 0 && right > 0)
            return combine(CountCutsOf(boxes, region, x0, y0, e - 1, y1),
                           CountCutsOf(boxes, region, e, y0, x1, y1));
    }
    // Horizontal cuts at the top edge of each placement.
    for (const std::size_t j : region) {
        const std::int32_t e = boxes[j].y + boxes[j].height;
        bool crossing = false;
        int below = 0, above = 0;
        for (const std::size_t k : region) {
            const PlacedBox& b = boxes[k];
            if (b.y < e && b.y + b.height - 1 >= e) {
                crossing = true;
                break;
            }
            if (b.y + b.height - 1 >= e)
                ++above;
            else
                ++below;
        }
        if (!crossing && below > 0 && above > 0)
            return combine(CountCutsOf(boxes, region, x0, y0, x1, e - 1),
                           CountCutsOf(boxes, region, x0, e, x1, y1));
    }
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
        if (percent <= 25)
            panel.utilisation = 25;
        else if (percent <= 33)
            panel.utilisation = 33;
        else if (percent <= 50)
            panel.utilisation = 50;
        else if (percent <= 67)
            panel.utilisation = 67;
        else if (percent <= 75)
            panel.utilisation = 75;
        else
            panel.utilisation = percent;
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
