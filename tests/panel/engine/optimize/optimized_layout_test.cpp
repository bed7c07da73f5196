// The optimising layout: small jobs whose best layout is known by hand, sound layouts on
// random jobs, never worse than the standard layout, the same layout for the same effort,
// cancellation and the bound.

#include "panel/engine/optimize/optimized_layout.h"

#include <gtest/gtest.h>

#include <random>

#include "layout_checker.h"
#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/engine_test_support.h"

namespace tvx::panel {
namespace {

using test::CheckLayout;
using test::LayoutCheck;
using test::MakeInput;

PanelLayoutResult Optimise(const LayoutInput& input, int effort = 1) {
    OptimizeOptions options;
    options.effort = effort;
    options.timeLimitSeconds = 0;  // effort alone decides: the same layout on every machine
    const SearchControl control;
    std::optional<PanelLayoutResult> result = RunOptimizedLayout(input, options, control);
    EXPECT_TRUE(result.has_value());
    return result.value_or(PanelLayoutResult{});
}

LayoutCheck CheckedOptimum(const LayoutInput& input) {
    const PanelLayoutResult result = Optimise(input);
    const LayoutCheck check = CheckLayout(input, result);
    EXPECT_TRUE(check.ok()) << check.Describe();
    return check;
}

TEST(OptimizedLayout, FindsAPerfectTilingAndCallsItOptimal) {
    // Per 1000 x 1000 panel: a 1000 x 200 strip, two 600 x 400 and one 400 x 800 (width x
    // height) fill it exactly; two sets fill two panels.
    const LayoutInput input =
        MakeInput({{1000, 1000}}, {{200, 1000, 2}, {400, 600, 4}, {800, 400, 2}});
    const PanelLayoutResult result = Optimise(input);
    const LayoutCheck check = CheckLayout(input, result);
    ASSERT_TRUE(check.ok()) << check.Describe();
    EXPECT_EQ(check.panels, 2);
    const OptimizeSummary summary = SummarizeLayout(input, result);
    EXPECT_TRUE(summary.optimal);
    EXPECT_EQ(summary.lowerBound, 2.0);
    EXPECT_EQ(OptimizeVerdict(summary.optimal, summary.gapPercent), "最適");
}

TEST(OptimizedLayout, TurningARowThatMayTurnSavesAPanel) {
    // 1000 wide, 600 high: a 500 x 600 part and a 600 x 500 part share it only when the
    // second is turned.
    const LayoutInput fixed = MakeInput({{600, 1000}}, {{600, 500, 1, 0}, {500, 600, 1, 0}});
    EXPECT_EQ(CheckedOptimum(fixed).panels, 2);
    const LayoutInput turning = MakeInput({{600, 1000}}, {{600, 500, 1, 0}, {500, 600, 1, 1}});
    EXPECT_EQ(CheckedOptimum(turning).panels, 1);
}

TEST(OptimizedLayout, ADearerSizePerAreaIsCheaperOverall) {
    // Three 500 x 1000 parts: two large panels cost 200, a large and a half panel 160.
    const LayoutInput input =
        MakeInput({{1000, 1000, 100, 0}, {1000, 500, 60, 0}}, {{1000, 500, 3}}, true);
    const LayoutCheck check = CheckedOptimum(input);
    EXPECT_EQ(check.cost, 160);
    // With four parts, four half panels (160) beat the large ones, unless the half panel is
    // limited to one sheet: then two large panels (200).
    EXPECT_EQ(CheckedOptimum(
                  MakeInput({{1000, 1000, 100, 0}, {1000, 500, 40, 0}}, {{1000, 500, 4}}, true))
                  .cost,
              160);
    EXPECT_EQ(CheckedOptimum(
                  MakeInput({{1000, 1000, 100, 0}, {1000, 500, 40, 1}}, {{1000, 500, 4}}, true))
                  .cost,
              200);
}

TEST(OptimizedLayout, TheKerfIsPartOfEverySize) {
    // 1000 x 600 panel, kerf 4: four 498 x 298 parts fill it exactly in enlarged units
    // (1004 x 604 against 502 x 302); 500 x 300 parts would not.
    PanelJob job;
    job.typedHeight = 600;
    job.typedWidth = 1000;
    job.stock[0] = {600, 1000, 0, 0};
    job.lastSizeIndex = 0;
    job.kerf = 4;
    job.cutList[0] = {298.0f, 498.0f, 4, ""};
    job.cutList[1] = {300.0f, 500.0f, 1, ""};
    job.cutCount = 2;
    const LayoutInput input = PrepareLayoutInput(job, CheckJob(job).derived);
    const LayoutCheck check = CheckedOptimum(input);
    EXPECT_EQ(check.panels, 2);
}

PanelJob RandomJob(std::mt19937& random, int sizes) {
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    PanelJob job;
    job.kerf = static_cast<std::int16_t>(uniform(0, 5));
    job.rotateAll = uniform(0, 1) == 1;
    for (int i = 0; i < sizes; ++i)
        job.stock[static_cast<std::size_t>(i)] = {uniform(600, 2500), uniform(400, 1300),
                                                  uniform(1, 9) * 1000,
                                                  static_cast<std::int16_t>(uniform(0, 4))};
    job.lastSizeIndex = static_cast<std::int16_t>(sizes - 1);
    job.priceMode = sizes > 1 && uniform(0, 1) == 1;
    const int rows = uniform(1, 12);
    for (int r = 0; r < rows; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(uniform(50, 600)),
                                                    static_cast<float>(uniform(50, 400)),
                                                    static_cast<std::int16_t>(uniform(1, 5)), ""};
        job.turnFlag[static_cast<std::size_t>(r)] = static_cast<std::int16_t>(uniform(0, 1));
    }
    job.cutCount = static_cast<std::int16_t>(rows);
    if (sizes == 1) {
        job.stock[0].limit = 0;
        job.typedHeight = job.stock[0].height;
        job.typedWidth = job.stock[0].width;
    }
    return job;
}

TEST(OptimizedLayout, RandomJobsGiveSoundLayoutsNeverWorseThanTheStandard) {
    std::mt19937 random(1412);
    int compared = 0;
    for (int trial = 0; trial < 24; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        PanelJob job = RandomJob(random, 1 + trial % 3);
        if (!CheckJob(job).ok) continue;
        const LayoutInput input = PrepareLayoutInput(job, CheckJob(job).derived);
        const std::optional<PanelLayoutResult> standardLayout =
            AutoLayout(input, LayoutOptions{}, SearchControl{});
        const bool standardFound = standardLayout.has_value();
        const PanelLayoutResult standard = standardLayout.value_or(PanelLayoutResult{});

        OptimizeOptions options;
        options.effort = 1;
        options.timeLimitSeconds = 0;
        const SearchControl control;
        const std::optional<PanelLayoutResult> result = RunOptimizedLayout(input, options, control);
        if (standardFound) {
            ASSERT_TRUE(result.has_value());
        }
        if (!result) continue;
        const LayoutCheck check = CheckLayout(input, *result);
        ASSERT_TRUE(check.ok()) << check.Describe();
        const OptimizeSummary summary = SummarizeLayout(input, *result);
        EXPECT_EQ(summary.cost, check.Objective(input));
        EXPECT_LE(summary.costBound, summary.cost) << "the bound is above a real layout";
        if (!standardFound) continue;
        const std::int64_t standardCost = CheckLayout(input, standard).Objective(input);
        EXPECT_LE(check.Objective(input), standardCost);
        ++compared;
    }
    EXPECT_GT(compared, 12);
}

TEST(OptimizedLayout, SavesAPanelWhereTheStandardLayoutWastesOne) {
    // A classic bin-packing instance (Berkey and Wang, class 5, scaled to a 100 x 100 panel,
    // height x width): the standard layout uses six panels, five suffice.
    const LayoutInput input = MakeInput(
        {{100, 100}}, {{36, 95}, {91, 14}, {36, 16}, {93, 91}, {17, 61}, {98, 82},  {56, 43},
                       {49, 65}, {65, 5},  {25, 50}, {87, 25}, {38, 83}, {100, 14}, {30, 40},
                       {16, 17}, {81, 33}, {80, 11}, {1, 7},   {68, 8},  {35, 38}});
    const std::optional<PanelLayoutResult> standardLayout =
        AutoLayout(input, LayoutOptions{}, SearchControl{});
    ASSERT_TRUE(standardLayout);
    const PanelLayoutResult& standard = *standardLayout;
    EXPECT_EQ(CheckLayout(input, standard).panels, 6);
    const PanelLayoutResult result = Optimise(input);
    const LayoutCheck check = CheckLayout(input, result);
    ASSERT_TRUE(check.ok()) << check.Describe();
    EXPECT_EQ(check.panels, 5);
    EXPECT_TRUE(SummarizeLayout(input, result).optimal);
}

TEST(OptimizedLayout, TheSameEffortGivesTheSameLayout) {
    std::mt19937 random(99);
    PanelJob job = RandomJob(random, 1);
    job.cutList[0].quantity = 20;
    ASSERT_TRUE(CheckJob(job).ok);
    const LayoutInput input = PrepareLayoutInput(job, CheckJob(job).derived);
    const PanelLayoutResult a = Optimise(input, 1);
    const PanelLayoutResult b = Optimise(input, 1);
    ASSERT_EQ(a.panels.size(), b.panels.size());
    for (std::size_t i = 0; i < a.panels.size(); ++i) {
        EXPECT_EQ(a.panels[i].sizeIndex, b.panels[i].sizeIndex);
        EXPECT_EQ(a.panels[i].placements, b.panels[i].placements);
    }
}

TEST(OptimizedLayout, AStoppedSearchStillLeavesASoundLayout) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 6; ++trial) {
        PanelJob job = RandomJob(random, 1 + trial % 3);
        if (!CheckJob(job).ok) continue;
        const LayoutInput input = PrepareLayoutInput(job, CheckJob(job).derived);
        OptimizeOptions options;
        SearchControl stopped;
        stopped.RequestStop();
        const std::optional<PanelLayoutResult> atOnce = RunOptimizedLayout(input, options, stopped);
        if (atOnce) {
            EXPECT_TRUE(CheckLayout(input, *atOnce).ok());
        }

        // Stopped from the progress report, as the window's "強制終了" does.
        SearchControl control;
        int reports = 0;
        control.onProgress = [&](const SearchProgress& progress) {
            ++reports;
            EXPECT_TRUE(progress.lowerBound.has_value());
            control.RequestStop();
        };
        const std::optional<PanelLayoutResult> later = RunOptimizedLayout(input, options, control);
        ASSERT_TRUE(later.has_value());
        EXPECT_TRUE(CheckLayout(input, *later).ok()) << CheckLayout(input, *later).Describe();
    }
}

TEST(OptimizedLayout, TheVerdictStatesTheGapToTheBound) {
    // Four 500 x 500 parts fill one 1000 x 1000 panel: laid out one per panel, the layout is
    // 300 % above the bound; the search finds the one panel and calls it optimal.
    const LayoutInput input = MakeInput({{1000, 1000}}, {{500, 500, 4}});
    PanelLayoutResult spread;
    for (int i = 0; i < 4; ++i) {
        PanelState panel;
        panel.sizeIndex = 0;
        panel.placements.push_back({0, 0, 0, false});
        spread.panels.push_back(panel);
    }
    ASSERT_TRUE(CheckLayout(input, spread).ok());
    const OptimizeSummary loose = SummarizeLayout(input, spread);
    EXPECT_FALSE(loose.optimal);
    EXPECT_EQ(loose.lowerBound, 1.0);
    EXPECT_DOUBLE_EQ(loose.gapPercent, 300.0);
    EXPECT_EQ(OptimizeVerdict(loose.optimal, loose.gapPercent), "下限との差 300.0%");
    EXPECT_EQ(OptimizeVerdict(false, 2.345), "下限との差 2.3%");

    const OptimizeSummary found = SummarizeLayout(input, Optimise(input));
    EXPECT_TRUE(found.optimal);
    EXPECT_EQ(OptimizeVerdict(found.optimal, found.gapPercent), "最適");

    // Parts that cannot share a panel without turning: the bound proves two panels.
    const LayoutInput apart = MakeInput({{600, 1000}}, {{600, 500, 1, 0}, {500, 600, 1, 0}});
    const OptimizeSummary two = SummarizeLayout(apart, Optimise(apart));
    EXPECT_TRUE(two.optimal);
    EXPECT_EQ(two.lowerBound, 2.0);
}

TEST(OptimizedLayout, NothingToPlaceGivesNoLayout) {
    const LayoutInput input = MakeInput({{600, 1000}}, {{600, 500, 0, 0}});
    EXPECT_FALSE(RunOptimizedLayout(input, {}, SearchControl{}).has_value());
}

}  // namespace
}  // namespace tvx::panel
