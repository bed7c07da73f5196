// Speed of the automatic panel layout on generated jobs of three sizes.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
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
    bool limits = true;
};

PanelJob GenerateJob(const JobShape& shape, unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    PanelJob job;
    job.kerf = 3;
    job.rotateAll = shape.turning;
    const bool limited = shape.limits;
    const StockEntry stock[] = {{1820, 910, 3500, 0},
                                {2430, 1220, 5800, 8},
                                {2130, 1000, 4600, 6},
                                {3030, 1520, 9800, 4},
                                {1220, 910, 2600, 10}};
    if (shape.sizes == 1) {
        job.typedHeight = 1820;
        job.typedWidth = 910;
    } else {
        for (int i = 0; i < shape.sizes; ++i) {
            job.stock[static_cast<std::size_t>(i)] = stock[i];
            if (!limited) job.stock[static_cast<std::size_t>(i)].limit = 0;
        }
        job.lastSizeIndex = static_cast<std::int16_t>(shape.sizes - 1);
        job.priceMode = true;
    }
    for (int r = 0; r < shape.rows; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {
            static_cast<float>(uniform(80, 900)), static_cast<float>(uniform(60, 600)),
            static_cast<std::int16_t>(shape.piecesPerRow), ""};
    }
    job.cutCount = static_cast<std::int16_t>(shape.rows);
    return job;
}

// Unless TVX_BENCH_FULL is set, the long cases stop early: several sizes after this many
// iterations (mixes of sizes; progress comes every ten), one size at a deadline, which also
// shows how soon a stop inside a long run is honoured (the time beyond the deadline).
constexpr std::int64_t kIterationCap = 20;
constexpr double kOneSizeSeconds = 3.0;

enum class Cap { None, Iterations, Deadline };

void RunLayout(benchmark::State& state, const JobShape& shape, Cap cap = Cap::None) {
    PanelJob job = GenerateJob(shape, 42);
    const CheckResult check = CheckJob(job);
    if (!check.ok) {
        state.SkipWithError("generated job refused by the check");
        return;
    }
    const bool full = std::getenv("TVX_BENCH_FULL") != nullptr;
    std::int64_t iterations = 0;
    SearchControl control;
    control.onProgress = [&](const SearchProgress& p) {
        iterations = p.iteration;
        if (cap == Cap::Iterations && !full && p.iteration >= kIterationCap) control.RequestStop();
    };
    std::size_t panelsUsed = 0;
    for (auto _ : state) {
        control.ClearStop();
        if (cap == Cap::Deadline && !full) control.SetTimeLimit(kOneSizeSeconds);
        const LayoutInput input = PrepareLayoutInput(job, check.derived);
        const std::optional<PanelLayoutResult> result = AutoLayout(input, LayoutOptions{}, control);
        if (!result) {
            if (cap == Cap::Deadline) continue;  // no run completed before the deadline
            state.SkipWithError("no layout");
            return;
        }
        panelsUsed = 0;
        for (const PanelState& p : result->panels) panelsUsed += p.used() ? 1 : 0;
        benchmark::DoNotOptimize(result);
    }
    state.counters["panels"] = static_cast<double>(panelsUsed);
    state.counters["iterations"] = static_cast<double>(iterations);
}

void BM_SmallOneSize(benchmark::State& state) {
    RunLayout(state, {10, 4, 1, false});
}
void BM_MediumOneSizeTurning(benchmark::State& state) {
    RunLayout(state, {60, 7, 1, true});
}
void BM_LargeFiveSizesPriced(benchmark::State& state) {
    RunLayout(state, {200, 10, 5, false});
}

// Five sizes without limits: the mixes run into the hundreds of thousands; capped.
void BM_FiveSizesNoLimits50Rows30Pieces(benchmark::State& state) {
    RunLayout(state, {50, 30, 5, false, false}, Cap::Iterations);
}
// One size, 200 rows of 1000 pieces: twelve very long runs; stopped at the deadline.
void BM_OneSize200Rows1000Pieces(benchmark::State& state) {
    RunLayout(state, {200, 1000, 1, false}, Cap::Deadline);
}

BENCHMARK(BM_SmallOneSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MediumOneSizeTurning)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeFiveSizesPriced)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FiveSizesNoLimits50Rows30Pieces)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OneSize200Rows1000Pieces)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tvx::panel

BENCHMARK_MAIN();
