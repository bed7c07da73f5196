#include <gtest/gtest.h>

#include <cmath>

#include "panel/output/view_geometry.h"

namespace tvx::panel {
namespace {

TEST(ViewGeometry, InitialViewOfAWidePanelNeedsNoCorrection) {
    const ViewGeometry g = InitialView(1823, 913);  // 1820 x 910 with kerf 3
    // Worked by hand: VH = sqrt(1823 x 913 x 28), VW = 0.73 VH, margins a tenth of each.
    EXPECT_EQ(g.zoom, 28);
    EXPECT_NEAR(g.VH, 6826.6516, 1e-3);
    EXPECT_NEAR(g.VW, 4983.4557, 1e-3);
    EXPECT_NEAR(g.MT, 682.6652, 1e-3);
    EXPECT_NEAR(g.ML, 498.3456, 1e-3);
    EXPECT_NEAR(g.u, 29.9007, 1e-3);
    // 4485 wide after the margin holds two cells of 1823 x 1.15; 6144 high holds four rows of
    // 913 + 409.6; the two cells share the rest of the width as gaps.
    EXPECT_EQ(g.columns, 2);
    EXPECT_EQ(g.rows, 4);
    EXPECT_NEAR(g.GX, 419.555, 1e-3);
}

TEST(ViewGeometry, AVeryWidePanelIsCorrectedToFitAndTheZoomFollows) {
    const ViewGeometry g = InitialView(6000, 300);
    EXPECT_NEAR(g.VW, 12000, 1e-9);  // VW < 2W before: VW = 2W
    EXPECT_NEAR(g.VH, 12000 / 0.73, 1e-9);
    EXPECT_EQ(g.zoom, static_cast<int>(std::lround(g.VH * g.VH / 6000 / 300)));
    const ViewGeometry tall = InitialView(300, 6000);
    EXPECT_NEAR(tall.VH, 12000, 1e-9);  // VH < 2H before: VH = 2H
}

TEST(ViewGeometry, ShrinkingAddsFiveWithoutCorrection) {
    ViewGeometry g = InitialView(1823, 913);
    ZoomOut(g);
    EXPECT_EQ(g.zoom, 33);
    EXPECT_NEAR(g.VH, std::sqrt(1823.0 * 913 * 33), 1e-6);
}

TEST(ViewGeometry, EnlargingKeepsOnePanelAndAtLeastOneCell) {
    for (auto [w, h] :
         {std::pair{103, 2403}, std::pair{2403, 103}, std::pair{120, 130}, std::pair{1823, 913}}) {
        ViewGeometry g = InitialView(w, h);
        for (int i = 0; i < 40; ++i) {
            ZoomIn(g);
            EXPECT_GE(g.zoom, 1);
            EXPECT_GE(g.columns, 1) << w << "x" << h;
            EXPECT_GE(g.rows, 1) << w << "x" << h;
            EXPECT_TRUE(std::isfinite(g.GX));
            // One panel still fits across or down (the fit correction).
            if (h * 0.73 > w) {
                EXPECT_GE(g.VH + 1e-6, h) << i;
            } else {
                EXPECT_GE(g.VW + 1e-6, w * 1.16) << i;
            }
        }
    }
}

TEST(ViewGeometry, CellOriginsRunAcrossThenDownAndRepeatPerPage) {
    ViewGeometry g = InitialView(1823, 913);
    g.columns = 2;
    g.rows = 3;
    EXPECT_DOUBLE_EQ(g.CellX(1), g.ML + g.GX + g.W);
    EXPECT_DOUBLE_EQ(g.CellY(2), g.MT + g.GY + g.H);
    EXPECT_DOUBLE_EQ(g.CellX(6), g.CellX(0));
    EXPECT_EQ(g.PageOfCell(5), 0);
    EXPECT_EQ(g.PageOfCell(6), 1);
}

}  // namespace
}  // namespace tvx::panel
