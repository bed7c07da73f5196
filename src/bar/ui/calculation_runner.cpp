#include "bar/ui/calculation_runner.h"

#include <cmath>
#include <cstdint>

#include "bar/engine/bar_engine.h"
#include "bar/optimal/optimal_bar_engine.h"

namespace tvx::bar {

InputRefusal CheckCalculationInput(const BarJob& job) {
    if (!std::isfinite(job.kerf) || job.kerf < 0.0f) return InputRefusal::NegativeKerf;
    const BarCutList& list = job.cutList;
    std::int64_t pieces = 0;
    const int rows = std::min<int>(list.rowCount, list.Capacity());
    for (int row = 0; row < rows; ++row) {
        if (IsValidBarRow(list, row)) pieces += list.cutQuantity[static_cast<std::size_t>(row)];
    }
    if (pieces > kMaxPieces) return InputRefusal::TooManyPieces;
    return InputRefusal::None;
}

std::string InputRefusalMessage(InputRefusal refusal) {
    switch (refusal) {
        case InputRefusal::NegativeKerf:
            return kNegativeKerfMessage;
        case InputRefusal::TooManyPieces:
            return kTooManyPiecesMessage;
        case InputRefusal::None:
            break;
    }
    return {};
}

BarPlan RunBarSearch(const BarJob& job, const SearchControl& control, int stepLimit) {
    // The engine looks at the stop flag between passes; it runs on the caller's thread and
    // never processes window events.
    BarOptions options;
    if (stepLimit > 0) options.stepLimit = stepLimit;
    return RunBarCalculation(job, options, control);
}

BarPlan RunOptimalBarSearch(const BarJob& job, const SearchControl& control) {
    return RunOptimalBarCalculation(job, OptimalBarOptions{}, control);
}

}  // namespace tvx::bar
