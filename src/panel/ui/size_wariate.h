#pragma once
// Tavolex's main window: the stock panel size, kerf and options, the 20-row part grid on ten
// pages (a CutGrid, which owns its cells; the window says what they mean for the job), the
// automatic layout with its force stop, job files, row editing with its undo, and the
// multiple-size dialog. It edits the one job it is given.

#include <QFutureWatcher>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/gui/control_lock.h"
#include "common/gui/job_file_dialogs.h"
#include "common/search_control.h"
#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"
#include "panel/ui/row_undo.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace tvx::gui {
class NumericEdit;
class SettingsStore;
}  // namespace tvx::gui

namespace tvx::panel {

// The message line while the automatic layout runs; the iteration count follows it.
inline constexpr const char* kCalculatingMessage = "計算中．．．．．";

class CutGrid;
enum class Column;
class MultiPanel;
using gui::NumericEdit;

inline constexpr int kMainWindowHelpContext = 22;

class SizeWariate : public QMainWindow {
    Q_OBJECT
  public:
    SizeWariate(PanelJob& job, gui::SettingsStore& settings, QWidget* parent = nullptr);
    ~SizeWariate() override;

    // Redisplay operations other parts call after changing the job.
    void ShowPage();
    void ShowPanelSizes();
    // The save dialog (offering the last opened or saved file's name and folder) and the
    // writer; also the result view's "保存". True when written.
    bool Save_Data();
    // Reads the job file at `path` into the job and shows it. False when nothing could be read
    // as a job (the job is then as it was) and the message line says why.
    bool OpenJobPath(const QString& path);

    // The job has changes not yet saved; the title bar shows Qt's modified mark.
    bool modified() const { return modified_; }
    // The file last opened or saved, or empty.
    const QString& currentFile() const { return currentFile_; }

    // The program's command line as one text; the file it names opens at the first activation.
    void SetCommandLine(const QString& text) { commandLine_ = text; }
    // Runs the first-activation step now (the window calls it itself when first activated).
    void FirstActivation();

    // Commands of the buttons and menus.
    void NextPage();
    void PreviousPage();
    void ToggleCommentColumn();
    void ToggleCutsell();
    void ToggleKtyFree();
    void OpenMultiPanel();
    void AutoCut();
    void ManualCut();
    void ResetJobCommand();
    void QuitCommand();
    void ForceStop();
    void OpenCommand();
    void SaveCommand();
    void ShowHelpTopic();
    void ShowVersion();

    // "編集(&E)".
    void UpdateEditMenu();
    void UndoCommand();
    void CutCommand();
    void CopyCommand();
    void PasteCommand();
    void InsertCommand();
    void DeleteCommand();
    void ClearRowSelect();

    // Runs the check before a layout and acts on its outcome (message line and focus).
    bool RunCheck();

    // Seams for tests and for parts built later.
    using FileChooser =
        std::function<QString(bool save, const QString& folder, const QString& fileName)>;
    void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Answers "変更を保存しますか？" (by default the question box).
    using SaveAnswer = gui::SaveAnswer;
    using SavePrompt = std::function<SaveAnswer()>;
    void SetSavePrompt(SavePrompt prompt) { savePrompt_ = std::move(prompt); }
    using MultiPanelRunner = std::function<void(MultiPanel& dialog)>;
    void SetMultiPanelRunner(MultiPanelRunner runner) { multiPanelRunner_ = std::move(runner); }
    using ResultViewer = std::function<void()>;
    void SetResultViewer(ResultViewer viewer) { resultViewer_ = std::move(viewer); }
    // The pause after each visible step of inserting or deleting rows; 0 runs the steps at
    // once, before the command returns.
    void SetStepPause(int milliseconds) { stepPauseMs_ = milliseconds; }

    // The window's state that tests and the result view read. Its controls have object names
    // (the grid "cutGrid" with cells "height<r>", "width<r>", "quantity<r>", "comment<r>";
    // "heightBox", "widthBox", "priceBox", "kerfBox", "messageLine", "editMenu", "undoAction"
    // and the like): tests find them with findChild.
    PanelJob& job() { return job_; }
    int currentPage() const { return currentPage_; }
    bool rowStepsRunning() const { return rowStepsRunning_; }
    bool layoutRunning() const { return layoutRunning_; }
    const LayoutInput& layoutInput() const { return layoutInput_; }
    const PanelLayoutResult& layoutResult() const { return layoutResult_; }
    LayoutInput& layoutInput() { return layoutInput_; }
    PanelLayoutResult& layoutResult() { return layoutResult_; }
    // The optimising layout's verdict on the last layout ("最適", "下限との差 x.x%"), or "".
    const QString& optimizeVerdict() const { return optimizeVerdict_; }

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

    // Placement and visibility (window_layout.cpp).
    void LayoutWindow();
    void ApplyPanelSizeVisibility();
    void PlaceStockLabels();

    // Grid and boxes (grid_keys.cpp).
    void ConnectGrid();
    bool PanelBoxEvent(QLineEdit* box, QEvent* event);
    // Takes a cell's text into the job; false (message line, focus back in the cell) when a
    // numeric cell holds text that is not a number, or a quantity that is not whole.
    // `keepUndo`: the undo copy was taken for this very change (a paste).
    bool CommitCell(int row, Column column, bool keepUndo = false);
    // Takes the focused cell or number box, and a cell refused before; false while one of them
    // holds a refused value (commands then do nothing).
    bool CommitActiveCell();
    bool CommitNumberBox(QLineEdit* box);
    void RefuseBox(QLineEdit* box, const QString& message);
    void FocusCell(int row, Column column);
    void RestoreFocus();
    void EnterFromCell(int row, Column column);
    void OnPanelBoxChanged();
    void OnKerfChanged();
    void StepKerf(int delta);
    void OnRotateAllToggled(bool on);
    void OnRowTurnToggled(int row, bool on);

    // Row editing (row_editing.cpp).
    void SelectFromRowLabel(int row);
    // Opens `count` blank rows at the page's row `first`, one visible step at a time, then
    // calls `done`.
    void InsertRows(int first, int count, std::function<void()> done);
    // Runs `count` steps of a row command from the event loop, pausing after a step that asks
    // for it, then calls `done`. One step: its number; true when a pause follows it.
    using RowStep = std::function<bool(int step)>;
    void RunRowSteps(int count, RowStep step, std::function<void()> done);
    void NextRowStep();

    // The layout or the row steps run. The window is locked meanwhile (LockWhileRunning), so
    // commands need not ask; only events that reach a locked window do.
    bool Busy() const { return rowStepsRunning_ || layoutRunning_; }
    void SetMessage(const QString& text);
    // The modified flag and the title bar ("name[*] - Tavolex").
    void SetModified();
    void ClearModified();
    void ShowFileTitle();
    // Asks "変更を保存しますか？" when the job has changed; true when the command may go on.
    bool ConfirmDiscard();
    // After "自動カット": the rows the layout left out although they hold something.
    QString IgnoredRowsMessage() const;
    void OpenResultView();
    // The automatic layout off the window's thread: start, progress (queued), end.
    void StartLayout();
    void ShowLayoutProgress(std::int64_t iteration);
    void FinishLayout();
    // Disables the window's controls, menus and their shortcuts except "強制終了" while the
    // layout or the row steps run, and enables what it disabled again (the one lock for both).
    void LockWhileRunning(bool locked);

    PanelJob& job_;
    gui::SettingsStore& settings_;
    // "元に戻す": the rows before the last cut, delete, insert, paste, reset or file reading.
    RowUndo undo_;
    LayoutInput layoutInput_;
    PanelLayoutResult layoutResult_;

    int currentPage_ = 0;
    // With no current cell in the grid, the focus goes back to the width box (else the height
    // box): the size box that had it last.
    bool widthBoxLast_ = false;
    bool firstActivation_ = true;
    QString commandLine_;
    bool quitting_ = false;
    bool modified_ = false;
    QString currentFile_;
    // A number box or cell whose text was refused: commands wait until it holds a number.
    QPointer<QLineEdit> refusedBox_;
    bool layoutRunning_ = false;
    SearchControl searchControl_;  // the running layout's stop flag ("強制終了", close box)
    LayoutOptions layoutOptions_;
    // The automatic layout runs on a worker thread; the watcher brings its result back.
    QFutureWatcher<std::optional<PanelLayoutResult>>* layoutWatcher_ = nullptr;
    bool closeAfterLayout_ = false;  // the close box was pressed while the layout ran
    // What LockWhileRunning disabled, to be enabled again afterwards.
    gui::ControlLock lock_;
    QPointer<QWidget> focusBeforeLock_;
    bool rowStepsRunning_ = false;
    int stepPauseMs_ = 100;
    RowStep rowStep_;
    std::function<void()> rowStepsDone_;
    int stepCount_ = 0;
    int nextStep_ = 0;

    FileChooser fileChooser_;
    SavePrompt savePrompt_;
    MultiPanelRunner multiPanelRunner_;
    ResultViewer resultViewer_;

    QWidget* central_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* panelHeading_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QLabel* widthLabel_ = nullptr;
    QLabel* priceLabel_ = nullptr;
    NumericEdit* heightBox_ = nullptr;
    NumericEdit* widthBox_ = nullptr;
    NumericEdit* priceBox_ = nullptr;
    std::array<QLabel*, kMaxStockSizes> stockLabels_{};
    QPushButton* multiPanelButton_ = nullptr;
    QLabel* kerfLabel_ = nullptr;
    NumericEdit* kerfBox_ = nullptr;
    QToolButton* kerfUp_ = nullptr;
    QToolButton* kerfDown_ = nullptr;
    QCheckBox* rotateAllBox_ = nullptr;
    CutGrid* grid_ = nullptr;
    QPushButton* commentButton_ = nullptr;
    QPushButton* previousPageButton_ = nullptr;
    QPushButton* nextPageButton_ = nullptr;
    QPushButton* autoCutButton_ = nullptr;
    QPushButton* manualCutButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* forceStopButton_ = nullptr;
    QLabel* messageLabel_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
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
    QAction* cutsellAction_ = nullptr;
    QAction* ktyFreeAction_ = nullptr;
    // "最適化レイアウト": "自動カット" runs the optimising layout (kept in its own section of
    // the settings file).
    QAction* optimizeAction_ = nullptr;
    bool optimizeLayout_ = false;
    QString optimizeVerdict_;
    bool optimizedRun_ = false;  // the running (or last) layout came from the optimising search
    QAction* helpTopicAction_ = nullptr;
    QAction* versionAction_ = nullptr;
};

}  // namespace tvx::panel
