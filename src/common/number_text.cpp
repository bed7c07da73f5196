#include "number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

namespace tvx {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the number at the start of `text` (after blanks); 0 when there is none.
std::size_t NumberPrefixLength(std::string_view text, std::size_t start) {
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && IsDigit(text[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i - start;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    const std::size_t length = NumberPrefixLength(text, start);
    if (length == 0) return 0.0;
    // strtod wants a terminated string and accepts exactly the form checked above.
    const std::string number(text.substr(start, length));
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : std::copysign(std::numeric_limits<double>::max(), value);
}

bool IsWholeNumberText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    std::size_t end = text.size();
    while (end > start && IsBlank(text[end - 1])) --end;
    const std::size_t length = NumberPrefixLength(text.substr(0, end), start);
    return length > 0 && start + length == end;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<std::int16_t> ToInt16(double value) {
    const double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> ToInt32(double value) {
    const double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<float> ToSingle(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(value);
}

std::int16_t ClampToInt16(double value) {
    if (std::isnan(value)) return 0;
    const double r = RoundHalfEven(value);
    if (r < -32768.0) return -32768;
    if (r > 32767.0) return 32767;
    return static_cast<std::int16_t>(r);
}

std::int32_t ClampToInt32(double value) {
    if (std::isnan(value)) return 0;
    const double r = RoundHalfEven(value);
    if (r < -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    if (r > 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

namespace {
template <typename T>
std::string FormatShortestFixed(T value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";  // also turns -0 into "0"
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}
}  // namespace

std::string FormatSingle(float value) {
    return FormatShortestFixed(value);
}
std::string FormatDouble(double value) {
    return FormatShortestFixed(value);
}

std::optional<double> ParsePositiveSeconds(const std::string& text) {
    std::size_t used = 0;
    double seconds = 0.0;
    try {
        seconds = std::stod(text, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || !(seconds > 0.0) || !std::isfinite(seconds)) return std::nullopt;
    return seconds;
}

std::string RightAligned(std::int64_t value, int width) {
    return RightAlignedText(std::to_string(value), width);
}

std::string RightAlignedText(std::string_view utf8, int width) {
    std::size_t characters = 0;
    for (const char c : utf8) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    std::string text(utf8);
    if (width > 0 && characters < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - characters, ' ');
    return text;
}

std::string Grouped(std::int64_t value) {
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so the most negative value cannot overflow.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[i];
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) out += ',';
    }
    return negative ? "-" + out : out;
}

std::string PlainDecimal(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 0.0005) return "0";
    // "%.3f" never uses an exponent; the largest single value needs 39 digits before the point.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string text(buffer);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

}  // namespace tvx
