#pragma once
// The benchmarks' large priced bar job: six stock lengths with prices and some count limits,
// 25 lengths of 16 pieces each (400 pieces). The standard calculation's mix enumeration does
// not finish on it within any sensible budget; the optimising calculation should prove it.

#include <cstdint>

#include "bar/model/bar_job.h"

namespace tvx::bench {

inline bar::BarJob SixLengthPricedJob() {
    bar::BarJob job = bar::StartupBarJob(3, false);
    const float stock[6][3] = {{2000, 900, 0},  {3000, 1300, 40}, {4000, 1700, 30},
                               {4500, 1900, 0}, {5500, 2300, 20}, {6000, 2500, 15}};
    for (int s = 0; s < 6; ++s) {
        job.stock.stockEntryLength[s] = stock[s][0];
        job.stock.stockEntryPrice[s] = stock[s][1];
        job.stock.stockEntryCount[s] = static_cast<std::int16_t>(stock[s][2]);
    }
    job.stock.stockEntryCountInUse = 6;
    for (int k = 0; k < 25; ++k)
        bar::AppendRow(job.cutList, 1950.0f - 70.0f * static_cast<float>(k), 16, "");
    return job;
}

}  // namespace tvx::bench
