#include "bar/output/plan_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "plan_fixture.h"

namespace tvx::bar {
namespace {

using testing::Bars;
using testing::MakePlan;
using testing::MakeView;
using testing::PlanShape;

TEST(PlanLength, PlainDecimalsWithAtMostThreePlacesAndNoExponent) {
    EXPECT_EQ(PlanLength(1500), "1500");
    EXPECT_EQ(PlanLength(2.5), "2.5");
    EXPECT_EQ(PlanLength(1234.56789), "1234.568");
    EXPECT_EQ(PlanLength(1500.1f), "1500.1");
    EXPECT_EQ(PlanLength(1000000), "1000000");
    EXPECT_EQ(PlanLength(0.0004), "0");
    EXPECT_EQ(PlanLength(-0.0004), "0");
    EXPECT_EQ(PlanLength(-12.25), "-12.25");
    const std::string huge = PlanLength(std::numeric_limits<float>::max());
    EXPECT_EQ(huge.find('e'), std::string::npos);
    EXPECT_EQ(huge.size(), 39u);
    EXPECT_EQ(PlanLength(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(BarOffcut, IsTheRemainderLessTheLastCutsKerf) {
    // 2000 stock, kerf 3: 1000 + 500 leave 2000 - 1500 - 2 * 3 = 494.
    const BarPlan plan = MakePlan({{2000}, {}, {1000, 500}, {}, 3, {Bars(0, {0, 1})}});
    EXPECT_FLOAT_EQ(BarRemainder(plan, plan.resultBars[0]), 497.0f);
    EXPECT_DOUBLE_EQ(BarOffcut(plan, plan.resultBars[0]), 494.0);

    // Pieces that fill the bar exactly leave 0, and so does a remainder thinner than the saw.
    const BarPlan exact = MakePlan({{2000}, {}, {1000, 997}, {}, 3, {Bars(0, {0, 1})}});
    EXPECT_EQ(PlanLength(BarOffcut(exact, exact.resultBars[0])), "0");
    const BarPlan thin = MakePlan({{2000}, {}, {1000, 995}, {}, 3, {Bars(0, {0, 1})}});
    EXPECT_FLOAT_EQ(BarRemainder(thin, thin.resultBars[0]), 2.0f);
    EXPECT_DOUBLE_EQ(BarOffcut(thin, thin.resultBars[0]), 0.0);
}

TEST(BarSummary, ListsUsedTypesLongestFirstWithPricesOnlyWhenAllAreGiven) {
    PlanShape shape{{4000, 5500, 6000}, {}, {1000}, {}, 0, {Bars(2, {0}, 12), Bars(0, {0, 0}, 3)}};
    BarSummary plain = BarSummaryLines(MakePlan(shape));
    ASSERT_EQ(plain.lines.size(), 2u);  // 5500 has no bars
    EXPECT_EQ(plain.lines[0], " 6000     12本");
    EXPECT_EQ(plain.lines[1], " 4000      3本");
    EXPECT_EQ(plain.total, " 合計     15本");

    shape.prices = {2500, 3000, 3600};
    BarSummary priced = BarSummaryLines(MakePlan(shape));
    EXPECT_EQ(priced.lines[0], " 6000     12本   （3,600円/本）");
    EXPECT_EQ(priced.lines[1], " 4000      3本   （2,500円/本）");
    EXPECT_EQ(priced.total, " 合計     15本50,700円");
}

TEST(BarSummary, MoneyIsSummedInSixtyFourBits) {
    // 30,000 bars at 900,000 yen is far beyond a 32-bit sum and a single's precision.
    const BarPlan plan =
        MakePlan({{6000}, {900000}, {1000}, {}, 0, {Bars(0, {0}, 29999), Bars(0, {0, 0}, 1)}});
    EXPECT_EQ(TotalCost(plan), 27000000000LL);
    EXPECT_EQ(TotalBars(plan), 30000);
    EXPECT_EQ(BarSummaryLines(plan).total, " 合計   30000本27,000,000,000円");
    const std::vector<std::string> printed = PrintedSummaryLines(plan);
    EXPECT_EQ(printed.back(), "合計     30000本   27,000,000,000円");
    EXPECT_EQ(printed.front(), "      6000    30000本 （900,000円/本）");
}

TEST(PartCodeItems, EachKindOnceWithItsCountWhenRepeated) {
    const BarPlan plan = MakePlan(
        {{6000}, {}, {1500, 1500, 800}, {"A-1", "B-2", "C"}, 3, {Bars(0, {0, 2, 0, 1, 0})}});
    const std::vector<std::string> items = PartCodeItems(plan, plan.resultBars[0]);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "A-1    1500 (3)");
    EXPECT_EQ(items[1], "C    800");
    EXPECT_EQ(items[2], "B-2    1500");
}

TEST(WrapItems, BreaksBeforeAnItemThatWouldOverflow) {
    const auto width = [](const std::string& text) { return static_cast<double>(text.size()); };
    const std::vector<std::string> items{"aaaa", "bbbb", "cccc", "dddddddddddd", "e"};
    const std::vector<std::string> lines = WrapItems(items, 10, width);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "aaaa  bbbb");
    EXPECT_EQ(lines[1], "cccc");
    EXPECT_EQ(lines[2], "dddddddddddd");  // too wide for any line: alone
    EXPECT_EQ(lines[3], "e");
    EXPECT_TRUE(WrapItems({}, 10, width).empty());
}

TEST(PrintedCutList, OneLinePerValidRowWithCodesWhenShown) {
    BarPlanView view = MakeView({{6000}, {}, {1000}, {}, 0, {Bars(0, {0})}});
    view.rows = {{1200.5f, 3, "K-7"}, {450, 12, ""}};
    std::vector<std::string> lines = PrintedCutListLines(view);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "        1200.5        3本");
    EXPECT_EQ(lines[1], "           450       12本");
    view.showPartCodes = true;
    lines = PrintedCutListLines(view);
    EXPECT_EQ(lines[0], "        1200.5        3本    K-7");
    EXPECT_EQ(PrintedBarTotalLine(view.plan), "合計      1本");
}

TEST(CaptureBarPlanView, TakesTheValidRowsAndTheSwitches) {
    BarJob job = StartupBarJob(3.0f, true);
    ASSERT_TRUE(AppendRow(job.cutList, 1500, 2, "A"));
    ASSERT_TRUE(AppendRow(job.cutList, 800, 0, "no quantity"));
    ASSERT_TRUE(AppendRow(job.cutList, 0, 4, "no length"));
    ASSERT_TRUE(AppendRow(job.cutList, 600, 5, "B"));
    job.jobTitle = "架台";
    job.resultDisplayMode = 1;
    const BarPlanView view = CaptureBarPlanView(job);
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[1].partCode, "B");
    EXPECT_TRUE(view.showPartCodes);
    EXPECT_EQ(view.displayMode, 1);
    EXPECT_EQ(view.title, "架台");
}

}  // namespace
}  // namespace tvx::bar
