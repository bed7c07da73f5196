#pragma once
// The catalogue of named stock panels ("Panellist.txt"): one panel per fixed-width line in
// Shift-JIS. Lines are kept as their Shift-JIS bytes, because every position in them is a
// byte position of that form. No Qt.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/catalogue_text.h"

namespace tvx::panel {

inline constexpr const char* kCatalogueFileName = "Panellist.txt";
inline constexpr const char* kCatalogueEndMarker = "　　　------ e n d --------";
inline constexpr std::size_t kOldCatalogueLineBytes = 28;

struct CatalogueEntry {
    std::string description;  // UTF-8
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t price = 0;
};

// The description cut by whole characters from the end until its Shift-JIS form takes at most
// 8 bytes, then padded with spaces to 8 bytes; returned in Shift-JIS.
std::string CatalogueDescriptionBytes(std::string_view utf8Description);

using tvx::CatalogueFileBytes;
using tvx::CataloguePriceText;
using tvx::CatalogueText;

// One line in Shift-JIS: description (8 bytes), a space, the height in 5 characters, " x",
// the width in 5 characters, the price grouped and followed by "円" in 9 characters.
std::string CatalogueLineBytes(const CatalogueEntry& entry);

// Bytes of a line in the current layout: 8 + 1 + 5 + 2 + 5 + 8 + the two bytes of "円".
inline constexpr std::size_t kCatalogueLineBytes = 31;

// Which field of an entry would not fit its fixed width in a catalogue line.
enum class CatalogueOverflow {
    None,
    Height,  // more than 5 characters
    Width,   // more than 5 characters
    Price,   // grouped with "円", more than 9 characters (1,000,000 and above)
};
CatalogueOverflow CheckCatalogueEntry(const CatalogueEntry& entry);

// A line of the current layout: its width, the blank after the description, " x" between
// the sizes and "円" at its end. Lines of any other form cannot be read by their positions.
bool HasCatalogueLayout(std::string_view sjisLine);

// A line of the earlier 28-byte layout converted to the current one; other lines unchanged.
std::string ConvertOldCatalogueLine(std::string_view sjisLine);

// The entry the editor loads from a line ("修正"): description bytes 1-8 (trailing spaces
// dropped), height bytes 10-14, width bytes 17-21, price from the digits of bytes 22-25 and
// 27-29.
CatalogueEntry ParseCatalogueLineForEdit(std::string_view sjisLine);

// What a double-click copies from a line: from its last 21 characters, characters 1-5 the
// height, 8-12 the width, and the price from characters 13-16 and 18-20.
CatalogueEntry ParseCatalogueLineForCopy(std::string_view sjisLine);

// Splits the file's bytes into lines (CR LF, LF or CR), converting old-layout lines. A file
// that came as UTF-8 (with or without its mark) is turned into Shift-JIS first.
CatalogueText ParseCatalogueFile(std::string_view bytes);

}  // namespace tvx::panel
