#pragma once
// The state of one look at a finished layout, shared by the result view and the printout:
// the job and the layout it shows, the page geometry, the figures, the fitted font sizes, the
// price display, the cut-sale prices and the cells of the page last drawn. Nothing in it needs
// a window, so the command line and the tests drive it directly. The job and the layout are
// only read: the session works on its own copy of the panels (free rectangles, utilisation and
// the charging flags the user toggles), taken afresh by every Initialise.

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
    ResultSession(const PanelJob& job, const LayoutInput& input, const PanelLayoutResult& layout,
                  const LayoutOptions& options = {});

    // Rebuilds everything from the job and the layout: the copy of the panels with their free
    // rectangles, figures, the view at zoom 28, the font sizes (measured on `measure`),
    // utilisation, price display, page 0.
    void Initialise(gui::DrawSurface& measure, bool unplacedParts = false);

    const PanelJob& job() const { return job_; }
    const LayoutInput& input() const { return input_; }
    // The panels as shown: the layout with free rectangles, utilisation and charging flags.
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
    bool CutSaleShown() const { return job_.cutsell && priceDisplay_; }

    int page() const { return page_; }
    void SetPage(int page) { page_ = page < 0 ? 0 : page; }

    // "縮小" and "拡大": new zoom, page 0.
    void ZoomOut();
    void ZoomIn();

    // Cut-sale prices for the current charging flags (all 0 unless cut-sale pricing is on with
    // prices given); kept as cutSalePrices() for whoever shows them.
    const CutSalePrices& UpdateCutSalePrices();
    const CutSalePrices& cutSalePrices() const { return cutSalePrices_; }

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
    const PanelJob& job_;
    const LayoutInput& input_;
    const PanelLayoutResult& layout_;
    PanelLayoutResult result_;
    LayoutOptions options_;
    CutSalePrices cutSalePrices_;
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

// The title font is the largest (below 20 points) in which ten digits take at most this share
// of the view width.
inline constexpr double kTitleDigitsWidthShare = 0.193;

// The two font fittings of the view: the title font (above) and the text font, whose line must
// fit the summary line height (kSummaryLineFactor).
double FitTitleFontSize(gui::DrawSurface& measure, double VW);
double FitTextFontSize(gui::DrawSurface& measure, double VH);

}  // namespace tvx::panel
