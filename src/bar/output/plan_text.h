#pragma once
// The texts of a bar plan, as the picture, the summary beside it and the printed plan write
// them: lengths, offcuts, part-code lists, the "棒材の数" summary, the printed totals and the
// cut list. No Qt.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bar/output/bar_plan_view.h"

namespace tvx::bar {

inline constexpr const char* kSummaryHeader = "棒材の数";
inline constexpr const char* kPrintedSummaryHeading = "棒材の長さ，必要本数";
inline constexpr const char* kPrintedCutListHeading = "カットする長さ";
inline constexpr const char* kPictureRemainderPrefix = "残 ";
inline constexpr const char* kPrintedRemainderPrefix = "残り ";

// A length as the plan writes it (plain decimal, at most three places).
std::string PlanLength(double length);

// The offcut really left of a bar: its remainder less the kerf of the last cut when there is
// a remainder at all (never below 0).
double BarOffcut(const BarPlan& plan, const BarRun& bar);

// Stock type of each bar and the number of bars of every type in the plan, summed safely.
std::int64_t TotalBars(const BarPlan& plan);
// The money of the plan: bars of each type times its price (rounded to whole yen), summed in
// 64 bits (saturating); 0 when not every price is given.
std::int64_t TotalCost(const BarPlan& plan);

// The part-code list of a bar: each piece kind once, in slot order of first appearance, as
// code + "    " + cut length, and " (n)" when the kind occurs n > 1 times on the bar.
std::vector<std::string> PartCodeItems(const BarPlan& plan, const BarRun& bar);

// Joins items (separated by two spaces) into lines no wider than `maxWidth`, as measured by
// `width`; an item wider than a line gets a line of its own. No items give no lines.
std::vector<std::string> WrapItems(const std::vector<std::string>& items, double maxWidth,
                                   const std::function<double(const std::string&)>& width);

// The summary beside the picture: one line per stock type used, longest first, and the total.
struct BarSummary {
    std::vector<std::string> lines;
    std::string total;
};
BarSummary BarSummaryLines(const BarPlan& plan);

// The printed "合計" line after the bars.
std::string PrintedBarTotalLine(const BarPlan& plan);
// The printed summary block under "棒材の長さ，必要本数": the lines and then the total line.
std::vector<std::string> PrintedSummaryLines(const BarPlan& plan);
// The printed cut list under "カットする長さ": one line per valid row, with its part code
// when the plan shows part codes.
std::vector<std::string> PrintedCutListLines(const BarPlanView& view);

}  // namespace tvx::bar
