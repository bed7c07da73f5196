#include <gtest/gtest.h>

#include <cmath>

#include "layout_fixture.h"
#include "panel/output/result_figures.h"

namespace tvx::panel {
namespace {

using testing::MakeJob;
using testing::Panel;
using testing::Result;

TEST(ResultFigures, CountsUsedSizesInTableOrderAndYieldFromPlacedParts) {
    PanelJob job = MakeJob({{1000, 2000, 5000, 0}, {500, 1000, 1500, 0}}, 0,
                           {{500, 1000, 3}, {250.5f, 400, 1}, {0, 0, 0}});
    LayoutInput in = testing::InputOf(job);
    // Size 1 first in the result, size 0 later: the list still follows the table order.
    PanelLayoutResult r = Result({Panel(1, {{0, 0, 0, false}}), Panel(-1, {}),
                                  Panel(0, {{0, 0, 0, false}, {1, 0, 500, false}})});
    const ResultFigures f = ComputeFigures(in, r);
    ASSERT_EQ(f.usedSizes.size(), 2u);
    EXPECT_EQ(f.usedSizes[0].sizeIndex, 0);
    EXPECT_EQ(f.usedSizes[1].sizeIndex, 1);
    EXPECT_EQ(f.panelTotal, 6500);
    // Placed: two copies of row 0 and one of row 1 over 2,000,000 + 500,000.
    EXPECT_EQ(f.yield, static_cast<int>(std::lround((2 * 500000.0 + 250.5 * 400) / 2500000 * 100)));
    EXPECT_EQ(f.placedCount, (std::vector<std::int32_t>{2, 1, 0}));
    EXPECT_EQ(f.listedRows, (std::vector<int>{0, 1}));
    EXPECT_EQ(f.totalPieces, 4);
    EXPECT_DOUBLE_EQ(f.columns[1], 0.145);  // a size with a fraction widens the columns
    EXPECT_EQ(f.W, 2000);
    EXPECT_EQ(f.H, 1000);
}

TEST(ResultFigures, UnplacedPartsNeverPushTheYieldOver100) {
    PanelJob job = MakeJob({{1000, 1000, 0, 0}}, 0, {{1000, 1000, 5}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {{0, 0, 0, false}})});  // one of five placed
    const ResultFigures f = ComputeFigures(in, r);
    EXPECT_EQ(f.yield, 100);
    EXPECT_DOUBLE_EQ(f.columns[1], 0.13);
}

TEST(CutSalePrices, SharesByAreaAndChargesWholeOrByUse) {
    PanelJob job = MakeJob({{1000, 1000, 10000, 0}}, 0, {{500, 1000, 1}, {500, 500, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {{0, 0, 0, false}, {1, 0, 500, false}})});
    r.panels[0].wholePanel = true;
    r.panels[0].utilisation = 75;
    CutSalePrices p = ComputeCutSalePrices(in, r, {1, 1});
    EXPECT_EQ(p.cutSaleTotal, 10000);
    EXPECT_EQ(p.price, (std::vector<std::int32_t>{6667, 3334}));  // fractions round up
    EXPECT_EQ(p.partsTotal, 10001);
    r.panels[0].wholePanel = false;
    p = ComputeCutSalePrices(in, r, {1, 1});
    EXPECT_EQ(p.cutSaleTotal, 7500);
    EXPECT_EQ(p.price, (std::vector<std::int32_t>{5000, 2500}));
}

TEST(CutSalePrices, APartDearerThanACheaperPanelItFitsIsCappedAndTheRestShared) {
    // A big dear panel holds a large part and a small one; the small part's share (by area)
    // would exceed the price of the small stock size, so it is charged that instead.
    PanelJob job = MakeJob({{1000, 1000, 10000, 0}, {300, 300, 500, 0}, {200, 200, 100, 0}}, 0,
                           {{900, 1000, 1}, {100, 1000, 0}, {300, 300, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {{0, 0, 0, false}, {2, 0, 900, false}})});
    r.panels[0].wholePanel = true;
    const CutSalePrices p = ComputeCutSalePrices(in, r, {1, 0, 1});
    EXPECT_EQ(p.price[2], 500);   // capped by the 300 x 300 size, not the 200 x 200 one
    EXPECT_EQ(p.price[1], 0);     // nothing of the row is cut
    EXPECT_EQ(p.price[0], 9500);  // the rest goes to the large part
    EXPECT_EQ(p.partsTotal, 10000);
}

TEST(CutSalePrices, EveryRowCappedLeavesNothingToDivideBy) {
    PanelJob job =
        MakeJob({{1000, 1000, 9000, 0}, {500, 500, 10, 0}}, 0, {{500, 500, 1}, {400, 400, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {{0, 0, 0, false}, {1, 500, 0, false}})});
    r.panels[0].wholePanel = true;
    const CutSalePrices p = ComputeCutSalePrices(in, r, {1, 1});
    EXPECT_EQ(p.price, (std::vector<std::int32_t>{10, 10}));
    EXPECT_EQ(p.partsTotal, 20);
}

}  // namespace
}  // namespace tvx::panel
