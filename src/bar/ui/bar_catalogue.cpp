#include "bar/ui/bar_catalogue.h"

#include <cmath>

#include "common/encoding.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

// Characters first..last (1-based) of a character list.
std::string Characters(const std::vector<std::string>& all, std::size_t from, std::size_t first,
                       std::size_t last) {
    std::string text;
    for (std::size_t i = first; i <= last; ++i)
        if (from + i - 1 < all.size()) text += all[from + i - 1];
    return text;
}

}  // namespace

std::string BarCatalogueLengthText(double length) {
    return PlainDecimal(length);
}

BarEntryProblem CheckBarCatalogueEntry(const BarCatalogueEntry& entry) {
    if (!(entry.length != 0) || !std::isfinite(entry.length)) return BarEntryProblem::NoLength;
    if (BarCatalogueLengthText(entry.length).size() > static_cast<std::size_t>(kBarLengthWidth))
        return BarEntryProblem::LengthTooWide;
    if (entry.price > kBarCatalogueMaxPrice || entry.price < -99999)
        return BarEntryProblem::PriceTooHigh;
    return BarEntryProblem::None;
}

std::string BarCatalogueLineBytes(const BarCatalogueEntry& entry) {
    std::string line = ShiftJisFitted(ToHalfWidth(entry.description), kBarDescriptionBytes);
    line += RightAlignedText(BarCatalogueLengthText(entry.length), kBarLengthWidth);
    line +=
        Utf8ToShiftJis(RightAlignedText(CataloguePriceText(entry.price) + "円", kBarPriceWidth));
    return line;
}

std::string ConvertOldBarCatalogueLine(std::string_view sjisLine) {
    if (sjisLine.size() != kOldBarCatalogueLineBytes) return std::string(sjisLine);
    const std::vector<std::string> characters = Utf8Characters(ShiftJisToUtf8(sjisLine));
    std::string tail;
    const std::size_t from = characters.size() > 9 ? characters.size() - 9 : 0;
    for (std::size_t i = from; i < characters.size(); ++i) tail += characters[i];
    std::string line(ByteRange(sjisLine, 1, 10));
    line += "  ";
    line += ByteRange(sjisLine, 11, 15);
    line += Utf8ToShiftJis(tail);
    return line;
}

std::optional<BarPick> PickFromBarCatalogueLine(std::string_view sjisLine) {
    if (sjisLine.size() != kBarCatalogueLineBytes) return std::nullopt;
    const std::vector<std::string> all = Utf8Characters(ShiftJisToUtf8(sjisLine));
    if (all.size() < 16) return std::nullopt;
    const std::size_t from = all.size() - 16;
    BarPick pick;
    pick.length = LeadingNumber(Characters(all, from, 1, 7));
    pick.price = ClampToInt32(LeadingNumber(DigitsOf(Characters(all, from, 8, 11)) +
                                            DigitsOf(Characters(all, from, 13, 15))));
    return pick;
}

CatalogueText ParseBarCatalogueFile(std::string_view bytes) {
    return ParseCatalogueText(bytes, kOldBarCatalogueLineBytes, ConvertOldBarCatalogueLine);
}

}  // namespace tvx::bar
