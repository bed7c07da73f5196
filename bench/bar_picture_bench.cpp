// Cost of the result picture's layout for a plan of 30,000 distinct bars on 1,000,000-long
// stock (what a resize or a display switch pays), and of finding the rows in view at the far
// end of such a plan (what every scroll step pays). The drawing itself only touches the rows
// in view.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bar/output/picture_layout.h"

namespace {

using tvx::bar::BarPictureLayout;
using tvx::bar::BarPlanView;
using tvx::bar::BarRun;

constexpr std::int64_t kBars = 30000;

// Every bar differs from its neighbour, so display mode 1 groups nothing either.
BarPlanView LongPlan(int displayMode) {
    BarPlanView view;
    view.displayMode = static_cast<std::int16_t>(displayMode);
    tvx::bar::BarPlan& plan = view.plan;
    plan.kerf = 3;
    plan.stockLength = {1000003};
    plan.barCost = {1000000};
    plan.countLimit = {0};
    plan.pieceLength = {400003, 300003, 200003};
    plan.pieceComment = {"A", "B", "C"};
    for (std::int64_t b = 0; b < kBars; ++b) {
        BarRun run;
        run.pieces =
            b % 2 == 0 ? std::vector<std::int16_t>{0, 1, 2} : std::vector<std::int16_t>{0, 0};
        plan.resultBars.push_back(run);
    }
    plan.resultCount = {kBars};
    plan.resultBarCount = kBars;
    plan.found = true;
    return view;
}

// A label width as the label font would give it: 100 units a character.
double LabelWidth(const std::string& text) {
    return 100.0 * static_cast<double>(text.size());
}

void BM_PictureLayout(benchmark::State& state) {
    const BarPlanView view = LongPlan(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BarPictureLayout layout(view, LabelWidth);
        benchmark::DoNotOptimize(layout.RowCount());
    }
}
BENCHMARK(BM_PictureLayout)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RowsInViewAtTheEnd(benchmark::State& state) {
    const BarPlanView view = LongPlan(0);
    const BarPictureLayout layout(view, LabelWidth);
    const std::int64_t inView = layout.VisibleRows(20 * layout.RowHeight()) + 1;
    std::int64_t first = layout.RowCount() - inView;
    for (auto _ : state) {
        for (std::int64_t r = first; r < first + inView; ++r) {
            const tvx::bar::PictureRow row = layout.rows().At(r);
            benchmark::DoNotOptimize(row);
            benchmark::DoNotOptimize(layout.RowTop(r));
            benchmark::DoNotOptimize(layout.X(1000000));
        }
        first = first == 0 ? layout.RowCount() - inView : first - 1;  // one scroll step up
    }
}
BENCHMARK(BM_RowsInViewAtTheEnd)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
