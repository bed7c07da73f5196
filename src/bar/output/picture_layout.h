#pragma once
// Where everything of the bar picture goes: the rows (one per bar, or in display mode 1 one
// per run of identical bars of the same stock type), their labels, the left margin that fits
// the widest label, and the scale that makes the longest used stock 1600 units long. Rows are
// found by a binary search over the plan's runs, so a plan of tens of thousands of bars costs
// nothing until its rows are drawn. Units are the picture's (twips). No Qt.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bar/output/bar_plan_view.h"

namespace tvx::bar {

inline constexpr double kPictureRowHeight = 250.0;
inline constexpr double kPictureRowHeightWithCodes = 350.0;
inline constexpr double kPictureFirstRowOffset = -150.0;  // row 0 starts here + a row height
inline constexpr double kPictureBottomMargin = 150.0;
inline constexpr double kPictureBarSpan = 1600.0;
inline constexpr double kPictureLabelGap = 100.0;
inline constexpr double kPictureCodesX = 2100.0;
inline constexpr double kPictureRunMarkX = 1200.0;
inline constexpr double kPictureNumberX = 50.0;
inline constexpr double kBarAxis = 100.0;  // below the row top
inline constexpr double kTickTop = 60.0;
inline constexpr double kTickBottom = 140.0;
inline constexpr double kCodesLine = 140.0;

// One row of the picture.
struct PictureRow {
    std::size_t run = 0;        // the plan's run the row draws
    std::int64_t firstBar = 0;  // 0-based plan position of the first bar the row stands for
    std::int64_t bars = 1;      // bars the row stands for (1 in display mode 0)
};

// Rows of a plan in a display mode: runs of identical bars in mode 1 (neighbouring runs of
// the same stock type and pieces are one row), single bars in mode 0.
class PictureRows {
  public:
    PictureRows(const BarPlan& plan, int displayMode);
    std::int64_t Count() const { return rows_; }
    // Row r (0 <= r < Count()).
    PictureRow At(std::int64_t r) const;
    int displayMode() const { return mode_; }
    // The distinct bar counts of the rows (mode 1), for measuring the widest label.
    std::vector<std::int64_t> DistinctRunSizes() const;

  private:
    struct Group {
        std::size_t run;
        std::int64_t firstBar;
        std::int64_t bars;
        std::int64_t firstRow;
    };
    std::vector<Group> groups_;
    std::int64_t rows_ = 0;
    int mode_ = 0;
};

// The label of a row: the bar number (1-based) in mode 0, the run size and "本" in mode 1.
std::string RowLabel(const PictureRows& rows, const PictureRow& row);

class BarPictureLayout {
  public:
    // `labelWidth` measures a label at the label font (size 10).
    BarPictureLayout(const BarPlanView& view,
                     const std::function<double(const std::string&)>& labelWidth);

    const PictureRows& rows() const { return rows_; }
    std::int64_t RowCount() const { return rows_.Count(); }
    double RowHeight() const { return rowHeight_; }
    double RowTop(std::int64_t r) const {
        return kPictureFirstRowOffset + rowHeight_ * static_cast<double>(r + 1);
    }
    // The widest label plus 100.
    double Margin() const { return margin_; }
    // The longest used stock (with kerf), which spans 1600 units.
    double LongestStock() const { return longest_; }
    double X(double length) const { return margin_ + length * kPictureBarSpan / longest_; }
    // Where the part codes start: 2100, or right of the bars when the margin is wider.
    double CodesX() const;
    // Height of the whole picture: every row and a bottom margin.
    double PictureHeight() const;
    // The scroll origin that shows row `firstRow` at the top of the frame.
    double ScrollTop(std::int64_t firstRow) const {
        return rowHeight_ * static_cast<double>(firstRow);
    }
    // Rows that fit a frame of `height` units (at least 1).
    std::int64_t VisibleRows(double height) const;

  private:
    PictureRows rows_;
    double rowHeight_;
    double margin_ = kPictureLabelGap;
    double longest_ = 1.0;
};

// The longest stock (with kerf) of a type with bars; 0 without any.
double LongestUsedStock(const BarPlan& plan);

}  // namespace tvx::bar
