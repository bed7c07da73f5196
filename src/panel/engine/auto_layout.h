#pragma once
// The automatic layout: part orderings, the search over mixes of stock sizes, twelve
// first-fit runs per mix, scoring, and the best layout.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

namespace tvx::panel {

// How the engine talks to whoever runs it. All members may be empty.
struct LayoutCallbacks {
    // Progress text for the message line ("計算中．．．．．" plus the iteration counter).
    std::function<void(const std::string&)> progress;
    // Lets pending window events run once per search iteration (several sizes only).
    std::function<void()> pumpEvents;
    // Polled after pumpEvents; true stops the search with the best layout found so far.
    std::function<bool()> cancelRequested;
};

inline constexpr const char* kCalculatingMessage = "計算中．．．．．";

// Builds the engine's input from a checked job: enlarged sizes, size slots, part rows
// 0..lastValidRow, capacity estimates.
LayoutInput PrepareLayoutInput(const PanelJob& job);

// Runs the search; true when a layout was found and stored in `result`.
bool AutoLayout(LayoutInput& input, const LayoutCallbacks& callbacks, PanelLayoutResult& result,
                std::int16_t fullPanelPercent = 60);

// Manual editor support: places every remaining copy first-fit (PlacePart); copies that find
// no room are dropped. `remaining` is indexed by row.
void AutoPlaceRemaining(const LayoutInput& input, std::vector<PanelState>& panels,
                        std::vector<std::int32_t>& remaining);

}  // namespace tvx::panel
