// The branch-and-price search over the pattern model and its pricing. The knapsack with set
// bonuses is held against every pattern of small bars; the tree search, on small problems with
// limits that force dearer stock and with weights that are not whole, must find the cheapest
// plan that an exhaustive search finds and prove it, never report a bound above it, and stop
// at once when asked to.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "bar/optimal/branch_and_price.h"
#include "bar/optimal/pattern_knapsack.h"
#include "pattern_problem_support.h"

namespace tvx::bar::optimal {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

int Pick(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

// The value of a pattern: its prices plus the bonus of every set it belongs to.
double PatternValue(const std::vector<std::int64_t>& pattern, const std::vector<double>& price,
                    const std::vector<PatternSet>& sets) {
    double value = 0.0;
    for (std::size_t g = 0; g < pattern.size(); ++g)
        value += price[g] * static_cast<double>(pattern[g]);
    for (const PatternSet& set : sets) {
        bool member = true;
        for (std::size_t g = 0; g < pattern.size(); ++g)
            member = member && pattern[g] >= set.atLeast[g];
        if (member) value += set.bonus;
    }
    return value;
}

TEST(BonusKnapsack, FindsTheBestPatternOfEverySmallBar) {
    std::mt19937 random(2718);
    int nonMaximalBest = 0, negativeSets = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int groups = Pick(random, 1, 4);
        std::vector<std::int64_t> width, bound;
        std::vector<double> price;
        for (int g = 0; g < groups; ++g) {
            width.push_back(Pick(random, 5, 30));
            bound.push_back(Pick(random, 0, 4));
            // Some groups without a price (only a set's bonus can make them worth cutting),
            // and some below zero.
            const int kind = Pick(random, 0, 5);
            price.push_back(kind == 0   ? 0.0
                            : kind == 1 ? -Pick(random, 1, 20) / 4.0
                                        : Pick(random, 1, 40) / 4.0);
        }
        const std::int64_t capacity = Pick(random, 20, 80);
        std::vector<PatternSet> sets(static_cast<std::size_t>(Pick(random, 0, 4)));
        for (PatternSet& set : sets) {
            for (int g = 0; g < groups; ++g)
                set.atLeast.push_back(Pick(random, 0, 2) == 0 ? Pick(random, 1, 3) : 0);
            set.bonus = Pick(random, -60, 60) / 4.0;
            negativeSets += set.bonus < 0.0;
        }
        BonusKnapsack knapsack(width, price, bound, capacity, sets);
        knapsack.Solve();

        // Every pattern within the bounds and the capacity, the empty one included.
        double bestNonEmpty = -kInfinity, empty = 0.0;
        bool bestIsMaximal = true;
        std::vector<std::int64_t> pattern(width.size(), 0);
        auto visit = [&](auto&& self, std::size_t g, std::int64_t room) -> void {
            if (g == width.size()) {
                const double value = PatternValue(pattern, price, sets);
                std::int64_t pieces = 0;
                for (const std::int64_t n : pattern) pieces += n;
                if (pieces == 0) {
                    empty = value;
                    return;
                }
                if (value > bestNonEmpty + 1e-9) {
                    bestNonEmpty = value;
                    bestIsMaximal = true;
                    for (std::size_t h = 0; h < width.size(); ++h)
                        bestIsMaximal =
                            bestIsMaximal && (pattern[h] == bound[h] || width[h] > room);
                }
                return;
            }
            for (std::int64_t n = 0; n <= bound[g] && n * width[g] <= room; ++n) {
                pattern[g] = n;
                self(self, g + 1, room - n * width[g]);
            }
            pattern[g] = 0;
        };
        visit(visit, 0, capacity);

        ASSERT_EQ(knapsack.found(), std::isfinite(bestNonEmpty));
        EXPECT_NEAR(knapsack.upper(), std::max(empty, bestNonEmpty), 1e-9);
        if (!knapsack.found()) continue;
        nonMaximalBest += !bestIsMaximal;
        EXPECT_NEAR(knapsack.value(), bestNonEmpty, 1e-9);
        // The pattern returned is one that fits and is worth what the search says.
        std::int64_t length = 0, pieces = 0;
        for (std::size_t g = 0; g < width.size(); ++g) {
            EXPECT_LE(knapsack.pattern()[g], bound[g]);
            EXPECT_GE(knapsack.pattern()[g], 0);
            length += knapsack.pattern()[g] * width[g];
            pieces += knapsack.pattern()[g];
        }
        EXPECT_LE(length, capacity);
        EXPECT_GT(pieces, 0);
        EXPECT_NEAR(PatternValue(knapsack.pattern(), price, sets), knapsack.value(), 1e-9);
    }
    // The cases that make the search differ from a plain knapsack did occur.
    EXPECT_GT(negativeSets, 100);
    EXPECT_GT(nonMaximalBest, 10);
}

PatternProblem RandomProblem(std::mt19937& random, bool wholeWeights) {
    PatternProblem problem;
    problem.wholeWeights = wholeWeights;
    const int types = Pick(random, 1, 3);
    for (int t = 0; t < types; ++t) {
        const int capacity = Pick(random, 40, 100);
        problem.capacity.push_back(capacity);
        const double weight = capacity / 4 + Pick(random, 0, 8);
        problem.weight.push_back(wholeWeights ? weight : weight + Pick(random, 1, 9) / 10.0);
        problem.limit.push_back(Pick(random, 0, 2) == 0 ? Pick(random, 1, 4) : 0);
    }
    const int groups = Pick(random, 1, 4);
    std::vector<std::int64_t> width;
    for (int g = 0; g < groups; ++g) width.push_back(Pick(random, 11, 45));
    std::sort(width.rbegin(), width.rend());
    width.erase(std::unique(width.begin(), width.end()), width.end());
    for (const std::int64_t w : width) {
        problem.width.push_back(w);
        problem.demand.push_back(Pick(random, 1, 5));
    }
    return problem;
}

auto Later(int seconds) {
    return SearchControl::Clock::now() + std::chrono::seconds(seconds);
}

// From nothing, from a plan's cost alone that is one step too dear, and from the cheapest cost:
// the search closes its tree on every small problem with a plan, with the cheapest plan.
TEST(BranchAndPrice, ProvesTheCheapestPlanOfSmallProblems) {
    std::mt19937 random(4242);
    int branched = 0, forcedDearer = 0, infeasible = 0, solved = 0;
    for (int round = 0; round < 120; ++round) {
        const bool wholeWeights = round % 4 != 3;
        const PatternProblem problem = RandomProblem(random, wholeWeights);
        SCOPED_TRACE("round " + std::to_string(round));
        const double cheapest = Exhaustive(problem).Cheapest();
        const SearchControl control;
        if (!std::isfinite(cheapest)) {
            ++infeasible;
            const BranchAndPriceResult result = BranchAndPrice(problem, {}, Later(20), control);
            EXPECT_FALSE(result.improved);
            EXPECT_TRUE(result.complete);
            EXPECT_TRUE(result.infeasible);
            continue;
        }
        ++solved;
        PatternProblem unlimited = problem;
        std::fill(unlimited.limit.begin(), unlimited.limit.end(), 0);
        forcedDearer += Exhaustive(unlimited).Cheapest() < cheapest - 1e-9;

        const BranchAndPriceResult fresh = BranchAndPrice(problem, {}, Later(20), control);
        ASSERT_TRUE(fresh.improved);
        EXPECT_TRUE(fresh.complete);
        EXPECT_FALSE(fresh.infeasible);
        EXPECT_NEAR(fresh.objective, cheapest, 1e-9);
        EXPECT_NEAR(fresh.bound, cheapest, 1e-9);
        ExpectRunsKeepTheProblem(problem, fresh.runs, fresh.objective);
        branched += fresh.nodes > 1;

        // Told only the cost of a dearer plan, it finds the cheapest one.
        BranchAndPriceStart dearer;
        dearer.objective = cheapest + (wholeWeights ? 1.0 : 0.05);
        const BranchAndPriceResult better = BranchAndPrice(problem, dearer, Later(20), control);
        ASSERT_TRUE(better.improved);
        EXPECT_TRUE(better.complete);
        EXPECT_NEAR(better.objective, cheapest, 1e-9);
        ExpectRunsKeepTheProblem(problem, better.runs, better.objective);

        // Given the cheapest plan, it proves it and offers nothing else.
        BranchAndPriceStart best;
        best.runs = fresh.runs;
        best.objective = fresh.objective;
        const BranchAndPriceResult proof = BranchAndPrice(problem, best, Later(20), control);
        EXPECT_FALSE(proof.improved);
        EXPECT_TRUE(proof.complete);
        EXPECT_NEAR(proof.bound, cheapest, 1e-9);
    }
    // The problems needed the tree, the limits and the infeasible cases all occurred.
    EXPECT_GT(solved, 80);
    EXPECT_GT(branched, 10);
    EXPECT_GT(forcedDearer, 5);
    EXPECT_GT(infeasible, 0);
}

// Weights that are not whole leave the listing step out, so on these problems (without the
// dive) the tree search inside the pattern solve is what must prove the cheapest plan.
TEST(BranchAndPrice, ProvesInsideThePatternSolve) {
    std::mt19937 random(777);
    int proven = 0;
    for (int round = 0; round < 40; ++round) {
        PatternProblem problem = RandomProblem(random, false);
        problem.dive = false;
        SCOPED_TRACE("round " + std::to_string(round));
        const double cheapest = Exhaustive(problem).Cheapest();
        const SearchControl control;
        const PatternSolution solution = SolvePatternProblem(
            problem, Later(20), 1, control, [] { return std::numeric_limits<double>::infinity(); });
        if (!std::isfinite(cheapest)) {
            EXPECT_FALSE(solution.hasPlan);
            EXPECT_TRUE(solution.infeasible);
            continue;
        }
        ASSERT_TRUE(solution.hasPlan);
        ExpectRunsKeepTheProblem(problem, solution.runs, solution.objective);
        EXPECT_NEAR(solution.objective, cheapest, 1e-9);
        EXPECT_LE(solution.bound, cheapest + 1e-9);
        proven += solution.bound >= cheapest - 1e-9;
    }
    EXPECT_GT(proven, 30);
}

// Cut short by a node's worth of time or by a stop request, the search claims no proof it does
// not have: its bound stays at or below the cheapest plan, and any plan it returns is sound.
TEST(BranchAndPrice, StopsWhenAskedWithAValidBound) {
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        const PatternProblem problem = RandomProblem(random, true);
        SCOPED_TRACE("round " + std::to_string(round));
        const double cheapest = Exhaustive(problem).Cheapest();
        if (!std::isfinite(cheapest)) continue;
        BranchAndPriceStart start;
        start.bound = 0.0;

        SearchControl stopped;
        stopped.RequestStop();
        const BranchAndPriceResult asked = BranchAndPrice(problem, start, Later(20), stopped);
        EXPECT_EQ(asked.nodes, 0);
        EXPECT_FALSE(asked.complete);
        EXPECT_FALSE(asked.improved);
        EXPECT_LE(asked.bound, cheapest + 1e-9);

        const SearchControl control;
        const BranchAndPriceResult late =
            BranchAndPrice(problem, start, SearchControl::Clock::now(), control);
        EXPECT_FALSE(late.complete);
        EXPECT_LE(late.bound, cheapest + 1e-9);
    }
}

// A larger problem stopped by its deadline part way: whatever it found is sound and the bound
// it reports holds against the plan it found.
TEST(BranchAndPrice, DeadlineEndsALargerSearch) {
    PatternProblem problem;
    problem.wholeWeights = true;
    problem.capacity = {600, 450, 300};
    problem.weight = {25, 19, 13};
    problem.limit = {0, 12, 8};
    problem.width = {211, 173, 149, 127, 101, 89, 71, 53};
    problem.demand = {13, 17, 11, 19, 23, 7, 29, 31};
    const SearchControl control;
    const auto started = SearchControl::Clock::now();
    const BranchAndPriceResult result =
        BranchAndPrice(problem, {}, started + std::chrono::milliseconds(300), control);
    // Generous: one pricing round may run past the deadline, never the whole search.
    EXPECT_LT(SearchControl::Clock::now() - started, std::chrono::seconds(10));
    if (result.improved) {
        ExpectRunsKeepTheProblem(problem, result.runs, result.objective);
        EXPECT_LE(result.bound, result.objective + 1e-9);
    }
}

}  // namespace
}  // namespace tvx::bar::optimal
