#pragma once
// The cutting diagram of one stock panel: hatched waste, white parts with their sizes and row
// numbers, the sizes of the larger offcuts, the size label when several sizes are in use and
// the stack marker of identical panels. The same code draws the screen page and the printer
// page; the surface tells which it is.

#include <vector>

#include "common/gui/draw_surface.h"
#include "panel/engine/layout_types.h"
#include "panel/output/view_geometry.h"

namespace tvx::panel {

// One cell of the page, for mouse hits: the panel's rectangle in page coordinates.
struct CellEntry {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int panel = -1;
};

// What the diagrams of one page leave behind.
struct PageCells {
    std::vector<CellEntry> cells;  // columns x rows entries
    double lowestEdge = 0.0;       // bottom of the lowest diagram drawn on the page

    void Reset(int cellsPerPage);
    // The panel whose cell holds the point, or -1.
    int PanelAt(double x, double y) const;
};

struct DiagramContext {
    const LayoutInput& input;
    const PanelLayoutResult& result;
    const ViewGeometry& view;
    bool severalSizes = false;   // more than one stock size in use: size labels
    bool chargingShown = false;  // cut-sale pricing with the price display on
};

// A row of equal-height parts shows its height once, on the leftmost part; a column of
// equal-width parts shows its width once, on the topmost.
bool HeightLabelSuppressed(const LayoutInput& input, const PanelState& panel, int placement);
bool WidthLabelSuppressed(const LayoutInput& input, const PanelState& panel, int placement);

// Sets the surface's font to the size a dimension label of `text` takes on a part whose real
// extents are xExtent by yExtent, and returns it (10 or 8 points to start, then 8, 6, 4).
double FitLabelFont(gui::DrawSurface& surface, const QString& text, double xExtent, double yExtent,
                    int zoom);

struct TextPlace {
    double fontSize = 0;
    double left = 0;
    double top = 0;
};
// Where the row number of a part goes: its bottom-right corner, smaller and further in when
// the part is low or narrow.
TextPlace PlaceRowNumber(gui::DrawSurface& surface, const QString& text, double x, double y,
                         double xExtentWithoutKerf, double yExtent);

struct FreeRectLabel {
    QString text;
    double left = 0;
    double top = 0;
};
// The labels of the offcuts larger than 30 % of the stock area: the height of those lower
// than the panel, the width of those narrower than it. Measured at the current font size.
std::vector<FreeRectLabel> FreeRectLabels(gui::DrawSurface& surface, const LayoutInput& input,
                                          const PanelState& panel, double u);

// Draws panel `panel` in cell `cell` (counted over the whole result) and records the cell.
void DrawPanelDiagram(gui::DrawSurface& surface, const DiagramContext& context, int cell, int panel,
                      PageCells& page);
// The stacked sheet edges and "n枚" of a group of identical panels drawn in `cell`.
void DrawStackMarker(gui::DrawSurface& surface, const DiagramContext& context, int cell, int panel,
                     int count);

}  // namespace tvx::panel
