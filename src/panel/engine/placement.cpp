#include "placement.h"

#include <algorithm>

#include "panel/engine/geometry.h"

namespace tvx::panel {

PartPlacer::PartPlacer(const LayoutInput& input, std::vector<PanelState>& panels)
    : input_(input), panels_(panels) {
    bool any = false;
    for (const PartRow& row : input.rows) {
        if (row.quantity <= 0) continue;
        const std::int32_t side = std::min(row.enlargedHeight, row.enlargedWidth);
        smallestPartSide_ = any ? std::min(smallestPartSide_, side) : side;
        any = true;
    }
}

bool PartPlacer::CanTakeNoPart(const PanelState& panel) const {
    if (panel.sizeIndex < 0 || !panel.used() || IsEmptyPanel(panel)) return false;
    return std::all_of(panel.freeRects.begin(), panel.freeRects.end(), [&](const FreeRect& r) {
        return r.width < smallestPartSide_ || r.height < smallestPartSide_;
    });
}

std::size_t PartPlacer::StartOfWalk() {
    // A panel that can take no part never changes again, so the start only moves forward.
    while (firstOpenPanel_ < panels_.size() && CanTakeNoPart(panels_[firstOpenPanel_]))
        ++firstOpenPanel_;
    if (firstOpenPanel_ > 0) {
        const std::size_t reached = std::min(firstOpenPanel_, panels_.size() - 1);
        lastPanel = std::max<std::int32_t>(lastPanel, static_cast<std::int32_t>(reached));
    }
    return firstOpenPanel_;
}

bool PartPlacer::TryOrientation(std::size_t panelIndex, int row, bool turned) {
    PanelState& panel = panels_[panelIndex];
    const PartRow& part = input_.rows[static_cast<std::size_t>(row)];
    const std::int32_t w = turned ? part.enlargedHeight : part.enlargedWidth;
    const std::int32_t h = turned ? part.enlargedWidth : part.enlargedHeight;
    for (std::size_t j = 0; j < panel.freeRects.size(); ++j) {
        const FreeRect& rect = panel.freeRects[j];
        if (rect.width < w || rect.height < h) continue;
        panel.placements.push_back({static_cast<std::int16_t>(row), rect.x, rect.y, turned});
        if (CountGuillotineCutsOfPanel(input_, panel) == -1) {
            panel.placements.pop_back();
            continue;
        }
        RecomputeFreeRects(input_, panel);
        return true;
    }
    return false;
}

bool PartPlacer::IsEmptyPanel(const PanelState& panel) const {
    return panel.freeRects.size() == 1 && panel.freeRects[0].x == 0 && panel.freeRects[0].y == 0;
}

void PartPlacer::RaiseFitSlot(int row) {
    const PartRow& part = input_.rows[static_cast<std::size_t>(row)];
    const int n = input_.lastSizeIndex;
    int found = 3 - n;
    for (int slot = 3; slot >= kSmallestSlot - n; --slot) {
        const StockSize& size =
            input_.sizes[static_cast<std::size_t>(input_.slotSize[static_cast<std::size_t>(slot)])];
        const bool unturned =
            size.enlargedWidth >= part.enlargedWidth && size.enlargedHeight >= part.enlargedHeight;
        const bool turned =
            size.enlargedWidth >= part.enlargedHeight && size.enlargedHeight >= part.enlargedWidth;
        if (unturned || turned) {
            found = slot;
            break;
        }
    }
    fitSlot = std::max(fitSlot, found);
}

bool PartPlacer::PlacePart(int row) {
    const bool mayTurn = input_.rows[static_cast<std::size_t>(row)].turnFlag == 1;
    const std::size_t last = panels_.size() - 1;
    for (std::size_t i = StartOfWalk(); i < panels_.size();) {
        if (TryOrientation(i, row, false)) return true;
        if (mayTurn && TryOrientation(i, row, true)) return true;
        const PanelState& panel = panels_[i];
        if (panel.sizeIndex == -1) break;
        if (IsEmptyPanel(panel) &&
            input_.sizeSlot[static_cast<std::size_t>(panel.sizeIndex)] == kSmallestSlot)
            break;
        ++i;
        if (i > last) break;
        lastPanel = std::max<std::int32_t>(lastPanel, static_cast<std::int32_t>(i));
    }
    RaiseFitSlot(row);
    return false;
}

bool PartPlacer::PlacePartTurnedFirst(int row) {
    const bool mayTurn = input_.rows[static_cast<std::size_t>(row)].turnFlag == 1;
    for (std::size_t i = StartOfWalk(); i < panels_.size();) {
        if (mayTurn) {
            if (TryOrientation(i, row, true) || TryOrientation(i, row, false)) return true;
        } else if (TryOrientation(i, row, false)) {
            return true;
        }
        ++i;
        if (i >= panels_.size()) break;
        lastPanel = std::max<std::int32_t>(lastPanel, static_cast<std::int32_t>(i));
    }
    return false;
}

}  // namespace tvx::panel
