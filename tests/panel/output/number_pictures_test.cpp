#include <gtest/gtest.h>

#include "panel/output/number_pictures.h"

namespace tvx::panel {
namespace {

TEST(NumberPictures, RightAlignAndGroup) {
    EXPECT_EQ(RightAligned(910, 4), " 910");
    EXPECT_EQ(RightAligned(1820, 4), "1820");
    EXPECT_EQ(RightAligned(12345, 4), "12345");  // longer values in full
    EXPECT_EQ(RightAligned(3, 2), " 3");
    EXPECT_EQ(Grouped(0), "0");
    EXPECT_EQ(Grouped(999), "999");
    EXPECT_EQ(Grouped(1000), "1,000");
    EXPECT_EQ(Grouped(12345678), "12,345,678");
    EXPECT_EQ(Grouped(-1234), "-1,234");
    EXPECT_EQ(Grouped(INT64_MIN), "-9,223,372,036,854,775,808");
}

TEST(NumberPictures, SummarySizeRoundsToOneDecimalBeforeSplitting) {
    EXPECT_EQ(SummarySize(600), " 600");
    EXPECT_EQ(SummarySize(600.5), " 600.5");
    EXPECT_EQ(SummarySize(599.96), " 600.0");
    EXPECT_EQ(SummarySize(12.25), "  12.2");  // half to even on the tenths
    EXPECT_EQ(SummarySize(1234.7), "1234.7");
}

TEST(NumberPictures, LabelValuesHaveNoTrailingZero) {
    EXPECT_EQ(LabelValue(600.5f), "600.5");
    EXPECT_EQ(LabelValue(600.0f), "600");
}

}  // namespace
}  // namespace tvx::panel
