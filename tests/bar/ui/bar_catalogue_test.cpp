#include "bar/ui/bar_catalogue.h"

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/number_entry.h"

namespace tvx::bar {
namespace {

std::string Line(const std::string& description, double length, std::int32_t price) {
    return BarCatalogueLineBytes({description, length, price});
}

TEST(BarCatalogueLine, FixedLayoutInShiftJisBytes) {
    // Eight full-width (kanji) characters: the first five fill the 10 bytes.
    const std::string kanji = Line("鉄鋼角材丸棒平鋼", 6000, 500);
    ASSERT_EQ(kanji.size(), kBarCatalogueLineBytes);
    EXPECT_EQ(ShiftJisToUtf8(kanji), "鉄鋼角材丸   6000     500円");
    EXPECT_EQ(ShiftJisToUtf8(Line("角パイプ", 5500.5, 12000)), "角ﾊﾟｲﾌﾟ    5500.5  12,000円");
    // Full-width letters and digits become half-width; 0 yen is an empty number.
    EXPECT_EQ(ShiftJisToUtf8(Line("ＳＴＫ４００", 4000, 0)), "STK400       4000        円");
    EXPECT_EQ(Line("ＳＴＫ４００", 4000, 0).size(), kBarCatalogueLineBytes);
    // A half-width description that ends inside a double-byte character is cut before it.
    EXPECT_EQ(ShiftJisToUtf8(Line("ABCDEFGHI鋼", 1, 1)).substr(0, 10), "ABCDEFGHI ");
}

TEST(BarCatalogueLine, PricesAndLengthsReadBackByAPick) {
    for (const std::int32_t price : {0, 500, 12000, 999999}) {
        SCOPED_TRACE(price);
        const std::optional<BarPick> pick = PickFromBarCatalogueLine(Line("丸鋼", 6000, price));
        ASSERT_TRUE(pick.has_value());
        EXPECT_EQ(pick->price, price);
        EXPECT_DOUBLE_EQ(pick->length, 6000);
    }
    EXPECT_EQ(ShiftJisToUtf8(Line("", 1, 500)).substr(17), "     500円");
    EXPECT_EQ(ShiftJisToUtf8(Line("", 1, 12000)).substr(17), "  12,000円");
    EXPECT_DOUBLE_EQ(PickFromBarCatalogueLine(Line("x", 1234.5, 1))->length, 1234.5);
    // Lines not of the layout's width are refused.
    EXPECT_FALSE(PickFromBarCatalogueLine("short").has_value());
    EXPECT_FALSE(PickFromBarCatalogueLine(Line("x", 1, 1) + " ").has_value());
}

TEST(BarCatalogueLine, EntriesThatDoNotFitAreRefused) {
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 0, 100}), BarEntryProblem::NoLength);
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 1234567, 100}), BarEntryProblem::None);
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 12345678, 100}), BarEntryProblem::LengthTooWide);
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 1234.125, 100}), BarEntryProblem::LengthTooWide);
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 6000, 999999}), BarEntryProblem::None);
    EXPECT_EQ(CheckBarCatalogueEntry({"x", 6000, 1000000}), BarEntryProblem::PriceTooHigh);
}

TEST(BarCatalogueFile, OldLayoutIsConvertedAndUtf8FilesAreRead) {
    // 25 bytes: description 10, length 5, price 9 characters (10 bytes).
    const std::string old = ShiftJisFitted("ｶｸﾊﾟｲﾌﾟ", 10) + " 6000" + Utf8ToShiftJis("   3,500円");
    ASSERT_EQ(old.size(), kOldBarCatalogueLineBytes);
    const std::string current = Line("ｶｸﾊﾟｲﾌﾟ", 6000, 3500);
    const CatalogueText text = ParseBarCatalogueFile(old + "\r\n" + current + "\r\n");
    EXPECT_TRUE(text.converted);
    ASSERT_EQ(text.lines.size(), 2u);
    EXPECT_EQ(text.lines[0], current);
    EXPECT_EQ(text.lines[1], current);
    EXPECT_EQ(CatalogueFileBytes(text.lines), current + "\r\n" + current + "\r\n");

    const CatalogueText utf8 =
        ParseBarCatalogueFile("\xEF\xBB\xBF" + ShiftJisToUtf8(current) + "\n");
    EXPECT_FALSE(utf8.converted);
    ASSERT_EQ(utf8.lines.size(), 1u);
    EXPECT_EQ(utf8.lines[0], current);
}

TEST(NumberEntryValue, TakesOnlyNumberText) {
    EXPECT_EQ(NumberEntryValue("1,200"), 1200.0);
    EXPECT_EQ(NumberEntryValue(" 12,000.5 "), 12000.5);
    EXPECT_EQ(NumberEntryValue(""), 0.0);
    EXPECT_EQ(NumberEntryValue("  "), 0.0);
    EXPECT_EQ(NumberEntryValue("-3"), -3.0);
    EXPECT_FALSE(NumberEntryValue("12a").has_value());
    EXPECT_FALSE(NumberEntryValue("abc").has_value());
    EXPECT_FALSE(NumberEntryValue(",100").has_value());
    EXPECT_FALSE(NumberEntryValue("1,,000").has_value());
    EXPECT_FALSE(NumberEntryValue("1e999").has_value());
}

}  // namespace
}  // namespace tvx::bar
