#include "panel/engine/geometry.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "panel/engine/placement.h"

namespace tvx::panel {
namespace {

using test::MakeInput;

PanelState PanelWith(std::int16_t sizeIndex, std::vector<Placement> placements) {
    PanelState panel;
    panel.sizeIndex = sizeIndex;
    panel.placements = std::move(placements);
    return panel;
}

// Panel 100 wide, 50 high; one part 30 wide, 20 high at the origin.
//
//   50 +-------------------+
//      |  (0,20) 100 x 30  |
//   20 +----+              |
//      |####| (30,0) 70x50 |
//    0 +----+--------------+
//      0    30            100
TEST(FreeRects, AfterTheFirstPlacementRightThenAbove) {
    const LayoutInput input = MakeInput({{50, 100}}, {{20, 30}});
    PanelState panel = PanelWith(0, {{0, 0, 0, false}});
    RecomputeFreeRects(input, panel);
    EXPECT_EQ(panel.freeRects, (std::vector<FreeRect>{{30, 0, 70, 50}, {0, 20, 100, 30}}));
}

TEST(FreeRects, AFullWidthPartLeavesOnlyTheRectangleAbove) {
    const LayoutInput input = MakeInput({{50, 100}}, {{20, 100}});
    PanelState panel = PanelWith(0, {{0, 0, 0, false}});
    RecomputeFreeRects(input, panel);
    EXPECT_EQ(panel.freeRects, (std::vector<FreeRect>{{0, 20, 100, 30}}));
}

TEST(FreeRects, AnEmptyPanelIsOneRectangleAndSizeMinusOneBecomesSizeZero) {
    const LayoutInput input = MakeInput({{50, 100}}, {{20, 30}});
    PanelState panel = PanelWith(-1, {});
    RecomputeFreeRects(input, panel);
    EXPECT_EQ(panel.sizeIndex, 0);
    EXPECT_EQ(panel.freeRects, (std::vector<FreeRect>{{0, 0, 100, 50}}));
}

// Two parts side by side at the bottom, 40 x 20 and 30 x 30:
//
//   50 +----------------------+
//   30 |        +------+      |
//   20 +--------+ #### |      |
//      | ###### | #### |      |
//    0 +--------+------+------+
//      0        40     70    100
TEST(FreeRects, CornersDropToThePanelEdgeOnlyWhenNothingIsBeneath) {
    const LayoutInput input = MakeInput({{50, 100}}, {{20, 40}, {30, 30}});
    PanelState panel = PanelWith(0, {{0, 0, 0, false}, {1, 40, 0, false}});
    RecomputeFreeRects(input, panel);
    // (70,0) right of the second part; (0,20) above the first, bounded on the right by the
    // second part, which crosses its row; the corner above the second part has nothing to
    // its left and moves to the panel edge: (0,30) across the whole width.
    EXPECT_EQ(panel.freeRects,
              (std::vector<FreeRect>{{70, 0, 30, 50}, {0, 20, 40, 30}, {0, 30, 100, 20}}));
}

TEST(HitTests, FindPartsAndEdgesAroundAPoint) {
    const LayoutInput input = MakeInput({{50, 100}}, {{20, 40}, {30, 30}});
    const PanelState panel = PanelWith(0, {{0, 0, 0, false}, {1, 40, 0, false}});
    EXPECT_EQ(PartAtPoint(input, panel, 39.9, 19.9), 0);
    EXPECT_EQ(PartAtPoint(input, panel, 40.0, 0.0), 1);
    EXPECT_EQ(PartAtPoint(input, panel, 40.0, 30.0), -1);  // top edge is outside
    EXPECT_EQ(HighestTopBelow(input, panel, 10, 45), 20);
    EXPECT_EQ(HighestTopBelow(input, panel, 80, 45), 0);
    EXPECT_EQ(RightmostEdgeLeft(input, panel, 90, 10), 70);
    EXPECT_FALSE(FreeExtentAt(input, panel, 100, 0).has_value());
    EXPECT_FALSE(FreeExtentAt(input, panel, 5, 5).has_value());
    EXPECT_FALSE(FreeExtentAt(input, panel, -1, 0).has_value());
}

TEST(GuillotineCuts, UpToThreePartsCountWithoutATest) {
    const LayoutInput input = MakeInput({{30, 30}}, {{10, 10, 4}});
    EXPECT_EQ(CountGuillotineCutsOfPanel(input, PanelWith(0, {})), 0);
    EXPECT_EQ(CountGuillotineCutsOfPanel(input, PanelWith(0, {{0, 0, 0, false}})), 0);
    EXPECT_EQ(
        CountGuillotineCutsOfPanel(input, PanelWith(0, {{0, 0, 0, false}, {0, 10, 0, false}})), 1);
    EXPECT_EQ(CountGuillotineCutsOfPanel(
                  input, PanelWith(0, {{0, 0, 0, false}, {0, 10, 0, false}, {0, 0, 10, false}})),
              2);
}

TEST(GuillotineCuts, AGridOfFourNeedsThreeCuts) {
    const LayoutInput input = MakeInput({{30, 30}}, {{10, 10, 4}});
    const PanelState grid =
        PanelWith(0, {{0, 0, 0, false}, {0, 10, 0, false}, {0, 0, 10, false}, {0, 10, 10, false}});
    EXPECT_EQ(CountGuillotineCutsOfPanel(input, grid), 3);
}

// A pinwheel around an empty centre: no straight cut runs through the panel.
//
//   30 +---------+----+
//      |    C    |    |
//   20 +----+----+ B  |
//      |    |    |    |
//   10 | D  +----+----+
//      |    |    A    |   (A lies at the bottom right, D on the left)
//    0 +----+---------+
TEST(GuillotineCuts, APinwheelIsRefused) {
    // Rows: 0 = 10 high x 20 wide, 1 = 20 high x 10 wide.
    const LayoutInput input = MakeInput({{30, 30}}, {{10, 20, 2}, {20, 10, 2}});
    const PanelState pinwheel = PanelWith(0, {{0, 10, 0, false},   // A
                                              {1, 20, 10, false},  // B
                                              {0, 0, 20, false},   // C
                                              {1, 0, 0, false}});  // D
    EXPECT_EQ(CountGuillotineCutsOfPanel(input, pinwheel), -1);
}

TEST(GuillotineCuts, ThePlacerNeverBuildsAPinwheel) {
    // Whatever the placer does, each panel it fills stays cuttable.
    const LayoutInput input = MakeInput({{30, 30}}, {{10, 20, 2, 1}, {20, 10, 2, 1}});
    std::vector<PanelState> panels(3);
    for (PanelState& p : panels) {
        p.sizeIndex = 0;
        RecomputeFreeRects(input, p);
    }
    PartPlacer placer(input, panels);
    for (int row : {0, 1, 0, 1}) ASSERT_TRUE(placer.PlacePart(row));
    for (const PanelState& p : panels) EXPECT_NE(CountGuillotineCutsOfPanel(input, p), -1);
}

TEST(Placement, AnExactFitTakesTheWholePanelAndOneUnitMoreDoesNot) {
    const LayoutInput input = MakeInput({{50, 100}}, {{50, 100}, {51, 100}, {50, 101}});
    std::vector<PanelState> panels(2);
    for (PanelState& p : panels) {
        p.sizeIndex = 0;
        RecomputeFreeRects(input, p);
    }
    PartPlacer placer(input, panels);
    EXPECT_TRUE(placer.PlacePart(0));
    EXPECT_TRUE(panels[0].freeRects.empty());
    EXPECT_FALSE(placer.PlacePart(1));
    EXPECT_FALSE(placer.PlacePart(2));
    EXPECT_TRUE(panels[1].placements.empty());
}

TEST(Placement, ARowWithoutTheTurnFlagIsNeverTurned) {
    // 80 high x 30 wide only fits the 50 x 100 panel turned.
    const LayoutInput fixed = MakeInput({{50, 100}}, {{80, 30, 1, 0}});
    const LayoutInput turnable = MakeInput({{50, 100}}, {{80, 30, 1, 1}});
    for (const bool turnedFirst : {false, true}) {
        std::vector<PanelState> a(1), b(1);
        a[0].sizeIndex = b[0].sizeIndex = 0;
        RecomputeFreeRects(fixed, a[0]);
        RecomputeFreeRects(turnable, b[0]);
        PartPlacer fixedPlacer(fixed, a), turnablePlacer(turnable, b);
        EXPECT_FALSE(turnedFirst ? fixedPlacer.PlacePartTurnedFirst(0) : fixedPlacer.PlacePart(0));
        ASSERT_TRUE(turnedFirst ? turnablePlacer.PlacePartTurnedFirst(0)
                                : turnablePlacer.PlacePart(0));
        EXPECT_TRUE(b[0].placements[0].turned);
    }
}

TEST(Utilisation, IsBucketedAtEveryBoundaryAndFlagsWholePanels) {
    // Panel 100 x 100; each 10 x 10 part is 1 % of it.
    const LayoutInput input = MakeInput({{100, 100}}, {{10, 10, 100}});
    auto utilisationOf = [&](int percent) {
        std::vector<Placement> parts;
        for (int i = 0; i < percent; ++i) parts.push_back({0, (i % 10) * 10, (i / 10) * 10, false});
        std::vector<PanelState> panels{PanelWith(0, std::move(parts))};
        ComputeUtilisation(input, panels, 60);
        return std::pair{panels[0].utilisation, panels[0].wholePanel};
    };
    using U = std::pair<std::int16_t, bool>;
    const std::pair<int, U> table[] = {{1, {25, false}},  {25, {25, false}}, {26, {33, false}},
                                       {33, {33, false}}, {34, {50, false}}, {50, {50, false}},
                                       {51, {67, false}}, {59, {67, false}}, {60, {67, true}},
                                       {67, {67, true}},  {68, {75, true}},  {75, {75, true}},
                                       {76, {76, true}},  {100, {100, true}}};
    for (const auto& [percent, expected] : table)
        EXPECT_EQ(utilisationOf(percent), expected) << percent << " %";
}

TEST(SameAsPrevious, ComparesSizeAndEveryPlacement) {
    const std::vector<Placement> layout{{0, 0, 0, false}, {0, 10, 0, false}};
    std::vector<PanelState> panels{PanelWith(0, layout), PanelWith(0, layout), PanelWith(1, layout),
                                   PanelWith(1, {}), PanelWith(1, {})};
    EXPECT_FALSE(SameAsPrevious(panels, 0));
    EXPECT_TRUE(SameAsPrevious(panels, 1));
    EXPECT_FALSE(SameAsPrevious(panels, 2));  // other size
    EXPECT_FALSE(SameAsPrevious(panels, 4));  // empty panels are never repeats
    panels[1].placements[1].turned = true;
    EXPECT_FALSE(SameAsPrevious(panels, 1));
}

}  // namespace
}  // namespace tvx::panel
