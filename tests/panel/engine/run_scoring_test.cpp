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
    const RunScore score = ScoreRun(input, panels, partArea, 60).value();
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
    const RunScore score = ScoreRun(input, panels, 3 * 100.0 * 100, 60).value();
    EXPECT_EQ(score.primary, 1233.0);
    // Utilisation 1 % and 4 % both bucket to 25: 25 * 900 / 100 = 225, then + 83.25 -> 308.
    EXPECT_EQ(score.consumption, 308.0);
    EXPECT_EQ(score.cuts, 0);
}

TEST(ScoreRun, ARunWithoutStockAreaHasNoScore) {
    const LayoutInput input = MakeInput({{1000, 1000}}, {{100, 100}});
    std::vector<PanelState> panels(1);  // nothing used
    panels[0].sizeIndex = 0;
    EXPECT_FALSE(ScoreRun(input, panels, 100.0 * 100, 60));
}

TEST(ScoreRun, ConsumptionCountsAPanelInFullOnlyAbove60Percent) {
    // 100 x 100 panel; 60 parts of 10 x 10 use 60 % (bucket 67) or 61 % (also 67).
    const LayoutInput input = MakeInput({{100, 100}}, {{10, 10, 61}});
    auto consumptionOf = [&](int parts) {
        std::vector<PanelState> panels(1);
        panels[0].sizeIndex = 0;
        for (int i = 0; i < parts; ++i)
            panels[0].placements.push_back({0, (i % 10) * 10, (i / 10) * 10, false});
        return ScoreRun(input, panels, parts * 100.0, 60).value().consumption;
    };
    EXPECT_EQ(consumptionOf(50), 50.0);   // bucket 50: 100 * 100 * 50 / 10000
    EXPECT_EQ(consumptionOf(60), 100.0);  // bucket 67 is above 60: in full
}

TEST(IsBetter, LowerPrimaryWinsThenLowerConsumptionThenFewerCuts) {
    const RunScore base{10.0, 500.0, 7};
    EXPECT_TRUE(IsBetter({9.0, 900.0, 99}, base));  // primary decides first
    EXPECT_FALSE(IsBetter({11.0, 100.0, 0}, base));
    EXPECT_TRUE(IsBetter({10.0, 499.0, 99}, base));  // then consumption
    EXPECT_FALSE(IsBetter({10.0, 501.0, 0}, base));
    EXPECT_TRUE(IsBetter({10.0, 500.0, 6}, base));  // then the cut count
    EXPECT_FALSE(IsBetter({10.0, 500.0, 8}, base));
    EXPECT_TRUE(IsBetter({10.0, 500.0, -1}, base));  // -1 (no guillotine cuts) is lowest
    EXPECT_FALSE(IsBetter(base, base));              // ties keep the earlier run
}

}  // namespace
}  // namespace tvx::panel
