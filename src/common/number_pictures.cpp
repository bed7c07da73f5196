#include "common/number_pictures.h"

#include <cmath>
#include <cstdio>

namespace tvx {

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
