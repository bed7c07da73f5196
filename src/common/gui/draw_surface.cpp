#include "common/gui/draw_surface.h"

namespace tvx::gui {

void DrawSurface::SetScale(double left, double top, double width, double height) {
    scaleLeft_ = left;
    scaleTop_ = top;
    // A zero extent would make every mapping divide by zero; keep the last usable one.
    if (width != 0.0) scaleWidth_ = width;
    if (height != 0.0) scaleHeight_ = height;
    ScaleChanged();
}

void DrawSurface::SetScaleOrigin(double left, double top) {
    scaleLeft_ = left;
    scaleTop_ = top;
    ScaleChanged();
}

QColor DrawSurface::EffectiveColor(const QColor& color) const {
    return drawMode_ == DrawMode::White ? QColor(Qt::white) : color;
}

void DrawSurface::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    PaintLine(x1, y1, x2, y2, EffectiveColor(color));
}

void DrawSurface::Box(double x1, double y1, double x2, double y2, const QColor& color) {
    PaintBox(x1, y1, x2, y2, EffectiveColor(color), fillStyle_, EffectiveColor(fillColor_));
}

void DrawSurface::FilledBox(double x1, double y1, double x2, double y2, const QColor& color) {
    const QColor c = EffectiveColor(color);
    PaintBox(x1, y1, x2, y2, c, FillStyle::Solid, c);
}

void DrawSurface::Print(const QString& text, const QColor& color) {
    PaintText(currentX_, currentY_, text, EffectiveColor(color));
    currentX_ += TextWidth(text);
}

}  // namespace tvx::gui
