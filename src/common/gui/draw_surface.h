#pragma once
// The one set of drawing operations every picture of both programs goes through: a user
// scale in layout units, lines, boxes, fill and line styles, draw modes, fonts in points and
// text at a current position. Font sizes stay in points whatever the scale: zooming moves and
// scales positions, never text. A surface is either a screen area or a printer page; the
// diagrams ask IsPrinter() where the two forms differ.

#include <QColor>
#include <QString>

namespace tvx::gui {

enum class FillStyle { Transparent, Solid, UpwardDiagonal };
enum class LineStyle { Solid, Dotted };
// Copy draws in the colour asked for, White draws everything white, Invert inverts what lies
// underneath (screen surfaces only; printers draw in Copy mode instead).
enum class DrawMode { Copy, White, Invert };

class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    virtual bool IsPrinter() const = 0;

    // The user scale: the area shown runs from (left, top) over width x height layout units.
    void SetScale(double left, double top, double width, double height);
    // Moves the origin only (scale left/top), keeping width and height.
    void SetScaleOrigin(double left, double top);
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }

    void SetFillStyle(FillStyle style) { fillStyle_ = style; }
    FillStyle fillStyle() const { return fillStyle_; }
    void SetFillColor(const QColor& color) { fillColor_ = color; }
    QColor fillColor() const { return fillColor_; }
    void SetLineStyle(LineStyle style) { lineStyle_ = style; }
    LineStyle lineStyle() const { return lineStyle_; }
    void SetDrawMode(DrawMode mode) { drawMode_ = mode; }
    DrawMode drawMode() const { return drawMode_; }
    void SetFontSize(double points) { fontSize_ = points > 1.0 ? points : 1.0; }
    double fontSize() const { return fontSize_; }
    void SetItalic(bool on) { italic_ = on; }
    bool italic() const { return italic_; }

    // The current text position (top-left of the next text), in user units.
    void SetCurrentPos(double x, double y) {
        currentX_ = x;
        currentY_ = y;
    }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }

    // A line from point to point in the current line style.
    void Line(double x1, double y1, double x2, double y2, const QColor& color = Qt::black);
    // A box outline in `color`, filled with the current fill style and fill colour.
    void Box(double x1, double y1, double x2, double y2, const QColor& color = Qt::black);
    // A box filled solid with `color` (outline included).
    void FilledBox(double x1, double y1, double x2, double y2, const QColor& color);

    // Text width and height in user units at the current font.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;
    // Writes text in `color` with its top-left at the current position; the current X moves
    // behind it.
    void Print(const QString& text, const QColor& color = Qt::black);
    // Sets the current position and writes.
    void PrintAt(double x, double y, const QString& text, const QColor& color = Qt::black) {
        SetCurrentPos(x, y);
        Print(text, color);
    }

    // Clears the area (screen) and starts a new page (printer); false when the device refused.
    virtual void Clear() = 0;
    virtual bool NewPage() = 0;

  protected:
    virtual void PaintLine(double x1, double y1, double x2, double y2, const QColor& color) = 0;
    virtual void PaintBox(double x1, double y1, double x2, double y2, const QColor& outline,
                          FillStyle fill, const QColor& fillColor) = 0;
    virtual void PaintText(double x, double y, const QString& text, const QColor& color) = 0;
    virtual void ScaleChanged() {}

    // The colour a drawing in `color` actually takes under the current draw mode.
    QColor EffectiveColor(const QColor& color) const;

  private:
    double scaleLeft_ = 0.0;
    double scaleTop_ = 0.0;
    double scaleWidth_ = 1.0;
    double scaleHeight_ = 1.0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor fillColor_ = Qt::black;
    LineStyle lineStyle_ = LineStyle::Solid;
    DrawMode drawMode_ = DrawMode::Copy;
    double fontSize_ = 9.0;
    bool italic_ = false;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
};

}  // namespace tvx::gui
