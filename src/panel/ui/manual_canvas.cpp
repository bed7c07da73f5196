#include "panel/ui/manual_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "common/gui/painter_surface.h"
#include "panel/engine/manual_layout.h"

namespace tvx::panel {
namespace {

// Colour 2 of the 16-colour palette.
const QColor kPreviewGreen(0, 128, 0);

bool SameBox(const std::optional<PlacedBox>& a, const std::optional<PlacedBox>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return a->x == b->x && a->y == b->y && a->width == b->width && a->height == b->height;
}

bool ShiftHeld(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ShiftModifier);
}

}  // namespace

ManualCanvas::ManualCanvas(const ManualLayout& layout, QWidget* parent)
    : QWidget(parent), layout_(layout) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPointF ManualCanvas::ToPanel(const QPointF& pixel) const {
    const double w = std::max(1, width() - 1);
    const double h = std::max(1, height() - 1);
    return {pixel.x() * (layout_.pageWidth() - 1) / w, pixel.y() * (layout_.pageHeight() - 1) / h};
}

QPointF ManualCanvas::ToPixel(double px, double py) const {
    const double w = std::max(1, width() - 1);
    const double h = std::max(1, height() - 1);
    return {px * w / std::max(1, layout_.pageWidth() - 1),
            py * h / std::max(1, layout_.pageHeight() - 1)};
}

void ManualCanvas::DrawPage() {
    const QSize size = this->size().expandedTo(QSize(2, 2));
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter painter(&picture_);
    gui::PainterSurface surface(painter, QRectF(0, 0, size.width() - 1, size.height() - 1));
    surface.SetScale(0, 0, layout_.pageWidth() - 1, layout_.pageHeight() - 1);
    surface.Clear();
    surface.SetFillStyle(gui::FillStyle::Transparent);
    for (const Placement& p : layout_.currentPanel().placements) {
        const PlacedBox box = BoxOf(layout_.input(), p);
        surface.Box(box.x, box.y, box.x + box.width - 1, box.y + box.height - 1, Qt::black);
    }
    painter.end();
    preview_.reset();
    update();
}

void ManualCanvas::PaintPreview(const PlacedBox& box) {
    QPainter painter(&picture_);
    gui::PainterSurface surface(painter, QRectF(0, 0, picture_.width() - 1, picture_.height() - 1));
    surface.SetScale(0, 0, layout_.pageWidth() - 1, layout_.pageHeight() - 1);
    surface.SetDrawMode(gui::DrawMode::Invert);
    surface.FilledBox(box.x, box.y, box.x + box.width - 1, box.y + box.height - 1, kPreviewGreen);
    painter.end();
}

void ManualCanvas::ShowPreview(const std::optional<PlacedBox>& box) {
    if (SameBox(box, preview_)) return;
    if (picture_.isNull()) DrawPage();
    if (preview_) PaintPreview(*preview_);
    preview_ = box;
    if (preview_) PaintPreview(*preview_);
    update();
}

void ManualCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(QPoint(0, 0), picture_);
}

void ManualCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DrawPage();
}

void ManualCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = ToPanel(event->position());
    emit pointerMoved(p.x(), p.y(), ShiftHeld(event->modifiers()));
}

void ManualCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPointF p = ToPanel(event->position());
    emit pointerPressed(event->button(), p.x(), p.y(), ShiftHeld(event->modifiers()));
}

void ManualCanvas::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        emit digitTyped(key - Qt::Key_0);
    } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
        emit candidateKey(key == Qt::Key_Up, ShiftHeld(event->modifiers()));
    } else if (key == Qt::Key_Shift) {
        if (!event->isAutoRepeat()) emit shiftChanged(true);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void ManualCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift && !event->isAutoRepeat()) {
        emit shiftChanged(false);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void ManualCanvas::wheelEvent(QWheelEvent* event) {
    // Some platforms report a vertical wheel as horizontal while Shift is held.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const int steps = wheel_.Add(delta);
    const Qt::KeyboardModifiers m = event->modifiers();
    const int modifiers =
        WheelModifiers(m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier));
    for (int i = 0; i < std::abs(steps); ++i) emit wheelStep(steps > 0 ? 1 : -1, modifiers);
    event->accept();
}

}  // namespace tvx::panel
