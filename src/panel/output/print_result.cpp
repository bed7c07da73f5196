#include "panel/output/print_result.h"

#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "common/gui/painter_surface.h"
#include "common/gui/paper_names.h"
#include "common/text_file.h"
#include "panel/output/result_page.h"
#include "panel/output/result_session.h"

namespace tvx::panel {

namespace {
// No result prints more pages than this; a guard against a page routine that never ends.
constexpr int kMaxPrintedPages = 10000;

// The drawing area the result view has on a common 1080-line screen.
constexpr int kReferenceHeight = 972;
}  // namespace

int PrintPages(ResultSession& session, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const PageCells screenCells = session.cells();
    const ViewGeometry& v = session.view();
    const double scale = std::min(device.width() / v.VW, device.height() / v.VH);
    gui::PainterSurface surface(painter, QRectF(0, 0, v.VW * scale, v.VH * scale), &device);
    int pages = 0;
    for (int page = 0; page < kMaxPrintedPages; ++page) {
        if (page > 0 && !surface.NewPage()) break;
        const PageOutcome outcome = DrawResultPage(surface, session, page);
        ++pages;
        if (!outcome.nextEnabled) break;
    }
    painter.end();
    session.cells() = screenCells;
    return pages;
}

QPageSize PaperByName(const std::string& name) {
    return gui::PageSizeByName(name);
}

int WritePlanPdf(const PanelJob& job, const LayoutInput& input, const PanelLayoutResult& result,
                 const std::string& path, const QPageSize& paper, std::string* error) {
    if (!paper.isValid()) {
        if (error) *error = "unknown paper size";
        return 0;
    }
    ResultSession session(job, input, result);
    {
        const int width = static_cast<int>(kReferenceHeight * kViewAspect);
        QImage reference(width, kReferenceHeight, QImage::Format_RGB32);
        QPainter painter(&reference);
        gui::PainterSurface measure(painter, QRectF(0, 0, width, kReferenceHeight));
        session.Initialise(measure);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(paper);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Tavolex"));
        writer.setTitle(QString::fromStdString(job.jobTitle));
        pages = PrintPages(session, writer);
    }
    if (pages == 0) {
        if (error) *error = "the PDF could not be drawn";
        return 0;
    }
    const QByteArray& bytes = buffer.data();
    if (!WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            error)) {
        return 0;
    }
    return pages;
}

}  // namespace tvx::panel
