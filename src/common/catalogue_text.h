#pragma once
// What the two stock catalogues ("Panellist.txt" and "Bouzailist.txt") have in common: lines
// of fixed byte widths in Shift-JIS, descriptions cut by whole characters to a byte width,
// prices with thousands commas, files that may come as UTF-8, and an earlier line layout that
// is converted on reading. No Qt.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string> Utf8Characters(std::string_view utf8);

// The text cut by whole characters from the end until its Shift-JIS form takes at most
// `bytes` bytes, then padded with spaces to exactly `bytes`; returned in Shift-JIS.
std::string ShiftJisFitted(std::string_view utf8, std::size_t bytes);

// Full-width letters, digits, signs and spaces, and full-width katakana (voiced ones as two
// characters), turned into their half-width forms; everything else unchanged.
std::string ToHalfWidth(std::string_view utf8);

// A catalogue price ("###,###"): thousands grouped, 0 as an empty text.
std::string CataloguePriceText(std::int64_t price);

// Bytes first..last (1-based, inclusive) of a line; shorter lines give what they have.
std::string_view ByteRange(std::string_view line, std::size_t first, std::size_t last);
// The ASCII digits of a text, in order.
std::string DigitsOf(std::string_view text);

struct CatalogueText {
    std::vector<std::string> lines;  // Shift-JIS bytes, current layout
    bool converted = false;          // some line was in the earlier layout
};
// Splits a catalogue file's bytes into lines (CR LF, LF or CR). A file that came as UTF-8
// (with or without its mark) is turned into Shift-JIS first. Lines of exactly `oldLineBytes`
// bytes are in the earlier layout and go through `convert`.
CatalogueText ParseCatalogueText(std::string_view bytes, std::size_t oldLineBytes,
                                 const std::function<std::string(std::string_view)>& convert);

// The file's bytes: every line followed by CR LF.
std::string CatalogueFileBytes(const std::vector<std::string>& lines);

}  // namespace tvx
