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
// The fields are named after a part row; a stock line holds height, width, price (in
// `amount`) and limit (in `comment`), the settings line kerf (in `height`) and orientation
// mode (in `width`).
struct JobLine {
    float height = 0.0f;
    float width = 0.0f;
    std::int32_t amount = 0;  // a row's quantity, a stock size's price
    std::string comment;
    std::int16_t turnFlag = 0;
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
