#include "panel/engine/auto_layout.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "panel/engine/check_job.h"
#include "panel/engine/orderings.h"

namespace tvx::panel {
namespace {

using test::Layout;
using test::MakeInput;

std::vector<const PanelState*> UsedPanels(const PanelLayoutResult& result) {
    std::vector<const PanelState*> used;
    for (const PanelState& p : result.panels)
        if (p.used()) used.push_back(&p);
    return used;
}

TEST(AutoLayout, NothingToPlaceFindsNoLayout) {
    for (const bool priceMode : {false, true}) {
        const LayoutInput input = MakeInput({{1820, 910, 3500}}, {{450, 300, 0}}, priceMode);
        EXPECT_FALSE(Layout(input));
    }
}

TEST(AutoLayout, APartLargerThanEveryPanelFails) {
    const LayoutInput input =
        MakeInput({{1820, 910}, {2430, 1220}}, {{300, 300, 2, 1}, {2500, 1300, 1, 1}});
    EXPECT_FALSE(Layout(input));
}

// Four squares of a quarter panel fill it first-fit: right of the first, then above.
//
//   1000 +------+------+
//        |  2   |  3   |
//    500 +------+------+
//        |  0   |  1   |
//      0 +------+------+
//        0     500    1000
TEST(AutoLayout, FillsASinglePanelFirstFitWithoutProgress) {
    const LayoutInput input = MakeInput({{1000, 1000}}, {{500, 500, 4}});
    SearchControl control;
    int progressCalls = 0;
    control.onProgress = [&](const SearchProgress&) { ++progressCalls; };
    const auto result = AutoLayout(input, LayoutOptions{}, control);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used[0]->placements,
              (std::vector<Placement>{
                  {0, 0, 0, false}, {0, 500, 0, false}, {0, 0, 500, false}, {0, 500, 500, false}}));
    EXPECT_EQ(result->score, 0.0);
    EXPECT_EQ(used[0]->utilisation, 100);  // filled in for the caller
    EXPECT_TRUE(used[0]->wholePanel);
    EXPECT_EQ(progressCalls, 0);
}

TEST(AutoLayout, TheWholePanelThresholdComesFromTheOptions) {
    // One 500 square on a 1000 square: 25 % used.
    const LayoutInput input = MakeInput({{1000, 1000}}, {{500, 500, 1}});
    LayoutOptions options;
    options.fullPanelPercent = 20;
    const auto low = Layout(input, options);
    options.fullPanelPercent = 60;
    const auto standard = Layout(input, options);
    ASSERT_TRUE(low && standard);
    EXPECT_TRUE(UsedPanels(*low)[0]->wholePanel);
    EXPECT_FALSE(UsedPanels(*standard)[0]->wholePanel);
    EXPECT_EQ(UsedPanels(*low)[0]->placements, UsedPanels(*standard)[0]->placements);
}

TEST(AutoLayout, APartAsLargeAsThePanelFitsWithTheKerfAddedToBoth) {
    PanelJob job;
    job.typedHeight = 1820;
    job.typedWidth = 910;
    job.kerf = 3;
    job.cutList[0] = {1820, 910, 2, ""};
    job.cutCount = 1;
    const CheckResult check = CheckJob(job);
    ASSERT_TRUE(check.ok);
    const LayoutInput input = PrepareLayoutInput(job, check.derived);
    EXPECT_EQ(input.sizes[0].enlargedHeight, 1823);
    EXPECT_EQ(input.rows[0].enlargedWidth, 913);
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
    ASSERT_EQ(used.size(), 2u);
    EXPECT_EQ(used[1]->placements[0], (Placement{0, 0, 0, false}));
}

TEST(AutoLayout, TheLargerSizeIsUsedOnlyUpToItsLimit) {
    // A 1200 square (index 0, limit 1) holds four 600 parts; the 700 square holds one.
    const LayoutInput input = MakeInput({{1200, 1200, 0, 1}, {700, 700}}, {{600, 600, 8}});
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
    ASSERT_EQ(used.size(), 5u);
    EXPECT_EQ(used[0]->sizeIndex, 0);  // larger sheets come first
    EXPECT_EQ(used[0]->placements.size(), 4u);
    for (std::size_t i = 1; i < used.size(); ++i) EXPECT_EQ(used[i]->sizeIndex, 1);
}

TEST(AutoLayout, AFailedFirstMixDoesNotEndTheSearchWhenALargerSizeWouldHelp) {
    // The 1500 x 800 part fits only the larger size, so the first mix (smaller panels only)
    // fails; the search must still go on to a mix with a larger panel.
    const LayoutInput input =
        MakeInput({{2000, 1000, 0, 2}, {1000, 500}}, {{1500, 800, 1}, {400, 400, 2}});
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
    ASSERT_FALSE(used.empty());
    EXPECT_EQ(used[0]->sizeIndex, 0);
}

TEST(AutoLayout, ReportsProgressEveryTenIterationsAndKeepsTheEarliestOfEqualLayouts) {
    // Every mix wastes nothing, so the first one (small panels only) stays the best.
    const LayoutInput input = MakeInput({{200, 200, 0, 25}, {100, 100}}, {{100, 100, 200}});
    SearchControl control;
    std::vector<SearchProgress> progress;
    control.onProgress = [&](const SearchProgress& p) { progress.push_back(p); };
    const auto result = AutoLayout(input, LayoutOptions{}, control);
    ASSERT_TRUE(result);
    ASSERT_EQ(progress.size(), 2u);  // 26 iterations: 0..25 larger panels
    EXPECT_EQ(progress[0].iteration, 10);
    EXPECT_EQ(progress[1].iteration, 20);
    EXPECT_EQ(progress[1].bestCost, std::optional<double>(0.0));
    for (const PanelState* p : UsedPanels(*result)) EXPECT_EQ(p->sizeIndex, 1);
}

TEST(AutoLayout, AStopBetweenIterationsKeepsTheBestLayoutFoundSoFar) {
    const LayoutInput input = MakeInput({{200, 200, 0, 25}, {100, 100}}, {{100, 100, 200}});
    SearchControl control;
    std::int64_t lastReport = 0;
    control.onProgress = [&](const SearchProgress& p) {
        lastReport = p.iteration;
        control.RequestStop();
    };
    const auto result = AutoLayout(input, LayoutOptions{}, control);
    ASSERT_TRUE(result);
    EXPECT_EQ(lastReport, 10);  // stopped right after the tenth iteration
    EXPECT_EQ(UsedPanels(*result).size(), 200u);
}

TEST(AutoLayout, AStopBeforeAnyRunCompletesFindsNoLayout) {
    // One size and several: a stop that is already set cuts the first run short.
    for (const bool several : {false, true}) {
        const LayoutInput input =
            several ? MakeInput({{200, 200, 0, 25}, {100, 100}}, {{100, 100, 200}})
                    : MakeInput({{1000, 1000}}, {{100, 100, 200}});
        SearchControl control;
        control.RequestStop();
        EXPECT_FALSE(AutoLayout(input, LayoutOptions{}, control)) << several;
        SearchControl expired;
        expired.SetDeadline(SearchControl::Clock::now());
        EXPECT_FALSE(AutoLayout(input, LayoutOptions{}, expired)) << several;
    }
}

TEST(AutoLayout, AOneSizeSearchStoppedAtADeadlineReturnsNothingOrACompleteLayout) {
    // Long runs: the stop is looked at inside them, and a run cut short never comes back.
    const LayoutInput input =
        MakeInput({{1820, 910}}, {{50, 50, 3000, 1}, {70, 30, 3000, 1}, {33, 21, 3000, 0}});
    for (const double seconds : {0.001, 0.05}) {
        SearchControl control;
        control.SetTimeLimit(seconds);
        const auto result = AutoLayout(input, LayoutOptions{}, control);
        if (!result) continue;
        std::vector<int> placed(input.rows.size(), 0);
        for (const PanelState* p : UsedPanels(*result))
            for (const Placement& placement : p->placements)
                ++placed[static_cast<std::size_t>(placement.row)];
        for (std::size_t r = 0; r < input.rows.size(); ++r)
            EXPECT_EQ(placed[r], input.rows[r].quantity) << "row " << r;
    }
}

TEST(AutoLayout, PriceModeUsesTheCheaperMix) {
    // Two parts of 1000 x 1000: one large sheet (price 900) is cheaper than two small ones
    // (500 each), although it wastes half its area.
    const LayoutInput input = MakeInput({{2000, 2000, 900}, {1000, 1000, 500}}, {{1000, 1000, 2}},
                                        /*priceMode=*/true);
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used[0]->sizeIndex, 0);
    EXPECT_EQ(result->score, 900.0);
}

TEST(AutoLayout, ACostBeyondEightDigitsIsStillALayout) {
    // Three sheets at 40,000,000 each: 120,000,000 in total.
    const LayoutInput input = MakeInput({{1000, 1000, 40000000}, {1000, 1000, 40000000}},
                                        {{1000, 1000, 3}}, /*priceMode=*/true);
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->score, 120000000.0);
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
    // The check refuses such a kerf; the engine must still neither wrap nor stall on it.
    const CheckResult check = CheckJob(job);
    EXPECT_EQ(check.message, kKerfTooLargeMessage);
    DerivedValues derived = check.derived;
    derived.lastValidRow = 0;
    derived.validRowCount = 1;
    const LayoutInput input = PrepareLayoutInput(job, derived);
    EXPECT_EQ(input.sizes[0].enlargedHeight, 1820 + 32767);
    EXPECT_EQ(input.panelCapacity, 49152);
    const auto result = Layout(input);
    ASSERT_TRUE(result);
    const auto used = UsedPanels(*result);
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
    const LayoutInput input = PrepareLayoutInput(job, test::DerivedAsGiven(job, 2));
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
