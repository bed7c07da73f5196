#include "layout_report.h"

#include <chrono>
#include <cmath>
#include <ostream>

#include "common/number_text.h"
#include "job_report.h"
#include "panel/engine/auto_layout.h"
#include "panel/engine/geometry.h"
#include "panel/engine/optimize/optimized_layout.h"
#include "panel/output/result_figures.h"

namespace tvx::panel::cli {
namespace {

const StockSize& SizeOf(const LayoutRun& run, const PanelState& panel) {
    return run.input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
}

bool HasSize(const LayoutRun& run, const PanelState& panel) {
    return panel.sizeIndex >= 0 && panel.sizeIndex <= run.input.lastSizeIndex;
}

}  // namespace

std::string LayoutRun::message() const {
    if (!check.ok) return check.message;
    return found ? std::string() : std::string(kNoLayoutMessage);
}

LayoutRun RunLayout(PanelJob& job, const SearchControl& control,
                    const std::optional<OptimizeRequest>& optimize) {
    LayoutRun run;
    TakeTypedPanelSize(job);
    run.check = CheckJob(job);
    if (!run.check.ok) return run;
    run.input = PrepareLayoutInput(job, run.check.derived);
    const LayoutOptions layoutOptions;
    if (optimize) {
        OptimizeOptions options;
        options.timeLimitSeconds = optimize->timeLimitSeconds;
        options.fullPanelPercent = layoutOptions.fullPanelPercent;
        const auto start = std::chrono::steady_clock::now();
        std::optional<PanelLayoutResult> result = RunOptimizedLayout(run.input, options, control);
        OptimizeReport report;
        report.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (result) {
            run.found = true;
            run.result = std::move(*result);
            ComputeUtilisation(run.input, run.result, layoutOptions.fullPanelPercent);
            const OptimizeSummary summary = SummarizeLayout(run.input, run.result);
            report.optimal = summary.optimal;
            report.lowerBound = summary.lowerBound;
            report.gapPercent = summary.gapPercent;
        }
        run.optimize = report;
        return run;
    }
    std::optional<PanelLayoutResult> layout = AutoLayout(run.input, layoutOptions, control);
    run.found = layout.has_value();
    if (layout) run.result = std::move(*layout);
    run.stopped = control.ShouldStop();
    return run;
}

Json LayoutJson(const PanelJob& job, const LayoutRun& run) {
    Json object = Json::MakeObject();
    object["ok"] = run.check.ok && run.found;
    object["message"] = run.message();
    object["kerf"] = job.kerf;
    object["priceMode"] = job.priceMode;
    object["lastSizeIndex"] = job.lastSizeIndex;
    object["sizes"] = StockSizesJson(job);

    Json panels = Json::MakeArray();
    Json utilisation = Json::MakeArray();
    if (run.found) {
        const auto& all = run.result.panels;
        for (std::size_t p = 0; p < all.size(); ++p) {
            if (!all[p].used()) continue;
            Json placements = Json::MakeArray();
            for (const Placement& placement : all[p].placements) {
                Json item = Json::MakeObject();
                item["row"] = placement.row;
                item["x"] = placement.x;
                item["y"] = placement.y;
                item["turned"] = placement.turned;
                placements.Push(std::move(item));
            }
            Json panel = Json::MakeObject();
            panel["position"] = static_cast<std::int64_t>(p);
            panel["size"] = all[p].sizeIndex;
            panel["placements"] = std::move(placements);
            panels.Push(std::move(panel));
            utilisation.Push(all[p].utilisation);
        }
    }
    object["score"] = run.found ? Json(run.result.score) : Json(nullptr);
    object["panels"] = std::move(panels);
    object["utilisation"] = std::move(utilisation);
    if (run.optimize) {
        object["optimal"] = run.found && run.optimize->optimal;
        object["lowerBound"] = static_cast<std::int64_t>(std::llround(run.optimize->lowerBound));
        object["seconds"] = run.optimize->seconds;
    }
    return object;
}

void PrintPlan(const PanelJob& job, const LayoutRun& run, std::ostream& out) {
    if (!job.jobTitle.empty()) out << "表題: " << job.jobTitle << "\n";
    out << "切断幅: " << job.kerf << "\n";
    int sheets = 0;
    std::int64_t total = 0;
    for (std::size_t p = 0; p < run.result.panels.size(); ++p) {
        const PanelState& panel = run.result.panels[p];
        if (!panel.used() || !HasSize(run, panel)) continue;
        const StockSize& size = SizeOf(run, panel);
        ++sheets;
        total += size.price;
        out << "\nパネル " << sheets << ": " << size.rawHeight << " × " << size.rawWidth
            << "  利用率 " << panel.utilisation << "%\n";
        for (const Placement& placement : panel.placements) {
            const PartRow& row = run.input.rows[static_cast<std::size_t>(placement.row)];
            out << "  (" << placement.row + 1 << ") " << FormatSingle(row.rawHeight) << " × "
                << FormatSingle(row.rawWidth) << "  位置 (" << placement.x << ", " << placement.y
                << ")"
                << "  " << (placement.turned ? "回転" : "そのまま");
            if (!row.comment.empty()) out << "  " << row.comment;
            out << "\n";
        }
    }
    // The same figures the result view and the printout show.
    const ResultFigures figures = ComputeFigures(run.input, run.result);
    out << "\n使用パネル " << sheets << "枚";
    for (const UsedSize& used : figures.usedSizes) {
        if (used.sizeIndex > run.input.lastSizeIndex) continue;
        const StockSize& size = run.input.sizes[static_cast<std::size_t>(used.sizeIndex)];
        out << "  " << size.rawHeight << " × " << size.rawWidth << " " << used.count << "枚";
    }
    out << "\n歩留り " << figures.yield << "%";
    if (job.priceMode) out << "  合計金額 " << Grouped(total) << "円";
    out << "\n";
    if (run.optimize)
        out << OptimizeVerdict(run.optimize->optimal, run.optimize->gapPercent) << "\n";
}

}  // namespace tvx::panel::cli
