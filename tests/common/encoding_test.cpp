#include "common/encoding.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

// "パネルサイズ" in Shift-JIS.
const std::string kPanelSizeSjis = "\x83\x70\x83\x6c\x83\x8b\x83\x54\x83\x43\x83\x59";

TEST(ShiftJis, ConvertsBothWays) {
    EXPECT_EQ(ShiftJisToUtf8(kPanelSizeSjis), "パネルサイズ");
    EXPECT_EQ(Utf8ToShiftJis("パネルサイズ"), kPanelSizeSjis);
    EXPECT_EQ(Utf8ToShiftJis("abc,123"), "abc,123");
    // Half-width katakana are single bytes.
    EXPECT_EQ(Utf8ToShiftJis("ﾍﾙﾌﾟ"), "\xCD\xD9\xCC\xDF");
    EXPECT_EQ(ShiftJisToUtf8("\xCD\xD9\xCC\xDF"), "ﾍﾙﾌﾟ");
}

TEST(ShiftJis, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToShiftJis("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToShiftJis("x\xFFy"), "x?y");  // broken UTF-8
    EXPECT_EQ(ShiftJisLength("棚板"), 4u);
}

TEST(ShiftJis, BrokenShiftJisBytesDoNotStopTheConversion) {
    // A lead byte cut off at the end of the text.
    EXPECT_EQ(ShiftJisToUtf8("ab\x83"), "ab\xEF\xBF\xBD");
    // 0xFD is no character in code page 932; the text after it survives.
    const std::string text = ShiftJisToUtf8(
        "a\xFD"
        "b");
    EXPECT_EQ(text.front(), 'a');
    EXPECT_EQ(text.back(), 'b');
}

TEST(DecodeFileText, RecognisesUtf8WithAndWithoutMarkAndFallsBackToShiftJis) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFパネルサイズ"), "パネルサイズ");
    EXPECT_EQ(DecodeFileText("パネルサイズ"), "パネルサイズ");
    EXPECT_EQ(DecodeFileText(kPanelSizeSjis), "パネルサイズ");
    EXPECT_EQ(DecodeFileText("1820,910"), "1820,910");
    EXPECT_TRUE(IsValidUtf8("棚"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
}

}  // namespace
}  // namespace tvx
