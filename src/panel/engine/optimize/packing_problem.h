#pragma once
// The optimising layout's own view of a job: one piece per part copy, the stock sizes as bin
// types with a cost, and a packing as bins holding placed pieces. Lengths are the engine's
// enlarged units, so the kerf is already inside every size.

#include <cstdint>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel::optimize {

struct Piece {
    std::int32_t width = 0;   // along the panel width when not turned
    std::int32_t height = 0;  // along the panel height when not turned
    std::int16_t row = 0;
    bool canTurn = false;
    std::int64_t area() const { return static_cast<std::int64_t>(width) * height; }
};

struct BinType {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int64_t cost = 0;    // enlarged area in area mode, price in price mode
    std::int64_t limit = -1;  // -1 = no sheet limit
    std::int16_t sizeIndex = 0;
    std::int64_t area() const { return static_cast<std::int64_t>(width) * height; }
};

struct PlacedPiece {
    int piece = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool turned = false;
};

struct PackedBin {
    int type = 0;
    std::vector<PlacedPiece> placed;
    std::int64_t contentArea = 0;
};

struct Packing {
    std::vector<PackedBin> bins;
};

struct PackingProblem {
    std::vector<Piece> pieces;
    std::vector<BinType> types;  // cheapest per area first is not assumed; any order
    bool priceMode = false;
    std::int64_t totalPieceArea = 0;
    std::int32_t smallestSide = 1;  // the shortest side of any piece

    bool Fits(const Piece& piece, const BinType& type) const;
    std::int64_t Cost(const Packing& packing) const;
    // True when every type's sheet limit holds.
    bool WithinLimits(const Packing& packing) const;
};

// One piece per copy of every row with a quantity, in row order.
PackingProblem BuildPackingProblem(const LayoutInput& input);

// The packing of an engine layout (panels without placements are left out).
Packing PackingFromLayout(const PackingProblem& problem, const LayoutInput& input,
                          const PanelLayoutResult& layout);

// The engine layout of a packing: used panels only, larger (or dearer) slots first, free
// rectangles rebuilt, utilisation and score filled.
PanelLayoutResult LayoutFromPacking(const PackingProblem& problem, const LayoutInput& input,
                                    const Packing& packing, std::int16_t fullPanelPercent);

}  // namespace tvx::panel::optimize
