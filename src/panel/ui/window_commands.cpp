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

#include "common/gui/numeric_edit.h"
#include "common/number_text.h"
#include "panel/engine/auto_layout.h"
#include "panel/engine/check_job.h"
#include "panel/engine/geometry.h"
#include "panel/engine/optimize/optimized_layout.h"
#include "panel/ui/cut_grid.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/manual_wariate.h"
#include "panel/ui/multi_panel.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {

void SizeWariate::NextPage() {
    if (!CommitActiveCell()) return;
    if (currentPage_ >= kMaxRows / kRowsPerPage - 1) return;
    ++currentPage_;
    ShowPage();
    FocusCell(0, Column::Height);
}

void SizeWariate::PreviousPage() {
    if (!CommitActiveCell()) return;
    if (currentPage_ <= 0) return;
    --currentPage_;
    ShowPage();
    FocusCell(0, Column::Height);
}

void SizeWariate::ToggleCommentColumn() {
    if (!CommitActiveCell()) return;
    job_.comIn = !job_.comIn;
    grid_->SetCommentColumnEntered(job_.comIn);
    RestoreFocus();
}

void SizeWariate::ToggleCutsell() {
    if (!CommitActiveCell()) return;
    job_.cutsell = !job_.cutsell;
    cutsellAction_->setChecked(job_.cutsell);
    SetModified();
    ShowPage();
    LayoutWindow();
}

void SizeWariate::ToggleKtyFree() {
    if (!CommitActiveCell()) return;
    if (job_.ktyFree) {
        job_.ktyFree = false;
    } else {
        job_.ktyFree = true;
        job_.turnFlag.fill(0);
        if (job_.rotateAll)
            for (int r = 0; r < job_.cutCount; ++r) job_.turnFlag[static_cast<std::size_t>(r)] = 1;
    }
    ktyFreeAction_->setChecked(job_.ktyFree);
    SetModified();
    ShowPage();
    LayoutWindow();
}

void SizeWariate::OpenMultiPanel() {
    if (!CommitActiveCell()) return;
    if (!heightBox_->text().isEmpty() && !widthBox_->text().isEmpty() && job_.lastSizeIndex < 1) {
        auto number = [](const QLineEdit* box) {
            return ClampToInt32(RoundHalfEven(gui::NumberBoxValue(box->text()).value_or(0.0)));
        };
        job_.lastSizeIndex = 0;
        job_.stock[0].height = number(heightBox_);
        job_.stock[0].width = number(widthBox_);
        if (job_.cutsell) job_.stock[0].price = number(priceBox_);
    }
    const auto stockBefore = job_.stock;
    const std::int16_t lastBefore = job_.lastSizeIndex;
    MultiPanel dialog(job_, this);
    if (multiPanelRunner_)
        multiPanelRunner_(dialog);
    else
        dialog.exec();
    if (job_.stock != stockBefore || job_.lastSizeIndex != lastBefore) SetModified();
    ShowPanelSizes();
    if (job_.lastSizeIndex == -1)
        heightBox_->setFocus(Qt::OtherFocusReason);
    else
        FocusCell(0, Column::Height);
}

bool SizeWariate::RunCheck() {
    // The size boxes' panel becomes stock entry 0 of the job, as it is then saved.
    TakeTypedPanelSize(job_);
    const CheckResult check = CheckJob(job_);
    if (check.ok) {
        layoutInput_ = PrepareLayoutInput(job_, check.derived);
        return true;
    }
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
            FocusCell(check.row % kRowsPerPage,
                      check.focus == CheckFocus::RowHeight ? Column::Height : Column::Width);
            break;
        case CheckFocus::None:
            break;
    }
    // After the focus has moved: leaving a cell clears the message line.
    SetMessage(QString::fromStdString(check.message));
    return false;
}

void SizeWariate::AutoCut() {
    if (!CommitActiveCell()) return;
    if (!RunCheck()) return;
    StartLayout();
}

void SizeWariate::StartLayout() {
    layoutResult_ = PanelLayoutResult{};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    searchControl_.ClearStop();
    layoutRunning_ = true;
    closeAfterLayout_ = false;
    LockWhileRunning(true);
    // After the lock: a cell that loses the focus clears the message line.
    SetMessage(kCalculatingMessage);
    autoCutButton_->setEnabled(false);
    forceStopButton_->show();

    // Called on the worker thread: the numbers travel to the window by a queued call, which
    // Qt drops if the window is gone by then.
    searchControl_.onProgress = [this](const SearchProgress& progress) {
        const std::int64_t iteration = progress.iteration;
        QMetaObject::invokeMethod(
            this, [this, iteration] { ShowLayoutProgress(iteration); }, Qt::QueuedConnection);
    };
    if (!layoutWatcher_) {
        layoutWatcher_ = new QFutureWatcher<std::optional<PanelLayoutResult>>(this);
        connect(layoutWatcher_, &QFutureWatcherBase::finished, this, [this] { FinishLayout(); });
    }
    optimizeVerdict_.clear();
    optimizedRun_ = optimizeLayout_;
    const SearchControl& control = searchControl_;
    if (optimizedRun_) {
        OptimizeOptions options;
        options.fullPanelPercent = layoutOptions_.fullPanelPercent;
        layoutWatcher_->setFuture(QtConcurrent::run([input = layoutInput_, options, &control] {
            return RunOptimizedLayout(input, options, control);
        }));
    } else {
        layoutWatcher_->setFuture(
            QtConcurrent::run([input = layoutInput_, options = layoutOptions_, &control] {
                return AutoLayout(input, options, control);
            }));
    }
}

void SizeWariate::ShowLayoutProgress(std::int64_t iteration) {
    if (!layoutRunning_) return;
    SetMessage(QString::fromUtf8(kCalculatingMessage) + QString::number(iteration));
}

void SizeWariate::FinishLayout() {
    std::optional<PanelLayoutResult> layout = layoutWatcher_->result();
    searchControl_.onProgress = nullptr;
    layoutRunning_ = false;
    searchControl_.ClearStop();
    forceStopButton_->hide();
    LockWhileRunning(false);
    autoCutButton_->setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (closeAfterLayout_) {
        close();
        return;
    }
    if (layout) {
        layoutResult_ = std::move(*layout);
        if (optimizedRun_) {
            ComputeUtilisation(layoutInput_, layoutResult_, layoutOptions_.fullPanelPercent);
            const OptimizeSummary summary = SummarizeLayout(layoutInput_, layoutResult_);
            optimizeVerdict_ =
                QString::fromStdString(OptimizeVerdict(summary.optimal, summary.gapPercent));
        }
        OpenResultView();
        // The layout leaves out rows that hold something but are not complete; say which.
        SetMessage(IgnoredRowsMessage());
    } else {
        SetMessage(kNoLayoutMessage);
    }
}

void SizeWariate::LockWhileRunning(bool locked) {
    // A disabled grid gets no keys or clicks, but a drag begun before the lock still sends its
    // mouse moves to the cell that holds the mouse: the grid's own lock ignores them.
    grid_->SetInputLocked(locked);
    if (!locked) {
        lock_.Unlock();
        if (focusBeforeLock_) focusBeforeLock_->setFocus(Qt::OtherFocusReason);
        focusBeforeLock_.clear();
        return;
    }
    focusBeforeLock_ = QApplication::focusWidget();
    // Every action of the window, so that neither menus nor their shortcuts run meanwhile.
    lock_.Lock(
        centralWidget(), [this](QWidget* widget) { return widget == forceStopButton_; }, this);
}

void SizeWariate::ForceStop() {
    searchControl_.RequestStop();
}

void SizeWariate::ManualCut() {
    if (!CommitActiveCell()) return;
    if (!RunCheck()) return;
    ManualEditorHooks hooks;
    hooks.save = [this] { Save_Data(); };
    layoutResult_ =
        RunManualEditor(job_, layoutInput_, ManualMode::Fresh, {}, std::move(hooks), this).layout;
}

QString SizeWariate::IgnoredRowsMessage() const {
    QString rows;
    for (int k = 0; k < job_.cutCount; ++k) {
        const CutItem& item = job_.cutList[static_cast<std::size_t>(k)];
        const bool holdsSomething = item.height != 0.0f || item.width != 0.0f ||
                                    item.quantity != 0 || !item.comment.empty();
        if (holdsSomething && !IsValidRow(item)) rows += QString("(%1)").arg(k + 1);
    }
    if (rows.isEmpty()) return QString();
    return "計算に含めなかった行があります：" + rows;
}

void SizeWariate::ResetJobCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    refusedBox_.clear();
    undo_.Save(job_);
    ResetJob(job_);
    heightBox_->clear();
    widthBox_->clear();
    priceBox_->clear();
    rotateAllBox_->setChecked(false);
    job_.rotateAll = false;
    ClearRowSelect();
    currentPage_ = 0;
    ShowPage();
    for (QLabel* stock : stockLabels_) stock->hide();
    ApplyPanelSizeVisibility();
    heightBox_->setFocus(Qt::OtherFocusReason);
    grid_->ForgetCurrentCell();
    widthBoxLast_ = false;
    currentFile_.clear();
    ClearModified();
    ShowFileTitle();
    UpdateEditMenu();
}

}  // namespace tvx::panel
