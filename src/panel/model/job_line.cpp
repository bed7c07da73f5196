#include "job_line.h"

#include "common/number_text.h"

namespace tvx::panel {
namespace {

constexpr auto npos = std::string_view::npos;

// Removes one pair of double quotes that encloses the whole text.
std::string Strip(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

std::string_view Between(std::string_view line, std::size_t from, std::size_t to) {
    return line.substr(from, to - from);
}

std::size_t NextComma(std::string_view line, std::size_t after) {
    return after + 1 < line.size() ? line.find(',', after + 1) : npos;
}

JobLine TextLine(std::string text) {
    JobLine result;
    result.text = std::move(text);
    result.count = 1;
    return result;
}

}  // namespace

std::optional<JobLine> ParseJobLine(std::string_view line) {
    // A quoted text: everything up to the closing quote (or the end of a line without one).
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        return TextLine(std::string(line.substr(1, close == npos ? npos : close - 1)));
    }
    const std::size_t c1 = line.find(',');
    if (c1 == npos) return TextLine(Strip(line));
    const std::size_t c2 = NextComma(line, c1);
    if (c2 == c1 + 1) return TextLine(std::string(line.substr(0, c1)));

    JobLine result;
    const auto f1 = ToSingle(LeadingNumber(line.substr(0, c1)));
    if (!f1) return std::nullopt;
    result.height = *f1;
    if (c2 == npos) {
        const auto f2 = ToSingle(LeadingNumber(line.substr(c1 + 1)));
        if (!f2) return std::nullopt;
        result.width = *f2;
        result.count = 2;
        return result;
    }
    const auto f2 = ToSingle(LeadingNumber(Between(line, c1 + 1, c2)));
    if (!f2) return std::nullopt;
    result.width = *f2;
    const std::size_t c3 = NextComma(line, c2);
    if (c3 == c2 + 1) {
        result.count = 2;
        return result;
    }
    const auto f3 =
        ToInt32(LeadingNumber(c3 == npos ? line.substr(c2 + 1) : Between(line, c2 + 1, c3)));
    if (!f3) return std::nullopt;
    result.amount = *f3;
    if (c3 == npos) {
        result.count = 3;
        return result;
    }

    // The comment: quoted (commas inside belong to it) or up to the next comma.
    const std::size_t o = c3 + 1;
    std::size_t c4 = npos;
    if (o < line.size() && line[o] == '"') {
        const std::size_t q = line.find('"', o + 1);
        if (q != npos && q + 1 < line.size()) c4 = q + 1;
    } else {
        c4 = NextComma(line, c3);
    }
    if (c4 == c3 + 1) {
        result.count = 3;
        return result;
    }
    if (c4 == npos) {
        result.comment = Strip(line.substr(o));
        result.count = 4;
        return result;
    }
    result.comment = Strip(Between(line, o, c4));
    result.count = 4;
    if (c4 + 1 >= line.size() || NextComma(line, c4) == c4 + 1) return result;
    const auto f5 = ToInt16(LeadingNumber(line.substr(c4 + 1)));
    if (!f5) return std::nullopt;
    result.turnFlag = *f5;
    result.count = 5;
    return result;
}

}  // namespace tvx::panel
