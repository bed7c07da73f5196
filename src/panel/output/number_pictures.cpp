#include "panel/output/number_pictures.h"

#include <cmath>

#include "common/number_text.h"

namespace tvx::panel {

std::string RightAligned(std::int64_t value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
}

std::string Grouped(std::int64_t value) {
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so the most negative value cannot overflow.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[i];
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) out += ',';
    }
    return negative ? "-" + out : out;
}

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
