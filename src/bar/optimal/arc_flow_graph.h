#pragma once
// The cutting patterns of one stock type as a compressed arc-flow graph. A bar is a path from
// the source to the sink; each item arc cuts one piece of its length group, loss arcs cut
// nothing. Pieces are taken longest first, so the raw graph has one node per (position,
// group still allowed). Every node is then relabelled to the capacity minus the longest item
// path from it to the end; nodes with equal labels merge. Along every arc the label grows by
// at least the piece length, so every path of the compressed graph still fits the bar, and
// every pattern of the raw graph remains a path. All lengths are exact whole numbers.

#include <cstdint>
#include <vector>

namespace tvx::bar::optimal {

struct FlowArc {
    std::int32_t from = 0;  // node indices
    std::int32_t to = 0;
    std::int32_t group = -1;  // length group cut by the arc; -1 for a loss arc
    bool operator==(const FlowArc&) const = default;
};

struct ArcFlowGraph {
    std::int32_t nodeCount = 0;
    std::int32_t source = 0;
    std::int32_t sink = 0;
    std::vector<FlowArc> arcs;
};

// Builds the graph of a bar of `capacity` for groups of `width` (descending, all positive).
// Groups longer than the capacity get no arcs.
ArcFlowGraph BuildArcFlowGraph(std::int64_t capacity, const std::vector<std::int64_t>& width);

// The number of bits the construction keeps for a capacity and a number of groups: what a
// caller checks against its memory budget before building.
std::int64_t ArcFlowWorkBits(std::int64_t capacity, std::size_t groups);

}  // namespace tvx::bar::optimal
