#pragma once
// The drawing area of the result view: holds the picture of the current page, redrawn in full
// from the session on every change, and reports mouse-ups in page coordinates.

#include <QImage>
#include <QWidget>

#include "panel/output/result_page.h"

namespace tvx::panel {

class ResultSession;

class ResultCanvas : public QWidget {
    Q_OBJECT
  public:
    ResultCanvas(ResultSession& session, QWidget* parent = nullptr);

    // Draws the session's current page into the picture and shows it.
    PageOutcome Redraw();
    const QImage& picture() const { return picture_; }

    // Widget pixels to page coordinates (0..VW, 0..VH).
    QPointF ToPage(const QPointF& pixel) const;

  signals:
    void released(double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ResultSession& session_;
    QImage picture_;
};

}  // namespace tvx::panel
