#pragma once
// Helpers for tests of the pattern model: the cheapest plan of a small pattern problem by
// exhaustive search, small random problems (limits forcing dearer stock on some), and a check
// that a plan keeps the demand, the limits and every bar's length.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <vector>

#include "bar/optimal/pattern_master.h"

namespace tvx::bar::optimal {

// The cheapest plan by exhaustive search: the first group still needed goes onto a new bar of
// some type (within its limit) together with any pieces still needed that fit. Infinity when
// no plan keeps the limits.
class Exhaustive {
  public:
    explicit Exhaustive(const PatternProblem& problem) : problem_(problem) {}

    double Cheapest() {
        std::vector<std::int64_t> state = problem_.demand;
        for (std::size_t t = 0; t < problem_.limit.size(); ++t)
            state.push_back(problem_.limit[t] > 0 ? problem_.limit[t] : 1000);
        return Solve(state);
    }

  private:
    double Solve(const std::vector<std::int64_t>& state) {
        const std::size_t groups = problem_.width.size();
        std::size_t first = 0;
        while (first < groups && state[first] == 0) ++first;
        if (first == groups) return 0.0;
        if (const auto known = memo_.find(state); known != memo_.end()) return known->second;
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t t = 0; t < problem_.capacity.size(); ++t) {
            if (state[groups + t] == 0 || problem_.width[first] > problem_.capacity[t]) continue;
            // Every bar of type t holding one piece of `first` and more of what is needed.
            std::vector<std::int64_t> next = state;
            next[groups + t] -= 1;
            next[first] -= 1;
            auto fill = [&](auto&& self, std::size_t g, std::int64_t room) -> void {
                if (g == groups) {
                    best = std::min(best, problem_.weight[t] + Solve(next));
                    return;
                }
                const std::int64_t most = std::min(next[g], room / problem_.width[g]);
                for (std::int64_t n = 0; n <= most; ++n) {
                    next[g] -= n;
                    self(self, g + 1, room - n * problem_.width[g]);
                    next[g] += n;
                }
            };
            fill(fill, first, problem_.capacity[t] - problem_.width[first]);
        }
        memo_[state] = best;
        return best;
    }

    const PatternProblem& problem_;
    std::map<std::vector<std::int64_t>, double> memo_;
};

inline PatternProblem RandomProblem(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PatternProblem problem;
    problem.wholeWeights = true;
    problem.dive = false;
    const int types = pick(1, 3);
    for (int t = 0; t < types; ++t) {
        const int capacity = pick(40, 100);
        problem.capacity.push_back(capacity);
        // Roughly by length, cheaper per length for longer bars, sometimes not.
        problem.weight.push_back(capacity / 4 + pick(0, 8));
        problem.limit.push_back(pick(0, 2) == 0 ? pick(1, 3) : 0);
    }
    const int groups = pick(1, 4);
    std::vector<std::int64_t> width;
    for (int g = 0; g < groups; ++g) width.push_back(pick(11, 45));
    std::sort(width.rbegin(), width.rend());
    width.erase(std::unique(width.begin(), width.end()), width.end());
    for (const std::int64_t w : width) {
        problem.width.push_back(w);
        problem.demand.push_back(pick(1, 4));
    }
    return problem;
}

// The runs keep the demand, the limits and every bar's length, and cost `objective`.
inline void ExpectRunsKeepTheProblem(const PatternProblem& problem,
                                     const std::vector<PatternRun>& runs, double objective) {
    std::vector<std::int64_t> cut(problem.width.size(), 0), used(problem.capacity.size(), 0);
    double cost = 0.0;
    for (const PatternRun& run : runs) {
        const auto t = static_cast<std::size_t>(run.stockType);
        ASSERT_LT(t, problem.capacity.size());
        ASSERT_EQ(run.perGroup.size(), problem.width.size());
        std::int64_t length = 0;
        for (std::size_t g = 0; g < run.perGroup.size(); ++g) {
            length += run.perGroup[g] * problem.width[g];
            cut[g] += run.perGroup[g] * run.count;
        }
        EXPECT_LE(length, problem.capacity[t]);
        EXPECT_GT(run.count, 0);
        used[t] += run.count;
        cost += problem.weight[t] * static_cast<double>(run.count);
    }
    for (std::size_t g = 0; g < cut.size(); ++g) EXPECT_GE(cut[g], problem.demand[g]);
    for (std::size_t t = 0; t < used.size(); ++t) {
        if (problem.limit[t] > 0) {
            EXPECT_LE(used[t], problem.limit[t]);
        }
    }
    EXPECT_NEAR(cost, objective, 1e-9 * std::max(1.0, cost));
}

// The same for a solution of the pattern model.
inline void ExpectPlanKeepsTheProblem(const PatternProblem& problem,
                                      const PatternSolution& solution) {
    ExpectRunsKeepTheProblem(problem, solution.runs, solution.objective);
}

}  // namespace tvx::bar::optimal
