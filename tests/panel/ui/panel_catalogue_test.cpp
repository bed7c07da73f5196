#include "panel/ui/panel_catalogue.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace tvx::panel {
namespace {

TEST(CatalogueLine, FixedByteLayout) {
    const std::string line = CatalogueLineBytes({"ラワン", 1820, 910, 3000});
    // "ラワン" is 6 bytes in Shift-JIS, padded to 8, then one space.
    EXPECT_EQ(line.substr(0, 6), Utf8ToShiftJis("ラワン"));
    EXPECT_EQ(line.substr(6, 3), "   ");
    EXPECT_EQ(line.substr(9, 5), " 1820");
    EXPECT_EQ(line.substr(14, 2), " x");
    EXPECT_EQ(line.substr(16, 5), "  910");
    EXPECT_EQ(line.substr(21), Utf8ToShiftJis("   3,000円"));
    EXPECT_EQ(line.size(), 31u);
}

TEST(CatalogueLine, DescriptionCutByWholeCharacters) {
    EXPECT_EQ(ShiftJisToUtf8(CatalogueDescriptionBytes("あいうえおかきくけこ")), "あいうえ");
    // A half-width character leaves one byte that a full-width one cannot fill.
    EXPECT_EQ(ShiftJisToUtf8(CatalogueDescriptionBytes("aあいうえ")), "aあいう ");
    EXPECT_EQ(CatalogueDescriptionBytes("MDF"), "MDF     ");
    EXPECT_EQ(CataloguePriceText(1234567), "1,234,567");
    EXPECT_EQ(CataloguePriceText(0), "");
}

TEST(CatalogueLine, EditAndCopyReadTheLineBack) {
    const std::string line = CatalogueLineBytes({"構造用合板", 1820, 910, 3000});
    const CatalogueEntry edit = ParseCatalogueLineForEdit(line);
    EXPECT_EQ(edit.description, "構造用合");
    EXPECT_EQ(edit.height, 1820);
    EXPECT_EQ(edit.width, 910);
    EXPECT_EQ(edit.price, 3000);
    const CatalogueEntry copy = ParseCatalogueLineForCopy(line);
    EXPECT_EQ(copy.height, 1820);
    EXPECT_EQ(copy.width, 910);
    EXPECT_EQ(copy.price, 3000);
    const CatalogueEntry cheap =
        ParseCatalogueLineForCopy(CatalogueLineBytes({"x", 2430, 1220, 500}));
    EXPECT_EQ(cheap.price, 500);
    EXPECT_EQ(ParseCatalogueLineForCopy(CatalogueLineBytes({"x", 900, 600, 0})).price, 0);
}

TEST(CatalogueLine, ValuesWiderThanTheirFieldsAreCaught) {
    struct Case {
        CatalogueEntry entry;
        CatalogueOverflow overflow;
    };
    for (const Case& c : {Case{{"", 1820, 910, 999999}, CatalogueOverflow::None},
                          Case{{"", 1820, 910, 1000000}, CatalogueOverflow::Price},
                          Case{{"", 1820, 910, -999999}, CatalogueOverflow::None},
                          Case{{"", 1820, 910, -1000000}, CatalogueOverflow::Price},
                          Case{{"", 99999, 910, 0}, CatalogueOverflow::None},
                          Case{{"", 100000, 910, 0}, CatalogueOverflow::Height},
                          Case{{"", 1820, 100000, 0}, CatalogueOverflow::Width},
                          Case{{"", 1820, -10000, 0}, CatalogueOverflow::Width}}) {
        SCOPED_TRACE(std::to_string(c.entry.height) + " x " + std::to_string(c.entry.width) +
                     " at " + std::to_string(c.entry.price));
        EXPECT_EQ(CheckCatalogueEntry(c.entry), c.overflow);
        // Exactly the entries that fit give a line of the layout.
        EXPECT_EQ(HasCatalogueLayout(CatalogueLineBytes(c.entry)),
                  c.overflow == CatalogueOverflow::None);
    }
    // The line of a seven-digit price is one character too long: a copy by positions would
    // read its width as 9101.
    const std::string wide = CatalogueLineBytes({"合板", 1820, 910, 1000000});
    EXPECT_EQ(wide.size(), kCatalogueLineBytes + 1);
    EXPECT_FALSE(HasCatalogueLayout(wide));
    EXPECT_FALSE(HasCatalogueLayout(""));
    EXPECT_FALSE(HasCatalogueLayout(Utf8ToShiftJis("　　　------ e n d --------")));
    EXPECT_FALSE(HasCatalogueLayout(std::string(kCatalogueLineBytes, 'x')));
    EXPECT_TRUE(HasCatalogueLayout(CatalogueLineBytes({"構造用合板", 2430, 1220, 4500})));
}

TEST(CatalogueFile, OldLayoutIsConverted) {
    // desc 8 bytes, height in 4, " x", width in 4, price in 9 characters: 28 bytes.
    const std::string old = Utf8ToShiftJis("シナ合板1820 x 910   3,000円");
    ASSERT_EQ(old.size(), kOldCatalogueLineBytes);
    const std::string converted = ConvertOldCatalogueLine(old);
    EXPECT_EQ(converted, CatalogueLineBytes({"シナ合板", 1820, 910, 3000}));

    const std::string bytes = old + "\r\n" + CatalogueLineBytes({"MDF", 2430, 1220, 4500}) + "\r\n";
    const CatalogueText text = ParseCatalogueFile(bytes);
    ASSERT_EQ(text.lines.size(), 2u);
    EXPECT_TRUE(text.converted);
    EXPECT_EQ(text.lines[0], converted);
    EXPECT_EQ(CatalogueFileBytes(text.lines),
              converted + "\r\n" + CatalogueLineBytes({"MDF", 2430, 1220, 4500}) + "\r\n");
}

TEST(CatalogueFile, Utf8FileIsTakenAsText) {
    const std::string utf8 =
        "\xEF\xBB\xBF" + ShiftJisToUtf8(CatalogueLineBytes({"合板", 1820, 910, 3000})) + "\n";
    const CatalogueText text = ParseCatalogueFile(utf8);
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0], CatalogueLineBytes({"合板", 1820, 910, 3000}));
    EXPECT_FALSE(text.converted);
}

}  // namespace
}  // namespace tvx::panel
