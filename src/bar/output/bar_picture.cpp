#include "bar/output/bar_picture.h"

#include <algorithm>

#include "bar/output/plan_text.h"
#include "common/gui/qt_text.h"

namespace tvx::bar {
namespace {

constexpr double kTextGap = 20.0;  // between a tick and the text after it

}  // namespace

BarPictureLayout MakeBarPictureLayout(gui::DrawSurface& surface, const BarPlanView& view) {
    const double size = surface.fontSize();
    surface.SetFontSize(kLabelFontSize);
    BarPictureLayout layout(
        view, [&surface](const std::string& text) { return surface.TextWidth(Q(text)); });
    surface.SetFontSize(size);
    return layout;
}

double DrawBar(gui::DrawSurface& surface, const BarPlan& plan, const BarRun& bar, double left,
               double span, double longest, double rowTop, const char* remainderPrefix) {
    const auto type = static_cast<std::size_t>(bar.stockType);
    if (type >= plan.stockLength.size() || !(longest > 0)) return left;
    auto x = [&](double length) { return left + length * span / longest; };
    const double axis = rowTop + kBarAxis;
    const double stock = plan.stockLength[type];
    surface.SetLineStyle(gui::LineStyle::Solid);
    surface.Line(x(0), axis, x(stock), axis);
    surface.Line(x(0), rowTop + kTickTop, x(0), rowTop + kTickBottom);
    surface.Line(x(stock), rowTop + kTickTop, x(stock), rowTop + kTickBottom);

    surface.SetFontSize(kPieceFontSize);
    const double textTop = axis - surface.TextHeight(U("0"));
    double cut = 0.0;
    double textEnd = left;
    for (const std::int16_t piece : bar.pieces) {
        const auto p = static_cast<std::size_t>(piece);
        if (p >= plan.pieceLength.size()) continue;
        const double start = cut;
        cut += plan.pieceLength[p];
        surface.Line(x(cut), rowTop + kTickTop, x(cut), rowTop + kTickBottom);
        surface.PrintAt(x(start) + kTextGap, textTop,
                        Q(PlanLength(DisplayedPieceLength(plan, piece))));
        textEnd = std::max(textEnd, surface.CurrentX());
    }
    const QString offcut = U(remainderPrefix) + Q(PlanLength(BarOffcut(plan, bar)));
    surface.SetCurrentPos(x(cut) + kTextGap, textTop);
    surface.Print(offcut, kDarkBlue);
    return std::max(textEnd, surface.CurrentX());
}

double BarPictureWidth(gui::DrawSurface& surface, const BarPlanView& view,
                       const BarPictureLayout& layout) {
    const double size = surface.fontSize();
    surface.SetFontSize(kPieceFontSize);
    // The offcut label may reach past the end of the longest bar.
    double width = layout.X(layout.LongestStock()) + kTextGap + surface.TextWidth(U("残 00000000"));
    if (view.showPartCodes) {
        for (const BarRun& bar : view.plan.resultBars) {
            QString line;
            for (const std::string& item : PartCodeItems(view.plan, bar)) line += Q(item + "  ");
            width = std::max(width, layout.CodesX() + surface.TextWidth(line));
        }
    }
    surface.SetFontSize(size);
    return width + kPictureLabelGap;
}

void DrawBarPicture(gui::DrawSurface& surface, const BarPlanView& view,
                    const BarPictureLayout& layout, std::int64_t firstRow,
                    std::int64_t visibleRows) {
    const PictureRows& rows = layout.rows();
    const std::int64_t first = std::max<std::int64_t>(0, firstRow);
    const std::int64_t end = std::min(rows.Count(), first + std::max<std::int64_t>(0, visibleRows));
    for (std::int64_t r = first; r < end; ++r) {
        const PictureRow row = rows.At(r);
        const BarRun& bar = view.plan.resultBars[row.run];
        const double top = layout.RowTop(r);
        surface.SetFontSize(kLabelFontSize);
        const QString label = Q(RowLabel(rows, row));
        // Labels stand centred on the bar's axis.
        const double labelTop = top + kBarAxis - surface.TextHeight(label) / 2;
        if (rows.displayMode() == 1) {
            const double width = surface.TextWidth(label);
            surface.PrintAt(layout.Margin() - kPictureLabelGap - width, labelTop, label,
                            row.bars >= 2 ? kDarkRed : QColor(Qt::black));
            // The repetition mark, under the bar line.
            if (row.bars >= 3) surface.PrintAt(kPictureRunMarkX, top + kBarAxis, U("："));
        } else {
            surface.PrintAt(kPictureNumberX, labelTop, label);
        }
        DrawBar(surface, view.plan, bar, layout.Margin(), kPictureBarSpan, layout.LongestStock(),
                top, kPictureRemainderPrefix);
        if (view.showPartCodes) {
            surface.SetFontSize(kPieceFontSize);
            surface.SetCurrentPos(layout.CodesX(), top + kCodesLine - surface.TextHeight(U("0")));
            for (const std::string& item : PartCodeItems(view.plan, bar))
                surface.Print(Q(item + "  "), kDarkRed);
        }
    }
}

}  // namespace tvx::bar
