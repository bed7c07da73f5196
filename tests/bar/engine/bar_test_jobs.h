#pragma once
// Small helpers for building bar jobs and checking plans in the engine tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar::test {

struct StockSpec {
    float length;
    float price = 0;
    int limit = 0;
};
struct RowSpec {
    float length;
    int quantity;
    std::string code = {};
};

inline BarJob MakeJob(const std::vector<StockSpec>& stock, float kerf,
                      const std::vector<RowSpec>& rows, bool codes = false) {
    BarJob job = StartupBarJob(kerf, codes);
    for (std::size_t s = 0; s < stock.size(); ++s) {
        job.stock.stockEntryLength[s] = stock[s].length;
        job.stock.stockEntryPrice[s] = stock[s].price;
        job.stock.stockEntryCount[s] = static_cast<std::int16_t>(stock[s].limit);
    }
    job.stock.stockEntryCountInUse = static_cast<std::int16_t>(stock.size());
    for (const RowSpec& row : rows)
        AppendRow(job.cutList, row.length, static_cast<std::int16_t>(row.quantity), row.code);
    return job;
}

// The plan's bars one by one: stock type and piece indices.
struct FlatBar {
    int stockType;
    std::vector<int> pieces;
    bool operator==(const FlatBar&) const = default;
};
inline std::vector<FlatBar> Flatten(const BarPlan& plan) {
    std::vector<FlatBar> bars;
    for (const BarRun& run : plan.resultBars)
        for (std::int64_t k = 0; k < run.count; ++k)
            bars.push_back({run.stockType, std::vector<int>(run.pieces.begin(), run.pieces.end())});
    return bars;
}

// A plan is complete and sound: every valid row's pieces are cut exactly once, every bar
// holds its pieces (a kerf between neighbours), counts match the bars and the limits, and the
// bars come grouped by stock type, longest first.
inline void ExpectSoundPlan(const BarJob& job, const BarPlan& plan) {
    ASSERT_TRUE(plan.HasPlan());
    std::map<float, std::int64_t> wanted, cut;
    for (int r = 0; r < job.cutList.rowCount; ++r)
        if (IsValidBarRow(job.cutList, r))
            wanted[job.kerf + job.cutList.cutLength[r]] += job.cutList.cutQuantity[r];
    std::vector<std::int64_t> perType(plan.stockLength.size(), 0);
    int previousType = static_cast<int>(plan.stockLength.size());
    std::int64_t bars = 0;
    float cost = 0;
    for (const BarRun& run : plan.resultBars) {
        ASSERT_GE(run.count, 1);
        ASSERT_FALSE(run.pieces.empty());
        ASSERT_LE(run.stockType, previousType) << "bars not grouped longest type first";
        previousType = run.stockType;
        float capacity = plan.stockLength[run.stockType];
        for (std::size_t k = 0; k < run.pieces.size(); ++k) {
            const float length = plan.pieceLength[run.pieces[k]];
            ASSERT_GE(capacity, length) << "bar overfilled";
            capacity -= length;
            if (k > 0) {
                ASSERT_LE(run.pieces[k - 1], run.pieces[k]);
            }
            cut[length] += run.count;
        }
        perType[run.stockType] += run.count;
        bars += run.count;
    }
    EXPECT_EQ(cut, wanted);
    EXPECT_EQ(bars, plan.resultBarCount);
    for (std::size_t t = 0; t < perType.size(); ++t) {
        EXPECT_EQ(perType[t], plan.resultCount[t]);
        if (plan.countLimit[t] > 0) {
            EXPECT_LE(perType[t], plan.countLimit[t]);
        }
    }
    for (std::size_t t = 0; t < perType.size(); ++t)
        cost += static_cast<float>(perType[t]) * plan.barCost[t];
    EXPECT_EQ(cost, plan.bestCost);
}

}  // namespace tvx::bar::test
