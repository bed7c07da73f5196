#pragma once
// The geometry of the result page: view size from the zoom level, margins, the grid of cells
// one panel each, and the two zoom steps with their fit corrections.

#include <cstdint>

namespace tvx::panel {

inline constexpr std::int16_t kInitialZoom = 28;
inline constexpr std::int16_t kZoomStep = 5;
inline constexpr double kViewAspect = 0.73;  // VW / VH

struct ViewGeometry {
    std::int32_t W = 0;  // largest panel drawing extents (stock + kerf)
    std::int32_t H = 0;
    std::int16_t zoom = kInitialZoom;
    double VW = 0.0, VH = 0.0;
    double ML = 0.0, MT = 0.0;
    double u = 0.0;
    std::int16_t columns = 1, rows = 1;
    double GX = 0.0, GY = 0.0;

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
