#pragma once
// The number pictures of the printed and shown plans: "@@@@", "@@@", "@@" right-align a value
// in 4, 3 or 2 characters (longer values are written in full); "##,###,##0" and its shorter
// forms group thousands with commas.

#include <cstdint>
#include <string>

#include "common/number_text.h"

namespace tvx::panel {

using tvx::Grouped;
using tvx::RightAligned;

// A part size in the summary list: the integer part right-aligned in 4 characters and, when
// the value has a fraction, "." and one decimal. The value is rounded to one decimal first,
// so 599.96 reads " 600.0".
std::string SummarySize(double value);
// A label value on the diagram: plain decimal text without trailing ".0".
std::string LabelValue(float value);

}  // namespace tvx::panel
