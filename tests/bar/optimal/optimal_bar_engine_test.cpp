// The optimising bar calculation: optimal against brute force on small jobs, exact decimal
// fits, part codes, no-plan answers, stop requests and time limits. Every plan goes through
// the independent checker.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "bar/engine/bar_engine.h"
#include "bar/engine/bar_test_jobs.h"
#include "bar/engine/calculation_check.h"
#include "bar/optimal/brute_force_plan.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "bar/optimal/plan_checker.h"

namespace tvx::bar {
namespace {

using test::MakeJob;

BarPlan Optimal(const BarJob& job, double seconds = kDefaultOptimalTimeLimit) {
    OptimalBarOptions options;
    options.timeLimitSeconds = seconds;
    const SearchControl control;
    return RunOptimalBarCalculation(job, options, control);
}

void ExpectSound(const BarJob& job, const BarPlan& plan) {
    const test::PlanCheck check = test::CheckPlan(job, plan);
    EXPECT_TRUE(check.Sound()) << check.Text();
}

// Small random jobs: 1-3 stock entries (prices on some jobs, limits on some entries), a kerf
// with or without decimals, 1-4 rows of up to 6 pieces in all, lengths with decimals.
BarJob RandomSmallJob(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const float stockLengths[] = {1000.0f, 1200.5f, 1500.0f, 2000.3f, 800.0f};
    const float kerfs[] = {0.0f, 2.5f, 3.0f, 0.1f};
    const bool priced = pick(0, 1) == 1;
    std::vector<test::StockSpec> stock;
    for (int s = pick(1, 3); s > 0; --s) {
        const float length = stockLengths[pick(0, 4)];
        const float price =
            priced ? static_cast<float>(pick(5, 40)) * 10.0f + (pick(0, 1) ? 0.5f : 0.0f) : 0.0f;
        stock.push_back({length, price, pick(0, 2) == 0 ? pick(1, 3) : 0});
    }
    std::vector<test::RowSpec> rows;
    int pieces = 0;
    for (int r = pick(1, 4); r > 0 && pieces < 6; --r) {
        const int quantity = std::min(pick(1, 3), 6 - pieces);
        pieces += quantity;
        const float length = static_cast<float>(pick(150, 950)) + (pick(0, 1) ? 0.5f : 0.0f);
        rows.push_back({length, quantity});
    }
    return MakeJob(stock, kerfs[pick(0, 3)], rows);
}

TEST(OptimalBarCalculation, MatchesBruteForceOnSmallJobs) {
    std::mt19937 random(20261208);
    int planned = 0, infeasible = 0;
    for (int round = 0; round < 60; ++round) {
        const BarJob job = RandomSmallJob(random);
        if (!CheckBarCalculation(job).Proceed()) continue;
        SCOPED_TRACE("round " + std::to_string(round));
        const auto best = test::BruteForceCheapest(job);
        const BarPlan plan = Optimal(job);
        if (!best) {
            ++infeasible;
            EXPECT_FALSE(plan.HasPlan());
            EXPECT_EQ(CalculationResultMessage(plan), kNoAssignmentMessage);
            continue;
        }
        ++planned;
        ASSERT_TRUE(plan.HasPlan());
        ExpectSound(job, plan);
        const test::PlanCheck check = test::CheckPlan(job, plan);
        EXPECT_NEAR(check.cost, best->cost, 1e-6 * best->cost);
        EXPECT_EQ(check.bars, best->bars) << "equal cost, but not the fewest bars";
        EXPECT_TRUE(plan.provenOptimal);
        EXPECT_NEAR(plan.costLowerBound, plan.bestCost, 1e-6 * plan.bestCost);
    }
    // The generator must produce both kinds of job for the comparison to mean anything.
    EXPECT_GT(planned, 20);
    EXPECT_GT(infeasible, 0);
}

TEST(OptimalBarCalculation, LimitsForceDearerStockAndTiesGoToFewerBars) {
    // Two 900s fit two 1000s (10 each) or one 2000 (30). With one 1000 allowed, 10 + 30 is
    // dearer than the 2000 alone.
    BarJob job = MakeJob({{1000, 10, 1}, {2000, 30, 0}}, 0, {{900, 2}});
    BarPlan plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.bestCost, 30.0f);
    EXPECT_EQ(plan.resultBarCount, 1);

    // Without the limit, two short bars at 20 beat the long one.
    job.stock.stockEntryCount[0] = 0;
    plan = Optimal(job);
    EXPECT_EQ(plan.bestCost, 20.0f);
    EXPECT_EQ(plan.resultBarCount, 2);

    // Equal cost (two short bars or one long bar at 20): the plan with one bar.
    job.stock.stockEntryPrice[1] = 20;
    plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.bestCost, 20.0f);
    EXPECT_EQ(plan.resultBarCount, 1);
    EXPECT_TRUE(plan.provenOptimal);
}

TEST(OptimalBarCalculation, InfeasibleLimitsAnswerQuicklyWithTheNoAssignmentMessage) {
    // 30 pieces of 600 need 30 bars of 1000, 15 of 2000: the limits give 10 + 5 bars.
    const BarJob job = MakeJob({{1000, 10, 10}, {2000, 30, 5}}, 3, {{600, 30}, {350, 4}});
    const auto start = std::chrono::steady_clock::now();
    const BarPlan plan = Optimal(job, 60.0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(plan.HasPlan());
    EXPECT_EQ(CalculationResultMessage(plan), kNoAssignmentMessage);
    EXPECT_LT(seconds, 30.0) << "a proven-infeasible job must not search to the time limit";
}

TEST(OptimalBarCalculation, DecimalLengthsFitExactlyAtTheBoundary) {
    // 500.1 + 0.1 + 500.1 = 1000.3: exactly the bar; one bar.
    BarJob job = MakeJob({{1000.3f}}, 0.1f, {{500.1f, 2}});
    BarPlan plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.resultBarCount, 1);

    // 500.1 + 0.1 + 500.2 = 1000.4: 0.1 too long; two bars.
    job = MakeJob({{1000.3f}}, 0.1f, {{500.1f, 1}, {500.2f, 1}});
    plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.resultBarCount, 2);

    // Three pieces at the boundary, with kerf 0.3: 333.1 × 3 + 0.3 × 2 = 999.9.
    job = MakeJob({{999.9f}}, 0.3f, {{333.1f, 3}});
    plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.resultBarCount, 1);
    job = MakeJob({{999.8f}}, 0.3f, {{333.1f, 3}});
    plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.resultBarCount, 2);
}

TEST(OptimalBarCalculation, PartCodesStayWithTheirPieces) {
    // Equal lengths with different codes stay separate kinds; each piece keeps its code.
    const BarJob job = MakeJob({{2000, 0, 0}}, 3,
                               {{600, 3, "A-1"}, {600, 2, "B-2"}, {800, 2, "C-3"}, {600, 1, "A-1"}},
                               /*codes=*/true);
    const BarPlan plan = Optimal(job);
    ExpectSound(job, plan);  // counts per (length, code)
    ASSERT_EQ(plan.pieceComment.size(), 4u);
    EXPECT_TRUE(plan.provenOptimal);
    // With the kerf, 800 + 600 + 600 and four 600s overflow the bar: three 600s, three 600s
    // and the two 800s make the minimum of three bars.
    EXPECT_EQ(plan.resultBarCount, 3);
}

TEST(OptimalBarCalculation, AgreesWithTheStandardTablesAndNeverCostsMore) {
    // The same prepared tables as the standard calculation, and never a dearer plan.
    const BarJob job = MakeJob({{2000, 900, 0}, {3000, 1300, 4}, {6000, 2500, 2}}, 3,
                               {{1950, 4}, {1430, 6}, {990.5f, 5}, {500, 9}, {333, 7}});
    const BarPlan standard = RunBarCalculation(job);
    const BarPlan plan = Optimal(job);
    ExpectSound(job, plan);
    EXPECT_EQ(plan.stockLength, standard.stockLength);
    EXPECT_EQ(plan.barCost, standard.barCost);
    EXPECT_EQ(plan.pieceLength, standard.pieceLength);
    ASSERT_TRUE(standard.HasPlan());
    EXPECT_LE(plan.bestCost, standard.bestCost);
    EXPECT_TRUE(plan.provenOptimal);
}

// A priced job with limits that CBC does not close at once, so stops and time limits meet
// a running search.
BarJob MediumJob() {
    std::vector<test::RowSpec> rows;
    for (int k = 0; k < 12; ++k) rows.push_back({1950.0f - 123.5f * static_cast<float>(k), 6});
    return MakeJob({{3000, 1300, 12}, {4500, 1900, 0}, {6000, 2500, 10}}, 2.5f, rows);
}

TEST(OptimalBarCalculation, StopRequestKeepsTheBestPlanFound) {
    const BarJob job = MediumJob();
    SearchControl control;
    std::vector<SearchProgress> reports;
    control.onProgress = [&](const SearchProgress& progress) {
        reports.push_back(progress);
        if (progress.bestCost) control.RequestStop();
    };
    OptimalBarOptions options;
    const BarPlan plan = RunOptimalBarCalculation(job, options, control);
    ASSERT_FALSE(reports.empty());
    // The solve reported a plan before it was stopped, so it hands one back, no dearer than
    // the cost it reported.
    ASSERT_TRUE(plan.HasPlan());
    ExpectSound(job, plan);
    EXPECT_LE(plan.costLowerBound, plan.bestCost);
    double firstReported = 0.0;
    for (const SearchProgress& report : reports)
        if (report.bestCost) {
            firstReported = *report.bestCost;
            break;
        }
    EXPECT_LE(plan.bestCost, firstReported + 1e-3);
    for (const SearchProgress& report : reports)
        if (report.bestCost && report.lowerBound) {
            EXPECT_LE(*report.lowerBound, *report.bestCost + 1e-6);
        }

    // A stop requested before the start: either no plan or a sound one, never a fault.
    SearchControl stopped;
    stopped.RequestStop();
    const BarPlan early = RunOptimalBarCalculation(job, options, stopped);
    if (early.HasPlan()) ExpectSound(job, early);
}

TEST(OptimalBarCalculation, WithoutAProofNeverDearerThanTheStandardCalculation) {
    // Limits so short that the solver proves nothing (or finds nothing): the plan handed back
    // is still at least as good as the standard calculation's (on jobs it finishes quickly),
    // and there is one whenever the standard calculation has one. Stopped before the start
    // as well, also on a job the solver does not close at once.
    std::vector<BarJob> jobs = {
        MakeJob({{2000, 900, 0}, {3000, 1300, 4}, {6000, 2500, 2}}, 3,
                {{1950, 4}, {1430, 6}, {990.5f, 5}, {500, 9}, {333, 7}}),
        MakeJob({{6000, 0, 0}, {4000, 0, 3}}, 0.5f, {{2999.5f, 5}, {1999.5f, 7}, {701.3f, 11}}),
    };
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        SCOPED_TRACE(j);
        const BarPlan standard = RunBarCalculation(jobs[j]);
        ASSERT_TRUE(standard.HasPlan());
        for (const double seconds : {1e-6, 0.02}) {
            const BarPlan plan = Optimal(jobs[j], seconds);
            ASSERT_TRUE(plan.HasPlan()) << seconds;
            ExpectSound(jobs[j], plan);
            EXPECT_LE(plan.bestCost, standard.bestCost + 1e-3) << seconds;
            if (plan.bestCost >= standard.bestCost - 1e-3) {
                EXPECT_LE(plan.resultBarCount, standard.resultBarCount) << seconds;
            }
            EXPECT_LE(plan.costLowerBound, plan.bestCost);
        }
        SearchControl stopped;
        stopped.RequestStop();
        const BarPlan early = RunOptimalBarCalculation(jobs[j], OptimalBarOptions{}, stopped);
        ASSERT_TRUE(early.HasPlan());
        ExpectSound(jobs[j], early);
    }
    SearchControl stopped;
    stopped.RequestStop();
    const BarPlan early = RunOptimalBarCalculation(MediumJob(), OptimalBarOptions{}, stopped);
    ASSERT_TRUE(early.HasPlan());
    ExpectSound(MediumJob(), early);
}

TEST(OptimalBarCalculation, TimeLimitEndsTheSolveWithABound) {
    const BarJob job = MediumJob();
    const auto start = std::chrono::steady_clock::now();
    const BarPlan plan = Optimal(job, 0.05);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 30.0);  // sanity only: the machine is shared
    if (plan.HasPlan()) {
        ExpectSound(job, plan);
        EXPECT_LE(plan.costLowerBound, plan.bestCost);
        if (!plan.provenOptimal) {
            EXPECT_EQ(OptimalSummaryText(plan).rfind("下限との差 ", 0), 0u);
        }
    }
    // The control's own deadline ends it as well.
    SearchControl control;
    control.SetTimeLimit(0.05);
    const BarPlan byDeadline = RunOptimalBarCalculation(job, OptimalBarOptions{}, control);
    if (byDeadline.HasPlan()) ExpectSound(job, byDeadline);
}

// Six priced lengths (one limited), no kerf, 22 lengths with halves: plans at once, but no
// proof for several seconds.
BarJob UnprovenJob() {
    return MakeJob({{4000, 1740, 0},
                    {4500, 1940, 0},
                    {3000, 1330, 0},
                    {5500, 2330, 13},
                    {5000, 2130, 0},
                    {6000, 2520, 0}},
                   0, {{1653, 1}, {818, 4},  {2300, 7},    {560, 7},     {2426.5f, 1}, {1925, 9},
                       {2390, 2}, {1732, 2}, {1814, 2},    {236.5f, 5},  {1784, 7},    {1002.5f, 3},
                       {2010, 3}, {2135, 2}, {1870.5f, 1}, {2320.5f, 3}, {576, 4},     {2326.5f, 8},
                       {484, 9},  {894, 1},  {2056.5f, 5}, {1851.5f, 17}});
}

TEST(OptimalBarCalculation, StopFromAnotherThreadEndsPromptlyUnderLoad) {
    // Two threads keep both cores busy while the solve runs; a stop from a third one ends it
    // soon after, with a sound plan and a bound below it.
    std::atomic<bool> busy{true};
    std::vector<std::thread> load;
    for (int i = 0; i < 2; ++i)
        load.emplace_back([&busy] {
            volatile std::uint64_t spin = 0;
            while (busy.load(std::memory_order_relaxed)) spin = spin + 1;
        });
    const BarJob job = UnprovenJob();
    SearchControl control;
    std::chrono::steady_clock::time_point stoppedAt{};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        stoppedAt = std::chrono::steady_clock::now();
        control.RequestStop();
    });
    OptimalBarOptions options;
    options.timeLimitSeconds = 120.0;
    const BarPlan plan = RunOptimalBarCalculation(job, options, control);
    const auto ended = std::chrono::steady_clock::now();
    stopper.join();
    busy = false;
    for (std::thread& t : load) t.join();
    const double afterStop = std::chrono::duration<double>(ended - stoppedAt).count();
    EXPECT_LT(afterStop, 8.0) << "the solve must end soon after the stop request";
    ASSERT_TRUE(plan.HasPlan());
    ExpectSound(job, plan);
    EXPECT_FALSE(plan.provenOptimal);
    EXPECT_GT(plan.costLowerBound, 0.0);
    EXPECT_LE(plan.costLowerBound, plan.bestCost);
}

TEST(OptimalBarCalculation, LongBarsWithDecimalsAreProvenWithoutAnArcFlowGraph) {
    // 7200 with halves: 72 000 steps of 0.5, 23 lengths and 525 pieces, far too fine a grid
    // for the arc-flow graphs; the pattern model proves the optimum all the same.
    const BarJob job = MakeJob(
        {{5500, 2330, 0}, {7200, 2950, 0}, {3000, 1330, 0}, {4000, 1740, 0}}, 0,
        {{1423, 7},    {1029.5f, 14}, {181, 12},  {2099, 18},    {2069.5f, 10}, {337.5f, 19},
         {553, 14},    {2120, 38},    {1476, 6},  {972.5f, 39},  {490.5f, 30},  {381, 17},
         {1466.5f, 3}, {1819, 23},    {2385, 26}, {1908.5f, 31}, {1025.5f, 8},  {1933, 4},
         {317, 22},    {1611, 38},    {1844, 13}, {248, 29},     {1079, 75}});
    const BarPlan plan = Optimal(job, 60.0);
    ASSERT_TRUE(plan.HasPlan());
    ExpectSound(job, plan);
    EXPECT_TRUE(plan.provenOptimal);
    EXPECT_EQ(plan.costLowerBound, plan.bestCost);
    EXPECT_EQ(OptimalSummaryText(plan), "最適");
}

TEST(OptimalBarCalculation, ProvesAPlanAStepAboveTheRelaxation) {
    // Six priced lengths, four of them limited, and 25 lengths of 16 pieces that differ by
    // multiples of 70: the relaxation gives 187,587 (187,600 in whole steps of 100) but no plan
    // costs less than 187,700, which only the tree search over the relaxation proves.
    std::vector<test::RowSpec> rows;
    for (int k = 0; k < 25; ++k) rows.push_back({1950.0f - 70.0f * static_cast<float>(k), 16});
    const BarJob job = MakeJob({{2000, 900, 0},
                                {3000, 1300, 40},
                                {4000, 1700, 30},
                                {4500, 1900, 0},
                                {5500, 2300, 20},
                                {6000, 2500, 15}},
                               3, rows);
    const BarPlan plan = Optimal(job, 300.0);
    ASSERT_TRUE(plan.HasPlan());
    ExpectSound(job, plan);
    EXPECT_TRUE(plan.provenOptimal);
    EXPECT_FLOAT_EQ(plan.bestCost, 187700.0f);
    EXPECT_EQ(plan.costLowerBound, plan.bestCost);
}

TEST(OptimalBarCalculation, SummaryText) {
    BarPlan plan;
    EXPECT_EQ(OptimalSummaryText(plan), "");  // no plan
    plan.stockLength = {1000};
    plan.barCost = {1000};
    plan.resultBars = {BarRun{0, {0}, 4}};
    plan.resultBarCount = 4;
    plan.bestCost = 4000;
    plan.found = true;
    plan.provenOptimal = true;
    EXPECT_EQ(OptimalSummaryText(plan), "最適");
    plan.provenOptimal = false;
    plan.costLowerBound = 3900;
    EXPECT_EQ(OptimalSummaryText(plan), "下限との差 2.5%");
    plan.costLowerBound = 0;
    EXPECT_EQ(OptimalSummaryText(plan), "下限との差 100.0%");
}

TEST(OptimalBarCalculation, NothingToCutGivesNoPlanAndNoMessage) {
    const BarJob job = MakeJob({{1000}}, 0, {{0, 3}, {500, 0}});
    const BarPlan plan = Optimal(job);
    EXPECT_FALSE(plan.HasPlan());
    EXPECT_TRUE(plan.pieceLength.empty());
    EXPECT_EQ(CalculationResultMessage(plan), "");
}

TEST(OptimalBarCalculation, SameSeedSamePlan) {
    const BarJob job = MakeJob({{3000, 1300, 0}, {6000, 2500, 4}}, 3,
                               {{1950, 4}, {1430, 6}, {990.5f, 5}, {500, 9}});
    const BarPlan first = Optimal(job);
    const BarPlan second = Optimal(job);
    ExpectSound(job, first);
    EXPECT_TRUE(first.provenOptimal);
    EXPECT_EQ(first.resultBars, second.resultBars);
}

}  // namespace
}  // namespace tvx::bar
