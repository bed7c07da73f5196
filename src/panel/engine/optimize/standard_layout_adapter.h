#pragma once
// The standard automatic layout seen through a SearchControl, so the optimising search can
// start from it. The one place that knows the standard engine's calling convention.

#include <cstdint>
#include <optional>

#include "common/search_control.h"
#include "panel/engine/layout_types.h"

namespace tvx::panel::optimize {

std::optional<PanelLayoutResult> RunStandardLayout(const LayoutInput& input,
                                                   std::int16_t fullPanelPercent,
                                                   const SearchControl& control);

}  // namespace tvx::panel::optimize
