#include <gtest/gtest.h>

#include "bar/engine/bar_engine.h"
#include "bar_test_jobs.h"

namespace tvx::bar {
namespace {

using test::ExpectSoundPlan;
using test::MakeJob;

std::vector<float> Lengths(const BarPlan& plan, const BarRun& run) {
    std::vector<float> lengths;
    for (const std::int16_t piece : run.pieces)
        lengths.push_back(DisplayedPieceLength(plan, piece));
    return lengths;
}

TEST(BarCalculation, OneStockWithoutPriceMinimisesTheNumberOfBars) {
    // 700 + 300 and 600 + 400 fill two bars exactly.
    const BarJob job = MakeJob({{1000}}, 0, {{700, 1}, {600, 1}, {400, 1}, {300, 1}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.resultBarCount, 2);
    EXPECT_FALSE(plan.allPricesGiven);
    EXPECT_EQ(plan.bestCost, 2000.0f);  // cost of a bar is its length
}

TEST(BarCalculation, PricesDecideUnlessOneIsZeroThenStockLengthDecides) {
    // Three pieces of 800: one 2500 bar, or three 1000 bars.
    const std::vector<test::RowSpec> rows = {{800, 3}};
    const BarJob priced = MakeJob({{1000, 100}, {2500, 400}}, 0, rows);
    const BarPlan byPrice = RunBarCalculation(priced);
    ExpectSoundPlan(priced, byPrice);
    EXPECT_TRUE(byPrice.allPricesGiven);
    EXPECT_EQ(byPrice.bestCost, 300.0f);
    EXPECT_EQ(byPrice.resultCount, (std::vector<std::int64_t>{3, 0}));

    const BarJob oneUnpriced = MakeJob({{1000, 0}, {2500, 400}}, 0, rows);
    const BarPlan byLength = RunBarCalculation(oneUnpriced);
    ExpectSoundPlan(oneUnpriced, byLength);
    EXPECT_FALSE(byLength.allPricesGiven);
    EXPECT_EQ(byLength.bestCost, 2500.0f);
    EXPECT_EQ(byLength.resultCount, (std::vector<std::int64_t>{0, 1}));
}

TEST(BarCalculation, KerfLiesBetweenPiecesOnly) {
    // A piece as long as the stock fits, with or without kerf.
    const BarJob exact = MakeJob({{1000}}, 3, {{1000, 2}});
    const BarPlan exactPlan = RunBarCalculation(exact);
    ExpectSoundPlan(exact, exactPlan);
    EXPECT_EQ(exactPlan.resultBarCount, 2);
    EXPECT_EQ(BarRemainder(exactPlan, exactPlan.resultBars[0]), 0.0f);

    // 500 + 3 + 500 > 1000, but with kerf 0 both pieces share a bar.
    const BarPlan withKerf = RunBarCalculation(MakeJob({{1000}}, 3, {{500, 2}}));
    EXPECT_EQ(withKerf.resultBarCount, 2);
    const BarPlan noKerf = RunBarCalculation(MakeJob({{1000}}, 0, {{500, 2}}));
    EXPECT_EQ(noKerf.resultBarCount, 1);
    EXPECT_EQ(Lengths(noKerf, noKerf.resultBars[0]), (std::vector<float>{500, 500}));
}

TEST(BarCalculation, EqualLengthsMergeUnlessPartCodesAreShown) {
    const std::vector<test::RowSpec> rows = {{700, 1, "A"}, {300, 2, "B"}, {700, 2, "C"}};
    const BarPlan merged = RunBarCalculation(MakeJob({{1000}}, 0, rows, false));
    EXPECT_EQ(merged.pieceLength, (std::vector<float>{700, 300}));

    const BarJob withCodes = MakeJob({{1000}}, 0, rows, true);
    const BarPlan apart = RunBarCalculation(withCodes);
    ExpectSoundPlan(withCodes, apart);
    EXPECT_EQ(apart.pieceLength, (std::vector<float>{700, 700, 300}));
    EXPECT_EQ(apart.pieceComment, (std::vector<std::string>{"A", "C", "B"}));
}

TEST(BarCalculation, IdenticalBarsComeOutAsOneRun) {
    const BarJob job = MakeJob({{1000}}, 0, {{300, 9}, {150, 1}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    ASSERT_EQ(plan.resultBars.size(), 2u);
    EXPECT_EQ(plan.resultBars[0].count, 3);
    EXPECT_EQ(Lengths(plan, plan.resultBars[0]), (std::vector<float>{300, 300, 300}));
    EXPECT_EQ(Lengths(plan, plan.resultBars[1]), (std::vector<float>{150}));
}

TEST(BarCalculation, LongerBarsComeFirstAndCountLimitsHold) {
    const BarJob job =
        MakeJob({{2000, 0, 2}, {6000, 0, 1}, {4000, 0, 0}}, 2, {{1900, 4}, {1500, 3}, {700, 5}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.stockLength, (std::vector<float>{2002, 4002, 6002}));
    EXPECT_EQ(plan.countLimit, (std::vector<std::int32_t>{2, 0, 1}));
}

TEST(BarCalculation, ACountLimitThatCannotBeMetGivesNoPlan) {
    const BarJob job = MakeJob({{1000, 0, 2}}, 0, {{600, 3}});
    const BarPlan plan = RunBarCalculation(job);
    EXPECT_FALSE(plan.HasPlan());
    EXPECT_FALSE(plan.found);
    EXPECT_EQ(plan.bestCost, 0.0f);
    EXPECT_EQ(plan.resultBarCount, 0);
    EXPECT_TRUE(plan.resultBars.empty());
    EXPECT_EQ(CalculationResultMessage(plan), kNoAssignmentMessage);
}

TEST(BarCalculation, InitialMixUsesTheSingleQuotient) {
    // Rounding 1250.4 first would plan two pieces on one 2500 bar, which do not fit.
    const BarJob job = MakeJob({{1000}, {2500}}, 0, {{1250.4f, 2}, {500, 1}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.resultCount, (std::vector<std::int64_t>{0, 2}));
}

TEST(BarCalculation, ADearShortStockDoesNotHideAPlan) {
    // A plan costs 600; a "no plan" bound priced with the longest type's cost would be 301.
    const BarJob job = MakeJob({{1000, 500}, {2000, 100, 1}}, 0, {{900, 3}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.bestCost, 600.0f);
}

// Plans whose cost passes 2^24, where a "no plan" cost of one more than the dearest plan
// would equal the dearest plan in single precision.
TEST(BarCalculation, PlansCostingMoreThan2To24AreFound) {
    struct Case {
        const char* label;
        BarJob job;
        float cost;
        std::int64_t bars;
    };
    for (const Case& c : std::vector<Case>{
             {"3000 x 6000 on 6000, no prices", MakeJob({{6000}}, 0, {{6000, 3000}}), 18000000.0f,
              3000},
             {"1700 x 4000 on 6000 at 10000", MakeJob({{6000, 10000}}, 0, {{4000, 1700}}),
              17000000.0f, 1700},
             {"50 x 1000000 on 1000000", MakeJob({{1000000}}, 0, {{1000000, 50}}), 50000000.0f, 50},
         }) {
        SCOPED_TRACE(c.label);
        const BarPlan plan = RunBarCalculation(c.job);
        ExpectSoundPlan(c.job, plan);
        EXPECT_EQ(plan.bestCost, c.cost);
        EXPECT_EQ(plan.resultBarCount, c.bars);
        EXPECT_EQ(CalculationResultMessage(plan), "");
    }
}

TEST(BarCalculation, StockTooShortForEveryPieceIsDropped) {
    const BarJob job = MakeJob({{6000}, {300}}, 0, {{400, 2}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.stockLength, (std::vector<float>{6000}));

    const BarPlan none = RunBarCalculation(MakeJob({{300}}, 0, {{400, 2}}));
    EXPECT_FALSE(none.HasPlan());
    EXPECT_TRUE(none.stockLength.empty());
    EXPECT_EQ(CalculationResultMessage(none), kNoAssignmentMessage);
}

TEST(BarCalculation, RowsWithoutLengthOrQuantityEndWithoutPlanOrMessage) {
    const BarJob job = MakeJob({{6000}}, 3, {{0, 4}, {1200, 0}, {-5, 2}});
    const BarPlan plan = RunBarCalculation(job);
    EXPECT_FALSE(plan.HasPlan());
    EXPECT_TRUE(plan.pieceLength.empty());
    EXPECT_EQ(CalculationResultMessage(plan), "");
}

TEST(BarCalculation, HugeQuantitiesStayBounded) {
    // 65534 pieces of one merged kind and 32767 of another on one stock length.
    const BarJob job = MakeJob({{6000}}, 3, {{100, 32767}, {100, 32767}, {2950, 32767}});
    const BarPlan plan = RunBarCalculation(job);
    ExpectSoundPlan(job, plan);
    EXPECT_EQ(plan.pieceLength.size(), 2u);
    EXPECT_LE(plan.resultBars.size(), 10u);  // runs, not one entry per bar
    EXPECT_GE(plan.resultBarCount, 32767 / 2 + 65534 / 59);
}

TEST(BarCalculation, AStopIsHonouredOnlyAtThePassBoundaryAndKeepsTheBestPlan) {
    const BarJob job = MakeJob({{2000, 0, 0}, {3000, 0, 0}, {4000}}, 0,
                               {{1900, 3}, {1300, 4}, {900, 6}, {450, 7}});
    // The full search: one progress report per pass.
    SearchControl free;
    std::vector<SearchProgress> reports;
    free.onProgress = [&](const SearchProgress& p) { reports.push_back(p); };
    const BarPlan full = RunBarCalculation(job, BarOptions{}, free);
    ExpectSoundPlan(job, full);
    ASSERT_GT(reports.size(), 2u);  // several mixes were searched
    for (std::size_t k = 0; k < reports.size(); ++k)
        EXPECT_EQ(reports[k].iteration, static_cast<std::int64_t>(k + 1));
    ASSERT_TRUE(reports.back().bestCost);
    EXPECT_EQ(*reports.back().bestCost, full.bestCost);

    // A stop requested while pass N reports ends the search there: pass N + 1 never runs.
    for (const std::int64_t stopAt : {1, 2}) {
        SearchControl control;
        std::int64_t passes = 0;
        control.onProgress = [&](const SearchProgress& p) {
            passes = p.iteration;
            if (p.iteration == stopAt) control.RequestStop();
        };
        const BarPlan stopped = RunBarCalculation(job, BarOptions{}, control);
        EXPECT_EQ(passes, stopAt);
        ExpectSoundPlan(job, stopped);
        EXPECT_LE(full.bestCost, stopped.bestCost);
        // What the first passes found is what the full search had after them.
        EXPECT_EQ(stopped.bestCost, *reports[static_cast<std::size_t>(stopAt - 1)].bestCost);
    }

    // A stop already set still lets the first pass finish: there is a plan.
    SearchControl early;
    early.RequestStop();
    const BarPlan first = RunBarCalculation(job, BarOptions{}, early);
    ExpectSoundPlan(job, first);
    EXPECT_TRUE(first.HasPlan());
}

}  // namespace
}  // namespace tvx::bar
