#include "panel/output/result_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/gui/painter_surface.h"
#include "panel/output/result_session.h"

namespace tvx::panel {

ResultCanvas::ResultCanvas(ResultSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PageOutcome ResultCanvas::Redraw() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter painter(&picture_);
    gui::PainterSurface surface(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    const PageOutcome outcome = DrawResultPage(surface, session_, session_.page());
    painter.end();
    update();
    return outcome;
}

QPointF ResultCanvas::ToPage(const QPointF& pixel) const {
    const ViewGeometry& v = session_.view();
    const double w = std::max(1, width());
    const double h = std::max(1, height());
    return {pixel.x() / w * v.VW, pixel.y() / h * v.VH};
}

void ResultCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(QPoint(0, 0), picture_);
}

void ResultCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF page = ToPage(event->position());
    emit released(page.x(), page.y());
    QWidget::mouseReleaseEvent(event);
}

}  // namespace tvx::panel
