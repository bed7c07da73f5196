// The engine keeps its search path as runs and its own frame stack; a plain recursive
// transcription with full tables must come to the very same plan, bar for bar.

#include <gtest/gtest.h>

#include <random>

#include "bar/engine/bar_engine.h"
#include "bar_test_jobs.h"
#include "reference_bar_search.h"

namespace tvx::bar {
namespace {

BarJob RandomJob(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<test::StockSpec> stock;
    const int types = pick(1, 4);
    const bool priced = pick(0, 2) > 0;
    for (int t = 0; t < types; ++t) {
        test::StockSpec entry{static_cast<float>(pick(10, 40) * 50)};
        if (pick(0, 4) == 0) entry.length += 0.25f;                      // not a whole number
        if (priced) entry.price = static_cast<float>(pick(0, 9) * 100);  // sometimes 0
        if (pick(0, 2) == 0) entry.limit = pick(1, 4);
        stock.push_back(entry);
    }
    float longest = 0;
    for (const auto& entry : stock) longest = std::max(longest, entry.length);
    std::vector<test::RowSpec> rows;
    const int rowCount = pick(1, 6);
    for (int r = 0; r < rowCount; ++r) {
        float length = static_cast<float>(pick(4, static_cast<int>(longest) / 25) * 25);
        if (pick(0, 5) == 0) length += 0.5f;
        rows.push_back({std::min(length, longest), pick(0, 5) == 0 ? 0 : pick(1, 5),
                        std::string(1, static_cast<char>('A' + r))});
    }
    if (pick(0, 3) == 0 && rows.size() > 1) rows.back().length = rows.front().length;
    return test::MakeJob(stock, static_cast<float>(pick(0, 3) * 2), rows, pick(0, 3) == 0);
}

void ExpectSamePlan(const BarJob& job, int stepLimit, const std::string& label) {
    BarOptions options;
    options.stepLimit = stepLimit;
    const SearchControl control;
    const BarPlan plan = RunBarCalculation(job, options, control);
    const test::ReferenceResult reference = test::ReferenceBarSearch().Run(job, stepLimit);
    SCOPED_TRACE(label);
    ASSERT_EQ(plan.stockLength, reference.stockLength);
    ASSERT_EQ(plan.pieceLength, reference.pieceLength);
    ASSERT_EQ(plan.HasPlan(), reference.solved);
    if (reference.pieceLength.empty() || reference.stockLength.empty()) return;
    if (!reference.solved) return;
    EXPECT_EQ(plan.bestCost, reference.bestCost);
    test::ExpectSoundPlan(job, plan);
    std::vector<std::int64_t> counts(reference.resultCount.begin(), reference.resultCount.end());
    EXPECT_EQ(plan.resultCount, counts);
    const auto bars = test::Flatten(plan);
    ASSERT_EQ(bars.size(), reference.bars.size());
    for (std::size_t k = 0; k < bars.size(); ++k) EXPECT_EQ(bars[k].pieces, reference.bars[k]);
}

TEST(BarSearchReference, RandomSmallJobsGiveTheSamePlan) {
    std::mt19937 random(20240611);
    int solved = 0;
    for (int n = 0; n < 200; ++n) {
        const BarJob job = RandomJob(random);
        for (const int stepLimit : {30, 400, 4000}) {
            ExpectSamePlan(job, stepLimit,
                           "job " + std::to_string(n) + " steps " + std::to_string(stepLimit));
            if (HasFailure()) return;
        }
        solved += RunBarCalculation(job).HasPlan() ? 1 : 0;
    }
    EXPECT_GT(solved, 100);  // the generator must exercise real plans
}

TEST(BarSearchReference, ExhaustedBudgetOnAMixOfLengths) {
    const BarJob job = test::MakeJob(
        {{1200, 300, 0}, {2400, 520, 4}, {3600, 800, 0}}, 3,
        {{1150, 3}, {980, 4}, {720, 5}, {610, 6}, {455, 7}, {333, 9}, {210, 5}, {125, 8}});
    ExpectSamePlan(job, kStepLimit, "mixed lengths");
    ExpectSamePlan(job, 500, "mixed lengths, 500 steps");
}

}  // namespace
}  // namespace tvx::bar
