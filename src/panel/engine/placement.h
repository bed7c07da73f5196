#pragma once
// First-fit placement of one part copy on the panels of a run, under the guillotine rule.

#include <cstdint>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

class PartPlacer {
  public:
    // `panels` are positions 0..P of the run; every panel's free list must be current.
    PartPlacer(const LayoutInput& input, std::vector<PanelState>& panels);

    // Places one copy of `row` on the first panel that takes it, unturned before turned.
    // On failure nothing changes except `fitSlot`.
    bool PlacePart(int row);
    // The same walk, turned before unturned for rows that may turn; never gives up early and
    // leaves `fitSlot` alone on failure.
    bool PlacePartTurnedFirst(int row);

    // Raised by failed PlacePart calls to the highest slot below the smallest size whose
    // panel could hold the part.
    int fitSlot = 0;
    // The highest panel position a placement moved on to; -1 while everything fits panel 0.
    std::int32_t lastPanel = -1;

  private:
    // Where a walk over the panels starts: panels before it can take no part at all any more
    // (every free rectangle is narrower or lower than the smallest part), so the walk would
    // only pass them by.
    std::size_t StartOfWalk();
    bool CanTakeNoPart(const PanelState& panel) const;
    bool TryOrientation(std::size_t panelIndex, int row, bool turned);
    bool IsEmptyPanel(const PanelState& panel) const;
    void RaiseFitSlot(int row);

    const LayoutInput& input_;
    std::vector<PanelState>& panels_;
    std::int32_t smallestPartSide_ = 0;
    std::size_t firstOpenPanel_ = 0;
};

}  // namespace tvx::panel
