// The buttons and option menus of the main window: paging, comment column, options, the
// multiple-size dialog, the check, the automatic layout with its force stop, the manual
// layout editor, and reset.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include "common/number_text.h"
#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/geometry.h"
#include "panel/engine/optimize/optimized_layout.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/manual_wariate.h"
#include "panel/ui/multi_panel.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {

void SizeWariate::NextPage() {
    if (Busy()) return;
    CommitActiveCell();
    if (currentPage_ >= kMaxRows / kRowsPerPage - 1) return;
    ++currentPage_;
    ShowPage();
    FocusCell(0);
}

void SizeWariate::PreviousPage() {
    if (Busy()) return;
    CommitActiveCell();
    if (currentPage_ <= 0) return;
    --currentPage_;
    ShowPage();
    FocusCell(0);
}

void SizeWariate::ToggleCommentColumn() {
    if (Busy()) return;
    CommitActiveCell();
    job_.comIn = !job_.comIn;
    PaintCells();
    RestoreFocus();
}

void SizeWariate::ToggleCutsell() {
    if (Busy()) {
        cutsellAction_->setChecked(job_.cutsell == 1);
        return;
    }
    CommitActiveCell();
    job_.cutsell = job_.cutsell == 1 ? 0 : 1;
    cutsellAction_->setChecked(job_.cutsell == 1);
    ShowPage();
    LayoutWindow();
}

void SizeWariate::ToggleKtyFree() {
    if (Busy()) {
        ktyFreeAction_->setChecked(job_.ktyFree == 1);
        return;
    }
    CommitActiveCell();
    if (job_.ktyFree == 1) {
        job_.ktyFree = 0;
    } else {
        job_.ktyFree = 1;
        job_.turnFlag.fill(0);
        if (job_.rotateAll == 1)
            for (int r = 0; r < job_.cutCount; ++r) job_.turnFlag[static_cast<std::size_t>(r)] = 1;
    }
    ktyFreeAction_->setChecked(job_.ktyFree == 1);
    ShowPage();
    LayoutWindow();
}

void SizeWariate::OpenMultiPanel() {
    if (Busy()) return;
    CommitActiveCell();
    if (!heightBox_->text().isEmpty() && !widthBox_->text().isEmpty() && job_.lastSizeIndex < 1) {
        auto number = [](const QLineEdit* box) {
            return ClampToInt32(RoundHalfEven(LeadingNumber(box->text().toStdString())));
        };
        job_.lastSizeIndex = 0;
        job_.stock[0].height = number(heightBox_);
        job_.stock[0].width = number(widthBox_);
        if (job_.cutsell == 1) job_.stock[0].price = number(priceBox_);
    }
    MultiPanel dialog(job_, this);
    if (multiPanelRunner_)
        multiPanelRunner_(dialog);
    else
        dialog.exec();
    ShowPanelSizes();
    if (job_.lastSizeIndex == -1)
        heightBox_->setFocus(Qt::OtherFocusReason);
    else
        FocusCell(0);
}

bool SizeWariate::RunCheck() {
    const CheckResult check = CheckJob(job_);
    if (check.ok) return true;
    if (check.message.empty()) return false;
    switch (check.focus) {
        case CheckFocus::HeightBox:
            heightBox_->setFocus(Qt::OtherFocusReason);
            break;
        case CheckFocus::WidthBox:
            widthBox_->setFocus(Qt::OtherFocusReason);
            break;
        case CheckFocus::MultiPanelButton:
            multiPanelButton_->setFocus(Qt::OtherFocusReason);
            break;
        case CheckFocus::KerfBox:
            kerfBox_->setFocus(Qt::OtherFocusReason);
            break;
        case CheckFocus::RowHeight:
        case CheckFocus::RowWidth:
            currentPage_ = check.row / kRowsPerPage;
            ShowPage();
            FocusCell((check.row % kRowsPerPage) * 4 +
                      (check.focus == CheckFocus::RowHeight ? 0 : 1));
            break;
        case CheckFocus::None:
            break;
    }
    // After the focus has moved: leaving a cell clears the message line.
    SetMessage(QString::fromStdString(check.message));
    return false;
}

void SizeWariate::AutoCut() {
    if (Busy()) return;
    CommitActiveCell();
    if (!RunCheck()) return;
    layoutInput_ = PrepareLayoutInput(job_);
    layoutResult_ = PanelLayoutResult{};
    SetMessage(kCalculatingMessage);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    job_.cancelRequested = false;
    autoCutButton_->setEnabled(false);
    layoutRunning_ = true;
    forceStopButton_->show();

    bool found = false;
    optimizeVerdict_.clear();
    if (optimizeLayout_) {
        found = RunOptimizedLayoutInBackground();
    } else {
        LayoutCallbacks callbacks;
        callbacks.progress = [this](const std::string& text) {
            SetMessage(QString::fromStdString(text));
        };
        callbacks.pumpEvents = [] { QCoreApplication::processEvents(); };
        callbacks.cancelRequested = [this] { return job_.cancelRequested; };
        found = AutoLayout(layoutInput_, callbacks, layoutResult_, job_.fullPanelPercent);
    }

    layoutRunning_ = false;
    job_.cancelRequested = false;
    forceStopButton_->hide();
    autoCutButton_->setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (found) {
        OpenResultView();
        SetMessage(QString());
    } else {
        SetMessage(kNoLayoutMessage);
    }
}

// The optimising layout on a worker thread; the window stays live for "強制終了", which
// stops the search with the best layout found so far.
bool SizeWariate::RunOptimizedLayoutInBackground() {
    optimizeControl_.ClearStop();
    optimizeControl_.onProgress = [this](const SearchProgress& progress) {
        const QString text =
            QString::fromUtf8(kCalculatingMessage) + QString::number(progress.iteration);
        QMetaObject::invokeMethod(
            this, [this, text] { SetMessage(text); }, Qt::QueuedConnection);
    };
    OptimizeOptions options;
    options.fullPanelPercent = job_.fullPanelPercent;
    const LayoutInput input = layoutInput_;
    QFutureWatcher<std::optional<PanelLayoutResult>> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(
        [&input, options, this] { return RunOptimizedLayout(input, options, optimizeControl_); }));
    if (!watcher.isFinished()) loop.exec();
    optimizeControl_.onProgress = nullptr;
    std::optional<PanelLayoutResult> result = watcher.result();
    if (!result) return false;
    layoutResult_ = std::move(*result);
    ComputeUtilisation(layoutInput_, layoutResult_, job_.fullPanelPercent);
    const OptimizeSummary summary = SummarizeLayout(layoutInput_, layoutResult_);
    optimizeVerdict_ = QString::fromStdString(OptimizeVerdict(summary.optimal, summary.gapPercent));
    return true;
}

void SizeWariate::ForceStop() {
    job_.cancelRequested = true;
    optimizeControl_.RequestStop();
}

void SizeWariate::ManualCut() {
    if (Busy()) return;
    CommitActiveCell();
    if (!RunCheck()) return;
    layoutInput_ = PrepareLayoutInput(job_);
    layoutResult_ = PanelLayoutResult{};
    ManualEditorHooks hooks;
    hooks.save = [this] { Save_Data(); };
    layoutResult_ =
        RunManualEditor(job_, layoutInput_, ManualMode::Fresh, {}, std::move(hooks), this).layout;
}

void SizeWariate::ResetJobCommand() {
    if (Busy()) return;
    CommitActiveCell();
    ResetJob(job_);
    heightBox_->clear();
    widthBox_->clear();
    priceBox_->clear();
    rotateAllBox_->setChecked(false);
    job_.rotateAll = 0;
    ClearRowSelect();
    currentPage_ = 0;
    ShowPage();
    for (QLabel* stock : stockLabels_) stock->hide();
    ApplyPanelSizeVisibility();
    heightBox_->setFocus(Qt::OtherFocusReason);
    focusRow_ = -1;
    focusCol_ = 0;
    UpdateEditMenu();
}

}  // namespace tvx::panel
