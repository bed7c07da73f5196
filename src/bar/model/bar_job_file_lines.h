#pragma once
// The line notation of bar job files: preparing a line, counting its fields and reading it as
// a text or as numbers.

#include <string>
#include <string_view>
#include <vector>

namespace tvx::bar {

inline constexpr const char* kStockMarker = "棒材サイズ";
inline constexpr const char* kKerfMarker = "切断幅";
inline constexpr const char* kCutsMarker = "カットサイズ";
inline constexpr const char* kPlanMarker = "計算結果";

// Removes up to four trailing commas, one at a time.
std::string PrepareLine(std::string_view line);

// The number of fields of a line: 1 + its commas outside quoted fields (see SplitFields).
int CountFields(std::string_view line);

// A line read as one value: a text, or a list of numbers.
struct ValueLine {
    bool isText = false;
    std::string text;             // the text, for a text line
    std::vector<double> numbers;  // the numbers, otherwise
    bool IsText(std::string_view marker) const { return isText && text == marker; }
    bool IsSingleNumber() const { return !isText && numbers.size() == 1; }
    bool IsThreeNumbers() const { return !isText && numbers.size() == 3; }
};

// A line beginning with a double quote is the text up to its closing quote ("" inside stands
// for one quote); a line without
// commas is a number when its whole text is one, else a text; a line with commas gives one
// number per field (the leading number of each field, 0 when there is none).
ValueLine ReadValueLine(std::string_view line);

// The fields of a line, split at commas. A field that begins with a double quote runs to its
// closing quote, commas included ("" inside stands for one quote); text after the closing quote
// up to the next comma is added to it. A quote that is never closed, or one inside an unquoted
// field, is an ordinary character.
std::vector<std::string> SplitFields(std::string_view line);

}  // namespace tvx::bar
