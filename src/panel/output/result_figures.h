#pragma once
// The figures of a laid-out job that the result view and the printout show: stock sizes in
// use with their counts, the panel total, the yield, the cut-size list and the cut-sale
// prices. All of them count what is placed, so a manual layout that leaves parts unplaced
// still shows a true yield and shares the cost only over the pieces that were cut.

#include <array>
#include <cstdint>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

struct UsedSize {
    int sizeIndex = 0;
    std::int32_t count = 0;  // non-empty panels of this size
};

struct ResultFigures {
    std::vector<UsedSize> usedSizes;        // in stock-table order
    std::int32_t panelTotal = 0;            // stock prices of the non-empty panels
    std::int16_t yield = 0;                 // percent
    std::int32_t totalPieces = 0;           // quantities of the listed rows
    std::vector<int> listedRows;            // rows that take part in the layout, in order
    std::vector<std::int32_t> placedCount;  // placed copies per row
    std::array<double, 4> columns{};        // cut-size list columns, fractions of VW
    std::int32_t W = 0;                     // largest panel drawing extents
    std::int32_t H = 0;
};

ResultFigures ComputeFigures(const LayoutInput& input, const PanelLayoutResult& result);

// A row takes part in the layout: both sizes above 0 and at least one piece.
bool IsListedRow(const PartRow& row);

struct CutSalePrices {
    std::int32_t cutSaleTotal = 0;    // cost shared out over the parts
    std::int32_t partsTotal = 0;      // sum of placed copies x price
    std::vector<std::int32_t> price;  // per row, per piece
};

// Shares the cost of the used panels out to the placed parts by area: a panel charged whole
// adds its price, any other its price times its bucketed utilisation. Up to three passes: a
// row whose share exceeds the price of a cheaper stock size it fits is charged that size's
// price (the last such size in table order) and the rest is shared again among the others.
// Rows with nothing placed get price 0; sharing stops once no area is left to share over.
CutSalePrices ComputeCutSalePrices(const LayoutInput& input, const PanelLayoutResult& result,
                                   const std::vector<std::int32_t>& placedCount);

}  // namespace tvx::panel
