#pragma once
// The manual layout editor "手動カット": the user lays parts out on the panels by hand, page
// by page, or corrects a finished layout (modification mode). The window works on its own
// copy of the layout and hands the edited layout back; whoever opened it takes it over.

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "panel/engine/layout_types.h"
#include "panel/engine/manual_layout.h"
#include "panel/model/panel_job.h"

class QLabel;
class QPushButton;

namespace tvx::panel {

class ManualCanvas;
class ManualPartsList;
class ResultView;

inline constexpr int kManualFreshHelpContext = 30;
inline constexpr int kManualModifyHelpContext = 36;

struct ManualEditorHooks {
    std::function<void()> save;     // "保存" of a result view opened by "一覧"
    std::function<void(int)> help;  // "ﾍﾙﾌﾟ" with the context number; empty = help viewer
    // Runs the result view opened by "一覧"; empty = exec() it modally.
    std::function<void(ResultView&)> showResult;
};

class ManualWariate : public QDialog {
    Q_OBJECT
  public:
    ManualWariate(PanelJob& job, const LayoutInput& input, ManualMode mode, PanelLayoutResult start,
                  ManualEditorHooks hooks = {}, QWidget* parent = nullptr);
    ~ManualWariate() override;

    ManualLayout& layout() { return *layout_; }
    const ManualLayout& layout() const { return *layout_; }
    // The edited layout.
    PanelLayoutResult Layout() const { return layout_->Layout(); }

    // The commands of the buttons.
    void CloseCommand();
    void PreviousPageCommand();
    void NextPageCommand();
    void ClearPageCommand();
    void CopyCommand();
    void ListCommand();
    void HelpCommand();
    void SizeCommand(int size);

    ManualCanvas* canvas() const { return canvas_; }
    ManualPartsList* partsList() const { return partsList_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* previousPageButton() const { return previousPageButton_; }
    QPushButton* nextPageButton() const { return nextPageButton_; }
    QPushButton* clearPageButton() const { return clearPageButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* listButton() const { return listButton_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* sizeButton(int i) const { return sizeButtons_[static_cast<std::size_t>(i)]; }
    QLabel* pageNumberLabel() const { return pageNumberValue_; }
    QLabel* remainingLabel() const { return remainingValue_; }
    QLabel* priorityLabel() const { return priorityValue_; }
    QLabel* messageLabel() const { return messageLabel_; }

  public slots:
    // The close box and Escape leave like the close button.
    void reject() override;

  private:
    void BuildControls();
    void PlaceControls();
    void RescaleCanvas();
    void ShowEverything();
    void ShowCounts();
    void ShowSizes();
    void ShowHover();
    void SetMessage(const char* text);

    void OnPointerMoved(double px, double py, bool shift);
    void OnPointerPressed(Qt::MouseButton button, double px, double py, bool shift);
    void OnDigit(int digit);
    void OnCandidateKey(bool up, bool shift);
    void OnShift(bool down);
    void OnWheel(int vector, int modifiers);

    PanelJob& job_;
    LayoutInput input_;  // the editor's copy; the result view opened by "一覧" prices into it
    ManualEditorHooks hooks_;
    std::unique_ptr<ManualLayout> layout_;
    bool handlingMouse_ = false;
    bool leaving_ = false;

    ManualCanvas* canvas_ = nullptr;
    ManualPartsList* partsList_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* previousPageButton_ = nullptr;
    QPushButton* nextPageButton_ = nullptr;
    QPushButton* clearPageButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* listButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QLabel* pageNumberHeading_ = nullptr;
    QLabel* pageNumberValue_ = nullptr;
    QLabel* remainingHeading_ = nullptr;
    QLabel* remainingValue_ = nullptr;
    QLabel* priorityHeading_ = nullptr;
    QLabel* priorityValue_ = nullptr;
    QLabel* sizeHeading_ = nullptr;
    std::array<QPushButton*, kMaxStockSizes> sizeButtons_{};
    QLabel* messageLabel_ = nullptr;
};

struct ManualEditorOutcome {
    PanelLayoutResult layout;
    bool partsRemain = false;
};

// Opens the editor modally on `start` (ignored in fresh mode) and returns what it left.
ManualEditorOutcome RunManualEditor(PanelJob& job, const LayoutInput& input, ManualMode mode,
                                    PanelLayoutResult start, ManualEditorHooks hooks,
                                    QWidget* parent);

}  // namespace tvx::panel
