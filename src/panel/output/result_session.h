#pragma once
// The state of one look at a finished layout, shared by the result view and the printout:
// the job and the layout it shows, the page geometry, the figures, the fitted font sizes, the
// price display and the cells of the page last drawn. Nothing in it needs a window, so the
// command line and the tests drive it directly.

#include <QString>
#include <vector>

#include "common/gui/draw_surface.h"
#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"
#include "panel/output/cutting_diagram.h"
#include "panel/output/panel_groups.h"
#include "panel/output/result_figures.h"
#include "panel/output/view_geometry.h"

namespace tvx::panel {

inline constexpr const char* kHintSetPrices =
    "パネル金額を指定すると個々の切売り価格を表示できます";
inline constexpr const char* kHintClickPanel =
    "パネルをクリックすると,そのパネル金額が全て切売り価格に反映できます";
inline constexpr const char* kHintUnplaced = "割当てられていない部品があります。";

class ResultSession {
  public:
    ResultSession(PanelJob& job, LayoutInput& input, PanelLayoutResult& result,
                  const LayoutOptions& options = {});

    // Rebuilds everything from the job and the layout: free rectangles, figures, the view at
    // zoom 28, the font sizes (measured on `measure`), utilisation, price display, page 0.
    void Initialise(gui::DrawSurface& measure, bool unplacedParts = false);

    PanelJob& job() { return job_; }
    const PanelJob& job() const { return job_; }
    LayoutInput& input() { return input_; }
    const LayoutInput& input() const { return input_; }
    PanelLayoutResult& result() { return result_; }
    const PanelLayoutResult& result() const { return result_; }

    const ViewGeometry& view() const { return view_; }
    const ResultFigures& figures() const { return figures_; }
    const std::vector<PanelGroup>& groups() const { return groups_; }
    double titleFontSize() const { return titleFontSize_; }
    double textFontSize() const { return textFontSize_; }
    const QString& hint() const { return hint_; }
    void ClearHint() { hint_.clear(); }

    bool priceDisplay() const { return priceDisplay_; }
    void TogglePriceDisplay() { priceDisplay_ = !priceDisplay_; }
    // Cut-sale pricing with the price display on: per-row prices and the charging toggle.
    bool CutSaleShown() const { return job_.cutsell == 1 && priceDisplay_; }

    int page() const { return page_; }
    void SetPage(int page) { page_ = page < 0 ? 0 : page; }

    // "縮小" and "拡大": new zoom, page 0.
    void ZoomOut();
    void ZoomIn();

    // Cut-sale prices for the current flags, written into the layout input's rows.
    CutSalePrices UpdateCutSalePrices();

    // The cells of the page last drawn.
    PageCells& cells() { return cells_; }
    const PageCells& cells() const { return cells_; }

    // Inverts the whole-panel flag of the panel drawn at (x, y) (page coordinates) and copies
    // it to the identical panels that follow; false when no panel is there or charging is not
    // shown.
    bool ToggleChargingAt(double x, double y);

    // The date written in the page head (empty = today).
    void SetDateText(const QString& date) { dateText_ = date; }
    QString DateText() const;

  private:
    PanelJob& job_;
    LayoutInput& input_;
    PanelLayoutResult& result_;
    LayoutOptions options_;
    ViewGeometry view_;
    ResultFigures figures_;
    std::vector<PanelGroup> groups_;
    double titleFontSize_ = 19;
    double textFontSize_ = 10;
    bool priceDisplay_ = false;
    int page_ = 0;
    QString hint_;
    QString dateText_;
    PageCells cells_;
};

// The summary line height and the two font fittings of the view.
double FitTitleFontSize(gui::DrawSurface& measure, double VW);
double FitTextFontSize(gui::DrawSurface& measure, double VH);

}  // namespace tvx::panel
