#include "bar/output/picture_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plan_fixture.h"

namespace tvx::bar {
namespace {

using testing::Bars;
using testing::MakeView;
using testing::PlanShape;

// 100 units per character (bytes of UTF-8 count as a third each, so "本" is one character).
double Width(const std::string& text) {
    return static_cast<double>(text.size() - (text.find("本") != std::string::npos ? 2 : 0)) *
           100.0;
}

TEST(PictureRows, ModeZeroHasOneRowPerBarAndNumbersThem) {
    const BarPlanView view =
        MakeView({{6000}, {}, {2000, 1000}, {}, 0, {Bars(0, {0, 0}, 3), Bars(0, {1}, 2)}});
    const PictureRows rows(view.plan, 0);
    ASSERT_EQ(rows.Count(), 5);
    EXPECT_EQ(rows.At(2).run, 0u);
    EXPECT_EQ(rows.At(3).run, 1u);
    EXPECT_EQ(rows.At(4).firstBar, 4);
    EXPECT_EQ(RowLabel(rows, rows.At(4)), "5");
}

TEST(PictureRows, ModeOneGroupsIdenticalNeighboursOfTheSameStockTypeOnly) {
    // Five identical bars followed by a different one: two rows, the first "5本". The engine may
    // leave identical bars in neighbouring runs; they still form one row.
    PlanShape shape{{5000, 6000},
                    {},
                    {2000, 1000},
                    {},
                    0,
                    {Bars(1, {0, 0}, 2), Bars(1, {0, 0}, 3), Bars(1, {0, 1}, 1),
                     // Same pieces as the run before, but cut from the shorter stock.
                     Bars(0, {0, 1}, 4)}};
    const PictureRows rows(MakeView(shape).plan, 1);
    ASSERT_EQ(rows.Count(), 3);
    EXPECT_EQ(RowLabel(rows, rows.At(0)), "5本");
    EXPECT_EQ(RowLabel(rows, rows.At(1)), "1本");
    EXPECT_EQ(RowLabel(rows, rows.At(2)), "4本");
    EXPECT_EQ(rows.At(2).firstBar, 6);
}

TEST(BarPictureLayout, MarginFitsTheWidestLabelWithoutACap) {
    // 120 identical bars: "120本" is 400 wide, so the margin is 500 (no 400 cap clips it).
    const PlanShape shape{{6000}, {}, {1000}, {}, 0, {Bars(0, {0}, 120)}};
    EXPECT_DOUBLE_EQ(BarPictureLayout(MakeView(shape, 1), Width).Margin(), 500.0);
    EXPECT_DOUBLE_EQ(BarPictureLayout(MakeView(shape, 0), Width).Margin(), 400.0);
}

TEST(BarPictureLayout, RowsAndScaleFollowTheLongestUsedStock) {
    // 8000 is in the table but unused: the longest used stock, 6000, spans 1600 units.
    const PlanShape shape{
        {4000, 6000, 8000}, {}, {1000}, {}, 0, {Bars(1, {0}, 2), Bars(0, {0, 0}, 1)}};
    const BarPictureLayout plain(MakeView(shape, 0), Width);
    EXPECT_DOUBLE_EQ(plain.LongestStock(), 6000.0);
    EXPECT_DOUBLE_EQ(plain.X(6000) - plain.Margin(), 1600.0);
    EXPECT_NEAR(plain.X(4000) - plain.Margin(), 1600.0 * 4000 / 6000, 1e-9);
    EXPECT_DOUBLE_EQ(plain.RowHeight(), 250.0);
    EXPECT_DOUBLE_EQ(plain.RowTop(0), 100.0);
    EXPECT_DOUBLE_EQ(plain.RowTop(2), 600.0);
    EXPECT_DOUBLE_EQ(plain.PictureHeight(), 3 * 250.0 + 150.0);

    const BarPictureLayout codes(MakeView(shape, 0, true), Width);
    EXPECT_DOUBLE_EQ(codes.RowHeight(), 350.0);
    EXPECT_DOUBLE_EQ(codes.RowTop(1), 550.0);
    EXPECT_GE(codes.CodesX(), 2100.0);
    EXPECT_GT(codes.CodesX(), codes.X(6000));
}

TEST(BarPictureLayout, ThirtyThousandBarsOfAMillionStayInRange) {
    const PlanShape shape{{1000000}, {}, {999999}, {}, 0, {Bars(0, {0}, 29999), Bars(0, {0}, 1)}};
    const BarPictureLayout layout(MakeView(shape, 0), Width);
    ASSERT_EQ(layout.RowCount(), 30000);
    EXPECT_EQ(layout.rows().At(29999).firstBar, 29999);
    EXPECT_EQ(layout.rows().At(29999).run, 1u);
    EXPECT_DOUBLE_EQ(layout.Margin(), 600.0);  // "30000"
    EXPECT_DOUBLE_EQ(layout.RowTop(29999), -150.0 + 250.0 * 30000);
    EXPECT_TRUE(std::isfinite(layout.X(1000000)));
    EXPECT_DOUBLE_EQ(layout.ScrollTop(29990), 250.0 * 29990);
    EXPECT_EQ(layout.VisibleRows(250.0 * 10 + 150.0), 10);
    EXPECT_EQ(layout.VisibleRows(10.0), 1);
}

TEST(BarPictureLayout, AnEmptyPlanHasNoRows) {
    const BarPictureLayout layout(MakeView({{6000}, {}, {}, {}, 0, {}}), Width);
    EXPECT_EQ(layout.RowCount(), 0);
    EXPECT_DOUBLE_EQ(layout.PictureHeight(), 150.0);
    EXPECT_TRUE(std::isfinite(layout.X(100)));
}

}  // namespace
}  // namespace tvx::bar
