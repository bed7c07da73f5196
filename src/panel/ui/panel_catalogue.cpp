#include "panel/ui/panel_catalogue.h"

#include <cctype>

#include "common/catalogue_text.h"
#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::panel {
namespace {

std::string_view Bytes(std::string_view line, std::size_t first, std::size_t last) {
    return ByteRange(line, first, last);
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
    return ShiftJisFitted(utf8Description, 8);
}

std::string CatalogueLineBytes(const CatalogueEntry& entry) {
    std::string line = CatalogueDescriptionBytes(entry.description);
    line += ' ';
    line += RightAlignedText(std::to_string(entry.height), 5);
    line += " x";
    line += RightAlignedText(std::to_string(entry.width), 5);
    line += Utf8ToShiftJis(RightAlignedText(CataloguePriceText(entry.price) + "円", 9));
    return line;
}

CatalogueOverflow CheckCatalogueEntry(const CatalogueEntry& entry) {
    if (std::to_string(entry.height).size() > 5) return CatalogueOverflow::Height;
    if (std::to_string(entry.width).size() > 5) return CatalogueOverflow::Width;
    if (CataloguePriceText(entry.price).size() + 1 > 9) return CatalogueOverflow::Price;
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
    return ParseCatalogueText(bytes, kOldCatalogueLineBytes, ConvertOldCatalogueLine);
}

}  // namespace tvx::panel
