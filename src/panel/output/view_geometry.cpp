#include "panel/output/view_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/number_text.h"

namespace tvx::panel {

namespace {
std::int16_t ZoomFromView(const ViewGeometry& g) {
    const double w = std::max<double>(g.W, 1.0);
    const double h = std::max<double>(g.H, 1.0);
    const double zoom = RoundHalfEven(g.VH * g.VH / w / h);
    return static_cast<std::int16_t>(std::clamp(zoom, 1.0, 32767.0));
}

bool IsTall(const ViewGeometry& g) {
    return g.H * kViewAspect > g.W;
}
}  // namespace

double ViewGeometry::CellX(int k) const {
    const int l = k % CellsPerPage();
    return ML + (l % columns) * (GX + W);
}

double ViewGeometry::CellY(int k) const {
    const int l = k % CellsPerPage();
    return MT + (l / columns) * (GY + H);
}

void UpdateMargins(ViewGeometry& g) {
    g.MT = g.VH * kMarginShare;
    g.ML = g.VW * kMarginShare;
    g.u = g.VW * kDrawingUnitShare;
}

void ApplyZoom(ViewGeometry& g) {
    g.VH = std::sqrt(static_cast<double>(g.W) * g.H * g.zoom);
    g.VW = g.VH * kViewAspect;
}

void ComputePageGrid(ViewGeometry& g) {
    const double c = g.W * kNarrowPanelShare >= kNarrowPanelSpan ? g.W : g.W + kNarrowPanelExtra;
    const double across = c > 0 ? std::floor((g.VW - g.ML) / (c * kCellStepFactor)) : 1.0;
    const double rowStep = g.MT * kRowGapShare + g.H;
    const double down = rowStep > 0 ? std::floor((g.VH - g.MT) / rowStep) : 1.0;
    // A view too small for one panel still shows one cell; the gap formula divides by it.
    g.columns = static_cast<std::int16_t>(std::clamp(across, 1.0, 1000.0));
    g.rows = static_cast<std::int16_t>(std::clamp(down, 1.0, 1000.0));
    g.GX = ((g.VW - g.ML) - g.columns * static_cast<double>(g.W)) / g.columns;
    g.GY = g.MT * kRowGapShare;
}

ViewGeometry InitialView(std::int32_t W, std::int32_t H) {
    ViewGeometry g;
    g.W = std::max(W, 1);
    g.H = std::max(H, 1);
    g.zoom = kInitialZoom;
    ApplyZoom(g);
    bool corrected = false;
    if (IsTall(g)) {
        if (g.VH < kInitialPanelsFit * g.H) {
            g.VH = kInitialPanelsFit * g.H;
            g.VW = g.VH * kViewAspect;
            corrected = true;
        }
    } else if (g.VW < kInitialPanelsFit * g.W) {
        g.VW = kInitialPanelsFit * g.W;
        g.VH = g.VW / kViewAspect;
        corrected = true;
    }
    if (corrected) g.zoom = ZoomFromView(g);
    UpdateMargins(g);
    ComputePageGrid(g);
    return g;
}

void ZoomOut(ViewGeometry& g) {
    g.zoom = static_cast<std::int16_t>(
        std::min<int>(g.zoom + kZoomStep, std::numeric_limits<std::int16_t>::max()));
    ApplyZoom(g);
    UpdateMargins(g);
    ComputePageGrid(g);
}

void ZoomIn(ViewGeometry& g) {
    const double oldMT = g.MT;
    const double oldML = g.ML;
    g.zoom = static_cast<std::int16_t>(std::max(g.zoom - kZoomStep, 1));
    ApplyZoom(g);
    bool corrected = false;
    if (IsTall(g)) {
        if (g.VH - 2.0 * oldMT < g.H) {
            g.VH = 2.0 * oldMT + g.H;
            g.VW = g.VH * kViewAspect;
            corrected = true;
        }
    } else if (g.W * kEnlargedWidthPerPanel > g.VW - oldML) {
        g.VW = g.W * kEnlargedWidthPerPanel + oldML;
        g.VH = g.VW / kViewAspect;
        corrected = true;
    }
    if (corrected) g.zoom = ZoomFromView(g);
    UpdateMargins(g);
    ComputePageGrid(g);
}

}  // namespace tvx::panel
