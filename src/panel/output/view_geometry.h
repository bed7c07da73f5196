#pragma once
// The geometry of the result page: view size from the zoom level, margins, the grid of cells
// one panel each, and the two zoom steps with their fit corrections.

#include <cstdint>

namespace tvx::panel {

inline constexpr std::int16_t kInitialZoom = 28;
inline constexpr std::int16_t kZoomStep = 5;

// Page proportions. Every length of the page is a share of the view, so that the screen, the
// printer and the PDF show the same page at any size.
inline constexpr double kViewAspect = 0.73;         // VW / VH: a portrait page
inline constexpr double kMarginShare = 0.1;         // MT of VH and ML of VW
inline constexpr double kDrawingUnitShare = 0.006;  // u of VW: small offsets of labels and marks
inline constexpr double kTitleTopShare = 0.03;      // the job title's Y, of VH
inline constexpr double kFooterTopShare = 0.97;     // the page number's Y, of VH
inline constexpr double kFooterRoomShare = 0.03;    // of VH: kept free for the page number

// Fit corrections: the view opens at least this many panels tall (or wide)...
inline constexpr double kInitialPanelsFit = 2.0;
// ...and after "拡大" still has room for one panel across with a little air beside it.
inline constexpr double kEnlargedWidthPerPanel = 1.16;

// The page grid. A cell is a panel plus a gap; narrow panels get a wider step, so that the
// labels beside them do not run into the next cell.
inline constexpr double kNarrowPanelShare = 0.15;  // W × this below kNarrowPanelSpan: narrow
inline constexpr double kNarrowPanelSpan = 90.0;
inline constexpr double kNarrowPanelExtra = 80.0;  // added to a narrow panel's step
inline constexpr double kCellStepFactor = 1.15;    // a cell step over its panel's step basis
inline constexpr double kRowGapShare = 0.6;        // GY of MT

// The names follow the page description: W, H, VW, VH, ML, MT, u, GX, GY.
struct ViewGeometry {
    std::int32_t W = 0;  // largest panel drawing extents (stock + kerf): width...
    std::int32_t H = 0;  // ...and height, over every non-empty panel of the result
    std::int16_t zoom = kInitialZoom;
    double VW = 0.0;  // view width (layout units; the surface shows 0..VW)
    double VH = 0.0;  // view height (0..VH)
    double ML = 0.0;  // left margin
    double MT = 0.0;  // top margin
    double u = 0.0;   // drawing unit for small offsets
    std::int16_t columns = 1, rows = 1;
    double GX = 0.0;  // horizontal gap between cells
    double GY = 0.0;  // vertical gap between cells

    int CellsPerPage() const { return static_cast<int>(columns) * rows; }
    // Origin of cell k (counted over the whole result) on its page.
    double CellX(int k) const;
    double CellY(int k) const;
    int PageOfCell(int k) const { return k / CellsPerPage(); }
};

// VH, VW from the zoom level, then margins and u.
void ApplyZoom(ViewGeometry& g);
void UpdateMargins(ViewGeometry& g);
// Columns, rows, GX and GY; never fewer than one column and one row.
void ComputePageGrid(ViewGeometry& g);
// The view as it opens: zoom 28, enlarged so one panel fits, the grid.
ViewGeometry InitialView(std::int32_t W, std::int32_t H);
// "縮小": zoom + 5, no correction.
void ZoomOut(ViewGeometry& g);
// "拡大": zoom - 5 (at least 1), then corrected so one panel still fits.
void ZoomIn(ViewGeometry& g);

}  // namespace tvx::panel
