#pragma once
// Bar plans made by hand for the output tests: lengths as entered, the kerf added as the
// engine adds it, and runs of bars in plan order.

#include <vector>

#include "bar/output/bar_plan_view.h"

namespace tvx::bar::testing {

struct PlanShape {
    std::vector<float> stock;   // entered lengths, ascending (the engine's order)
    std::vector<float> prices;  // empty: no prices
    std::vector<float> pieces;  // entered lengths, descending
    std::vector<std::string> codes;
    float kerf = 0.0f;
    std::vector<BarRun> bars;  // in plan order
};

inline BarPlan MakePlan(const PlanShape& shape) {
    BarPlan plan;
    plan.kerf = shape.kerf;
    for (std::size_t t = 0; t < shape.stock.size(); ++t) {
        plan.stockLength.push_back(shape.stock[t] + shape.kerf);
        plan.barCost.push_back(shape.prices.empty() ? shape.stock[t] : shape.prices[t]);
        plan.countLimit.push_back(0);
        plan.resultCount.push_back(0);
    }
    for (std::size_t p = 0; p < shape.pieces.size(); ++p) {
        plan.pieceLength.push_back(shape.pieces[p] + shape.kerf);
        plan.pieceComment.push_back(p < shape.codes.size() ? shape.codes[p] : "");
    }
    plan.resultBars = shape.bars;
    plan.allPricesGiven = !shape.prices.empty();
    for (const BarRun& run : shape.bars) {
        plan.resultCount[static_cast<std::size_t>(run.stockType)] += run.count;
        plan.resultBarCount += run.count;
        plan.bestCost +=
            static_cast<float>(run.count) * plan.barCost[static_cast<std::size_t>(run.stockType)];
    }
    plan.found = true;
    return plan;
}

inline BarRun Bars(int type, std::vector<std::int16_t> pieces, std::int64_t count = 1) {
    BarRun run;
    run.stockType = static_cast<std::int16_t>(type);
    run.pieces = std::move(pieces);
    run.count = count;
    return run;
}

inline BarPlanView MakeView(const PlanShape& shape, int displayMode = 0, bool codes = false) {
    BarPlanView view;
    view.plan = MakePlan(shape);
    view.displayMode = static_cast<std::int16_t>(displayMode);
    view.showPartCodes = codes;
    return view;
}

}  // namespace tvx::bar::testing
