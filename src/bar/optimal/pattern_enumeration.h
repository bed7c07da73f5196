#pragma once
// Every cutting pattern of one stock type whose reduced cost stays within a threshold. With
// the duals of the pattern relaxation, every plan of cost at most L + δ (L the Lagrangian bound
// of those duals) uses only patterns of reduced cost at most δ; so an integer program over all
// of them finds the cheapest plan whenever that plan lies within L + δ, and proves that none
// does otherwise.
//
// Only maximal patterns are listed: no group is cut more often than its demand, and no group
// below its demand would still fit in the room left. Every plan can be turned into one of the
// same cost made of such patterns (fill each bar up with pieces already demanded), and
// filling a bar never raises its reduced cost, since the duals of the demand are not negative.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tvx::bar::optimal {

struct PricedType {
    std::int64_t capacity = 0;  // exact whole units
    // The reduced cost of the empty bar: its weight less the limit's dual less the least
    // reduced cost of any pattern of the type (so that no pattern's is below zero).
    double emptyCost = 0.0;
};

// The patterns (pieces per group) of the type whose reduced cost emptyCost − Σ price·pieces is
// at most `threshold`, each with at least one piece. Groups have their widths (exact whole
// units), demands and dual prices (not negative). Nothing when more than `most` patterns
// qualify or the search takes more than its node budget.
std::optional<std::vector<std::vector<std::int64_t>>> EnumeratePatterns(
    const PricedType& type, const std::vector<std::int64_t>& width,
    const std::vector<std::int64_t>& demand, const std::vector<double>& price, double threshold,
    std::size_t most);

}  // namespace tvx::bar::optimal
