#include "panel/output/number_pictures.h"

#include <cmath>

#include "common/number_text.h"

namespace tvx::panel {

std::string SummarySize(double value) {
    if (!std::isfinite(value)) return RightAligned(0, 4);
    if (value == std::trunc(value)) {
        return RightAligned(static_cast<std::int64_t>(value), 4);
    }
    const double tenths = RoundHalfEven(value * 10.0);
    const auto whole = static_cast<std::int64_t>(std::trunc(tenths / 10.0));
    const auto fraction = static_cast<std::int64_t>(std::fabs(tenths - whole * 10.0));
    return RightAligned(whole, 4) + "." + std::to_string(fraction);
}

std::string LabelValue(float value) {
    return FormatSingle(value);
}

}  // namespace tvx::panel
