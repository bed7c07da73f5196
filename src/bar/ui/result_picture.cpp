#include "bar/ui/result_picture.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "bar/output/bar_picture.h"
#include "common/gui/painter_surface.h"

namespace tvx::bar {
ResultPicture::ResultPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("resultPicture");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    vertical_->setObjectName("pictureVScroll");
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    horizontal_->setObjectName("pictureHScroll");
    vertical_->hide();
    horizontal_->hide();
    connect(vertical_, &QScrollBar::valueChanged, this, [this] { update(); });
    connect(horizontal_, &QScrollBar::valueChanged, this, [this] { update(); });
}

ResultPicture::~ResultPicture() = default;

void ResultPicture::ShowView(const BarPlanView* view) {
    view_ = view;
    vertical_->setValue(0);
    horizontal_->setValue(0);
    Rebuild();
}

void ResultPicture::Rebuild() {
    layout_.reset();
    twipsPerPixel_ = kScreenTwipsPerPixel;
    if (view_ && view_->plan.HasPlan()) {
        MakeLayout(kScreenTwipsPerPixel);
        // Zoom in when the drawing is narrower than the frame, then measure again at that scale.
        const double fit = PictureWidth() / std::max(1, width() - vertical_->sizeHint().width());
        const double zoom = std::clamp(fit, kLargestZoomTwipsPerPixel, kScreenTwipsPerPixel);
        if (zoom < kScreenTwipsPerPixel) MakeLayout(zoom);
    }
    UpdateScrollBars();
    update();
}

void ResultPicture::MakeLayout(double twipsPerPixel) {
    twipsPerPixel_ = twipsPerPixel;
    // Labels are measured at the scale they are drawn at.
    QImage probe(16, 16, QImage::Format_RGB32);
    QPainter painter(&probe);
    gui::PainterSurface surface(painter, QRectF(0, 0, 16, 16));
    surface.SetScale(0, 0, 16 * twipsPerPixel, 16 * twipsPerPixel);
    layout_ = std::make_unique<BarPictureLayout>(MakeBarPictureLayout(surface, *view_));
    pictureWidth_ = BarPictureWidth(surface, *view_, *layout_);
}

double ResultPicture::VerticalStep() const {
    if (layout_) return layout_->RowHeight();
    return view_ && view_->showPartCodes ? kPictureRowHeightWithCodes : kPictureRowHeight;
}

std::int64_t ResultPicture::RowCount() const {
    return layout_ ? layout_->RowCount() : 0;
}

QRect ResultPicture::Frame() const {
    const int v = vertical_->isVisible() ? vertical_->sizeHint().width() : 0;
    const int h = horizontal_->isVisible() ? horizontal_->sizeHint().height() : 0;
    return QRect(0, 0, std::max(1, width() - v), std::max(1, height() - h));
}

double ResultPicture::PictureWidth() const {
    return layout_ ? pictureWidth_ : 0.0;
}

void ResultPicture::UpdateScrollBars() {
    if (!layout_) {
        vertical_->hide();
        horizontal_->hide();
        return;
    }
    // Two passes: a shown bar narrows the frame for the other.
    for (int pass = 0; pass < 2; ++pass) {
        const QRect frame = Frame();
        const double frameHeight = frame.height() * twipsPerPixel_;
        const double frameWidth = frame.width() * twipsPerPixel_;
        const std::int64_t visible = layout_->VisibleRows(frameHeight);
        const std::int64_t hidden = std::max<std::int64_t>(0, layout_->RowCount() - visible);
        const bool needV = layout_->PictureHeight() > frameHeight && hidden > 0;
        const double overflow = PictureWidth() - frameWidth;
        const bool needH = overflow > 0;
        vertical_->setVisible(needV);
        horizontal_->setVisible(needH);
        vertical_->setRange(
            0, needV ? static_cast<int>(std::min<std::int64_t>(hidden, INT32_MAX)) : 0);
        vertical_->setPageStep(static_cast<int>(std::max<std::int64_t>(1, visible)));
        horizontal_->setRange(0,
                              needH ? static_cast<int>(std::ceil(overflow / kHorizontalStep)) : 0);
        horizontal_->setPageStep(std::max(1, static_cast<int>(frameWidth / kHorizontalStep)));
    }
    const int v = vertical_->sizeHint().width();
    const int h = horizontal_->sizeHint().height();
    vertical_->setGeometry(width() - v, 0, v, height() - (horizontal_->isVisible() ? h : 0));
    horizontal_->setGeometry(0, height() - h, width() - (vertical_->isVisible() ? v : 0), h);
}

void ResultPicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Rebuild();
}

void ResultPicture::wheelEvent(QWheelEvent* event) {
    if (!vertical_->isVisible()) return;
    const int steps = event->angleDelta().y() / 120;
    vertical_->setValue(vertical_->value() - steps);
    event->accept();
}

void ResultPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = Frame();
    painter.fillRect(rect(), Qt::white);
    if (!layout_ || !view_) return;
    painter.setClipRect(frame);
    gui::PainterSurface surface(painter, QRectF(frame));
    const std::int64_t firstRow = vertical_->value();
    surface.SetScale(horizontal_->value() * kHorizontalStep, layout_->ScrollTop(firstRow),
                     frame.width() * twipsPerPixel_, frame.height() * twipsPerPixel_);
    // One row more than fits, for the partly visible one at the bottom.
    const std::int64_t rows = layout_->VisibleRows(frame.height() * twipsPerPixel_) + 1;
    DrawBarPicture(surface, *view_, *layout_, firstRow, rows);
}

}  // namespace tvx::bar
