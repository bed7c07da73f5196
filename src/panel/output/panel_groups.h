#pragma once
// The cells of a result: every non-empty panel takes the next cell, except that a panel
// repeating the one before it only raises the count of that panel's group (drawn once, with a
// stack marker when the count reaches 2).

#include <functional>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

struct PanelGroup {
    int firstPanel = 0;
    int count = 1;
    int cell = 0;  // counted from 0 over the whole result
};

using RepeatTest = std::function<bool(const std::vector<PanelState>&, std::size_t)>;

// Groups by the engine's SameAsPrevious.
std::vector<PanelGroup> GroupPanels(const PanelLayoutResult& result);
// The same with another repeat test.
std::vector<PanelGroup> GroupPanels(const PanelLayoutResult& result, const RepeatTest& repeats);

}  // namespace tvx::panel
