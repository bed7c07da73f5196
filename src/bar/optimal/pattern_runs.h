#pragma once
// From the solver's arc flows to the bars of a plan: the flow of each stock type is split into
// paths (one path = one pattern of length groups, with the number of bars that follow it),
// pieces cut beyond the demand are taken off again, and the pieces of each length group are
// handed out to the piece kinds of that length (kinds stay apart when part codes are shown).

#include <cstdint>
#include <vector>

#include "bar/model/bar_plan.h"
#include "bar/optimal/arc_flow_graph.h"

namespace tvx::bar::optimal {

// Bars of one stock type that all cut the same number of pieces of every length group.
struct PatternRun {
    std::int32_t stockType = 0;
    std::vector<std::int64_t> perGroup;  // pieces of each group on one bar
    std::int64_t count = 0;
};

// Splits the integral flow on `graph` (one value per arc) into paths.
std::vector<PatternRun> DecomposeFlow(const ArcFlowGraph& graph, std::int32_t stockType,
                                      const std::vector<std::int64_t>& arcFlow,
                                      std::size_t groupCount);

// Takes pieces off until every group is cut exactly `demand` times; bars left empty go.
void RemoveSurplus(std::vector<PatternRun>& runs, const std::vector<std::int64_t>& demand);

// The plan's bars: the kinds of each group (ascending kind indices, with their quantities)
// receive the group's pieces in order; the runs come grouped by stock type, longest type
// first, and within a type in the order of their piece lists. Counts per type are filled in.
void FillPlanBars(const std::vector<PatternRun>& runs,
                  const std::vector<std::vector<std::int32_t>>& groupKinds,
                  const std::vector<std::int64_t>& kindQuantity, BarPlan& plan);

}  // namespace tvx::bar::optimal
