#include "standard_layout_adapter.h"

#include "panel/engine/auto_layout.h"

namespace tvx::panel::optimize {

std::optional<PanelLayoutResult> RunStandardLayout(const LayoutInput& input,
                                                   std::int16_t fullPanelPercent,
                                                   const SearchControl& control) {
    LayoutInput copy = input;
    LayoutCallbacks callbacks;
    callbacks.cancelRequested = [&control] { return control.StopRequested(); };
    PanelLayoutResult result;
    if (!AutoLayout(copy, callbacks, result, fullPanelPercent)) return std::nullopt;
    return result;
}

}  // namespace tvx::panel::optimize
