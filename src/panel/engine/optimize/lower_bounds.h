#pragma once
// Proven lower bounds for a packing: how many panels of one size the pieces need at least,
// and what stock (area or money) any layout must use at least.
//
// The panel count comes from dual feasible functions (Fekete and Schepers): a function f of
// a length with f(a) + f(b) + ... <= f(W) whenever a + b + ... <= W. Transforming every
// piece's width by such an f and its height by such a g, the transformed areas of the pieces
// in one panel cannot exceed f(W) g(H), for any placement (guillotine or not), so the sum of
// transformed areas over f(W) g(H), rounded up, bounds the panels. With the identity this is
// the area bound; with the threshold functions it covers the classic bounds of Martello and
// Vigo (large pieces count as whole panels, pieces that cannot share a panel add up). A piece
// that may turn counts with the smaller of its two transformed areas.

#include <cstdint>

#include "panel/engine/optimize/packing_problem.h"

namespace tvx::panel::optimize {

// The least number of panels of the type that can hold every piece; 0 without pieces.
// Pieces that fit the type in no allowed orientation are left out.
std::int64_t PanelCountBound(const PackingProblem& problem, const BinType& type);

// The least cost (area or money, as the problem counts it) of any packing: with one size
// the panel bound times its cost; with several, every piece's area at the best cost per area
// among the sizes it fits. Rounded up to whole units.
std::int64_t CostBound(const PackingProblem& problem);

}  // namespace tvx::panel::optimize
