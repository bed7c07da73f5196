#include "bar/output/picture_layout.h"

#include <algorithm>
#include <cmath>

namespace tvx::bar {
namespace {

bool SameBars(const BarRun& a, const BarRun& b) {
    return a.stockType == b.stockType && a.pieces == b.pieces;
}

}  // namespace

PictureRows::PictureRows(const BarPlan& plan, int displayMode) : mode_(displayMode == 1 ? 1 : 0) {
    std::int64_t bar = 0;
    for (std::size_t i = 0; i < plan.resultBars.size(); ++i) {
        const BarRun& run = plan.resultBars[i];
        const std::int64_t count = std::max<std::int64_t>(0, run.count);
        if (count == 0) continue;
        if (mode_ == 1 && !groups_.empty() && SameBars(plan.resultBars[groups_.back().run], run)) {
            groups_.back().bars += count;
        } else {
            groups_.push_back({i, bar, count, 0});
        }
        bar += count;
    }
    for (Group& g : groups_) {
        g.firstRow = rows_;
        rows_ += mode_ == 1 ? 1 : g.bars;
    }
}

PictureRow PictureRows::At(std::int64_t r) const {
    if (groups_.empty()) return {};
    r = std::clamp<std::int64_t>(r, 0, rows_ - 1);
    const auto after =
        std::upper_bound(groups_.begin(), groups_.end(), r,
                         [](std::int64_t row, const Group& g) { return row < g.firstRow; });
    const Group& g = *(after - 1);
    if (mode_ == 1) return {g.run, g.firstBar, g.bars};
    return {g.run, g.firstBar + (r - g.firstRow), 1};
}

std::vector<std::int64_t> PictureRows::DistinctRunSizes() const {
    std::vector<std::int64_t> sizes;
    for (const Group& g : groups_) sizes.push_back(g.bars);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

std::string RowLabel(const PictureRows& rows, const PictureRow& row) {
    if (rows.displayMode() == 1) return std::to_string(row.bars) + "本";
    return std::to_string(row.firstBar + 1);
}

double LongestUsedStock(const BarPlan& plan) {
    for (std::size_t t = plan.stockLength.size(); t-- > 0;) {
        if (t < plan.resultCount.size() && plan.resultCount[t] >= 1)
            return static_cast<double>(plan.stockLength[t]);
    }
    return 0.0;
}

BarPictureLayout::BarPictureLayout(const BarPlanView& view,
                                   const std::function<double(const std::string&)>& labelWidth)
    : rows_(view.plan, view.displayMode),
      rowHeight_(view.showPartCodes ? kPictureRowHeightWithCodes : kPictureRowHeight) {
    const double longest = LongestUsedStock(view.plan);
    longest_ = std::isfinite(longest) && longest > 0 ? longest : 1.0;
    double widest = 0.0;
    if (rows_.displayMode() == 1) {
        for (const std::int64_t size : rows_.DistinctRunSizes())
            widest = std::max(widest, labelWidth(std::to_string(size) + "本"));
    } else if (rows_.Count() > 0) {
        // Numbers grow with the row, so the last one is the widest of its digit count; a
        // shorter number of the same width is measured too for fonts without equal digits.
        widest = std::max(labelWidth(std::to_string(rows_.Count())),
                          labelWidth(std::string(std::to_string(rows_.Count()).size(), '8')));
    }
    margin_ = widest + kPictureLabelGap;
}

double BarPictureLayout::CodesX() const {
    return std::max(kPictureCodesX, margin_ + kPictureBarSpan + kPictureLabelGap * 4);
}

double BarPictureLayout::PictureHeight() const {
    return rowHeight_ * static_cast<double>(RowCount()) + kPictureBottomMargin;
}

std::int64_t BarPictureLayout::VisibleRows(double height) const {
    const double rows = std::floor((height - kPictureBottomMargin) / rowHeight_);
    return rows >= 1 ? static_cast<std::int64_t>(std::min(rows, 1.0e15)) : 1;
}

}  // namespace tvx::bar
