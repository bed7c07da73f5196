#include "panel/engine/run_scoring.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace tvx::panel {
namespace {

using test::MakeInput;

// Sizes: index 0 = 1000 x 1000 (slot 3), index 1 = 500 x 500 (slot 4).
class ShrinkPanelsTest : public ::testing::Test {
  protected:
    LayoutInput input = MakeInput({{1000, 1000}, {500, 500}}, {{500, 500}, {500, 501}});
    SlotCounts limits{0, 0, 0, 5, 5, 0};

    std::vector<PanelState> OneLargePanelWith(Placement placement) {
        std::vector<PanelState> panels(1);
        panels[0].sizeIndex = 0;
        panels[0].placements = {placement};
        return panels;
    }
};

TEST_F(ShrinkPanelsTest, MovesALightlyUsedPanelToTheSmallerSize) {
    auto panels = OneLargePanelWith({0, 0, 0, false});
    ShrinkPanels(input, panels, CountUsedPerSlot(input, panels), limits);
    EXPECT_EQ(panels[0].sizeIndex, 1);
}

TEST_F(ShrinkPanelsTest, NeverLetsAPartOverhangTheSmallerPanel) {
    // The part ends at x = 501, one unit beyond the smaller panel.
    auto panels = OneLargePanelWith({1, 0, 0, false});
    ShrinkPanels(input, panels, CountUsedPerSlot(input, panels), limits);
    EXPECT_EQ(panels[0].sizeIndex, 0);
    // Nor a part placed away from the origin.
    panels = OneLargePanelWith({0, 1, 0, false});
    ShrinkPanels(input, panels, CountUsedPerSlot(input, panels), limits);
    EXPECT_EQ(panels[0].sizeIndex, 0);
}

TEST_F(ShrinkPanelsTest, RespectsTheSmallerSizesLimit) {
    auto panels = OneLargePanelWith({0, 0, 0, false});
    SlotCounts counts = CountUsedPerSlot(input, panels);
    counts[4] = 5;  // the smaller size is used up
    ShrinkPanels(input, panels, counts, limits);
    EXPECT_EQ(panels[0].sizeIndex, 0);

    // Two light panels and room for one more small one: only the first moves.
    panels.push_back(panels[0]);
    counts = CountUsedPerSlot(input, panels);
    counts[4] = 4;
    ShrinkPanels(input, panels, counts, limits);
    EXPECT_EQ(panels[0].sizeIndex, 1);
    EXPECT_EQ(panels[1].sizeIndex, 0);
}

TEST(ShrinkPanels, DoesNothingWithASingleSize) {
    const LayoutInput input = MakeInput({{1000, 1000}}, {{100, 100}});
    std::vector<PanelState> panels(1);
    panels[0].sizeIndex = 0;
    panels[0].placements = {{0, 0, 0, false}};
    ShrinkPanels(input, panels, CountUsedPerSlot(input, panels), SlotCounts{0, 0, 0, 0, 9, 0});
    EXPECT_EQ(panels[0].sizeIndex, 0);
}

TEST(ScoreRun, AreaModeScoresWasteThenConsumptionThenCuts) {
    // One 1000 x 1000 panel with a 500 x 1000 part and two 250 x 500 parts: 75 % used.
    const LayoutInput input = MakeInput({{1000, 1000}}, {{1000, 500, 1}, {500, 250, 2}});
    std::vector<PanelState> panels(2);
    panels[0].sizeIndex = 0;
    panels[0].placements = {{0, 0, 0, false}, {1, 500, 0, false}, {1, 750, 0, false}};
    panels[1].sizeIndex = 0;
    const double partArea = 1000.0 * 500 + 2 * 500.0 * 250;
    const RunScore score = ScoreRun(input, panels, partArea, 60);
    EXPECT_EQ(score.primary, 25.0);
    // 75 % > 60 counts as a full panel: 1000 * 1000 * 100 / 10000.
    EXPECT_EQ(score.consumption, 10000.0);
    EXPECT_EQ(score.cuts, 2);
    EXPECT_EQ(panels[0].utilisation, 75);
}

TEST(ScoreRun, PriceModeScoresTheSheetPrices) {
    const LayoutInput input =
        MakeInput({{1000, 1000, 900}, {500, 500, 333}}, {{100, 100, 3}}, /*priceMode=*/true);
    std::vector<PanelState> panels(3);
    panels[0].sizeIndex = 0;
    panels[0].placements = {{0, 0, 0, false}};
    panels[1].sizeIndex = 1;
    panels[1].placements = {{0, 0, 0, false}};
    panels[2].sizeIndex = 1;  // unused
    const RunScore score = ScoreRun(input, panels, 3 * 100.0 * 100, 60);
    EXPECT_EQ(score.primary, 1233.0);
    // Utilisation 1 % and 4 % both bucket to 25: 25 * 900 / 100 = 225, then + 83.25 -> 308.
    EXPECT_EQ(score.consumption, 308.0);
    EXPECT_EQ(score.cuts, 0);
}

}  // namespace
}  // namespace tvx::panel
