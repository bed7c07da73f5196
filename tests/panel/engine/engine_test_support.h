#pragma once
// Small builders for engine tests: layout inputs written out by hand, and jobs.

#include <initializer_list>
#include <optional>

#include "panel/engine/auto_layout.h"
#include "panel/engine/layout_types.h"

namespace tvx::panel::test {

struct SizeSpec {
    std::int32_t height, width, price = 0;
    std::int16_t limit = 0;
};
struct RowSpec {
    std::int32_t height, width, quantity = 1;
    std::int16_t turnFlag = 0;
};

// The check's derived values taken from the job as it stands (no typed size, no turn-flag
// rule), with rows 0..lastValidRow; for inputs the check would refuse.
inline DerivedValues DerivedAsGiven(const PanelJob& job, int lastValidRow) {
    DerivedValues derived;
    derived.stock = TypedPanelStock{job.stock[0], job.lastSizeIndex, job.priceMode};
    derived.turnFlag = job.turnFlag;
    derived.lastValidRow = static_cast<std::int16_t>(lastValidRow);
    return derived;
}

// A layout input with kerf 0, enlarged sizes equal to the raw ones, sizes ordered into slots
// by area (or price) as the engine would.
inline LayoutInput MakeInput(std::initializer_list<SizeSpec> sizes,
                             std::initializer_list<RowSpec> rows, bool priceMode = false) {
    PanelJob job;
    int i = 0;
    for (const SizeSpec& s : sizes) {
        job.stock[static_cast<std::size_t>(i)] = {s.height, s.width, s.price, s.limit};
        ++i;
    }
    job.lastSizeIndex = static_cast<std::int16_t>(i - 1);
    job.priceMode = priceMode;
    int r = 0;
    for (const RowSpec& row : rows) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(row.height),
                                                    static_cast<float>(row.width),
                                                    static_cast<std::int16_t>(row.quantity), ""};
        job.turnFlag[static_cast<std::size_t>(r)] = row.turnFlag;
        ++r;
    }
    job.cutCount = static_cast<std::int16_t>(r);
    return PrepareLayoutInput(job, DerivedAsGiven(job, r - 1));
}

// A layout as the window runs it, without a stop.
inline std::optional<PanelLayoutResult> Layout(const LayoutInput& input,
                                               const LayoutOptions& options = {}) {
    const SearchControl control;
    return AutoLayout(input, options, control);
}

}  // namespace tvx::panel::test
