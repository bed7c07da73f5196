#pragma once
// What happens to a completed layout run before it is compared: lightly used panels move to
// a smaller stock size, then the run is scored by waste or cost, consumption and cut count.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

using SlotCounts = std::array<std::int64_t, kSlotCount>;

// In the consumption score a panel used above this percentage counts as fully consumed
// (independent of the whole-panel threshold of LayoutOptions).
inline constexpr std::int16_t kConsumedInFullAbovePercent = 60;

struct RunScore {
    double primary = 0.0;      // waste percentage (area mode) or cost (price mode)
    double consumption = 0.0;  // utilisation-weighted panel area or price
    int cuts = 0;              // guillotine cuts of the distinct panels, -1 if impossible
};

// True when run `a` beats run `b`: lower primary score; on a tie lower consumption; on a tie
// fewer cuts. Equal runs are not better, so the earlier of equal runs is kept.
bool IsBetter(const RunScore& a, const RunScore& b);

// Used panels per size slot.
SlotCounts CountUsedPerSlot(const LayoutInput& input, const std::vector<PanelState>& panels);

// Moves each used panel of a larger slot, in position order, to the smallest slot that still
// has room under its limit and holds every placement of the panel. `counts` starts as the
// run's used panels per slot. Only with two or more sizes.
void ShrinkPanels(const LayoutInput& input, std::vector<PanelState>& panels, SlotCounts counts,
                  const SlotCounts& slotLimit);

// Scores a run (after ShrinkPanels); fills the panels' utilisation on the way. Nothing when
// no used panel has stock area (the waste percentage has no meaning then).
std::optional<RunScore> ScoreRun(const LayoutInput& input, std::vector<PanelState>& panels,
                                 double totalPartArea, std::int16_t fullPanelPercent);

}  // namespace tvx::panel
