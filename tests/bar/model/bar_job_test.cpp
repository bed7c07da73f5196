#include "bar/model/bar_job.h"

#include <gtest/gtest.h>

#include "bar/model/bar_settings.h"

namespace tvx::bar {
namespace {

TEST(BarJob, StartsEmptyWithTwentyOneRowSlots) {
    const BarJob job = StartupBarJob(0, false);
    EXPECT_EQ(job.cutList.Capacity(), 21);
    EXPECT_EQ(job.cutList.rowCount, 0);
    EXPECT_EQ(job.cutList.pageTop, 0);
    EXPECT_EQ(job.stock.stockEntryCountInUse, 0);
    EXPECT_EQ(LongestStockLength(job.stock), 0.0f);
}

TEST(BarJob, RowsGrowByAPageAndStopAt32760) {
    BarCutList list;
    for (int r = 0; r < 19; ++r) ASSERT_TRUE(AppendRow(list, 100, 1, ""));
    EXPECT_EQ(list.Capacity(), 21);
    ASSERT_TRUE(AppendRow(list, 100, 1, ""));
    EXPECT_EQ(list.rowCount, 20);
    EXPECT_EQ(list.Capacity(), 41);
    while (list.rowCount < kMaxRows) ASSERT_TRUE(AppendRow(list, 5, 2, "x"));
    EXPECT_FALSE(AppendRow(list, 5, 2, "x"));
    EXPECT_EQ(list.rowCount, 32760);
    EXPECT_GE(list.Capacity(), 32760);
    EXPECT_EQ(list.cutComment.size(), list.cutLength.size());
    EXPECT_EQ(list.cutQuantity.size(), list.cutLength.size());
}

TEST(BarJob, OnlyRowsWithLengthAndQuantityTakePart) {
    BarCutList list;
    AppendRow(list, 1500, 0, "");
    AppendRow(list, 0, 4, "");
    AppendRow(list, 1500, 4, "");
    EXPECT_FALSE(IsValidBarRow(list, 0));
    EXPECT_FALSE(IsValidBarRow(list, 1));
    EXPECT_TRUE(IsValidBarRow(list, 2));
    EXPECT_FALSE(IsValidBarRow(list, 500));
}

TEST(BarJob, ResetKeepsKerfAndPartCodeDisplay) {
    BarJob job = StartupBarJob(3, true);
    job.jobTitle = "架台";
    job.currentFileName = "/tmp/a.csv";
    job.resultDisplayMode = 1;
    TakeTypedStockLength(job, 6000);
    AppendRow(job.cutList, 1200, 3, "A");
    job.plan.resultBarCount = 4;
    ResetBarJob(job);
    EXPECT_EQ(job.kerf, 3.0f);
    EXPECT_TRUE(job.showPartCodes);
    EXPECT_EQ(job.jobTitle, "");
    EXPECT_EQ(job.currentFileName, "");
    EXPECT_EQ(job.resultDisplayMode, 0);
    EXPECT_EQ(job.stock.stockEntryCountInUse, 0);
    EXPECT_EQ(job.stock.stockEntryLength[0], 0.0f);
    EXPECT_EQ(job.cutList.rowCount, 0);
    EXPECT_EQ(job.cutList.cutLength[0], 0.0f);
    EXPECT_EQ(job.plan.resultBarCount, 0);
}

TEST(BarJob, TypedStockLengthBecomesTheOnlyEntry) {
    BarJob job = StartupBarJob(0, false);
    job.stock.stockEntryCountInUse = 3;
    job.stock.stockEntryPrice[0] = 1200;
    EXPECT_FALSE(TakeTypedStockLength(job, 0));
    EXPECT_FALSE(TakeTypedStockLength(job, 1e300));
    EXPECT_EQ(job.stock.stockEntryCountInUse, 3);
    EXPECT_TRUE(TakeTypedStockLength(job, 5500));
    EXPECT_EQ(job.stock.stockEntryCountInUse, 1);
    EXPECT_EQ(job.stock.stockEntryLength[0], 5500.0f);
    EXPECT_EQ(job.stock.stockEntryPrice[0], 1200.0f);  // price of entry 0 is kept
}

TEST(BarSettings, DefaultsAndStoredValues) {
    const BarSettings fresh = ParseBarSettings(std::nullopt, std::nullopt);
    EXPECT_EQ(fresh.kerf, 0.0f);
    EXPECT_FALSE(fresh.showPartCodes);
    const BarSettings stored = ParseBarSettings("2.5", "1");
    EXPECT_EQ(stored.kerf, 2.5f);
    EXPECT_TRUE(stored.showPartCodes);
    EXPECT_FALSE(ParseBarSettings("x", "2").showPartCodes);
    EXPECT_FALSE(ParseBarSettings("x", "-1").showPartCodes);
    EXPECT_EQ(ParseBarSettings("-4", "0").kerf, 0.0f);
    EXPECT_EQ(ParseBarSettings("1e60", "0").kerf, 0.0f);
    EXPECT_EQ(KerfSettingText(2.5f), "2.5");
    EXPECT_EQ(KerfSettingText(3.0f), "3");
    EXPECT_EQ(PartCodesSettingText(true), "1");
    EXPECT_EQ(PartCodesSettingText(false), "0");
}

}  // namespace
}  // namespace tvx::bar
