#include "packing_problem.h"

#include <algorithm>
#include <limits>
#include <map>

#include "panel/engine/geometry.h"
#include "panel/engine/run_scoring.h"

namespace tvx::panel::optimize {

bool PackingProblem::Fits(const Piece& piece, const BinType& type) const {
    const bool plain = piece.width <= type.width && piece.height <= type.height;
    const bool turned = piece.canTurn && piece.height <= type.width && piece.width <= type.height;
    return plain || turned;
}

std::int64_t PackingProblem::Cost(const Packing& packing) const {
    std::int64_t cost = 0;
    for (const PackedBin& bin : packing.bins)
        if (!bin.placed.empty()) cost += types[static_cast<std::size_t>(bin.type)].cost;
    return cost;
}

bool PackingProblem::WithinLimits(const Packing& packing) const {
    std::vector<std::int64_t> used(types.size(), 0);
    for (const PackedBin& bin : packing.bins)
        if (!bin.placed.empty()) ++used[static_cast<std::size_t>(bin.type)];
    for (std::size_t t = 0; t < types.size(); ++t)
        if (types[t].limit >= 0 && used[t] > types[t].limit) return false;
    return true;
}

PackingProblem BuildPackingProblem(const LayoutInput& input) {
    PackingProblem problem;
    problem.priceMode = input.priceMode;
    for (int i = 0; i <= input.lastSizeIndex; ++i) {
        const StockSize& size = input.sizes[static_cast<std::size_t>(i)];
        BinType type;
        type.width = size.enlargedWidth;
        type.height = size.enlargedHeight;
        type.cost = input.priceMode ? size.price : type.area();
        type.limit = size.limit >= 1 ? size.limit : -1;
        type.sizeIndex = static_cast<std::int16_t>(i);
        problem.types.push_back(type);
    }
    std::int32_t shortest = std::numeric_limits<std::int32_t>::max();
    for (int r = 0; r <= input.lastRow(); ++r) {
        const PartRow& row = input.rows[static_cast<std::size_t>(r)];
        if (row.enlargedWidth <= 0 || row.enlargedHeight <= 0) continue;
        for (std::int32_t q = 0; q < row.quantity; ++q) {
            Piece piece;
            piece.width = row.enlargedWidth;
            piece.height = row.enlargedHeight;
            piece.row = static_cast<std::int16_t>(r);
            piece.canTurn = row.turnFlag == 1 && row.enlargedWidth != row.enlargedHeight;
            problem.totalPieceArea += piece.area();
            shortest = std::min({shortest, piece.width, piece.height});
            problem.pieces.push_back(piece);
        }
    }
    problem.smallestSide = problem.pieces.empty() ? 1 : shortest;
    return problem;
}

Packing PackingFromLayout(const PackingProblem& problem, const LayoutInput& input,
                          const PanelLayoutResult& layout) {
    // The copies of each row are interchangeable: hand them out in order.
    std::map<int, std::vector<int>> copiesOfRow;
    for (int i = static_cast<int>(problem.pieces.size()) - 1; i >= 0; --i)
        copiesOfRow[problem.pieces[static_cast<std::size_t>(i)].row].push_back(i);
    Packing packing;
    for (const PanelState& panel : layout.panels) {
        if (!panel.used() || panel.sizeIndex < 0) continue;
        PackedBin bin;
        bin.type = panel.sizeIndex;  // types are built in size index order
        for (const Placement& p : panel.placements) {
            std::vector<int>& copies = copiesOfRow[p.row];
            if (copies.empty()) continue;  // more copies than the row asks for: not ours
            const int piece = copies.back();
            copies.pop_back();
            bin.placed.push_back({piece, p.x, p.y, p.turned});
            bin.contentArea += problem.pieces[static_cast<std::size_t>(piece)].area();
        }
        packing.bins.push_back(std::move(bin));
    }
    (void)input;
    return packing;
}

PanelLayoutResult LayoutFromPacking(const PackingProblem& problem, const LayoutInput& input,
                                    const Packing& packing, std::int16_t fullPanelPercent) {
    PanelLayoutResult result;
    for (const PackedBin& bin : packing.bins) {
        if (bin.placed.empty()) continue;
        PanelState panel;
        panel.sizeIndex = problem.types[static_cast<std::size_t>(bin.type)].sizeIndex;
        for (const PlacedPiece& placed : bin.placed) {
            const Piece& piece = problem.pieces[static_cast<std::size_t>(placed.piece)];
            panel.placements.push_back({piece.row, placed.x, placed.y, placed.turned});
        }
        result.panels.push_back(std::move(panel));
    }
    // Larger (or dearer) sheets first, as the standard layout orders them.
    std::stable_sort(result.panels.begin(), result.panels.end(),
                     [&](const PanelState& a, const PanelState& b) {
                         return input.sizeSlot[static_cast<std::size_t>(a.sizeIndex)] <
                                input.sizeSlot[static_cast<std::size_t>(b.sizeIndex)];
                     });
    for (PanelState& panel : result.panels) RecomputeFreeRects(input, panel);
    result.lastPanel = static_cast<std::int32_t>(result.panels.size()) - 1;
    double totalPartArea = 0.0;
    for (const PartRow& row : input.rows)
        totalPartArea += static_cast<double>(row.enlargedHeight) * row.enlargedWidth * row.quantity;
    const std::optional<RunScore> score =
        ScoreRun(input, result.panels, totalPartArea, fullPanelPercent);
    result.score = score ? score->primary : 0.0;
    return result;
}

}  // namespace tvx::panel::optimize
