#include "common/gui/painter_surface.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "common/gui/view_font.h"

namespace tvx::gui {

namespace {
// Hatch lines are this many points apart on every device.
constexpr double kHatchSpacingPoints = 6.0;
}  // namespace

PainterSurface::PainterSurface(QPainter& painter, const QRectF& target, QPagedPaintDevice* pages)
    : painter_(painter), target_(target), pages_(pages), family_(ViewFontFamily()) {
    painter_.resetTransform();
    // Screen pictures stay crisp so that white hatch lines cover black ones exactly.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    const QPaintDevice* device = painter_.device();
    dpi_ = device != nullptr && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
}

QPointF PainterSurface::ToDevice(double x, double y) const {
    return {target_.left() + (x - ScaleLeft()) * XFactor(),
            target_.top() + (y - ScaleTop()) * YFactor()};
}

QPointF PainterSurface::ToUser(const QPointF& device) const {
    return {ScaleLeft() + (device.x() - target_.left()) / XFactor(),
            ScaleTop() + (device.y() - target_.top()) / YFactor()};
}

QFont PainterSurface::CurrentFont() const {
    QFont font(family_);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(fontSize());
    font.setItalic(italic());
    return font;
}

QPen PainterSurface::CurrentPen(const QColor& color) const {
    QPen pen(color);
    // About 0.2 mm on paper; one pixel on screen.
    pen.setWidthF(IsPrinter() ? std::max(1.0, dpi_ / 120.0) : 0.0);
    pen.setStyle(lineStyle() == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void PainterSurface::ApplyCompositionMode() {
    const bool invert = drawMode() == DrawMode::Invert && !IsPrinter() &&
                        painter_.paintEngine() != nullptr &&
                        painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    painter_.setCompositionMode(invert ? QPainter::RasterOp_NotDestination
                                       : QPainter::CompositionMode_SourceOver);
}

double PainterSurface::TextWidth(const QString& text) const {
    const QFontMetricsF metrics(CurrentFont(), painter_.device());
    return metrics.horizontalAdvance(text) / XFactor();
}

double PainterSurface::TextHeight(const QString& /*text*/) const {
    const QFontMetricsF metrics(CurrentFont(), painter_.device());
    return metrics.height() / YFactor();
}

void PainterSurface::Clear() {
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(target_, Qt::white);
}

bool PainterSurface::NewPage() {
    if (pages_ == nullptr) {
        Clear();
        return true;
    }
    return pages_->newPage();
}

void PainterSurface::PaintLine(double x1, double y1, double x2, double y2, const QColor& color) {
    ApplyCompositionMode();
    painter_.setPen(CurrentPen(color));
    painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

void PainterSurface::PaintHatch(const QRectF& area, const QColor& color) {
    // Upward diagonal lines (x + y constant) on a grid anchored at the device origin, between
    // whole-pixel end points, so a hatch drawn twice over the same place falls on exactly the
    // same pixels (a white hatch then wipes a black one).
    const int spacing =
        static_cast<int>(std::max(3.0, std::round(kHatchSpacingPoints * dpi_ / 72.0)));
    const int left = static_cast<int>(std::floor(area.left()));
    const int top = static_cast<int>(std::floor(area.top()));
    const int right = static_cast<int>(std::ceil(area.right()));
    const int bottom = static_cast<int>(std::ceil(area.bottom()));
    QPen pen(color);
    pen.setWidthF(IsPrinter() ? std::max(1.0, dpi_ / 200.0) : 0.0);
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.setPen(pen);
    const int sum = left + top;
    int c = (sum >= 0 ? sum / spacing : -((-sum + spacing - 1) / spacing)) * spacing;
    for (; c <= right + bottom + spacing; c += spacing) {
        // The line x + y = c from the area's bottom edge to its top edge.
        painter_.drawLine(QPoint(c - bottom, bottom), QPoint(c - top, top));
    }
    painter_.restore();
}

void PainterSurface::PaintBox(double x1, double y1, double x2, double y2, const QColor& outline,
                              FillStyle fill, const QColor& fillColor) {
    ApplyCompositionMode();
    const QRectF area = QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized();
    if (fill == FillStyle::Solid) {
        painter_.fillRect(area, fillColor);
    } else if (fill == FillStyle::UpwardDiagonal) {
        PaintHatch(area, fillColor);
    }
    painter_.setPen(CurrentPen(outline));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(area);
}

void PainterSurface::PaintText(double x, double y, const QString& text, const QColor& color) {
    ApplyCompositionMode();
    const QFont font = CurrentFont();
    painter_.setFont(font);
    painter_.setPen(color);
    const QFontMetricsF metrics(font, painter_.device());
    const QPointF topLeft = ToDevice(x, y);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

}  // namespace tvx::gui
