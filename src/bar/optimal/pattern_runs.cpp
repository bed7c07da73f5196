#include "bar/optimal/pattern_runs.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tvx::bar::optimal {

std::vector<PatternRun> DecomposeFlow(const ArcFlowGraph& graph, std::int32_t stockType,
                                      const std::vector<std::int64_t>& arcFlow,
                                      std::size_t groupCount) {
    // Arcs leaving each node, in arc order (so the split is deterministic).
    std::vector<std::vector<std::size_t>> leaving(static_cast<std::size_t>(graph.nodeCount));
    for (std::size_t a = 0; a < graph.arcs.size(); ++a)
        if (arcFlow[a] > 0) leaving[static_cast<std::size_t>(graph.arcs[a].from)].push_back(a);
    std::vector<std::int64_t> flow = arcFlow;
    std::vector<std::size_t> next(leaving.size(),
                                  0);  // first arc of a node that may still carry flow
    auto firstOpen = [&](std::int32_t node) -> std::ptrdiff_t {
        const auto n = static_cast<std::size_t>(node);
        while (next[n] < leaving[n].size() && flow[leaving[n][next[n]]] == 0) ++next[n];
        return next[n] < leaving[n].size() ? static_cast<std::ptrdiff_t>(leaving[n][next[n]]) : -1;
    };
    std::map<std::vector<std::int64_t>, std::int64_t> patterns;
    std::vector<std::size_t> path;
    while (firstOpen(graph.source) >= 0) {
        path.clear();
        std::int64_t bars = -1;
        for (std::int32_t node = graph.source; node != graph.sink;) {
            const std::ptrdiff_t arc = firstOpen(node);
            if (arc < 0) break;  // flow does not balance: leave the rest
            const auto a = static_cast<std::size_t>(arc);
            path.push_back(a);
            bars = bars < 0 ? flow[a] : std::min(bars, flow[a]);
            node = graph.arcs[a].to;
        }
        if (path.empty() || graph.arcs[path.back()].to != graph.sink) break;
        std::vector<std::int64_t> perGroup(groupCount, 0);
        for (const std::size_t a : path) {
            flow[a] -= bars;
            const std::int32_t group = graph.arcs[a].group;
            if (group >= 0) ++perGroup[static_cast<std::size_t>(group)];
        }
        patterns[perGroup] += bars;
    }
    std::vector<PatternRun> runs;
    for (auto& [perGroup, count] : patterns) runs.push_back({stockType, perGroup, count});
    return runs;
}

void RemoveSurplus(std::vector<PatternRun>& runs, const std::vector<std::int64_t>& demand) {
    for (std::size_t g = 0; g < demand.size(); ++g) {
        std::int64_t surplus = -demand[g];
        for (const PatternRun& run : runs) surplus += run.perGroup[g] * run.count;
        // Take the surplus off the last runs first (the shortest stock types).
        for (std::size_t r = runs.size(); r-- > 0 && surplus > 0;) {
            const std::int64_t each = runs[r].perGroup[g];
            if (each == 0) continue;
            if (each * runs[r].count <= surplus) {
                surplus -= each * runs[r].count;
                runs[r].perGroup[g] = 0;
                continue;
            }
            // Some bars of the run lose all their pieces of the group, one bar loses part.
            const std::int64_t whole = surplus / each;
            const std::int64_t part = surplus % each;
            PatternRun original = runs[r];
            runs[r].count -= whole + (part > 0 ? 1 : 0);
            if (whole > 0) {
                PatternRun stripped = original;
                stripped.perGroup[g] = 0;
                stripped.count = whole;
                runs.push_back(stripped);
            }
            if (part > 0) {
                PatternRun trimmed = original;
                trimmed.perGroup[g] = each - part;
                trimmed.count = 1;
                runs.push_back(trimmed);
            }
            surplus = 0;
        }
    }
    std::erase_if(runs, [](const PatternRun& run) {
        return run.count <= 0 || std::all_of(run.perGroup.begin(), run.perGroup.end(),
                                             [](std::int64_t n) { return n == 0; });
    });
}

void FillPlanBars(const std::vector<PatternRun>& runs,
                  const std::vector<std::vector<std::int32_t>>& groupKinds,
                  const std::vector<std::int64_t>& kindQuantity, BarPlan& plan) {
    // Pieces of each kind not yet handed out, and per group the first kind with some left.
    std::vector<std::int64_t> left = kindQuantity;
    std::vector<std::size_t> front(groupKinds.size(), 0);
    std::map<std::pair<int, std::vector<std::int16_t>>, std::int64_t> bars;

    // Longest type first, so that equal-length kinds go out in a fixed order.
    std::vector<const PatternRun*> order;
    for (const PatternRun& run : runs) order.push_back(&run);
    std::stable_sort(order.begin(), order.end(), [](const PatternRun* a, const PatternRun* b) {
        return a->stockType > b->stockType;
    });
    for (const PatternRun* run : order) {
        std::int64_t remaining = run->count;
        while (remaining > 0) {
            // One bar's pieces from the front of each group's kinds, and how many bars in a
            // row can take exactly the same kinds.
            std::vector<std::int16_t> pieces;
            std::int64_t repeat = remaining;
            for (std::size_t g = 0; g < groupKinds.size(); ++g) {
                std::int64_t need = run->perGroup[g];
                std::size_t k = front[g];
                while (need > 0 && k < groupKinds[g].size()) {
                    const auto kind = static_cast<std::size_t>(groupKinds[g][k]);
                    const std::int64_t take = std::min(need, left[kind]);
                    if (take > 0) {
                        pieces.insert(pieces.end(), static_cast<std::size_t>(take),
                                      static_cast<std::int16_t>(kind));
                        repeat = std::min(repeat, left[kind] / take);
                        need -= take;
                    }
                    if (need > 0) ++k;
                }
            }
            repeat = std::max<std::int64_t>(repeat, 1);
            for (const std::int16_t kind : pieces) left[static_cast<std::size_t>(kind)] -= repeat;
            for (std::size_t g = 0; g < groupKinds.size(); ++g)
                while (front[g] < groupKinds[g].size() &&
                       left[static_cast<std::size_t>(groupKinds[g][front[g]])] == 0)
                    ++front[g];
            std::sort(pieces.begin(), pieces.end());
            bars[{run->stockType, pieces}] += repeat;
            remaining -= repeat;
        }
    }

    plan.resultBars.clear();
    plan.resultCount.assign(plan.stockLength.size(), 0);
    plan.resultBarCount = 0;
    for (int t = static_cast<int>(plan.stockLength.size()) - 1; t >= 0; --t) {
        for (auto it = bars.lower_bound({t, {}}); it != bars.end() && it->first.first == t; ++it) {
            BarRun run;
            run.stockType = static_cast<std::int16_t>(t);
            run.pieces = it->first.second;
            run.count = it->second;
            plan.resultCount[static_cast<std::size_t>(t)] += run.count;
            plan.resultBarCount += run.count;
            plan.resultBars.push_back(std::move(run));
        }
    }
}

}  // namespace tvx::bar::optimal
