#include "panel/ui/panel_catalogue.h"

#include <cctype>

#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::panel {
namespace {

// Byte length of the UTF-8 sequence that starts with `lead`.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

std::vector<std::string> Utf8Characters(std::string_view text) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        characters.emplace_back(text.substr(i, n));
        i += n;
    }
    return characters;
}

// Right-aligns a text in `width` characters; a longer text is kept whole.
std::string RightAlign(const std::string& utf8, std::size_t width) {
    const std::size_t count = Utf8Characters(utf8).size();
    return count >= width ? utf8 : std::string(width - count, ' ') + utf8;
}

// Bytes first..last (1-based, inclusive) of a line; shorter lines give what they have.
std::string_view Bytes(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size()) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

std::int32_t NumberOf(std::string_view text) {
    return ClampToInt32(LeadingNumber(text));
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

std::string CatalogueDescriptionBytes(std::string_view utf8Description) {
    std::vector<std::string> characters = Utf8Characters(utf8Description);
    std::string sjis;
    for (;;) {
        std::string joined;
        for (const std::string& c : characters) joined += c;
        sjis = Utf8ToShiftJis(joined);
        if (sjis.size() <= 8 || characters.empty()) break;
        characters.pop_back();
    }
    sjis.append(8 - std::min<std::size_t>(8, sjis.size()), ' ');
    return sjis;
}

std::string GroupThousands(std::int64_t value) {
    if (value == 0) return {};
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -value : value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return negative ? "-" + grouped : grouped;
}

std::string CatalogueLineBytes(const CatalogueEntry& entry) {
    std::string line = CatalogueDescriptionBytes(entry.description);
    line += ' ';
    line += RightAlign(std::to_string(entry.height), 5);
    line += " x";
    line += RightAlign(std::to_string(entry.width), 5);
    line += Utf8ToShiftJis(RightAlign(GroupThousands(entry.price) + "円", 9));
    return line;
}

CatalogueOverflow CheckCatalogueEntry(const CatalogueEntry& entry) {
    if (std::to_string(entry.height).size() > 5) return CatalogueOverflow::Height;
    if (std::to_string(entry.width).size() > 5) return CatalogueOverflow::Width;
    if (GroupThousands(entry.price).size() + 1 > 9) return CatalogueOverflow::Price;
    return CatalogueOverflow::None;
}

bool HasCatalogueLayout(std::string_view sjisLine) {
    static const std::string yen = Utf8ToShiftJis("円");
    return sjisLine.size() == kCatalogueLineBytes && sjisLine[8] == ' ' &&
           sjisLine.substr(14, 2) == " x" &&
           sjisLine.substr(kCatalogueLineBytes - yen.size()) == yen;
}

std::string ConvertOldCatalogueLine(std::string_view sjisLine) {
    if (sjisLine.size() != kOldCatalogueLineBytes) return std::string(sjisLine);
    const std::vector<std::string> characters = Utf8Characters(ShiftJisToUtf8(sjisLine));
    std::string tail;
    const std::size_t from = characters.size() > 9 ? characters.size() - 9 : 0;
    for (std::size_t i = from; i < characters.size(); ++i) tail += characters[i];
    std::string line(Bytes(sjisLine, 1, 8));
    line += "  ";
    line += Bytes(sjisLine, 9, 14);
    line += ' ';
    line += Bytes(sjisLine, 15, 18);
    line += Utf8ToShiftJis(tail);
    return line;
}

CatalogueEntry ParseCatalogueLineForEdit(std::string_view sjisLine) {
    CatalogueEntry entry;
    entry.description = TrimRight(ShiftJisToUtf8(Bytes(sjisLine, 1, 8)));
    entry.height = NumberOf(Bytes(sjisLine, 10, 14));
    entry.width = NumberOf(Bytes(sjisLine, 17, 21));
    entry.price = NumberOf(DigitsOf(Bytes(sjisLine, 22, 25)) + DigitsOf(Bytes(sjisLine, 27, 29)));
    return entry;
}

CatalogueEntry ParseCatalogueLineForCopy(std::string_view sjisLine) {
    const std::vector<std::string> all = Utf8Characters(ShiftJisToUtf8(sjisLine));
    const std::size_t from = all.size() > 21 ? all.size() - 21 : 0;
    auto chars = [&](std::size_t first, std::size_t last) {
        std::string text;
        for (std::size_t i = first; i <= last; ++i)
            if (from + i - 1 < all.size()) text += all[from + i - 1];
        return text;
    };
    CatalogueEntry entry;
    entry.height = NumberOf(chars(1, 5));
    entry.width = NumberOf(chars(8, 12));
    entry.price = NumberOf(DigitsOf(chars(13, 16)) + DigitsOf(chars(18, 20)));
    return entry;
}

CatalogueText ParseCatalogueFile(std::string_view bytes) {
    CatalogueText text;
    bool highByte = false;
    for (char c : bytes) highByte = highByte || static_cast<unsigned char>(c) >= 0x80;
    const bool utf8 = (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") ||
                      (highByte && IsValidUtf8(bytes));
    std::string sjis = utf8 ? Utf8ToShiftJis(DecodeFileText(bytes)) : std::string(bytes);
    for (std::string& line : SplitLines(sjis)) {
        if (line.size() == kOldCatalogueLineBytes) {
            line = ConvertOldCatalogueLine(line);
            text.converted = true;
        }
        text.lines.push_back(std::move(line));
    }
    return text;
}

std::string CatalogueFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace tvx::panel
