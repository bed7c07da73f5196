// The plan checker must catch every kind of fault it is there for: a plan that passes it is
// the evidence the other tests rely on.

#include <gtest/gtest.h>

#include "bar/engine/bar_test_jobs.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "bar/optimal/plan_checker.h"

namespace tvx::bar {
namespace {

// Pieces with kerf: 500.5 + 0.5 + 499 = 1000 exactly.
BarJob BoundaryJob() {
    return test::MakeJob({{1000, 40, 0}, {1500, 50, 2}}, 0.5f,
                         {{500.5f, 2, "P"}, {499, 2, "Q"}, {300, 1, "R"}}, /*codes=*/true);
}

// A hand-made sound plan of BoundaryJob: two 1000s with 500.5 + 499, one 1000 with 300.
BarPlan HandPlan(const BarJob& job) {
    BarPlan plan;
    plan.kerf = job.kerf;
    plan.allPricesGiven = true;
    plan.stockLength = {1000.5f, 1500.5f};
    plan.barCost = {40, 50};
    plan.countLimit = {0, 2};
    plan.pieceLength = {501.0f, 499.5f, 300.5f};
    plan.pieceComment = {"P", "Q", "R"};
    plan.resultBars = {BarRun{0, {0, 1}, 2}, BarRun{0, {2}, 1}};
    plan.resultCount = {3, 0};
    plan.resultBarCount = 3;
    plan.bestCost = 120;
    plan.found = true;
    return plan;
}

TEST(PlanChecker, AcceptsASoundPlanAndAgreesWithTheFitTest) {
    const BarJob job = BoundaryJob();
    const test::PlanCheck check = test::CheckPlan(job, HandPlan(job));
    EXPECT_TRUE(check.Sound()) << check.Text();
    EXPECT_EQ(check.cost, 120.0);
    EXPECT_TRUE(test::PiecesFit(1000.0f, 0.5f, {500.5f, 499.0f}));
    EXPECT_FALSE(test::PiecesFit(1000.0f, 0.5f, {500.5f, 499.1f}));
    EXPECT_TRUE(test::PiecesFit(0.3f, 0.0f, {0.1f, 0.2f}));     // 0.1 + 0.2 = 0.3 exactly
    EXPECT_TRUE(test::PiecesFit(1000.0f, 1000.0f, {1000.0f}));  // one piece, no kerf
}

TEST(PlanChecker, CatchesEveryKindOfFault) {
    const BarJob job = BoundaryJob();
    auto faulty = [&](auto change) {
        BarPlan plan = HandPlan(job);
        change(plan);
        return !test::CheckPlan(job, plan).Sound();
    };
    EXPECT_TRUE(faulty([](BarPlan& p) {
        p.resultBars[1].pieces = {1, 2};
    }))  // extra piece
        << "demand";
    EXPECT_TRUE(faulty([](BarPlan& p) {
        p.resultBars[0].count = 1;
        p.resultCount[0] = 2;
        p.resultBarCount = 2;
        p.bestCost = 80;
    }));  // missing
    EXPECT_TRUE(faulty([](BarPlan& p) {
        p.resultBars[0].pieces = {0, 0};
        p.resultBars[1].pieces = {1, 1, 2};
    }));
    EXPECT_TRUE(faulty([](BarPlan& p) { p.resultBars[0].pieces = {1, 0}; }));  // slot order
    EXPECT_TRUE(faulty([](BarPlan& p) { p.bestCost = 110; }));                 // cost
    EXPECT_TRUE(faulty([](BarPlan& p) { p.resultCount = {2, 1}; }));           // counts
    EXPECT_TRUE(faulty([](BarPlan& p) {  // three long bars, limit two
        p.resultBars = {BarRun{1, {0, 1}, 2}, BarRun{1, {2}, 1}};
        p.resultCount = {0, 3};
        p.bestCost = 150;
    }));
    EXPECT_TRUE(faulty([](BarPlan& p) {  // short type before long type
        p.resultBars = {BarRun{0, {2}, 1}, BarRun{1, {0, 1}, 2}};
        p.resultCount = {1, 2};
        p.bestCost = 140;
    }));
    EXPECT_TRUE(faulty([](BarPlan& p) { p.pieceComment = {"Q", "P", "R"}; }));  // codes swapped

    // A bar that overflows by 0.1 in exact arithmetic.
    BarJob tight = job;
    tight.cutList.cutLength[1] = 499.1f;
    BarPlan plan = HandPlan(job);
    plan.pieceLength[1] = tight.kerf + 499.1f;
    EXPECT_FALSE(test::CheckPlan(tight, plan).Sound());
}

TEST(PlanChecker, AcceptsTheOptimalPlanOfTheBoundaryJob) {
    const BarJob job = BoundaryJob();
    const SearchControl control;
    const BarPlan plan = RunOptimalBarCalculation(job, OptimalBarOptions{}, control);
    const test::PlanCheck check = test::CheckPlan(job, plan);
    EXPECT_TRUE(check.Sound()) << check.Text();
    // Cheaper than the hand plan: one 1000 with 500.5 + 499, one 1500 with the other three.
    EXPECT_EQ(plan.bestCost, 90.0f);
    EXPECT_EQ(plan.resultBarCount, 2);
}

}  // namespace
}  // namespace tvx::bar
