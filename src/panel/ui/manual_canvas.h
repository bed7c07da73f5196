#pragma once
// The drawing area of the manual layout editor: the current page in enlarged units with y
// downwards, its parts outlined, and the candidate's preview drawn in invert mode (drawing it
// again removes it). It turns the user's mouse, wheel and key input on the area into signals
// in panel coordinates and leaves every decision to the editor.

#include <QImage>
#include <QWidget>
#include <optional>

#include "common/wheel_steps.h"
#include "panel/engine/layout_types.h"

namespace tvx::panel {

class ManualLayout;

class ManualCanvas : public QWidget {
    Q_OBJECT
  public:
    ManualCanvas(const ManualLayout& layout, QWidget* parent = nullptr);

    // Background, then every placement of the page outlined in black; the preview is gone.
    void DrawPage();
    // Shows the preview at `box` (nothing = none); redraws only when it moved or changed size.
    void ShowPreview(const std::optional<PlacedBox>& box);
    const std::optional<PlacedBox>& preview() const { return preview_; }
    const QImage& picture() const { return picture_; }

    // Widget pixels to panel coordinates and back: (0, 0) is the top-left pixel and
    // (enlarged width - 1, enlarged height - 1) the bottom-right one.
    QPointF ToPanel(const QPointF& pixel) const;
    QPointF ToPixel(double px, double py) const;

  signals:
    void pointerMoved(double px, double py, bool shift);
    void pointerPressed(Qt::MouseButton button, double px, double py, bool shift);
    void digitTyped(int digit);
    void candidateKey(bool up, bool shift);
    void shiftChanged(bool down);
    // One wheel step: vector +1 away from the user, -1 towards; modifiers 1 Shift + 2 Ctrl.
    void wheelStep(int vector, int modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void PaintPreview(const PlacedBox& box);

    const ManualLayout& layout_;
    QImage picture_;
    std::optional<PlacedBox> preview_;
    WheelSteps wheel_;
};

}  // namespace tvx::panel
