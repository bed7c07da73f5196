// The pattern model's proof by listing patterns by reduced cost: with the dive off, the plan
// and the bound come from the listed patterns' integer programs alone. On small problems
// (limits forcing dearer stock among them) the bound never passes the cheapest plan that an
// exhaustive search finds, a bound that meets the plan means that plan is the cheapest, and
// every plan keeps the demand, the limits and the bar lengths.

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <random>

#include "bar/optimal/pattern_master.h"
#include "bar/optimal/pattern_problem_support.h"

namespace tvx::bar::optimal {
namespace {

TEST(PatternProof, ListedPatternsProveTheCheapestPlan) {
    std::mt19937 random(1313);
    int proven = 0, infeasible = 0, forcedDearer = 0;
    for (int round = 0; round < 150; ++round) {
        const PatternProblem problem = RandomProblem(random);
        SCOPED_TRACE("round " + std::to_string(round));
        const double cheapest = Exhaustive(problem).Cheapest();
        const SearchControl control;
        const auto deadline = SearchControl::Clock::now() + std::chrono::seconds(20);
        const PatternSolution solution = SolvePatternProblem(
            problem, deadline, 1, control, [] { return std::numeric_limits<double>::infinity(); });
        if (!std::isfinite(cheapest)) {
            ++infeasible;
            EXPECT_FALSE(solution.hasPlan);
            EXPECT_TRUE(solution.infeasible);
            continue;
        }
        ASSERT_TRUE(solution.hasPlan);
        ASSERT_TRUE(solution.boundKnown);
        ExpectPlanKeepsTheProblem(problem, solution);
        EXPECT_LE(solution.bound, cheapest + 1e-6);
        EXPECT_GE(solution.objective, cheapest - 1e-6);
        if (solution.bound >= solution.objective - 1e-6) {
            ++proven;
            EXPECT_DOUBLE_EQ(solution.objective, cheapest);
        }
        // Jobs where the limits keep the cheapest type per length from doing all the work.
        PatternProblem unlimited = problem;
        std::fill(unlimited.limit.begin(), unlimited.limit.end(), 0);
        forcedDearer += Exhaustive(unlimited).Cheapest() < cheapest;
    }
    // With the dive off, the listing is what proves: it must prove nearly every one.
    EXPECT_GT(proven, 120);
    EXPECT_GT(infeasible, 0);
    EXPECT_GT(forcedDearer, 5);
}

}  // namespace
}  // namespace tvx::bar::optimal
