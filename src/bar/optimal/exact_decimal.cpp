#include "bar/optimal/exact_decimal.h"

#include <cmath>
#include <string>

#include "common/number_text.h"

namespace tvx::bar::optimal {
namespace {

constexpr std::int64_t kLargest = std::int64_t{1} << 62;

}  // namespace

std::optional<Decimal> ExactDecimal(float value) {
    if (!std::isfinite(value) || value < 0.0f) return std::nullopt;
    // FormatSingle writes plain notation: digits, at most one point, no sign, no exponent.
    const std::string text = FormatSingle(value);
    Decimal result;
    bool afterPoint = false;
    int digits = 0;
    for (const char c : text) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (result.mantissa == 0 && c == '0') {
            // Leading zeros add no digit, but still count as decimals after the point.
        } else if (++digits > 18) {
            return std::nullopt;
        }
        result.mantissa = result.mantissa * 10 + (c - '0');
        if (afterPoint) ++result.decimals;
    }
    return result;
}

std::optional<ScaledValues> ScaleToCommonUnit(const std::vector<float>& values) {
    std::vector<Decimal> decimals;
    ScaledValues scaled;
    for (const float value : values) {
        const std::optional<Decimal> decimal = ExactDecimal(value);
        if (!decimal) return std::nullopt;
        decimals.push_back(*decimal);
        scaled.decimals = std::max(scaled.decimals, decimal->decimals);
    }
    for (const Decimal& decimal : decimals) {
        std::int64_t v = decimal.mantissa;
        for (int d = decimal.decimals; d < scaled.decimals; ++d) {
            if (v > kLargest / 10) return std::nullopt;
            v *= 10;
        }
        scaled.values.push_back(v);
    }
    return scaled;
}

}  // namespace tvx::bar::optimal
