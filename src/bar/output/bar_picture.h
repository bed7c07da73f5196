#pragma once
// Drawing a bar plan on a drawing surface: the result picture beside the cut list (only the
// rows in view) and the bar rows of the printed plan share one routine for a bar.

#include <QColor>
#include <cstdint>

#include "bar/output/bar_plan_view.h"
#include "bar/output/picture_layout.h"
#include "common/gui/draw_surface.h"

namespace tvx::bar {

// Colours 1 and 4 of the classic 16-colour palette.
inline const QColor kDarkBlue{0, 0, 128};
inline const QColor kDarkRed{128, 0, 0};

inline constexpr double kLabelFontSize = 10.0;
inline constexpr double kPieceFontSize = 8.0;

// The layout of the picture, with labels measured on `surface` at the label font.
BarPictureLayout MakeBarPictureLayout(gui::DrawSurface& surface, const BarPlanView& view);

// Draws rows firstRow .. firstRow + visibleRows - 1 of the picture at their picture positions
// (row r's top is layout.RowTop(r)). The caller sets the surface's user scale in picture units
// with its origin at (horizontal scroll, layout.ScrollTop(firstRow)) and clears the surface.
void DrawBarPicture(gui::DrawSurface& surface, const BarPlanView& view,
                    const BarPictureLayout& layout, std::int64_t firstRow,
                    std::int64_t visibleRows);

// The width of the whole picture (for the horizontal scroll bar): the bars with their offcut
// labels, and with part codes the widest code list. Measured once per run of the plan.
double BarPictureWidth(gui::DrawSurface& surface, const BarPlanView& view,
                       const BarPictureLayout& layout);

// One bar at `rowTop`: the line from `left` over `span` units for the longest stock
// `longest`, ticks at both ends and every cut, piece lengths, and the offcut after the last
// piece written as `remainderPrefix` + length in dark blue. Returns the right end of the
// text written on the bar line.
double DrawBar(gui::DrawSurface& surface, const BarPlan& plan, const BarRun& bar, double left,
               double span, double longest, double rowTop, const char* remainderPrefix);

}  // namespace tvx::bar
