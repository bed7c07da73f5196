#pragma once
// Packing a set of pieces into a row of bins with the guillotine fill: the piece orderings,
// the bin-by-bin fill, the whole-job construction that picks a stock size for every new
// panel, and the move of a panel's pieces onto a cheaper size.

#include <cstdint>
#include <optional>
#include <vector>

#include "panel/engine/optimize/guillotine_bin.h"
#include "panel/engine/optimize/packing_problem.h"

namespace tvx::panel::optimize {

enum class PieceOrder { Area, Height, Width, LongerSide, Perimeter };
inline constexpr PieceOrder kPieceOrders[] = {PieceOrder::Area, PieceOrder::Height,
                                              PieceOrder::Width, PieceOrder::LongerSide,
                                              PieceOrder::Perimeter};

// The pieces sorted by the key, largest first; equal keys keep their given order.
std::vector<int> OrderPieces(const PackingProblem& problem, std::vector<int> pieces,
                             PieceOrder order);

// Fills bins of the given types one after another: each bin takes, in order, every piece
// that still fits it. The pieces no bin took are returned in `left`, in order.
std::vector<PackedBin> PackIntoBins(const PackingProblem& problem, const std::vector<int>& ordered,
                                    const std::vector<int>& binTypes, FillRules rules,
                                    std::vector<int>& left);

// The same, but every bin is filled under each of the rules in turn and keeps the fill that
// holds the most piece area.
std::vector<PackedBin> PackIntoBinsBestOf(const PackingProblem& problem,
                                          const std::vector<int>& ordered,
                                          const std::vector<int>& binTypes,
                                          const std::vector<FillRules>& rules,
                                          std::vector<int>& left);

// Packs every piece, opening panels one by one; each new panel is of the size (under its
// sheet limit) that holds the most piece area per cost. Nothing when a piece fits no size
// that is left.
std::optional<Packing> ConstructPacking(const PackingProblem& problem,
                                        const std::vector<int>& ordered, FillRules rules);

// Moves every bin whose pieces also fit a cheaper size with sheets left onto that size,
// dearest bins first.
void MoveToCheaperSizes(const PackingProblem& problem, Packing& packing);

// Repacks the pieces into one bin of the type; the bin when every piece went in.
std::optional<PackedBin> RepackIntoOne(const PackingProblem& problem,
                                       const std::vector<int>& pieces, int type);

}  // namespace tvx::panel::optimize
