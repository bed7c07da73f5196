#pragma once
// The result view "一覧表示": pages of cutting diagrams with the used panels, the yield and the
// total beside them; paging, zoom, title, price display, charging toggle, print, save,
// modification and help. It opens from a job and its layout alone; saving, the manual editor
// and help are reached through hooks given by whoever opens it.

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"
#include "panel/output/result_page.h"

class QLabel;
class QPushButton;

namespace tvx::panel {

class ResultCanvas;
class ResultSession;
class TitleEntry;

inline constexpr int kResultViewHelpContext = 32;

struct ResultViewHooks {
    std::function<void()> save;  // "保存": the main window's save
    // "修正": the manual editor in its modification mode; returns true while parts remain
    // unplaced. Empty = the button stays disabled.
    std::function<bool()> modify;
    std::function<void(int)> help;              // "ﾍﾙﾌﾟ" with the context number
    std::function<bool(ResultSession&)> print;  // "印  刷"; empty = PrintResult
    bool unplacedParts = false;                 // opened by the editor with parts left over
    // The optimising layout's verdict, shown under the yield ("最適", "下限との差 x.x%");
    // empty after the standard layout.
    QString optimizeVerdict;
    // The printed document's name when the job has no title (the job file's name), or empty.
    QString documentName;
};

class ResultView : public QDialog {
    Q_OBJECT
  public:
    // The job is kept by reference for the title the view edits; the layout is only read.
    ResultView(PanelJob& job, const LayoutInput& input, const PanelLayoutResult& result,
               ResultViewHooks hooks = {}, QWidget* parent = nullptr);
    ~ResultView() override;

    ResultSession& session() { return *session_; }
    ResultCanvas& canvas() { return *canvas_; }
    const PageOutcome& lastOutcome() const { return outcome_; }

    // Redraws the current page and updates the paging buttons.
    void RedrawPage();

    // The controls, for tests and the hint line.
    QPushButton* previousPageButton() const { return previousPageButton_; }
    QPushButton* nextPageButton() const { return nextPageButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* shrinkButton() const { return shrinkButton_; }
    QPushButton* enlargeButton() const { return enlargeButton_; }
    QPushButton* titleButton() const { return titleButton_; }
    QPushButton* priceDisplayButton() const { return priceDisplayButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* modifyButton() const { return modifyButton_; }
    TitleEntry* titleEntry() const { return titleEntry_; }
    QLabel* usedPanelLabel(int i) const { return usedPanelLabels_[static_cast<std::size_t>(i)]; }
    QLabel* usedPriceLabel(int i) const { return usedPriceLabels_[static_cast<std::size_t>(i)]; }
    QLabel* yieldValueLabel() const { return yieldValueLabel_; }
    QLabel* totalValueLabel() const { return totalValueLabel_; }
    QLabel* hintLabel() const { return hintLabel_; }
    QLabel* optimizeVerdictLabel() const { return optimizeVerdictLabel_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void PlaceControls();
    void Initialise(bool unplacedParts);
    void FillSidePanel();
    void ShowTitleEntry();
    void TitleEntryLeft();
    void OnCanvasReleased(double x, double y);
    void OnModify();

    PanelJob& job_;
    ResultViewHooks hooks_;
    std::unique_ptr<ResultSession> session_;
    PageOutcome outcome_;

    ResultCanvas* canvas_ = nullptr;
    TitleEntry* titleEntry_ = nullptr;
    QPushButton* previousPageButton_ = nullptr;
    QPushButton* nextPageButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* shrinkButton_ = nullptr;
    QPushButton* enlargeButton_ = nullptr;
    QPushButton* titleButton_ = nullptr;
    QPushButton* priceDisplayButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* modifyButton_ = nullptr;
    QLabel* usedPanelHeading_ = nullptr;
    std::array<QLabel*, kMaxStockSizes> usedPanelLabels_{};
    std::array<QLabel*, kMaxStockSizes> usedPriceLabels_{};
    QLabel* yieldHeading_ = nullptr;
    QLabel* yieldValueLabel_ = nullptr;
    QLabel* yieldUnitLabel_ = nullptr;
    QLabel* totalHeading_ = nullptr;
    QLabel* totalValueLabel_ = nullptr;
    QLabel* optimizeVerdictLabel_ = nullptr;
    QLabel* hintLabel_ = nullptr;
};

}  // namespace tvx::panel
