#pragma once
// The result picture of Quorlin's main window: a frame that draws the rows of a bar plan in
// view, with a vertical scroll bar that moves one bar row per step and a horizontal one that
// moves by a fixed width. Only the rows in view are drawn, so long plans scroll smoothly.

#include <QWidget>
#include <memory>

#include "bar/output/bar_plan_view.h"
#include "bar/output/picture_layout.h"

class QScrollBar;

namespace tvx::bar {

class ResultPicture : public QWidget {
    Q_OBJECT
  public:
    explicit ResultPicture(QWidget* parent = nullptr);
    ~ResultPicture() override;

    // Shows a plan (the picture keeps a pointer; the caller keeps the view alive) or, with
    // null, nothing: the picture is cleared and both scroll bars hidden. The picture starts at
    // its origin.
    void ShowView(const BarPlanView* view);
    const BarPlanView* view() const { return view_; }

    QScrollBar* verticalBar() const { return vertical_; }
    QScrollBar* horizontalBar() const { return horizontal_; }
    // Picture units (twips) moved per step of each bar.
    double VerticalStep() const;
    double HorizontalStep() const { return kHorizontalStep; }
    // The width of the whole picture in picture units: the bars with their offcut labels and,
    // with part codes, the widest code list, as measured at the scale the picture is drawn at.
    // The horizontal scroll bar reaches its right end. 0 without a plan.
    double PictureWidth() const;
    std::int64_t RowCount() const;

    // The picture is drawn at the screen's 15 twips per pixel, or larger (down to 4 twips per
    // pixel) when the bars would fill only part of the frame; texts keep their point size.
    static constexpr double kScreenTwipsPerPixel = 15.0;
    static constexpr double kLargestZoomTwipsPerPixel = 4.0;
    static constexpr double kHorizontalStep = 300.0;
    double TwipsPerPixel() const { return twipsPerPixel_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void Rebuild();
    void MakeLayout(double twipsPerPixel);
    void UpdateScrollBars();
    QRect Frame() const;

    const BarPlanView* view_ = nullptr;
    std::unique_ptr<BarPictureLayout> layout_;
    double twipsPerPixel_ = kScreenTwipsPerPixel;
    double pictureWidth_ = 0.0;
    QScrollBar* vertical_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
};

}  // namespace tvx::bar
