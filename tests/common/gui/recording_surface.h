#pragma once
// A drawing surface that draws nothing and records every operation with its page position
// (user coordinates with the current origin applied), the font and the styles in force.
// Text metrics are simple and exact: a half-width character is half a font size wide, a
// full-width one a whole size, a line is 1.2 sizes high (in points, mapped through a device
// of the given pixel size at 96 dpi).

#include <QString>
#include <vector>

#include "common/gui/draw_surface.h"

namespace tvx::gui::testing {

struct RecordedOp {
    enum Kind { kLine, kBox, kText, kNewPage, kClear } kind = kLine;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // page coordinates; text: top-left in x1, y1
    QString text;
    double fontSize = 0;
    bool italic = false;
    FillStyle fill = FillStyle::Transparent;
    QColor fillColor;
    QColor color;
    LineStyle lineStyle = LineStyle::Solid;
};

class RecordingSurface : public DrawSurface {
  public:
    explicit RecordingSurface(bool printer = false, double deviceWidth = 700,
                              double deviceHeight = 960)
        : printer_(printer), deviceWidth_(deviceWidth), deviceHeight_(deviceHeight) {}

    bool IsPrinter() const override { return printer_; }

    double TextWidth(const QString& text) const override {
        double units = 0;
        for (const QChar c : text)
            units +=
                c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 0.5 : 1.0;
        return units * PointPixels() * ScaleWidth() / deviceWidth_;
    }
    double TextHeight(const QString& /*text*/) const override {
        return 1.2 * PointPixels() * ScaleHeight() / deviceHeight_;
    }
    void Clear() override { Record(RecordedOp::kClear); }
    bool NewPage() override {
        Record(RecordedOp::kNewPage);
        return true;
    }

    std::vector<RecordedOp> ops;

    std::vector<RecordedOp> Texts() const { return OfKind(RecordedOp::kText); }
    std::vector<RecordedOp> Boxes() const { return OfKind(RecordedOp::kBox); }
    std::vector<RecordedOp> Lines() const { return OfKind(RecordedOp::kLine); }
    // The first text op with exactly this text, or nullptr.
    const RecordedOp* FindText(const QString& text) const {
        for (const RecordedOp& op : ops) {
            if (op.kind == RecordedOp::kText && op.text == text) return &op;
        }
        return nullptr;
    }
    int CountText(const QString& text) const {
        int n = 0;
        for (const RecordedOp& op : ops) n += op.kind == RecordedOp::kText && op.text == text;
        return n;
    }
    bool AnyTextContains(const QString& part) const {
        for (const RecordedOp& op : ops) {
            if (op.kind == RecordedOp::kText && op.text.contains(part)) return true;
        }
        return false;
    }

  protected:
    void PaintLine(double x1, double y1, double x2, double y2, const QColor& color) override {
        RecordedOp op = Make(RecordedOp::kLine);
        SetPoints(op, x1, y1, x2, y2);
        op.color = color;
        ops.push_back(op);
    }
    void PaintBox(double x1, double y1, double x2, double y2, const QColor& outline, FillStyle fill,
                  const QColor& fillColor) override {
        RecordedOp op = Make(RecordedOp::kBox);
        SetPoints(op, x1, y1, x2, y2);
        op.color = outline;
        op.fill = fill;
        op.fillColor = fillColor;
        ops.push_back(op);
    }
    void PaintText(double x, double y, const QString& text, const QColor& color) override {
        RecordedOp op = Make(RecordedOp::kText);
        SetPoints(op, x, y, x, y);
        op.text = text;
        op.color = color;
        ops.push_back(op);
    }

  private:
    double PointPixels() const { return fontSize() * 96.0 / 72.0; }
    RecordedOp Make(RecordedOp::Kind kind) const {
        RecordedOp op;
        op.kind = kind;
        op.fontSize = fontSize();
        op.italic = italic();
        op.fill = fillStyle();
        op.fillColor = fillColor();
        op.lineStyle = lineStyle();
        return op;
    }
    void Record(RecordedOp::Kind kind) { ops.push_back(Make(kind)); }
    void SetPoints(RecordedOp& op, double x1, double y1, double x2, double y2) const {
        op.x1 = x1 - ScaleLeft();
        op.y1 = y1 - ScaleTop();
        op.x2 = x2 - ScaleLeft();
        op.y2 = y2 - ScaleTop();
    }
    std::vector<RecordedOp> OfKind(RecordedOp::Kind kind) const {
        std::vector<RecordedOp> out;
        for (const RecordedOp& op : ops) {
            if (op.kind == kind) out.push_back(op);
        }
        return out;
    }

    bool printer_;
    double deviceWidth_;
    double deviceHeight_;
};

}  // namespace tvx::gui::testing
