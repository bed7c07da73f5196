#pragma once
// An independent check of a finished layout, written apart from the engines so that it does
// not share their mistakes: parts inside their panels, no overlaps, turns only where the row
// allows, straight through-cuts (its own recursive test and the engine's), every copy placed
// exactly once, sheet limits kept; it recomputes the stock area and the cost.

#include <cstdint>
#include <string>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel::test {

struct LayoutCheck {
    std::vector<std::string> faults;
    int panels = 0;
    std::int64_t stockArea = 0;  // enlarged panel areas of the used panels
    std::int64_t cost = 0;       // prices of the used panels
    bool ok() const { return faults.empty(); }
    // What the engines minimise: stock area, or money in price mode.
    std::int64_t Objective(const LayoutInput& input) const {
        return input.priceMode ? cost : stockArea;
    }
    std::string Describe() const;
};

LayoutCheck CheckLayout(const LayoutInput& input, const PanelLayoutResult& layout);

}  // namespace tvx::panel::test
