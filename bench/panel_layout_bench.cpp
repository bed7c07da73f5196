// Speed of the automatic panel layout on generated jobs of three sizes.

#include <benchmark/benchmark.h>

#include <random>

#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"

namespace tvx::panel {
namespace {

struct JobShape {
    int rows;
    int piecesPerRow;
    int sizes;
    bool turning;
};

PanelJob GenerateJob(const JobShape& shape, unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    PanelJob job;
    job.kerf = 3;
    job.rotateAll = shape.turning ? 1 : 0;
    const StockEntry stock[] = {{1820, 910, 3500, 0},
                                {2430, 1220, 5800, 8},
                                {2130, 1000, 4600, 6},
                                {3030, 1520, 9800, 4},
                                {1220, 910, 2600, 10}};
    if (shape.sizes == 1) {
        job.typedHeight = 1820;
        job.typedWidth = 910;
    } else {
        for (int i = 0; i < shape.sizes; ++i) job.stock[static_cast<std::size_t>(i)] = stock[i];
        job.lastSizeIndex = static_cast<std::int16_t>(shape.sizes - 1);
        job.priceMode = true;
    }
    for (int r = 0; r < shape.rows; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(uniform(80, 900)),
                                                    static_cast<float>(uniform(60, 600)),
                                                    static_cast<std::int16_t>(shape.piecesPerRow),
                                                    ""};
    }
    job.cutCount = static_cast<std::int16_t>(shape.rows);
    return job;
}

void RunLayout(benchmark::State& state, const JobShape& shape) {
    PanelJob job = GenerateJob(shape, 42);
    if (!CheckJob(job).ok) {
        state.SkipWithError("generated job refused by the check");
        return;
    }
    std::size_t panelsUsed = 0;
    for (auto _ : state) {
        LayoutInput input = PrepareLayoutInput(job);
        PanelLayoutResult result;
        const bool found = AutoLayout(input, {}, result);
        if (!found) {
            state.SkipWithError("no layout");
            return;
        }
        panelsUsed = 0;
        for (const PanelState& p : result.panels) panelsUsed += p.used() ? 1 : 0;
        benchmark::DoNotOptimize(result);
    }
    state.counters["panels"] = static_cast<double>(panelsUsed);
}

void BM_SmallOneSize(benchmark::State& state) { RunLayout(state, {10, 4, 1, false}); }
void BM_MediumOneSizeTurning(benchmark::State& state) { RunLayout(state, {60, 7, 1, true}); }
void BM_LargeFiveSizesPriced(benchmark::State& state) { RunLayout(state, {200, 10, 5, false}); }

BENCHMARK(BM_SmallOneSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MediumOneSizeTurning)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeFiveSizesPriced)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tvx::panel

BENCHMARK_MAIN();
