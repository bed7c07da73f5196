// Speed of RunBarCalculation on a small single-length job, a large job with six priced and
// limited stock lengths, and (when present) a shared Falkenauer instance.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bar/engine/bar_engine.h"
#include "bar/model/bar_job_reader.h"
#include "six_length_bar_job.h"

namespace {

using tvx::bar::AppendRow;
using tvx::bar::BarJob;

// Passes after which the long cases stop unless TVX_BENCH_FULL is set.
constexpr std::int64_t kPassCap = 200;

BarJob SmallJob() {
    BarJob job = tvx::bar::StartupBarJob(3, false);
    job.stock.stockEntryCountInUse = 1;
    job.stock.stockEntryLength[0] = 6000;
    const float lengths[] = {2400, 2150, 1850, 1600, 1320, 1200, 950, 780, 600, 450};
    for (const float length : lengths) AppendRow(job.cutList, length, 5, "");
    return job;
}

void Calculate(benchmark::State& state, const BarJob& job) {
    tvx::bar::BarPlan plan;
    for (auto _ : state) {
        plan = tvx::bar::RunBarCalculation(job);
        benchmark::DoNotOptimize(plan);
    }
    state.counters["bars"] = static_cast<double>(plan.resultBarCount);
    state.counters["cost"] = plan.bestCost;
}

// The calculation stopped after kPassCap passes (all of it with TVX_BENCH_FULL set).
void CalculateCapped(benchmark::State& state, const BarJob& job) {
    const bool full = std::getenv("TVX_BENCH_FULL") != nullptr;
    std::int64_t passes = 0;
    tvx::SearchControl control;
    control.onProgress = [&](const tvx::SearchProgress& p) {
        passes = p.iteration;
        if (passes >= kPassCap && !full) control.RequestStop();
    };
    tvx::bar::BarPlan plan;
    for (auto _ : state) {
        control.ClearStop();
        plan = tvx::bar::RunBarCalculation(job, tvx::bar::BarOptions{}, control);
    }
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["bars"] = static_cast<double>(plan.resultBarCount);
    state.counters["cost"] = plan.bestCost;
}

void BM_TenKindsOneLength(benchmark::State& state) {
    Calculate(state, SmallJob());
}
BENCHMARK(BM_TenKindsOneLength)->Unit(benchmark::kMillisecond);

// The enumeration of stock mixes runs one pass per mix, each up to the step budget; on this
// job it runs tens of thousands of passes (many minutes). By default the benchmark stops after
// kPassCap passes and reports the time per pass; TVX_BENCH_FULL=1 runs the whole calculation once.
void BM_FourHundredPiecesSixLengths(benchmark::State& state) {
    const BarJob job = tvx::bench::SixLengthPricedJob();
    CalculateCapped(state, job);
}
BENCHMARK(BM_FourHundredPiecesSixLengths)->Unit(benchmark::kMillisecond)->Iterations(1);

// The cost of one pass of the large job: the stop request is honoured after the first pass.
void BM_FourHundredPiecesFirstPass(benchmark::State& state) {
    const BarJob job = tvx::bench::SixLengthPricedJob();
    tvx::SearchControl control;
    control.RequestStop();
    for (auto _ : state)
        benchmark::DoNotOptimize(tvx::bar::RunBarCalculation(job, tvx::bar::BarOptions{}, control));
}
BENCHMARK(BM_FourHundredPiecesFirstPass)->Unit(benchmark::kMillisecond);

// The same pieces on the three longest of the six lengths: far fewer mixes.
void BM_FourHundredPiecesThreeLengths(benchmark::State& state) {
    BarJob job = tvx::bench::SixLengthPricedJob();
    for (int s = 0; s < 3; ++s) {
        job.stock.stockEntryLength[s] = job.stock.stockEntryLength[s + 3];
        job.stock.stockEntryPrice[s] = job.stock.stockEntryPrice[s + 3];
        job.stock.stockEntryCount[s] = job.stock.stockEntryCount[s + 3];
    }
    job.stock.stockEntryCountInUse = 3;
    Calculate(state, job);
}
BENCHMARK(BM_FourHundredPiecesThreeLengths)->Unit(benchmark::kMillisecond);

// Six lengths without limits, 60 rows of 40 pieces; capped at kPassCap passes.
void BM_SixLengths60Rows40Pieces(benchmark::State& state) {
    BarJob job = tvx::bar::StartupBarJob(3, false);
    const float stock[6][2] = {{2000, 900},  {3000, 1300}, {4000, 1700},
                               {4500, 1900}, {5500, 2300}, {6000, 2500}};
    for (int s = 0; s < 6; ++s) {
        job.stock.stockEntryLength[s] = stock[s][0];
        job.stock.stockEntryPrice[s] = stock[s][1];
    }
    job.stock.stockEntryCountInUse = 6;
    for (int k = 0; k < 60; ++k)
        AppendRow(job.cutList, 1990.0f - 31.0f * static_cast<float>(k), 40, "");
    CalculateCapped(state, job);
}
BENCHMARK(BM_SixLengths60Rows40Pieces)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FalkenauerU250(benchmark::State& state) {
    const std::string path =
        std::string(TVX_SOURCE_DIR) + "/../shared/benchmarks/falkenauer/u250_00.csv";
    BarJob job = tvx::bar::StartupBarJob(0, false);
    if (!std::filesystem::exists(path) || !tvx::bar::ReadBarJobFile(path, job)) {
        state.SkipWithError("u250_00.csv not found");
        return;
    }
    Calculate(state, job);
}
BENCHMARK(BM_FalkenauerU250)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
