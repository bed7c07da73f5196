#pragma once
// The value of a numeric entry box, where only number text is taken. No Qt.

#include <optional>
#include <string_view>

namespace tvx {

// Blank text reads 0; commas between digits are thousands separators ("1,200" reads 1200);
// otherwise the text, blanks around it aside, must be one number. Nothing for other text and
// for values that are not finite.
std::optional<double> NumberEntryValue(std::string_view text);

}  // namespace tvx
