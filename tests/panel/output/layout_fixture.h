#pragma once
// Hand-built jobs and layouts for the output tests.

#include <initializer_list>
#include <optional>

#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/model/panel_job.h"

namespace tvx::panel::testing {

struct RowSpec {
    float height, width;
    std::int16_t quantity;
    const char* comment = "";
};

inline PanelJob MakeJob(std::initializer_list<StockEntry> stock, std::int16_t kerf,
                        std::initializer_list<RowSpec> rows) {
    PanelJob job;
    job.kerf = kerf;
    int i = 0;
    for (const StockEntry& s : stock) job.stock[static_cast<std::size_t>(i++)] = s;
    job.lastSizeIndex = static_cast<std::int16_t>(i - 1);
    // The main window's boxes hold the single size, as CheckJob expects.
    job.typedHeight = job.stock[0].height;
    job.typedWidth = job.stock[0].width;
    job.typedPrice = job.stock[0].price;
    job.priceMode = false;
    for (const StockEntry& s : stock) job.priceMode = job.priceMode || s.price > 0;
    int r = 0;
    for (const RowSpec& row : rows) {
        job.cutList[static_cast<std::size_t>(r++)] = {row.height, row.width, row.quantity,
                                                      row.comment};
    }
    job.cutCount = static_cast<std::int16_t>(r);
    return job;
}

// The engine's input for a job built by MakeJob: every row as it stands, the stock table
// as given (no check; tests build layouts by hand).
inline LayoutInput InputOf(const PanelJob& job) {
    DerivedValues derived;
    derived.stock = TypedPanelStock{job.stock[0], job.lastSizeIndex, job.priceMode};
    derived.turnFlag = job.turnFlag;
    derived.lastValidRow = static_cast<std::int16_t>(job.cutCount - 1);
    derived.validRowCount = job.cutCount;
    return PrepareLayoutInput(job, derived);
}

// What "自動カット" does: check, input, search; nothing when the job is refused or has no
// layout.
inline bool LayOut(const PanelJob& job, LayoutInput& input, PanelLayoutResult& result) {
    const CheckResult check = CheckJob(job);
    if (!check.ok) return false;
    input = PrepareLayoutInput(job, check.derived);
    const SearchControl control;
    std::optional<PanelLayoutResult> layout = AutoLayout(input, LayoutOptions{}, control);
    if (!layout) return false;
    result = std::move(*layout);
    return true;
}

inline PanelState Panel(std::int16_t size, std::initializer_list<Placement> placements) {
    PanelState p;
    p.sizeIndex = size;
    p.placements = placements;
    return p;
}

inline PanelLayoutResult Result(std::initializer_list<PanelState> panels) {
    PanelLayoutResult r;
    r.panels = panels;
    r.lastPanel = static_cast<std::int32_t>(r.panels.size()) - 1;
    return r;
}

}  // namespace tvx::panel::testing
