#pragma once
// One line of a panel job file split into its fields.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tvx::panel {

// The fields of a job-file line. `count` says how many fields the line has (1..5); a line
// with one field is a text line whose text is `text`. Numbers are the leading numbers of
// their fields (0 when there is none); fields the line does not have stay 0 or empty.
struct JobLine {
    float f1 = 0.0f;
    float f2 = 0.0f;
    std::int32_t f3 = 0;
    std::string s4;
    std::int16_t f5 = 0;
    std::int16_t count = 1;
    std::string text;  // the text of a one-field line
};

// Splits one line (UTF-8, without its line end). Nothing when a number is beyond the width
// of its field (single precision for the first two, 32 bits for the third, 16 bits for the
// fifth); the reader then stops.
std::optional<JobLine> ParseJobLine(std::string_view line);

// The marker line that opens and closes the table of stock sizes.
inline constexpr std::string_view kPanelSizeMarker = "パネルサイズ";

}  // namespace tvx::panel
