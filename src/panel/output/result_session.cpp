#include "panel/output/result_session.h"

#include <QDate>
#include <QLocale>

#include "panel/engine/geometry.h"
#include "panel/output/summary_plan.h"

namespace tvx::panel {

ResultSession::ResultSession(const PanelJob& job, const LayoutInput& input,
                             const PanelLayoutResult& layout, const LayoutOptions& options)
    : job_(job), input_(input), layout_(layout), result_(layout), options_(options) {}

double FitTitleFontSize(gui::DrawSurface& measure, double VW) {
    double size = 20;
    do {
        size -= 1;
        measure.SetFontSize(size);
    } while (size > 1 &&
             measure.TextWidth(QStringLiteral("1234567890")) > VW * kTitleDigitsWidthShare);
    return size;
}

double FitTextFontSize(gui::DrawSurface& measure, double VH) {
    const QString probe = QString::fromUtf8("パネルサイズ");
    double size = 16;
    do {
        size -= 1;
        measure.SetFontSize(size - 1);
    } while (size > 2 && measure.TextHeight(probe) + 2 > VH * kSummaryLineFactor);
    return size;
}

void ResultSession::Initialise(gui::DrawSurface& measure, bool unplacedParts) {
    result_ = layout_;
    for (PanelState& panel : result_.panels) RecomputeFreeRects(input_, panel);
    figures_ = ComputeFigures(input_, result_);
    view_ = InitialView(figures_.W, figures_.H);
    measure.SetScale(0, 0, view_.VW, view_.VH);
    titleFontSize_ = FitTitleFontSize(measure, view_.VW);
    textFontSize_ = FitTextFontSize(measure, view_.VH);
    priceDisplay_ = input_.priceMode;
    page_ = 0;
    ComputeUtilisation(input_, result_, options_.fullPanelPercent);
    groups_ = GroupPanels(result_);
    cells_.Reset(view_.CellsPerPage());

    hint_.clear();
    if (job_.cutsell && !input_.priceMode) hint_ = QString::fromUtf8(kHintSetPrices);
    if (job_.cutsell && input_.priceMode) hint_ = QString::fromUtf8(kHintClickPanel);
    if (unplacedParts) hint_ = QString::fromUtf8(kHintUnplaced);
}

void ResultSession::ZoomOut() {
    panel::ZoomOut(view_);
    page_ = 0;
    cells_.Reset(view_.CellsPerPage());
}

void ResultSession::ZoomIn() {
    panel::ZoomIn(view_);
    page_ = 0;
    cells_.Reset(view_.CellsPerPage());
}

const CutSalePrices& ResultSession::UpdateCutSalePrices() {
    if (job_.cutsell && input_.priceMode) {
        cutSalePrices_ = ComputeCutSalePrices(input_, result_, figures_.placedCount);
    } else {
        cutSalePrices_ = CutSalePrices{};
        cutSalePrices_.price.assign(input_.rows.size(), 0);
    }
    return cutSalePrices_;
}

bool ResultSession::ToggleChargingAt(double x, double y) {
    if (!CutSaleShown()) return false;
    const int p = cells_.PanelAt(x, y);
    if (p < 0 || static_cast<std::size_t>(p) >= result_.panels.size()) return false;
    const bool whole = !result_.panels[static_cast<std::size_t>(p)].wholePanel;
    result_.panels[static_cast<std::size_t>(p)].wholePanel = whole;
    for (std::size_t q = static_cast<std::size_t>(p) + 1;
         q < result_.panels.size() && SameAsPrevious(result_.panels, q); ++q) {
        result_.panels[q].wholePanel = whole;
    }
    return true;
}

QString ResultSession::DateText() const {
    if (!dateText_.isEmpty()) return dateText_;
    return QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

}  // namespace tvx::panel
