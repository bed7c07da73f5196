#pragma once
// Reading numbers the way users type them, and writing them back: the one thousands grouping
// ("##,##0") and the one right alignment ("@@@@") both programs print and show.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tvx {

// The number a text starts with: leading blanks are skipped, then an optional sign, digits
// with at most one decimal point and an optional exponent. The first character that does not
// belong to the number ends it; a text without a number reads as 0 ("1,5" -> 1, "abc" -> 0).
double LeadingNumber(std::string_view text);

// True when the whole text, blanks around it aside, is one number in the form above.
bool IsWholeNumberText(std::string_view text);

// Round half to even ("banker's rounding"), the rounding of every integer conversion.
double RoundHalfEven(double value);

// A command-line number of seconds: the whole text is a finite number greater than 0.
std::optional<double> ParsePositiveSeconds(const std::string& text);

// Conversions that round half to even and refuse values beyond the field's width.
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);
// Single precision; refuses values whose magnitude is beyond the single range.
std::optional<float> ToSingle(double value);

// Clamping conversions for display fields that must never fail.
std::int16_t ClampToInt16(double value);
std::int32_t ClampToInt32(double value);

// Shortest decimal text that reads back as the same single value: plain notation, never an
// exponent, integral values without a point ("1500", "2.5", "0", "-3").
std::string FormatSingle(float value);
// The same for a double.
std::string FormatDouble(double value);

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
