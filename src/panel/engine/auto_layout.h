#pragma once
// The automatic layout: part orderings, the search over mixes of stock sizes, twelve
// first-fit runs per mix, scoring, and the best layout.

#include <cstdint>
#include <optional>
#include <vector>

#include "common/search_control.h"
#include "panel/engine/check_job.h"
#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

namespace tvx::panel {

// Builds the engine's input from a job and what its check derived (CheckJob): enlarged sizes, size
// slots, part rows 0..lastValidRow, capacity estimates.
LayoutInput PrepareLayoutInput(const PanelJob& job, const DerivedValues& derived);

// How often the search reports progress: every this many iterations (several sizes only).
inline constexpr std::int64_t kProgressEveryIterations = 10;

// Runs the search. Returns the best layout, with every used panel's utilisation filled, or
// nothing when no complete layout was found. With several sizes, progress (the iteration
// count) is reported every kProgressEveryIterations iterations.
//
// A stop (request or deadline) is looked at between iterations, between the runs of an
// iteration and every few placements inside a run; a run cut short is discarded and the best
// complete layout found so far is returned. Without a stop the result does not depend on the
// control.
std::optional<PanelLayoutResult> AutoLayout(const LayoutInput& input, const LayoutOptions& options,
                                            const SearchControl& control);

// Manual editor support: places every remaining copy first-fit (PlacePart); copies that find
// no room are dropped. `remaining` is indexed by row.
void AutoPlaceRemaining(const LayoutInput& input, std::vector<PanelState>& panels,
                        std::vector<std::int32_t>& remaining);

}  // namespace tvx::panel
