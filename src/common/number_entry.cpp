#include "common/number_entry.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "common/number_text.h"

namespace tvx {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> NumberEntryValue(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',') {
            // A thousands comma stands between digits; any other comma is not number text.
            if (i == 0 || i + 1 >= text.size() || !IsDigit(text[i - 1]) || !IsDigit(text[i + 1]))
                return std::nullopt;
            continue;
        }
        plain += text[i];
    }
    if (plain.find_first_not_of(" \t") == std::string::npos) return 0.0;
    if (!IsWholeNumberText(plain)) return std::nullopt;
    // strtod reports an overflow as infinity, where the leading-number reader would not.
    const double value = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tvx
