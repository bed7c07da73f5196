#pragma once
// Lengths, kerf and prices as exact whole numbers. A single value the user typed is taken as
// the shortest decimal text that reads back as the same value ("1000.1", "2.5"); all values of
// one calculation are then scaled by the same power of ten, so sums and comparisons are exact
// and no float rounding can let a bar overflow.

#include <cstdint>
#include <optional>
#include <vector>

namespace tvx::bar::optimal {

// mantissa × 10^-decimals, exactly.
struct Decimal {
    std::int64_t mantissa = 0;
    int decimals = 0;
};

// The decimal of a non-negative finite single value; none for negative, infinite or NaN
// values and for values that need more than 18 digits.
std::optional<Decimal> ExactDecimal(float value);

// The values as whole numbers of the common unit 10^-decimals, where decimals is the largest
// number of decimals among them; none when a scaled value would not fit 62 bits.
struct ScaledValues {
    int decimals = 0;
    std::vector<std::int64_t> values;
};
std::optional<ScaledValues> ScaleToCommonUnit(const std::vector<float>& values);

}  // namespace tvx::bar::optimal
