#include "standard_layout_adapter.h"

#include "panel/engine/auto_layout.h"

namespace tvx::panel::optimize {

std::optional<PanelLayoutResult> RunStandardLayout(const LayoutInput& input,
                                                   std::int16_t fullPanelPercent,
                                                   const SearchControl& control) {
    LayoutOptions options;
    options.fullPanelPercent = fullPanelPercent;
    return AutoLayout(input, options, control);
}

}  // namespace tvx::panel::optimize
