#include "bar/output/print_plan.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "bar/output/bar_picture.h"
#include "bar/output/page_flow.h"
#include "bar/output/plan_text.h"
#include "common/gui/painter_surface.h"
#include "common/gui/qt_text.h"
#include "common/text_file.h"

namespace tvx::bar {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTextLeft = 200.0;
constexpr double kTitleGap = 150.0;    // below the title
constexpr double kSectionGap = 250.0;  // before "合計" and the summary block
constexpr double kLabelRight = kPrintBarLeft - kPictureLabelGap;

double LineHeight(gui::DrawSurface& surface, double size) {
    surface.SetFontSize(size);
    return surface.TextHeight(U("0"));
}

// One line of text at the flow's next position.
void PrintLine(gui::DrawSurface& surface, PageFlow& flow, const std::string& text, double size) {
    const double height = LineHeight(surface, size);
    const double top = flow.Place(height);
    if (flow.failed()) return;
    surface.SetFontSize(size);
    surface.PrintAt(kTextLeft, top, Q(text));
}

void PrintBars(gui::DrawSurface& surface, const BarPlanView& view, PageFlow& flow) {
    const BarPlan& plan = view.plan;
    const PictureRows rows(plan, view.displayMode);
    const double longest = LongestUsedStock(plan);
    const double rowHeight = view.showPartCodes ? kPictureRowHeightWithCodes : kPictureRowHeight;
    const double codesX = kPrintBarLeft + kPrintCodesOffset;
    const double codesWidth = std::max(1000.0, surface.ScaleWidth() - codesX);
    const double codeLine = LineHeight(surface, kPieceFontSize);
    for (std::int64_t r = 0; r < rows.Count() && !flow.failed(); ++r) {
        const PictureRow row = rows.At(r);
        const BarRun& bar = plan.resultBars[row.run];
        std::vector<std::string> codeLines;
        if (view.showPartCodes) {
            surface.SetFontSize(kPieceFontSize);
            codeLines =
                WrapItems(PartCodeItems(plan, bar), codesWidth,
                          [&surface](const std::string& t) { return surface.TextWidth(Q(t)); });
        }
        const double extra =
            codeLines.size() > 1 ? codeLine * static_cast<double>(codeLines.size() - 1) : 0.0;
        const double top = flow.Place(rowHeight + extra);
        if (flow.failed()) return;
        surface.SetFontSize(kLabelFontSize);
        const QString label = Q(RowLabel(rows, row));
        const double labelTop = top + kBarAxis - surface.TextHeight(label) / 2;
        surface.PrintAt(kLabelRight - surface.TextWidth(label), labelTop, label,
                        rows.displayMode() == 1 && row.bars >= 2 ? kDarkRed : QColor(Qt::black));
        DrawBar(surface, plan, bar, kPrintBarLeft, kPrintBarSpan, longest, top,
                kPrintedRemainderPrefix);
        surface.SetFontSize(kPieceFontSize);
        double y = top + kCodesLine - codeLine;
        for (const std::string& line : codeLines) {
            surface.PrintAt(codesX, y, Q(line), kDarkRed);
            y += codeLine;
        }
    }
}

}  // namespace

int PrintBarPlanPages(gui::DrawSurface& surface, const BarPlanView& view, bool* ok) {
    const QString title = Q(view.title);
    PageFlow flow(
        surface.ScaleHeight(), [&surface] { return surface.NewPage(); },
        [&surface, &title](double y) {
            surface.SetFontSize(kTitleFontSize);
            surface.PrintAt(kTextLeft, y, title);
            return y + surface.TextHeight(title) + kTitleGap;
        });
    const BarPlan& plan = view.plan;
    if (plan.HasPlan()) {
        PrintBars(surface, view, flow);
        flow.Skip(kSectionGap / 2);
        PrintLine(surface, flow, PrintedBarTotalLine(plan), kLineFontSize);

        const std::vector<std::string> summary = PrintedSummaryLines(plan);
        flow.Skip(kSectionGap);
        flow.KeepTogether(LineHeight(surface, kHeadingFontSize) +
                          LineHeight(surface, kLineFontSize) * static_cast<double>(summary.size()));
        PrintLine(surface, flow, kPrintedSummaryHeading, kHeadingFontSize);
        for (const std::string& line : summary) PrintLine(surface, flow, line, kLineFontSize);
    }
    flow.BreakPage();
    PrintLine(surface, flow, kPrintedCutListHeading, kHeadingFontSize);
    for (const std::string& line : PrintedCutListLines(view))
        PrintLine(surface, flow, line, kLineFontSize);
    if (ok) *ok = !flow.failed();
    return flow.pages();
}

int PrintBarPlan(QPagedPaintDevice& device, const BarPlanView& view, std::string* error) {
    auto fail = [error](const char* message) {
        if (error) *error = message;
        return 0;
    };
    QPainter painter;
    if (!painter.begin(&device)) return fail(kPrintFailedMessage);
    gui::PainterSurface surface(painter, QRectF(0, 0, device.width(), device.height()), &device);
    const double dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 96.0;
    const double dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96.0;
    surface.SetScale(0, 0, device.width() / dpiX * kTwipsPerInch,
                     device.height() / dpiY * kTwipsPerInch);
    bool ok = true;
    const int pages = PrintBarPlanPages(surface, view, &ok);
    const bool ended = painter.end();
    if (!ok || !ended) return fail(kPrintFailedMessage);
    return pages;
}

int WriteBarPlanPdf(const BarPlanView& view, const std::string& path, const QPageSize& paper,
                    std::string* error) {
    if (!paper.isValid()) {
        if (error) *error = "unknown paper size";
        return 0;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(paper);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Quorlin"));
        writer.setTitle(view.title.empty() ? QStringLiteral("Quorlin") : Q(view.title));
        pages = PrintBarPlan(writer, view, error);
    }
    if (pages == 0) return 0;
    const QByteArray& bytes = buffer.data();
    if (!WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            error)) {
        return 0;
    }
    return pages;
}

}  // namespace tvx::bar
