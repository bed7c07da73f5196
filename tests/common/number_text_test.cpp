#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tvx {
namespace {

TEST(LeadingNumber, ReadsTheNumberATextStartsWith) {
    EXPECT_DOUBLE_EQ(LeadingNumber("450"), 450.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("  600.5mm"), 600.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1 2"), 1.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-3"), -3.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("+7.25"), 7.25);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2E-1"), 0.2);
}

TEST(LeadingNumber, TextWithoutANumberReadsAsZero) {
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("-"), 0.0);
    EXPECT_EQ(LeadingNumber("."), 0.0);
    EXPECT_EQ(LeadingNumber("\"12\""), 0.0);
}

TEST(LeadingNumber, AnIncompleteExponentIsNotPartOfTheNumber) {
    EXPECT_DOUBLE_EQ(LeadingNumber("5e"), 5.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("5e+"), 5.0);
    EXPECT_TRUE(std::isfinite(LeadingNumber("1e999")));
}

TEST(IsWholeNumberText, AcceptsOnlyANumberWithBlanksAround) {
    EXPECT_TRUE(IsWholeNumberText(" 1500 "));
    EXPECT_TRUE(IsWholeNumberText("2.5"));
    EXPECT_FALSE(IsWholeNumberText("1500mm"));
    EXPECT_FALSE(IsWholeNumberText(""));
    EXPECT_FALSE(IsWholeNumberText("棒材サイズ"));
}

TEST(RoundHalfEven, RoundsTiesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
}

TEST(IntegerConversion, RefusesValuesBeyondTheFieldWidth) {
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.0), -32768);
    EXPECT_FALSE(ToInt16(32767.5).has_value());  // rounds to 32768
    EXPECT_FALSE(ToInt16(-32769.0).has_value());
    EXPECT_FALSE(ToInt16(NAN).has_value());
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(ToInt32(2147483648.0).has_value());
    EXPECT_FALSE(ToSingle(1e39).has_value());
    EXPECT_EQ(ToSingle(2.5), 2.5f);
    EXPECT_EQ(ClampToInt16(1e9), 32767);
    EXPECT_EQ(ClampToInt16(-1e9), -32768);
    EXPECT_EQ(ClampToInt32(NAN), 0);
}

TEST(FormatSingle, WritesTheShortestPlainDecimal) {
    EXPECT_EQ(FormatSingle(1500.0f), "1500");
    EXPECT_EQ(FormatSingle(2.5f), "2.5");
    EXPECT_EQ(FormatSingle(0.0f), "0");
    EXPECT_EQ(FormatSingle(-0.0f), "0");
    EXPECT_EQ(FormatSingle(-3.0f), "-3");
    EXPECT_EQ(FormatSingle(600.5f), "600.5");
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
    EXPECT_EQ(FormatSingle(1e10f), "10000000000");
    EXPECT_EQ(FormatSingle(0.0001f), "0.0001");
}

TEST(FormatSingle, ReadsBackAsTheSameSingle) {
    for (float value : {1250.4f, 0.3f, 123456.7f, 3.14159274f, 1e-7f, 16777217.0f}) {
        const std::string text = FormatSingle(value);
        EXPECT_EQ(static_cast<float>(LeadingNumber(text)), value) << text;
        EXPECT_EQ(text.find('e'), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tvx
