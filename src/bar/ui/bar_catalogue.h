#pragma once
// The catalogue of stock bars ("Bouzailist.txt"): one bar per fixed-width line in Shift-JIS,
// a description of 10 bytes, the length in 7 characters and the price "###,###円" in 9.
// Lines are kept as their Shift-JIS bytes, because the description's width is counted in
// bytes of that form. No Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/catalogue_text.h"

namespace tvx::bar {

inline constexpr const char* kBarCatalogueFileName = "Bouzailist.txt";
inline constexpr const char* kBarCatalogueEndLine = "　  ----- e n d -----";
inline constexpr std::size_t kBarDescriptionBytes = 10;
inline constexpr int kBarLengthWidth = 7;
inline constexpr int kBarPriceWidth = 9;  // characters, "円" included
// 10 + 7 + 9 characters, of which "円" takes two bytes.
inline constexpr std::size_t kBarCatalogueLineBytes = 27;
inline constexpr std::size_t kOldBarCatalogueLineBytes = 25;
inline constexpr std::int32_t kBarCatalogueMaxPrice = 999999;

struct BarCatalogueEntry {
    std::string description;  // UTF-8
    double length = 0.0;
    std::int32_t price = 0;
};

// The length as the line writes it (plain decimal).
std::string BarCatalogueLengthText(double length);

// Why an entry cannot be stored, or nothing when it can.
enum class BarEntryProblem { None, NoLength, LengthTooWide, PriceTooHigh };
BarEntryProblem CheckBarCatalogueEntry(const BarCatalogueEntry& entry);

// One line in Shift-JIS: the description in half-width forms cut to 10 bytes by whole
// characters and padded, the length right-aligned in 7 characters, the price grouped and
// followed by "円", right-aligned in 9 characters.
std::string BarCatalogueLineBytes(const BarCatalogueEntry& entry);

// A line of the earlier 25-byte layout in the current one: its first 10 bytes, two spaces,
// bytes 11 to 15 and its last 9 characters.
std::string ConvertOldBarCatalogueLine(std::string_view sjisLine);

// What a double-click takes from a line: of its last 16 characters, the first 7 are the
// length and characters 8-11 and 13-15 the price digits. Nothing for a line that is not of
// the layout's width.
struct BarPick {
    double length = 0.0;
    std::int32_t price = 0;
};
std::optional<BarPick> PickFromBarCatalogueLine(std::string_view sjisLine);

// The file's lines, converted from the earlier layout where needed.
CatalogueText ParseBarCatalogueFile(std::string_view bytes);

}  // namespace tvx::bar
