#include "cli_report.h"

#include <algorithm>
#include <chrono>

#include "bar/engine/bar_engine.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "bar/output/plan_text.h"
#include "common/json.h"
#include "common/number_text.h"

namespace tvx::bar::cli {
namespace {

int StockInUse(const BarJob& job) {
    return std::clamp<int>(job.stock.stockEntryCountInUse, 0, kMaxStockEntries);
}

int RowsInUse(const BarJob& job) {
    return std::min<int>(job.cutList.rowCount, job.cutList.Capacity());
}

bool AllPricesGiven(const BarJob& job) {
    for (int s = 0; s < StockInUse(job); ++s)
        if (job.stock.stockEntryPrice[static_cast<std::size_t>(s)] == 0.0f) return false;
    return true;
}

std::string PieceText(const BarJob& job, const BarPlan& plan, int piece) {
    std::string text = FormatSingle(DisplayedPieceLength(plan, piece));
    if (job.showPartCodes) {
        const std::string& code = plan.pieceComment[static_cast<std::size_t>(piece)];
        if (!code.empty()) text += "[" + code + "]";
    }
    return text;
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

PlanOutcome CalculateJob(const BarJob& job, const SearchControl& control) {
    PlanOutcome outcome;
    outcome.check = CheckBarCalculation(job);
    outcome.message = outcome.check.message;
    if (!outcome.check.Proceed()) return outcome;
    outcome.plan = RunBarCalculation(job, BarOptions{}, control);
    outcome.stopped = control.ShouldStop();
    outcome.ok = outcome.plan.HasPlan();
    outcome.message = CalculationResultMessage(outcome.plan);
    return outcome;
}

PlanOutcome CalculateJobOptimally(const BarJob& job, double timeLimitSeconds,
                                  const SearchControl& control) {
    PlanOutcome outcome;
    outcome.optimised = true;
    outcome.check = CheckBarCalculation(job);
    outcome.message = outcome.check.message;
    if (!outcome.check.Proceed()) return outcome;
    OptimalBarOptions options;
    options.timeLimitSeconds = timeLimitSeconds;
    const auto start = std::chrono::steady_clock::now();
    outcome.plan = RunOptimalBarCalculation(job, options, control);
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.ok = outcome.plan.HasPlan();
    outcome.message = CalculationResultMessage(outcome.plan);
    return outcome;
}

std::string PlanJson(const BarJob& job, const PlanOutcome& outcome) {
    Json root = Json::MakeObject();
    root["ok"] = outcome.ok;
    root["message"] = outcome.message;
    root["showPartCodes"] = job.showPartCodes;
    Json stock = Json::MakeArray();
    Json bars = Json::MakeArray();
    if (outcome.check.Proceed()) {
        const BarPlan& plan = outcome.plan;
        root["allPricesGiven"] = plan.allPricesGiven;
        root["bestCost"] = outcome.ok ? Json(plan.bestCost) : Json(nullptr);
        for (std::size_t t = 0; t < plan.stockLength.size(); ++t) {
            Json entry = Json::MakeObject();
            entry["length"] = DisplayedStockLength(plan, static_cast<int>(t));
            entry["cost"] = plan.barCost[t];
            entry["limit"] = static_cast<std::int64_t>(plan.countLimit[t]);
            entry["count"] = plan.resultCount[t];
            stock.Push(std::move(entry));
        }
        if (outcome.ok) {
            for (const BarRun& run : plan.resultBars) {
                Json::Array pieces;
                pieces.reserve(run.pieces.size());
                for (const std::int16_t piece : run.pieces)
                    pieces.emplace_back(DisplayedPieceLength(plan, piece));
                Json::Object fields;
                fields.emplace("stock", Json(DisplayedStockLength(plan, run.stockType)));
                fields.emplace("pieces", Json(std::move(pieces)));
                const Json bar(std::move(fields));
                for (std::int64_t k = 0; k < run.count; ++k) bars.Push(bar);
            }
        }
    } else {
        root["allPricesGiven"] = AllPricesGiven(job);
        root["bestCost"] = nullptr;
    }
    root["stock"] = std::move(stock);
    root["bars"] = std::move(bars);
    if (outcome.stopped) root["stopped"] = true;
    if (outcome.optimised) {
        root["optimal"] = outcome.ok && outcome.plan.provenOptimal;
        root["lowerBound"] = outcome.ok ? Json(outcome.plan.costLowerBound) : Json(nullptr);
        root["seconds"] = outcome.seconds;
    }
    return root.Dump() + "\n";
}

std::string PlanText(const BarJob& job, const PlanOutcome& outcome) {
    const BarPlan& plan = outcome.plan;
    std::string out;
    if (!job.jobTitle.empty()) out += job.jobTitle + "\n";
    std::int64_t number = 1;
    for (const BarRun& run : plan.resultBars) {
        std::string label = std::to_string(number);
        if (run.count > 1) label.append("-").append(std::to_string(number + run.count - 1));
        number += run.count;
        std::string line = PadLeft(label, 9) + "  " +
                           PadLeft(FormatSingle(DisplayedStockLength(plan, run.stockType)), 7) +
                           " :";
        for (const std::int16_t piece : run.pieces)
            line.append(" ").append(PieceText(job, plan, piece));
        line += "  残 " + PlanLength(BarOffcut(plan, run));
        if (run.count > 1) line += "  (" + std::to_string(run.count) + "本)";
        out += line + "\n";
    }
    out += "棒材の数\n";
    for (int t = static_cast<int>(plan.stockLength.size()) - 1; t >= 0; --t) {
        const auto i = static_cast<std::size_t>(t);
        if (plan.resultCount[i] < 1) continue;
        std::string line = PadLeft(FormatSingle(DisplayedStockLength(plan, t)), 9) + "  " +
                           PadLeft(std::to_string(plan.resultCount[i]), 5) + "本";
        if (plan.allPricesGiven) line += "  (" + FormatSingle(plan.barCost[i]) + "円/本)";
        out += line + "\n";
    }
    out += " 合計  " + PadLeft(std::to_string(plan.resultBarCount), 9) + "本";
    if (plan.allPricesGiven)
        out += "  " + FormatSingle(plan.bestCost) + "円";
    else
        out += "  (長さ計 " + FormatSingle(plan.bestCost) + ")";
    out += "\n";
    if (outcome.optimised) out += OptimalSummaryText(plan) + "\n";
    return out;
}

std::string ShowJson(const BarJob& job) {
    Json root = Json::MakeObject();
    root["title"] = job.jobTitle;
    root["kerf"] = job.kerf;
    root["showPartCodes"] = job.showPartCodes;
    root["rowCount"] = static_cast<int>(job.cutList.rowCount);
    Json stock = Json::MakeArray();
    for (int s = 0; s < StockInUse(job); ++s) {
        const auto i = static_cast<std::size_t>(s);
        Json entry = Json::MakeObject();
        entry["length"] = job.stock.stockEntryLength[i];
        entry["price"] = job.stock.stockEntryPrice[i];
        entry["count"] = static_cast<int>(job.stock.stockEntryCount[i]);
        stock.Push(std::move(entry));
    }
    root["stock"] = std::move(stock);
    Json rows = Json::MakeArray();
    for (int r = 0; r < RowsInUse(job); ++r) {
        const auto i = static_cast<std::size_t>(r);
        Json row = Json::MakeObject();
        row["length"] = job.cutList.cutLength[i];
        row["quantity"] = static_cast<int>(job.cutList.cutQuantity[i]);
        row["code"] = job.cutList.cutComment[i];
        rows.Push(std::move(row));
    }
    root["rows"] = std::move(rows);
    return root.Dump() + "\n";
}

std::string ShowText(const BarJob& job) {
    std::string out;
    out += "表題: " + job.jobTitle + "\n";
    out += "棒材サイズ:";
    if (StockInUse(job) == 0) out += " (なし)";
    out += "\n";
    for (int s = 0; s < StockInUse(job); ++s) {
        const auto i = static_cast<std::size_t>(s);
        out += "  " + PadLeft(FormatSingle(job.stock.stockEntryLength[i]), 9) + "  金額 " +
               FormatSingle(job.stock.stockEntryPrice[i]) + "  本数制限 " +
               std::to_string(job.stock.stockEntryCount[i]) + "\n";
    }
    out += "切断幅: " + FormatSingle(job.kerf) + "\n";
    out += std::string("型番表示: ") + (job.showPartCodes ? "on" : "off") + "\n";
    out += "カットサイズ: " + std::to_string(job.cutList.rowCount) + " 行\n";
    for (int r = 0; r < RowsInUse(job); ++r) {
        const auto i = static_cast<std::size_t>(r);
        std::string number = "(";
        number.append(std::to_string(r + 1)).append(")");
        std::string line = PadLeft(number, 8) + "  " +
                           PadLeft(FormatSingle(job.cutList.cutLength[i]), 9) + " x " +
                           PadLeft(std::to_string(job.cutList.cutQuantity[i]), 5);
        if (job.showPartCodes) line += "  " + job.cutList.cutComment[i];
        out += line + "\n";
    }
    return out;
}

}  // namespace tvx::bar::cli
