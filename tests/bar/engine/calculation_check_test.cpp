#include "bar/engine/calculation_check.h"

#include <gtest/gtest.h>

#include "bar_test_jobs.h"

namespace tvx::bar {
namespace {

using Verdict = CalculationCheck::Verdict;
using test::MakeJob;

TEST(CalculationCheck, LongestStockMustLieBetween100And1000000) {
    EXPECT_EQ(CheckBarCalculation(MakeJob({{99}}, 0, {{50, 1}})).verdict, Verdict::StockRange);
    EXPECT_EQ(CheckBarCalculation(MakeJob({{1000001}}, 0, {{50, 1}})).verdict, Verdict::StockRange);
    EXPECT_TRUE(CheckBarCalculation(MakeJob({{100}}, 0, {{50, 1}})).Proceed());
    EXPECT_TRUE(CheckBarCalculation(MakeJob({{1000000}}, 0, {{50, 1}})).Proceed());
    // Only the longest of several lengths is tested.
    EXPECT_TRUE(CheckBarCalculation(MakeJob({{50}, {6000}}, 0, {{50, 1}})).Proceed());
    const CalculationCheck none = CheckBarCalculation(MakeJob({}, 0, {{50, 1}}));
    EXPECT_EQ(none.verdict, Verdict::StockRange);
    EXPECT_EQ(none.message, "棒材の長さを100から1000000の範囲で指定してください");
}

TEST(CalculationCheck, TheRangeComesBeforeTheEmptyList) {
    EXPECT_EQ(CheckBarCalculation(MakeJob({{50}}, 0, {})).verdict, Verdict::StockRange);
    const CalculationCheck empty = CheckBarCalculation(MakeJob({{6000}}, 0, {}));
    EXPECT_EQ(empty.verdict, Verdict::EmptyList);
    EXPECT_EQ(empty.message, "");
}

TEST(CalculationCheck, TheFirstRowLongerThanTheStockIsNamedWithItsPage) {
    std::vector<test::RowSpec> rows(60, test::RowSpec{1000, 1});
    rows[45].length = 6001;
    rows[52].length = 7000;
    const CalculationCheck check = CheckBarCalculation(MakeJob({{6000}}, 3, rows));
    EXPECT_EQ(check.verdict, Verdict::RowTooLong);
    EXPECT_EQ(check.message, "割り当てられません。");
    EXPECT_EQ(check.row, 45);
    EXPECT_EQ(check.pageTop, 40);
}

TEST(CalculationCheck, ARowWithoutQuantityIsStillMeasured) {
    // The kerf is not counted: a row as long as the stock passes.
    EXPECT_TRUE(CheckBarCalculation(MakeJob({{6000}}, 3, {{6000, 1}})).Proceed());
    EXPECT_EQ(CheckBarCalculation(MakeJob({{6000}}, 0, {{6500, 0}})).verdict, Verdict::RowTooLong);
}

}  // namespace
}  // namespace tvx::bar
