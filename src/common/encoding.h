#pragma once
// Text encodings of the files users exchange: job files and catalogues are Shift-JIS
// (code page 932) on disk, UTF-8 in memory.

#include <string>
#include <string_view>

namespace tvx {

// Shift-JIS (CP932) bytes to UTF-8. Bytes that do not form a character become U+FFFD.
std::string ShiftJisToUtf8(std::string_view sjis);

// UTF-8 to Shift-JIS (CP932). A character that Shift-JIS cannot hold, or a broken UTF-8
// sequence, becomes "?".
std::string Utf8ToShiftJis(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);

// The text of a file as UTF-8: a UTF-8 byte-order mark is dropped and the rest taken as UTF-8;
// without a mark, bytes that are valid UTF-8 are taken as such, anything else as Shift-JIS.
std::string DecodeFileText(std::string_view bytes);

// Number of bytes the UTF-8 text takes in Shift-JIS.
std::size_t ShiftJisLength(std::string_view utf8);

}  // namespace tvx
