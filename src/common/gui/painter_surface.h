#pragma once
// The drawing surface over a QPainter: a screen widget, an image, a printer or a PDF writer.
// Positions are mapped from user units to the target rectangle by the surface itself and the
// painter keeps an identity transform, so fonts keep their point size on every device.

#include <QFont>
#include <QPainter>
#include <QRectF>

#include "common/gui/draw_surface.h"

class QPagedPaintDevice;

namespace tvx::gui {

class PainterSurface : public DrawSurface {
  public:
    // `target` is the device rectangle (in device pixels) the user scale is mapped onto.
    // `pages` is the paged device behind the painter when it is a printer or a PDF, else null.
    PainterSurface(QPainter& painter, const QRectF& target, QPagedPaintDevice* pages = nullptr);

    bool IsPrinter() const override { return pages_ != nullptr; }
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void Clear() override;
    bool NewPage() override;

    // The face every text is written in (the view font by default).
    void SetFontFamily(const QString& family) { family_ = family; }

    // User units to device pixels and back.
    QPointF ToDevice(double x, double y) const;
    QPointF ToUser(const QPointF& device) const;

  protected:
    void PaintLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    void PaintBox(double x1, double y1, double x2, double y2, const QColor& outline, FillStyle fill,
                  const QColor& fillColor) override;
    void PaintText(double x, double y, const QString& text, const QColor& color) override;

  private:
    QFont CurrentFont() const;
    QPen CurrentPen(const QColor& color) const;
    void PaintHatch(const QRectF& area, const QColor& color);
    void ApplyCompositionMode();
    double XFactor() const { return target_.width() / ScaleWidth(); }
    double YFactor() const { return target_.height() / ScaleHeight(); }

    QPainter& painter_;
    QRectF target_;
    QPagedPaintDevice* pages_;
    QString family_;
    double dpi_;
};

}  // namespace tvx::gui
