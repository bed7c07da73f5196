#pragma once
// Number pictures both programs print and show: right-aligned counts ("@@@@"), thousands
// grouped with commas ("##,##0"), and lengths as plain decimals.

#include <cstdint>
#include <string>
#include <string_view>

namespace tvx {

// Right-aligns the decimal value in `width` characters (longer values are written in full).
std::string RightAligned(std::int64_t value, int width);
// Right-aligns a UTF-8 text in `width` characters (counted as characters, not bytes); a longer
// text is kept whole.
std::string RightAlignedText(std::string_view utf8, int width);
// Thousands grouped with commas, no padding ("1,234,567", "0", "-1,000").
std::string Grouped(std::int64_t value);
// A length as a plain decimal: at most three decimals, trailing zeros dropped, never an
// exponent; values within 0.0005 of 0 read "0", and a value that is not finite reads "0".
std::string PlainDecimal(double value);

}  // namespace tvx
