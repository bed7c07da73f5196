#pragma once
// Texts written into a quoted field of a job file (titles, comments, part codes).

#include <string>

namespace tvx {

// A text field as it goes into the file: double quotes become "＂" and line breaks spaces,
// so that the text cannot end its field or its line. Commas stay: the readers take a quoted
// field whole.
std::string FileSafeText(const std::string& text);

}  // namespace tvx
