// The dive over the pattern relaxation: on small problems its plans keep the demand, the limits
// and the bar lengths, never beat the exhaustive optimum, and are that optimum whenever they
// reach the proven bound; the discrepancy search and the exact completion of a small residual
// each reach the bound on a problem where a single dive does not; a stop request ends the
// search and leaves the master's residual as it was.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "bar/optimal/pattern_dive.h"
#include "bar/optimal/pattern_lp.h"
#include "bar/optimal/pattern_master.h"
#include "bar/optimal/pattern_problem_support.h"

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// One dive over a problem whose relaxation has converged first; the relaxation's bound too.
struct DiveRun {
    DivePlan plan;
    double bound = -kInfinity;
    bool residualRestored = false;
    PatternSolution solution;  // the plan as runs, for the plan check
};

// `searchSeconds` is the search's own time from the start of the dive; until its first plan it
// may take 30 s.
DiveRun Dive(const PatternProblem& problem, const DiveSettings& settings,
             const SearchControl& control, const BoundForPlan& boundForPlan = nullptr,
             double searchSeconds = 30.0) {
    DiveRun run;
    MasterLp master(problem);
    const SearchControl unstopped;
    const auto deadline = SearchControl::Clock::now() + std::chrono::seconds(30);
    EXPECT_TRUE(master.Generate(unstopped, deadline, run.bound));
    const auto searchDeadline =
        SearchControl::Clock::now() + std::chrono::duration_cast<SearchControl::Clock::duration>(
                                          std::chrono::duration<double>(searchSeconds));
    run.plan = DiveForPlan(problem, master, settings, run.bound, boundForPlan, searchDeadline,
                           deadline, control);
    run.residualRestored = master.need() == problem.demand;
    if (run.plan.found) {
        run.solution.hasPlan = true;
        run.solution.objective = run.plan.objective;
        EXPECT_EQ(run.plan.count.size(), master.columns().size());
        for (std::size_t c = 0; c < master.columns().size(); ++c)
            if (run.plan.count[c] > 0)
                run.solution.runs.push_back({static_cast<std::int32_t>(master.columns()[c].type),
                                             master.columns()[c].perGroup, run.plan.count[c]});
    }
    return run;
}

DiveSettings SingleDive() {
    DiveSettings settings;
    settings.maxDiscrepancy = 0;
    settings.endGameBars = 0.0;
    return settings;
}

PatternProblem Problem(std::vector<std::int64_t> capacity, std::vector<double> weight,
                       std::vector<std::int64_t> width, std::vector<std::int64_t> demand) {
    PatternProblem problem;
    problem.limit.assign(capacity.size(), 0);
    problem.capacity = std::move(capacity);
    problem.weight = std::move(weight);
    problem.width = std::move(width);
    problem.demand = std::move(demand);
    problem.wholeWeights = true;
    return problem;
}

TEST(PatternDive, PlansAreSoundAndOptimalWhenTheyReachTheBound) {
    std::mt19937 random(2719);
    const SearchControl control;
    int reached = 0, improvedBySearch = 0, planned = 0, tight = 0;
    for (int round = 0; round < 150; ++round) {
        PatternProblem problem = RandomProblem(random);
        SCOPED_TRACE("round " + std::to_string(round));
        const double cheapest = Exhaustive(problem).Cheapest();
        if (!std::isfinite(cheapest)) continue;  // the relaxation needs an artificial column
        const DiveRun single = Dive(problem, SingleDive(), control);
        const DiveRun full = Dive(problem, DiveSettings{}, control);
        EXPECT_TRUE(single.residualRestored);
        EXPECT_TRUE(full.residualRestored);
        ASSERT_TRUE(full.plan.found);
        ++planned;
        ExpectPlanKeepsTheProblem(problem, full.solution);
        EXPECT_GE(full.plan.objective, cheapest - 1e-6);
        EXPECT_LE(full.bound, cheapest + 1e-6);
        tight += cheapest <= std::ceil(full.bound - 1e-6);
        if (full.plan.objective <= std::ceil(full.bound - 1e-6)) {
            ++reached;
            EXPECT_DOUBLE_EQ(full.plan.objective, cheapest);
        }
        // The search's first path is the single dive (with the completion of its end), so
        // the search never does worse than that dive.
        if (single.plan.found) {
            ExpectPlanKeepsTheProblem(problem, single.solution);
            EXPECT_LE(full.plan.objective, single.plan.objective + 1e-6);
            improvedBySearch += full.plan.objective < single.plan.objective - 1e-6;
        }

        // The whole solve with the dive first: a proven plan is the cheapest.
        problem.dive = true;
        const PatternSolution solved =
            SolvePatternProblem(problem, SearchControl::Clock::now() + std::chrono::seconds(20), 1,
                                control, [] { return kInfinity; });
        ASSERT_TRUE(solved.hasPlan);
        ExpectPlanKeepsTheProblem(problem, solved);
        EXPECT_LE(solved.objective, full.plan.objective + 1e-6);
        if (solved.bound >= solved.objective - 1e-6) {
            EXPECT_DOUBLE_EQ(solved.objective, cheapest);
        }
    }
    EXPECT_GT(planned, 100);
    // Most small problems have a plan at their rounded-up bound, and the dive finds it.
    EXPECT_GT(tight, planned / 2);
    EXPECT_GE(reached, tight * 9 / 10);
    EXPECT_GT(improvedBySearch, 5);
}

TEST(PatternDive, DiscrepanciesReachTheBoundWhereOneDiveDoesNot) {
    // Bars of 80 (20) and 104 (29); pieces 56 x3, 40 x6, 31 x5, 29 x3. The cheapest plan
    // costs 194, the relaxation's bound rounded up.
    const PatternProblem problem = Problem({80, 104}, {20, 29}, {56, 40, 31, 29}, {3, 6, 5, 3});
    ASSERT_DOUBLE_EQ(Exhaustive(problem).Cheapest(), 194.0);
    const SearchControl control;
    const DiveRun single = Dive(problem, SingleDive(), control);
    ASSERT_TRUE(single.plan.found);
    EXPECT_EQ(std::ceil(single.bound - 1e-6), 194.0);
    EXPECT_GT(single.plan.objective, 194.0);

    DiveSettings search = SingleDive();
    search.maxDiscrepancy = 3;
    search.maxDepth = 6;
    const DiveRun searched = Dive(problem, search, control);
    ASSERT_TRUE(searched.plan.found);
    ExpectPlanKeepsTheProblem(problem, searched.solution);
    EXPECT_DOUBLE_EQ(searched.plan.objective, 194.0);
    EXPECT_GT(searched.plan.paths, 1);
}

TEST(PatternDive, ExactCompletionOfTheLastBarsReachesTheBound) {
    // Bars of 108 (32) and 63 (16): both cost 16 a piece here (pieces 43 x3 and 40 x1), but
    // rounding the relaxation's patterns one by one leaves a bar half used.
    const PatternProblem problem = Problem({108, 63}, {32, 16}, {43, 40}, {3, 1});
    ASSERT_DOUBLE_EQ(Exhaustive(problem).Cheapest(), 64.0);
    const SearchControl control;
    const DiveRun single = Dive(problem, SingleDive(), control);
    ASSERT_TRUE(single.plan.found);
    EXPECT_GT(single.plan.objective, 64.0);

    DiveSettings completed = SingleDive();
    completed.endGameBars = 4.0;
    const DiveRun run = Dive(problem, completed, control);
    ASSERT_TRUE(run.plan.found);
    ExpectPlanKeepsTheProblem(problem, run.solution);
    EXPECT_DOUBLE_EQ(run.plan.objective, 64.0);
}

// A problem large enough that the search has several paths to try: six types, twelve groups.
PatternProblem MediumProblem() {
    PatternProblem problem;
    problem.wholeWeights = true;
    problem.capacity = {4000, 4500, 5000, 5500, 6000, 7200};
    problem.weight = {174, 194, 214, 236, 252, 295};
    problem.limit = {0, 18, 0, 10, 0, 0};
    problem.width = {2243, 2007, 1848, 1592, 1444, 1282, 1268, 1056, 849, 724, 499, 317};
    problem.demand = {6, 1, 8, 1, 9, 4, 5, 4, 6, 3, 9, 8};
    return problem;
}

TEST(PatternDive, StopRequestEndsTheSearchAndRestoresTheResidual) {
    const PatternProblem problem = MediumProblem();
    DiveSettings wide;
    wide.maxDiscrepancy = 2;
    wide.maxDepth = 4;

    // Stopped before it starts: no plan, the residual as it was.
    SearchControl stopped;
    stopped.RequestStop();
    const DiveRun none = Dive(problem, wide, stopped);
    EXPECT_FALSE(none.plan.found);
    EXPECT_TRUE(none.residualRestored);

    // Without a stop, the search tries several paths (the bound it is given is never reached,
    // so only the tree's size ends it).
    const SearchControl unstopped;
    auto never = [](double) { return -kInfinity; };
    const DiveRun all = Dive(problem, wide, unstopped, never);
    ASSERT_TRUE(all.plan.found);
    ASSERT_GT(all.plan.paths, 2);

    // A stop requested when the first plan comes in ends the search after that path.
    SearchControl control;
    auto stopAtFirstPlan = [&](double) {
        control.RequestStop();
        return -kInfinity;
    };
    const DiveRun first = Dive(problem, wide, control, stopAtFirstPlan);
    ASSERT_TRUE(first.plan.found);
    ExpectPlanKeepsTheProblem(problem, first.solution);
    EXPECT_LE(first.plan.paths, 2);
    EXPECT_TRUE(first.residualRestored);

    // With its own time already up, the search still ends its first path with a plan (in the
    // time it may take for one), and goes no further than the stop above.
    const DiveRun late = Dive(problem, wide, unstopped, never, 0.0);
    ASSERT_TRUE(late.plan.found);
    ExpectPlanKeepsTheProblem(problem, late.solution);
    EXPECT_LE(late.plan.paths, first.plan.paths);
    EXPECT_TRUE(late.residualRestored);
}

}  // namespace
}  // namespace tvx::bar::optimal
