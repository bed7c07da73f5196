#include "bar/output/plan_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/number_text.h"

namespace tvx::bar {
namespace {

constexpr std::int64_t kMaxMoney = std::numeric_limits<std::int64_t>::max();

std::int64_t WholeYen(float price) {
    const double rounded = RoundHalfEven(static_cast<double>(price));
    if (!(rounded > 0)) return 0;
    if (rounded >= 9.0e18) return kMaxMoney;
    return static_cast<std::int64_t>(rounded);
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kMaxMoney : sum;
}

std::int64_t SaturatingMul(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kMaxMoney : product;
}

std::int64_t CountOf(const BarPlan& plan, std::size_t type) {
    return type < plan.resultCount.size() ? std::max<std::int64_t>(0, plan.resultCount[type]) : 0;
}

// The stock types with bars, longest first (the table is ascending).
std::vector<std::size_t> UsedTypesLongestFirst(const BarPlan& plan) {
    std::vector<std::size_t> types;
    for (std::size_t t = plan.stockLength.size(); t-- > 0;)
        if (CountOf(plan, t) >= 1) types.push_back(t);
    return types;
}

std::string PricePart(const BarPlan& plan, std::size_t type) {
    const float price = type < plan.barCost.size() ? plan.barCost[type] : 0.0f;
    return RightAlignedText("（" + Grouped(WholeYen(price)) + "円/本）", 13);
}

// The displayed stock length in 5 characters, four spaces and the count in 3 with "本".
std::string StockCountText(const BarPlan& plan, std::size_t type) {
    return RightAlignedText(PlanLength(DisplayedStockLength(plan, static_cast<int>(type))), 5) +
           "    " + RightAligned(CountOf(plan, type), 3) + "本";
}

}  // namespace

std::string PlanLength(double length) {
    return PlainDecimal(length);
}

double BarOffcut(const BarPlan& plan, const BarRun& bar) {
    const double remainder = BarRemainder(plan, bar);
    if (!(remainder > 0)) return 0.0;
    return std::max(0.0, remainder - static_cast<double>(plan.kerf));
}

std::int64_t TotalBars(const BarPlan& plan) {
    std::int64_t total = 0;
    for (std::size_t t = 0; t < plan.resultCount.size(); ++t)
        total = SaturatingAdd(total, CountOf(plan, t));
    return total;
}

std::int64_t TotalCost(const BarPlan& plan) {
    if (!plan.allPricesGiven) return 0;
    std::int64_t total = 0;
    for (std::size_t t = 0; t < plan.resultCount.size() && t < plan.barCost.size(); ++t)
        total = SaturatingAdd(total, SaturatingMul(CountOf(plan, t), WholeYen(plan.barCost[t])));
    return total;
}

std::vector<std::string> PartCodeItems(const BarPlan& plan, const BarRun& bar) {
    std::vector<std::int16_t> kinds;
    std::vector<int> counts;
    for (const std::int16_t piece : bar.pieces) {
        const auto found = std::find(kinds.begin(), kinds.end(), piece);
        if (found == kinds.end()) {
            kinds.push_back(piece);
            counts.push_back(1);
        } else {
            ++counts[static_cast<std::size_t>(found - kinds.begin())];
        }
    }
    std::vector<std::string> items;
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const auto piece = static_cast<std::size_t>(kinds[k]);
        const std::string code = piece < plan.pieceComment.size() ? plan.pieceComment[piece] : "";
        std::string item = code + "    " + PlanLength(DisplayedPieceLength(plan, kinds[k]));
        if (counts[k] > 1) item += " (" + std::to_string(counts[k]) + ")";
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<std::string> WrapItems(const std::vector<std::string>& items, double maxWidth,
                                   const std::function<double(const std::string&)>& width) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& item : items) {
        if (line.empty()) {
            line = item;
            continue;
        }
        const std::string joined = line + "  " + item;
        if (width(joined) <= maxWidth) {
            line = joined;
        } else {
            lines.push_back(line);
            line = item;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

BarSummary BarSummaryLines(const BarPlan& plan) {
    BarSummary summary;
    for (const std::size_t type : UsedTypesLongestFirst(plan)) {
        std::string line = StockCountText(plan, type);
        if (plan.allPricesGiven) line += PricePart(plan, type);
        summary.lines.push_back(std::move(line));
    }
    summary.total = " 合計   " + RightAligned(TotalBars(plan), 4) + "本";
    if (plan.allPricesGiven) summary.total += Grouped(TotalCost(plan)) + "円";
    return summary;
}

std::string PrintedBarTotalLine(const BarPlan& plan) {
    return "合計  " + RightAligned(TotalBars(plan), 5) + "本";
}

std::vector<std::string> PrintedSummaryLines(const BarPlan& plan) {
    std::vector<std::string> lines;
    for (const std::size_t type : UsedTypesLongestFirst(plan)) {
        std::string line = "     " + StockCountText(plan, type);
        if (plan.allPricesGiven) line += PricePart(plan, type);
        lines.push_back(std::move(line));
    }
    std::string total = "合計     " + RightAligned(TotalBars(plan), 4) + "本";
    if (plan.allPricesGiven) total += "   " + Grouped(TotalCost(plan)) + "円";
    lines.push_back(std::move(total));
    return lines;
}

std::vector<std::string> PrintedCutListLines(const BarPlanView& view) {
    std::vector<std::string> lines;
    for (const PlannedRow& row : view.rows) {
        std::string line = "     " + RightAlignedText(PlanLength(row.length), 9) + "    " +
                           RightAligned(row.quantity, 5) + "本";
        if (view.showPartCodes && !row.partCode.empty()) line += "    " + row.partCode;
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tvx::bar
