#include "panel/output/cutting_diagram.h"

#include <algorithm>
#include <cmath>

#include "common/gui/qt_text.h"
#include "common/number_text.h"
#include "panel/engine/geometry.h"
#include "panel/output/number_pictures.h"

namespace tvx::panel {

namespace {

using gui::DrawSurface;
using gui::FillStyle;
using gui::LineStyle;

const StockSize& SizeOf(const LayoutInput& input, const PanelState& panel) {
    return input
        .sizes[static_cast<std::size_t>(std::clamp<int>(panel.sizeIndex, 0, kSlotCount - 1))];
}

// The real (typed) extents of a placed part along X and Y.
struct RealExtent {
    float x, y;
};
RealExtent RealExtentOf(const LayoutInput& input, const Placement& p) {
    const PartRow& row = input.rows[static_cast<std::size_t>(p.row)];
    return p.turned ? RealExtent{row.rawHeight, row.rawWidth}
                    : RealExtent{row.rawWidth, row.rawHeight};
}

void DrawHeightLabel(DrawSurface& s, const DiagramContext& c, const PlacedBox& box,
                     const RealExtent& real) {
    const QString text = Q(LabelValue(real.y));
    FitLabelFont(s, text, real.x, real.y, c.view.zoom);
    s.PrintAt(box.x + 10, box.y + box.height / 2.0 - s.TextHeight(text) / 2.0, text);
}

void DrawWidthLabel(DrawSurface& s, const DiagramContext& c, const PlacedBox& box,
                    const RealExtent& real) {
    const QString text = Q(LabelValue(real.x));
    FitLabelFont(s, text, real.x, real.y, c.view.zoom);
    s.PrintAt(box.x + box.width / 2.0 - s.TextWidth(text) / 2.0, box.y, text);
}

void DrawRowNumber(DrawSurface& s, const DiagramContext& c, const Placement& p,
                   const PlacedBox& box) {
    const QString text = QString::number(p.row + 1);
    const TextPlace place =
        PlaceRowNumber(s, text, box.x, box.y, box.width - c.input.kerf, box.height);
    s.SetFontSize(place.fontSize);
    s.SetItalic(true);
    s.PrintAt(place.left, place.top, text);
    s.SetItalic(false);
}

void DrawFreeRectLabels(DrawSurface& s, const DiagramContext& c, const PanelState& panel) {
    s.SetFontSize(6);
    const double h = c.view.u / 2.0;
    for (const FreeRectLabel& label : FreeRectLabels(s, c.input, panel, c.view.u)) {
        s.FilledBox(label.left - h / 2, label.top - h / 2,
                    label.left - h / 2 + s.TextWidth(label.text) + h,
                    label.top - h / 2 + s.TextHeight(label.text) + h, Qt::white);
        s.PrintAt(label.left, label.top, label.text);
    }
}

}  // namespace

void PageCells::Reset(int cellsPerPage) {
    cells.assign(static_cast<std::size_t>(std::max(cellsPerPage, 0)), CellEntry{});
    lowestEdge = 0.0;
}

int PageCells::PanelAt(double x, double y) const {
    for (const CellEntry& cell : cells) {
        if (cell.panel >= 0 && x >= cell.x0 && x <= cell.x1 && y >= cell.y0 && y <= cell.y1) {
            return cell.panel;
        }
    }
    return -1;
}

bool HeightLabelSuppressed(const LayoutInput& input, const PanelState& panel, int placement) {
    const PlacedBox me = BoxOf(input, panel.placements[static_cast<std::size_t>(placement)]);
    const int n = PlacementAt(input, panel, me.x - 1, me.y);
    if (n < 0) return false;
    const PlacedBox other = BoxOf(input, panel.placements[static_cast<std::size_t>(n)]);
    return other.height == me.height && other.y == me.y;
}

bool WidthLabelSuppressed(const LayoutInput& input, const PanelState& panel, int placement) {
    const PlacedBox me = BoxOf(input, panel.placements[static_cast<std::size_t>(placement)]);
    const int n = PlacementAt(input, panel, me.x, me.y - 1);
    if (n < 0) return false;
    const PlacedBox other = BoxOf(input, panel.placements[static_cast<std::size_t>(n)]);
    return other.width == me.width && other.x == me.x;
}

double FitLabelFont(DrawSurface& s, const QString& text, double xExtent, double yExtent, int zoom) {
    s.SetFontSize(zoom > 29 ? 8 : 10);
    if (yExtent / 2 <= s.TextHeight(text)) s.SetFontSize(8);
    if (xExtent / 2 <= s.TextWidth(text)) s.SetFontSize(8);
    if (yExtent / 2 <= s.TextHeight(text)) s.SetFontSize(6);
    if (xExtent / 2 <= s.TextWidth(text)) s.SetFontSize(6);
    if (s.TextHeight(text) >= yExtent) s.SetFontSize(4);
    if (s.TextWidth(text) >= xExtent) s.SetFontSize(4);
    return s.fontSize();
}

TextPlace PlaceRowNumber(DrawSurface& s, const QString& text, double x, double y,
                         double xExtentWithoutKerf, double yExtent) {
    const bool printer = s.IsPrinter();
    TextPlace place;
    place.fontSize = printer ? 10 : 8;
    s.SetFontSize(place.fontSize);
    double th = s.TextHeight(text);
    double tw = s.TextWidth(text);
    if (yExtent < th * 1.2 || xExtentWithoutKerf < tw * 1.7) {
        place.fontSize = 5;
        s.SetFontSize(place.fontSize);
        th = s.TextHeight(text);
        tw = s.TextWidth(text);
    }
    place.top = yExtent < th * 1.2 ? y + yExtent - th * (printer ? 1.2 : 1.1) : y + yExtent - th;
    place.left = xExtentWithoutKerf < tw * 1.7 ? x + xExtentWithoutKerf - tw * (printer ? 1.7 : 1.3)
                                               : x + xExtentWithoutKerf - tw;
    return place;
}

std::vector<FreeRectLabel> FreeRectLabels(DrawSurface& s, const LayoutInput& input,
                                          const PanelState& panel, double u) {
    std::vector<FreeRectLabel> labels;
    const StockSize& size = SizeOf(input, panel);
    const double threshold =
        RoundHalfEven(0.3 * static_cast<double>(size.rawHeight) * size.rawWidth);
    const double pw = size.enlargedWidth;
    const double ph = size.enlargedHeight;
    for (const FreeRect& f : panel.freeRects) {
        if (static_cast<double>(f.width) * f.height <= threshold) continue;
        if (f.height < size.rawHeight) {
            FreeRectLabel label;
            label.text = QString::number(f.height - input.kerf);
            label.left = (f.x + f.width < size.rawWidth || f.x < 1)
                             ? f.x + u
                             : pw - s.TextWidth(label.text) - u;
            label.top = f.y + f.height / 2.0;
            labels.push_back(label);
        }
        if (f.width < size.rawWidth) {
            FreeRectLabel label;
            label.text = QString::number(f.width - input.kerf);
            label.top = (f.y + f.height < size.rawHeight || f.y < 1)
                            ? f.y + u
                            : ph - s.TextHeight(label.text) - u;
            label.left = f.x + f.width / 2.0 - s.TextWidth(label.text) / 2.0;
            labels.push_back(label);
        }
    }
    return labels;
}

void DrawPanelDiagram(DrawSurface& s, const DiagramContext& c, int cell, int panelIndex,
                      PageCells& page) {
    const PanelState& panel = c.result.panels[static_cast<std::size_t>(panelIndex)];
    const StockSize& size = SizeOf(c.input, panel);
    const double pw = size.enlargedWidth;
    const double ph = size.enlargedHeight;
    const double x0 = c.view.CellX(cell);
    const double y0 = c.view.CellY(cell);
    const bool printer = s.IsPrinter();

    s.SetScaleOrigin(-x0, -y0);
    const int slot = cell % c.view.CellsPerPage();
    if (slot >= 0 && static_cast<std::size_t>(slot) < page.cells.size()) {
        page.cells[static_cast<std::size_t>(slot)] = {x0, y0, x0 + pw - 1, y0 + ph - 1, panelIndex};
    }

    if (c.severalSizes) {
        s.SetFontSize(printer ? 10 : 8);
        const QString label = Q(RightAligned(size.rawHeight, 4)) + QString::fromUtf8("×") +
                              Q(RightAligned(size.rawWidth, 4));
        s.PrintAt(0, -(2 * c.view.u) - s.TextHeight(QStringLiteral("1")), label);
    }

    s.SetFillStyle(FillStyle::UpwardDiagonal);
    s.SetFillColor(Qt::black);
    const bool chargedByUse = c.chargingShown && !panel.wholePanel;
    if (chargedByUse && !printer) s.SetLineStyle(LineStyle::Dotted);
    s.Box(0, 0, pw - 1, ph - 1, Qt::black);
    s.SetLineStyle(LineStyle::Solid);
    if (chargedByUse && printer) {
        // On paper the outline of a panel charged by its use is wiped out instead.
        s.SetDrawMode(gui::DrawMode::White);
        s.Line(0, 0, pw - 1, 0);
        s.Line(pw - 1, 0, pw - 1, ph - 1);
        s.Line(pw - 1, ph - 1, 0, ph - 1);
        s.Line(0, ph - 1, 0, 0);
        s.SetDrawMode(gui::DrawMode::Copy);
    }
    page.lowestEdge = std::max(page.lowestEdge, ph + y0);

    if (!panel.placements.empty()) {
        if (printer) {
            s.SetFillStyle(FillStyle::Solid);
        }
        s.SetFillColor(Qt::white);
        for (std::size_t i = 0; i < panel.placements.size(); ++i) {
            const Placement& p = panel.placements[i];
            if (p.row < 0 || static_cast<std::size_t>(p.row) >= c.input.rows.size()) continue;
            const PlacedBox box = BoxOf(c.input, p);
            const RealExtent real = RealExtentOf(c.input, p);
            s.Box(box.x, box.y, box.x + box.width - 1, box.y + box.height - 1, Qt::black);
            if (!HeightLabelSuppressed(c.input, panel, static_cast<int>(i))) {
                DrawHeightLabel(s, c, box, real);
            }
            if (!WidthLabelSuppressed(c.input, panel, static_cast<int>(i))) {
                DrawWidthLabel(s, c, box, real);
            }
            DrawRowNumber(s, c, p, box);
        }
        DrawFreeRectLabels(s, c, panel);
    }
    s.SetFillStyle(FillStyle::Transparent);
    s.SetFillColor(Qt::black);
}

void DrawStackMarker(DrawSurface& s, const DiagramContext& c, int cell, int panelIndex, int count) {
    const PanelState& panel = c.result.panels[static_cast<std::size_t>(panelIndex)];
    const StockSize& size = SizeOf(c.input, panel);
    const double pw = size.enlargedWidth;
    const double ph = size.enlargedHeight;
    const double x0 = c.view.CellX(cell);
    const double y0 = c.view.CellY(cell);
    const double u = c.view.u;
    s.SetScaleOrigin(-x0, -(y0 - 2 * u));
    s.Line(2 * u, 0, pw + 2 * u, 0);
    s.Line(pw + 2 * u, 0, pw + 2 * u, ph);
    s.Line(u, u, pw + u, u);
    s.Line(pw + u, u, pw + u, ph + u);
    s.SetScaleOrigin(-(x0 + pw / 3), -(y0 + ph + u));
    s.SetFontSize(s.IsPrinter() ? 12 : 8);
    s.PrintAt(0, 0, QString::number(count) + QString::fromUtf8("枚"));
}

}  // namespace tvx::panel
