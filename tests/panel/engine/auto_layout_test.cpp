#include "panel/engine/auto_layout.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "panel/engine/check_job.h"
#include "panel/engine/orderings.h"

namespace tvx::panel {
namespace {

using test::MakeInput;

std::vector<const PanelState*> UsedPanels(const PanelLayoutResult& result) {
    std::vector<const PanelState*> used;
    for (const PanelState& p : result.panels)
        if (p.used()) used.push_back(&p);
    return used;
}

TEST(AutoLayout, NothingToPlaceFindsNoLayout) {
    for (const bool priceMode : {false, true}) {
        LayoutInput input = MakeInput({{1820, 910, 3500}}, {{450, 300, 0}}, priceMode);
        PanelLayoutResult result;
        EXPECT_FALSE(AutoLayout(input, {}, result));
    }
}

TEST(AutoLayout, APartLargerThanEveryPanelFails) {
    LayoutInput input =
        MakeInput({{1820, 910}, {2430, 1220}}, {{300, 300, 2, 1}, {2500, 1300, 1, 1}});
    PanelLayoutResult result;
    EXPECT_FALSE(AutoLayout(input, {}, result));
}

// Four squares of a quarter panel fill it first-fit: right of the first, then above.
//
//   1000 +------+------+
//        |  2   |  3   |
//    500 +------+------+
//        |  0   |  1   |
//      0 +------+------+
//        0     500    1000
TEST(AutoLayout, FillsASinglePanelFirstFitWithoutProgressText) {
    LayoutInput input = MakeInput({{1000, 1000}}, {{500, 500, 4}});
    int progressCalls = 0, pumps = 0;
    LayoutCallbacks callbacks{[&](const std::string&) { ++progressCalls; }, [&] { ++pumps; },
                              [] { return false; }};
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, callbacks, result));
    const auto used = UsedPanels(result);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used[0]->placements,
              (std::vector<Placement>{
                  {0, 0, 0, false}, {0, 500, 0, false}, {0, 0, 500, false}, {0, 500, 500, false}}));
    EXPECT_EQ(result.score, 0.0);
    EXPECT_EQ(progressCalls, 0);
    EXPECT_EQ(pumps, 0);
}

TEST(AutoLayout, APartAsLargeAsThePanelFitsWithTheKerfAddedToBoth) {
    PanelJob job;
    job.typedHeight = 1820;
    job.typedWidth = 910;
    job.kerf = 3;
    job.cutList[0] = {1820, 910, 2, ""};
    job.cutCount = 1;
    ASSERT_TRUE(CheckJob(job).ok);
    LayoutInput input = PrepareLayoutInput(job);
    EXPECT_EQ(input.sizes[0].enlargedHeight, 1823);
    EXPECT_EQ(input.rows[0].enlargedWidth, 913);
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, {}, result));
    const auto used = UsedPanels(result);
    ASSERT_EQ(used.size(), 2u);
    EXPECT_EQ(used[1]->placements[0], (Placement{0, 0, 0, false}));
}

TEST(AutoLayout, TheLargerSizeIsUsedOnlyUpToItsLimit) {
    // A 1200 square (index 0, limit 1) holds four 600 parts; the 700 square holds one.
    LayoutInput input = MakeInput({{1200, 1200, 0, 1}, {700, 700}}, {{600, 600, 8}});
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, {}, result));
    const auto used = UsedPanels(result);
    ASSERT_EQ(used.size(), 5u);
    EXPECT_EQ(used[0]->sizeIndex, 0);  // larger sheets come first
    EXPECT_EQ(used[0]->placements.size(), 4u);
    for (std::size_t i = 1; i < used.size(); ++i) EXPECT_EQ(used[i]->sizeIndex, 1);
}

TEST(AutoLayout, AFailedFirstMixDoesNotEndTheSearchWhenALargerSizeWouldHelp) {
    // The 1500 x 800 part fits only the larger size, so the first mix (smaller panels only)
    // fails; the search must still go on to a mix with a larger panel.
    LayoutInput input =
        MakeInput({{2000, 1000, 0, 2}, {1000, 500}}, {{1500, 800, 1}, {400, 400, 2}});
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, {}, result));
    const auto used = UsedPanels(result);
    ASSERT_FALSE(used.empty());
    EXPECT_EQ(used[0]->sizeIndex, 0);
}

TEST(AutoLayout, ShowsProgressEveryTenIterationsAndKeepsTheEarliestOfEqualLayouts) {
    // Every mix wastes nothing, so the first one (small panels only) stays the best.
    LayoutInput input = MakeInput({{200, 200, 0, 25}, {100, 100}}, {{100, 100, 200}});
    std::vector<std::string> progress;
    int pumps = 0;
    LayoutCallbacks callbacks{[&](const std::string& text) { progress.push_back(text); },
                              [&] { ++pumps; }, [] { return false; }};
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, callbacks, result));
    EXPECT_EQ(pumps, 26);  // 0..25 larger panels
    EXPECT_EQ(progress, (std::vector<std::string>{"計算中．．．．．10", "計算中．．．．．20"}));
    for (const PanelState* p : UsedPanels(result)) EXPECT_EQ(p->sizeIndex, 1);
}

TEST(AutoLayout, CancelKeepsTheBestLayoutFoundSoFar) {
    LayoutInput input = MakeInput({{200, 200, 0, 25}, {100, 100}}, {{100, 100, 200}});
    int polls = 0;
    LayoutCallbacks callbacks{{}, {}, [&] { return ++polls >= 2; }};
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, callbacks, result));
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(UsedPanels(result).size(), 200u);
}

TEST(AutoLayout, PriceModeUsesTheCheaperMix) {
    // Two parts of 1000 x 1000: one large sheet (price 900) is cheaper than two small ones
    // (500 each), although it wastes half its area.
    LayoutInput input = MakeInput({{2000, 2000, 900}, {1000, 1000, 500}}, {{1000, 1000, 2}},
                                  /*priceMode=*/true);
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, {}, result));
    const auto used = UsedPanels(result);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used[0]->sizeIndex, 0);
    EXPECT_EQ(result.score, 900.0);
}

TEST(AutoLayout, ExtremeKerfAndQuantityNeitherWrapNorStall) {
    // Enlarged sizes beyond 16 bits and 32767 pieces, one to a panel. The check refuses such
    // a kerf; the engine, handed the job anyway, must still neither wrap nor stall.
    PanelJob job;
    job.typedHeight = 1820;
    job.typedWidth = 910;
    job.kerf = 32767;
    job.cutList[0] = {1000, 900, 32767, ""};
    job.cutCount = 1;
    EXPECT_EQ(CheckJob(job).message, kKerfTooLargeMessage);
    TakeTypedPanelSize(job);
    job.lastValidRow = 0;
    job.validRowCount = 1;
    LayoutInput input = PrepareLayoutInput(job);
    EXPECT_EQ(input.sizes[0].enlargedHeight, 1820 + 32767);
    EXPECT_EQ(input.panelCapacity, 49152);
    PanelLayoutResult result;
    ASSERT_TRUE(AutoLayout(input, {}, result));
    const auto used = UsedPanels(result);
    EXPECT_EQ(used.size(), 32767u);
    EXPECT_EQ(used.back()->placements, (std::vector<Placement>{{0, 0, 0, false}}));
}

TEST(PrepareLayoutInput, OrdersSizesIntoSlotsByAreaOrByPrice) {
    const std::initializer_list<test::SizeSpec> sizes = {
        {1820, 910, 3500}, {2430, 1220, 5800}, {1000, 500, 9000}, {1820, 910, 3500}};
    const LayoutInput byArea = MakeInput(sizes, {{100, 100}});
    // Largest first; the two equal sizes keep their index order; smallest in slot 4.
    EXPECT_EQ(byArea.slotSize[1], 1);
    EXPECT_EQ(byArea.slotSize[2], 0);
    EXPECT_EQ(byArea.slotSize[3], 3);
    EXPECT_EQ(byArea.slotSize[4], 2);
    EXPECT_EQ(byArea.sizeSlot[2], 4);

    const LayoutInput byPrice = MakeInput(sizes, {{100, 100}}, /*priceMode=*/true);
    EXPECT_EQ(byPrice.slotSize[1], 2);  // dearest
    EXPECT_EQ(byPrice.slotSize[2], 1);
    EXPECT_EQ(byPrice.slotSize[3], 0);
    EXPECT_EQ(byPrice.slotSize[4], 3);  // cheapest, the unlimited filler
}

TEST(PrepareLayoutInput, EnlargesByTheKerfRoundingHalfToEvenAndEstimatesCapacity) {
    PanelJob job;
    job.stock[0] = {1820, 910, 0, 0};
    job.lastSizeIndex = 0;
    job.kerf = 3;
    job.cutList[0] = {449.5f, 300.5f, 4, "a"};  // 452.5 -> 452, 303.5 -> 304
    job.cutList[1] = {0, 300, 2, ""};           // no height: places nothing
    job.cutList[2] = {600, 400, -2, ""};        // negative quantity: places nothing
    job.cutCount = 3;
    job.lastValidRow = 2;
    const LayoutInput input = PrepareLayoutInput(job);
    ASSERT_EQ(input.rows.size(), 3u);
    EXPECT_EQ(input.rows[0].enlargedHeight, 452);
    EXPECT_EQ(input.rows[0].enlargedWidth, 304);
    EXPECT_EQ(input.rows[0].quantity, 4);
    EXPECT_EQ(input.rows[1].quantity, 0);
    EXPECT_EQ(input.rows[2].quantity, 0);
    EXPECT_EQ(input.rows[0].comment, "a");
    // Row 0: v = min(4*3, 2*5) = 10 -> 4 div 10 + 1 = 1; row 1 has height 3 (kerf only):
    // +1; row 2: +1. P = round(3 * 1.5) = round(4.5) = 4 (half to even).
    EXPECT_EQ(input.panelCapacity, 4);
}

TEST(Orderings, EqualOrderingsAreSwitchedOffAndTiesKeepRowOrder) {
    // Equal areas keep their row order; height order equals area order.
    const LayoutInput input = MakeInput({{1000, 1000}}, {{100, 50}, {60, 60}, {50, 100}});
    const Orderings orderings = BuildOrderings(input);
    EXPECT_EQ(orderings.rows[0], (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(orderings.rows[1], (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(orderings.rows[2], (std::vector<int>{2, 1, 0, 3}));
    EXPECT_TRUE(orderings.enabled[1]);
    EXPECT_TRUE(orderings.enabled[2]);

    const Orderings single = BuildOrderings(MakeInput({{1000, 1000}}, {{100, 50}}));
    EXPECT_TRUE(single.enabled[0]);
    EXPECT_FALSE(single.enabled[1]);
    EXPECT_FALSE(single.enabled[2]);
}

TEST(Orderings, RowsThatNeedALargerPanelComeFirst) {
    // Row 1 (1200 high) does not fit the 1000 x 500 size although its area is smaller.
    const LayoutInput input =
        MakeInput({{2000, 1000}, {1000, 500}}, {{400, 490}, {1200, 100}, {300, 300}});
    const Orderings orderings = BuildOrderings(input);
    EXPECT_EQ(orderings.rows[0], (std::vector<int>{1, 0, 2, 3}));
}

TEST(Orderings, MovedRowsKeepTheirRelativeOrder) {
    const LayoutInput input =
        MakeInput({{2000, 2000}, {1000, 1000}}, {{900, 900}, {1500, 100}, {100, 1500}, {800, 800}});
    std::vector<int> ordering{0, 1, 2, 3, 4};
    EXPECT_EQ(MoveUnfittableFirst(input, ordering, 4, 3), 2);
    EXPECT_EQ(ordering, (std::vector<int>{1, 2, 0, 3, 4}));
}

}  // namespace
}  // namespace tvx::panel
