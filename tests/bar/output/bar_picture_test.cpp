#include "bar/output/bar_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bar/output/plan_text.h"
#include "common/gui/recording_surface.h"
#include "plan_fixture.h"

namespace tvx::bar {
namespace {

using gui::testing::RecordedOp;
using gui::testing::RecordingSurface;
using testing::Bars;
using testing::MakeView;
using testing::PlanShape;

// A screen surface of 4000 x 3000 picture units scrolled to `firstRow`; returns the layout.
BarPictureLayout Draw(RecordingSurface& s, const BarPlanView& view, std::int64_t firstRow = 0,
                      std::int64_t visibleRows = 1000) {
    s.SetScale(0, 0, 4000, 3000);
    const BarPictureLayout layout = MakeBarPictureLayout(s, view);
    s.SetScaleOrigin(0, layout.ScrollTop(firstRow));
    DrawBarPicture(s, view, layout, firstRow, visibleRows);
    return layout;
}

// Horizontal lines (bars), in drawing order.
std::vector<RecordedOp> BarLines(const RecordingSurface& s) {
    std::vector<RecordedOp> bars;
    for (const RecordedOp& op : s.Lines())
        if (op.y1 == op.y2) bars.push_back(op);
    return bars;
}

TEST(BarPicture, DrawsEachBarWithTicksPieceLengthsAndTheRealOffcut) {
    // 2000 stock, kerf 3, pieces 1000 and 500: offcut 2000 - 1500 - 2 * 3 = 494.
    const BarPlanView view = MakeView({{2000}, {}, {1000, 500}, {}, 3, {Bars(0, {0, 1})}});
    RecordingSurface s;
    const BarPictureLayout layout = Draw(s, view);
    const std::vector<RecordedOp> bars = BarLines(s);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_DOUBLE_EQ(bars[0].x1, layout.Margin());
    EXPECT_DOUBLE_EQ(bars[0].x2, layout.Margin() + 1600);
    EXPECT_DOUBLE_EQ(bars[0].y1, 200);  // row top 100 + 100
    // Ticks at both ends and after each of the two pieces.
    EXPECT_EQ(s.Lines().size(), 1u + 4u);
    const RecordedOp* first = s.FindText("1000");
    const RecordedOp* second = s.FindText("500");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_LT(first->x1, second->x1);
    EXPECT_DOUBLE_EQ(first->fontSize, 8);
    const RecordedOp* offcut = s.FindText("残 494");
    ASSERT_NE(offcut, nullptr);
    EXPECT_EQ(offcut->color, kDarkBlue);
    EXPECT_GT(offcut->x1, second->x1);
    const RecordedOp* number = s.FindText("1");
    ASSERT_NE(number, nullptr);
    EXPECT_DOUBLE_EQ(number->x1, 50);
    EXPECT_DOUBLE_EQ(number->fontSize, 10);
}

TEST(BarPicture, LongerStockFirstAndShorterBarsInProportion) {
    const BarPlanView view =
        MakeView({{3000, 6000}, {}, {1000}, {}, 0, {Bars(1, {0, 0}), Bars(0, {0})}});
    RecordingSurface s;
    const BarPictureLayout layout = Draw(s, view);
    const std::vector<RecordedOp> bars = BarLines(s);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_DOUBLE_EQ(bars[0].x2 - bars[0].x1, 1600);
    EXPECT_DOUBLE_EQ(bars[1].x2 - bars[1].x1, 800);
    EXPECT_DOUBLE_EQ(bars[1].y1 - bars[0].y1, layout.RowHeight());
    EXPECT_NE(s.FindText("残 2000"), nullptr);  // exact: no kerf
}

TEST(BarPicture, RunsInDisplayModeOneAreLabelledAndMarked) {
    // Five identical bars, then one different: two rows, "5本" in dark red with the mark.
    const BarPlanView view =
        MakeView({{6000}, {}, {2000, 1000}, {}, 0, {Bars(0, {0, 0}, 5), Bars(0, {0, 1}, 1)}}, 1);
    RecordingSurface s;
    const BarPictureLayout layout = Draw(s, view);
    EXPECT_EQ(BarLines(s).size(), 2u);
    const RecordedOp* five = s.FindText("5本");
    const RecordedOp* one = s.FindText("1本");
    ASSERT_NE(five, nullptr);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(five->color, kDarkRed);
    EXPECT_EQ(one->color, QColor(Qt::black));
    // Right-aligned in the margin.
    s.SetFontSize(kLabelFontSize);
    EXPECT_NEAR(five->x1 + s.TextWidth("5本"), layout.Margin() - 100, 1e-6);
    EXPECT_EQ(s.CountText("："), 1);
    const RecordedOp* mark = s.FindText("：");
    EXPECT_DOUBLE_EQ(mark->x1, 1200);
    EXPECT_LT(mark->y1, one->y1);

    // A run of two is red but gets no mark.
    const BarPlanView two = MakeView({{6000}, {}, {2000}, {}, 0, {Bars(0, {0}, 2)}}, 1);
    RecordingSurface s2;
    Draw(s2, two);
    EXPECT_EQ(s2.FindText("2本")->color, kDarkRed);
    EXPECT_EQ(s2.CountText("："), 0);
}

TEST(BarPicture, PartCodesInDarkRedRightOfTheBars) {
    const BarPlanView view = MakeView(
        {{6000}, {}, {1500, 800}, {"A-1", "B"}, 0, {Bars(0, {0, 0, 1}), Bars(0, {1})}}, 0, true);
    RecordingSurface s;
    const BarPictureLayout layout = Draw(s, view);
    const RecordedOp* a = s.FindText("A-1    1500 (2)  ");
    const RecordedOp* b = s.FindText("B    800  ");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->color, kDarkRed);
    EXPECT_DOUBLE_EQ(a->x1, layout.CodesX());
    EXPECT_GE(a->x1, 2100);
    EXPECT_GT(b->x1, a->x1);  // further right on the same line
    EXPECT_DOUBLE_EQ(b->y1, a->y1);
    EXPECT_EQ(s.CountText("B    800  "), 2);
    EXPECT_DOUBLE_EQ(BarLines(s)[1].y1 - BarLines(s)[0].y1, 350);
    // The picture is wide enough for the longest code list.
    s.SetFontSize(kPieceFontSize);
    const double codesEnd = a->x1 + s.TextWidth("A-1    1500 (2)  B    800  ");
    EXPECT_GE(BarPictureWidth(s, view, layout), codesEnd);
    const BarPlanView plain = MakeView({{6000}, {}, {1500}, {}, 0, {Bars(0, {0})}});
    RecordingSurface p;
    const BarPictureLayout plainLayout = Draw(p, plain);
    EXPECT_GT(BarPictureWidth(p, plain, plainLayout), plainLayout.X(6000));
    EXPECT_LT(BarPictureWidth(p, plain, plainLayout), codesEnd);
}

TEST(BarPicture, OnlyTheRowsInViewAreDrawn) {
    // 30,000 bars of a million: drawing ten rows near the end costs ten rows.
    const BarPlanView view =
        MakeView({{1000000}, {}, {600000, 300000}, {}, 5, {Bars(0, {0, 1}, 30000)}});
    RecordingSurface s;
    const BarPictureLayout layout = Draw(s, view, 29990, 10);
    EXPECT_EQ(BarLines(s).size(), 10u);
    EXPECT_NE(s.FindText("29991"), nullptr);
    EXPECT_NE(s.FindText("30000"), nullptr);
    EXPECT_EQ(s.FindText("29990"), nullptr);
    for (const RecordedOp& op : s.ops) {
        EXPECT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1));
        // Shown from the top of the frame: the scroll origin puts row 29990 where row 0 was.
        EXPECT_GE(op.y1, -200);
        EXPECT_LE(op.y1, 10 * layout.RowHeight() + 200);
    }
    EXPECT_NE(s.FindText("残 99990"), nullptr);  // 1000000 - 900000 - 2 * 5
    // Past the end nothing is drawn.
    RecordingSurface none;
    Draw(none, view, 30000, 10);
    EXPECT_TRUE(none.ops.empty());
}

}  // namespace
}  // namespace tvx::bar
