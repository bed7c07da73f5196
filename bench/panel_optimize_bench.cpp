// The optimising layout against the standard one on generated workshop jobs: five stock
// sizes with prices and sheet limits, kerf 3, 20 to 200 rows, turning allowed on some rows.
// Counters: total cost of the standard and the optimised layouts over the jobs, the saving
// in percent, the jobs where the optimised layout costs more (must stay 0) and the slowest
// job. Run through scripts/bench or scripts/bench-bwmv --workshop, which also report the peak
// memory.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <random>

#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/optimize/optimized_layout.h"

namespace tvx::panel {
namespace {

PanelJob WorkshopJob(unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    PanelJob job;
    job.kerf = 3;
    job.ktyFree = true;
    const StockEntry stock[] = {{1820, 910, 3500, 0},
                                {2430, 1220, 5800, 8},
                                {2130, 1000, 4600, 6},
                                {3030, 1520, 9800, 4},
                                {1220, 910, 2600, 10}};
    for (int i = 0; i < 5; ++i) job.stock[static_cast<std::size_t>(i)] = stock[i];
    job.lastSizeIndex = 4;
    job.priceMode = true;
    const int rows = uniform(20, 200);
    for (int r = 0; r < rows; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(uniform(60, 1700)),
                                                    static_cast<float>(uniform(40, 880)),
                                                    static_cast<std::int16_t>(uniform(1, 4)), ""};
        job.turnFlag[static_cast<std::size_t>(r)] = static_cast<std::int16_t>(uniform(0, 2) == 0);
    }
    job.cutCount = static_cast<std::int16_t>(rows);
    return job;
}

std::int64_t CostOf(const LayoutInput& input, const PanelLayoutResult& layout) {
    std::int64_t cost = 0;
    for (const PanelState& panel : layout.panels)
        if (panel.used()) cost += input.sizes[static_cast<std::size_t>(panel.sizeIndex)].price;
    return cost;
}

void BM_OptimizeWorkshopJobs(benchmark::State& state) {
    const int jobs = static_cast<int>(state.range(0));
    double standardTotal = 0, optimisedTotal = 0, slowest = 0, seconds = 0, costlier = 0,
           cheaper = 0, optimal = 0, laidOut = 0, cpuSeconds = 0;
    for (auto _ : state) {
        standardTotal = optimisedTotal = slowest = seconds = costlier = cheaper = optimal =
            laidOut = cpuSeconds = 0;
        for (int j = 0; j < jobs; ++j) {
            PanelJob job = WorkshopJob(1000u + static_cast<unsigned>(j));
            const CheckResult check = CheckJob(job);
            if (!check.ok) continue;
            const LayoutInput input = PrepareLayoutInput(job, check.derived);
            const std::optional<PanelLayoutResult> found =
                AutoLayout(input, LayoutOptions{}, SearchControl{});
            if (!found) continue;
            const PanelLayoutResult& standard = *found;
            const auto start = std::chrono::steady_clock::now();
            const std::clock_t startCpu = std::clock();
            const std::optional<PanelLayoutResult> optimised =
                RunOptimizedLayout(input, OptimizeOptions{}, SearchControl{});
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            slowest = std::max(slowest, took);
            seconds += took;
            cpuSeconds += static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
            if (!optimised) continue;
            ++laidOut;
            standardTotal += static_cast<double>(CostOf(input, standard));
            optimisedTotal += static_cast<double>(CostOf(input, *optimised));
            costlier += CostOf(input, *optimised) > CostOf(input, standard);
            cheaper += CostOf(input, *optimised) < CostOf(input, standard);
            optimal += SummarizeLayout(input, *optimised).optimal;
        }
    }
    state.counters["standard_cost"] = standardTotal;
    state.counters["optimised_cost"] = optimisedTotal;
    state.counters["saving_pct"] =
        standardTotal > 0 ? 100.0 * (standardTotal - optimisedTotal) / standardTotal : 0;
    state.counters["jobs"] = laidOut;
    state.counters["costlier_jobs"] = costlier;
    state.counters["cheaper_jobs"] = cheaper;
    state.counters["mean_s"] = laidOut > 0 ? seconds / laidOut : 0;
    state.counters["mean_cpu_s"] = laidOut > 0 ? cpuSeconds / laidOut : 0;
    state.counters["optimal_jobs"] = optimal;
    state.counters["slowest_s"] = slowest;
}

BENCHMARK(BM_OptimizeWorkshopJobs)->Arg(50)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tvx::panel

BENCHMARK_MAIN();
