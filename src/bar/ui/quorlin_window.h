#pragma once
// Quorlin's main window: the stock length (or the lengths of the "複数 棒材" dialog), the kerf,
// the title and a page of 20 rows of lengths to cut; the calculation, run off the window's
// thread with "強制終了"; the result picture with its summary; printing, job files, paging and
// row editing. It edits the one job it is given.

#include <QFutureWatcher>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "bar/model/bar_job.h"
#include "bar/output/bar_plan_view.h"
#include "bar/ui/bar_row_ops.h"
#include "common/gui/control_lock.h"
#include "common/gui/job_file_dialogs.h"
#include "common/search_control.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace tvx::gui {
class SettingsStore;
class NumericEdit;
}  // namespace tvx::gui

namespace tvx::bar {

class BarCutGrid;
class MultiBouzai;
class ResultPicture;

inline constexpr int kQuorlinHelpContext = 40;
inline constexpr const char* kStoppedMessage = "計算を中断しました。";
inline constexpr const char* kIncompleteReadMessage =
    "ファイルを最後まで読み込めませんでした。読み込めた所までを表示しています。";
// Where the "最適化計算" switch is kept: its own section of the settings file.
inline constexpr const char* kOptimalSection = "OptimalBarPlan";
inline constexpr const char* kOptimalKey = "Enabled";

class QuorlinWindow : public QMainWindow {
    Q_OBJECT
  public:
    QuorlinWindow(BarJob& job, gui::SettingsStore& settings, QWidget* parent = nullptr);
    ~QuorlinWindow() override;

    // The program's command line as one text; the file it names opens at the first activation.
    void SetCommandLine(const QString& text) { commandLine_ = text; }
    void FirstActivation();

    // Commands of the buttons and menus.
    void Calculate();
    void ForceStop();
    void ResetCommand();
    void QuitCommand();
    void SwitchDisplay();
    void PrintCommand();
    bool SaveCommand();
    void OpenCommand();
    void OpenMultiBouzai();
    void PreviousPage();
    void NextPage();
    void InsertTitle();
    void TogglePartCodes();
    void ToggleOptimalCalculation();
    void ShowHelpTopic();
    void UndoCommand();
    void CutCommand();
    void CopyCommand();
    void PasteCommand();
    void InsertCommand();
    void DeleteCommand();
    void UpdateEditMenu();

    // Reads a job file into the job and shows it; false (job untouched, message line says so)
    // when it could not be read.
    bool OpenJobPath(const QString& path);

    // Seams for tests and for the pieces built alongside.
    using FileChooser =
        std::function<QString(bool save, const QString& folder, const QString& fileName)>;
    void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Answers "変更を保存しますか？": Save, Discard or Cancel.
    using SaveAnswer = gui::SaveAnswer;
    using SavePrompt = std::function<SaveAnswer()>;
    void SetSavePrompt(SavePrompt prompt) { savePrompt_ = std::move(prompt); }
    // Shows the "複数 棒材" dialog modally on the job (by default the window's own MultiBouzai).
    using MultiBouzaiRunner = std::function<void(BarJob& job, QWidget* owner)>;
    void SetMultiBouzaiRunner(MultiBouzaiRunner runner) { multiRunner_ = std::move(runner); }
    void SetStepPause(int milliseconds) { stepPauseMs_ = milliseconds; }
    // The engine's steps per pass (tests lower it).
    void SetStepLimit(int steps) { stepLimit_ = steps; }

    // The plan on show (widgets are found by their object names): whether it still matches
    // the job, and the view it is drawn from.
    bool planCurrent() const { return planView_.has_value() && planCurrent_; }
    const std::optional<BarPlanView>& planView() const { return planView_; }

  signals:
    void calculationFinished();
    // The engine's progress while a calculation runs (sent from the engine's thread, received
    // on the window's): the pass count and, once there is one, the best plan's cost and bound.
    void calculationProgress(const tvx::SearchProgress& progress);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Building (window_controls.cpp).
    void BuildControls();
    void BuildMenus();
    void ReadSettings();
    void WriteSettings();

    // Placement (window_layout.cpp).
    void LayoutWindow();
    void ShowStockDisplay();

    // Values and keys (window_values.cpp).
    // The rows of the page (a row step shows them); the page with its buttons.
    void ShowRows();
    void ShowPage();
    bool NextPageAllowed() const;
    bool CommitCell(int row, GridColumn column);
    bool CommitActiveCell();
    void OnCellLeft(int row, int column);
    void OnEnterInCell(int row, int column);
    void FocusFirstRow();
    bool BoxKey(QLineEdit* box, int key);
    void OnKerfEdited();
    bool CommitKerf();
    bool CommitStockBox();
    void StepKerf(int delta);
    void ShowKerf();
    void RefuseBox(QWidget* box, const QString& message);

    // Calculation (window_calculation.cpp).
    void OnCalculationFinished();
    void SetCalculating(bool on);
    // Disables the window's controls, its menus and their shortcuts, all but "強制終了", while
    // the calculation or the row steps run, and enables what it disabled again afterwards (the
    // one lock for both). Commands need not ask whether something runs.
    void LockWindow(bool locked);
    void ShowPlan();
    void ClearPlanDisplay();
    void MarkPlanOutOfDate();

    // Files (window_files.cpp).
    bool ConfirmDiscard();
    bool SaveJob();
    void ApplyOpenedJob(const QString& message);
    void ResetWindow();

    // Editing (window_editing.cpp).
    void TakeUndo();
    // Opens `count` blank rows at the list's row `firstRow`, one visible step at a time, then
    // calls `done`.
    void InsertRows(int firstRow, int count, std::function<void()> done);
    // Runs `count` steps of a row command from the event loop with a pause after each of the
    // first ones, then calls `done`; a step returns false to end the command early. The window
    // is locked meanwhile.
    using RowStep = std::function<bool()>;
    void RunRowSteps(int count, RowStep step, std::function<void()> done);
    void NextRowStep();
    void ShowEditMenuAt(const QPoint& globalPos);

    void SetMessage(const QString& text);
    void SetModified();
    void JobChanged();  // modified, plan out of date, undo kept

    BarJob& job_;
    gui::SettingsStore& settings_;

    bool firstActivation_ = true;
    QString commandLine_;
    bool calculating_ = false;
    bool closeAfterCalculation_ = false;
    bool rowStepsRunning_ = false;
    // What LockWindow disabled, to be enabled again afterwards.
    gui::ControlLock lock_;
    bool modified_ = false;
    bool quitting_ = false;
    int stepPauseMs_ = 100;
    QPointer<QWidget> focusBeforeSteps_;
    RowStep rowStep_;
    std::function<void()> rowStepsDone_;
    int stepCount_ = 0;
    int nextStep_ = 0;
    int stepLimit_ = 0;
    RowUndo undo_;
    // The cell whose text was refused: commands wait until it holds a valid value.
    int refusedRow_ = -1;
    GridColumn refusedColumn_ = GridColumn::Length;

    // The plan on show and the inputs it was calculated from.
    std::optional<BarPlanView> planView_;
    bool planCurrent_ = false;
    // "最適化計算": whether "計算" runs the optimising calculation (kept in the settings file),
    // and whether the running or shown plan came from it.
    bool optimalCalculation_ = false;
    bool optimalRun_ = false;
    BarJob calculationInput_;
    SearchControl searchControl_;
    QFutureWatcher<BarPlan> watcher_;

    FileChooser fileChooser_;
    SavePrompt savePrompt_;
    MultiBouzaiRunner multiRunner_;
    MultiBouzai* multiDialog_ = nullptr;  // created on first use, then reused

    QWidget* central_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* stockCaption_ = nullptr;
    gui::NumericEdit* stockBox_ = nullptr;
    std::array<QLabel*, kMaxStockEntries> stockLabels_{};
    QLabel* kerfCaption_ = nullptr;
    gui::NumericEdit* kerfBox_ = nullptr;
    QToolButton* kerfUp_ = nullptr;
    QToolButton* kerfDown_ = nullptr;
    QLineEdit* titleBox_ = nullptr;
    BarCutGrid* grid_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    ResultPicture* picture_ = nullptr;
    QLabel* summaryHeader_ = nullptr;
    QLabel* summaryLabel_ = nullptr;

    QPushButton* calculateButton_ = nullptr;
    QPushButton* forceStopButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* switchButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* multiButton_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* titleButton_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* optionMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* cutAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* insertAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QAction* partCodesAction_ = nullptr;
    QAction* optimalAction_ = nullptr;
    QAction* helpAction_ = nullptr;
};

}  // namespace tvx::bar
