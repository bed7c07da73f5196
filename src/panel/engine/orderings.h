#pragma once
// The three orderings of the part rows that the layout runs place in.

#include <array>
#include <cstdint>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

enum class OrderingKind { Area = 0, Height = 1, Width = 2 };

struct Orderings {
    // Row numbers at positions 0..N+1; position N+1 always holds the empty extra row N+1.
    std::array<std::vector<int>, 3> rows;
    // An ordering equal to an earlier one is switched off.
    std::array<bool, 3> enabled{true, true, true};
};

// Moves the rows at positions start, start-1, ... that do not fit the size in `slot` to the
// front, keeping their relative order; returns how many rows moved.
int MoveUnfittableFirst(const LayoutInput& input, std::vector<int>& ordering, int slot, int start);

// Area, height and width orderings (stable, largest first), each with the rows that need a
// larger panel moved ahead, and the duplicates switched off.
Orderings BuildOrderings(const LayoutInput& input);

}  // namespace tvx::panel
