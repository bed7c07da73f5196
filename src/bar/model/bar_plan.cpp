#include "bar/model/bar_plan.h"

namespace tvx::bar {

float DisplayedStockLength(const BarPlan& plan, int stockType) {
    return plan.stockLength[static_cast<std::size_t>(stockType)] - plan.kerf;
}

float DisplayedPieceLength(const BarPlan& plan, int pieceIndex) {
    return plan.pieceLength[static_cast<std::size_t>(pieceIndex)] - plan.kerf;
}

float BarRemainder(const BarPlan& plan, const BarRun& bar) {
    float used = 0.0f;
    for (const std::int16_t piece : bar.pieces)
        used += plan.pieceLength[static_cast<std::size_t>(piece)];
    return plan.stockLength[static_cast<std::size_t>(bar.stockType)] - used;
}

void ClearPlan(BarPlan& plan) {
    plan = BarPlan{};
}

}  // namespace tvx::bar
