// "計算" and "強制終了": the checks, the search on a worker thread, and showing its plan with
// the inputs it was calculated from; "表示切替" and "印刷".

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

#include "bar/engine/bar_engine.h"
#include "bar/engine/calculation_check.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "bar/output/plan_text.h"
#include "bar/output/print_command.h"
#include "bar/output/print_plan.h"
#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/calculation_runner.h"
#include "bar/ui/quorlin_window.h"
#include "bar/ui/result_picture.h"
#include "common/gui/numeric_edit.h"

namespace tvx::bar {

void QuorlinWindow::Calculate() {
    if (!CommitActiveCell()) return;
    // A single length typed into the box becomes the only stock entry.
    const std::optional<double> typed = gui::NumberBoxValue(stockBox_->text());
    if (typed && *typed > 0.0 && TakeTypedStockLength(job_, *typed)) ShowStockDisplay();
    const CalculationCheck check = CheckBarCalculation(job_);
    switch (check.verdict) {
        case CalculationCheck::Verdict::StockRange:
            if (stockBox_->isVisible())
                stockBox_->setFocus(Qt::OtherFocusReason);
            else
                multiButton_->setFocus(Qt::OtherFocusReason);
            SetMessage(QString::fromStdString(check.message));
            return;
        case CalculationCheck::Verdict::EmptyList:
            return;
        case CalculationCheck::Verdict::RowTooLong:
            job_.cutList.pageTop = static_cast<std::int16_t>(check.pageTop);
            ShowPage();
            grid_->FocusCell(check.row - check.pageTop, GridColumn::Length);
            SetMessage(QString::fromStdString(check.message));
            return;
        case CalculationCheck::Verdict::Proceed:
            break;
    }
    const InputRefusal refusal = CheckCalculationInput(job_);
    if (refusal != InputRefusal::None) {
        if (refusal == InputRefusal::NegativeKerf) kerfBox_->setFocus(Qt::OtherFocusReason);
        SetMessage(QString::fromStdString(InputRefusalMessage(refusal)));
        return;
    }

    SetMessage(QString());
    planView_.reset();
    planCurrent_ = false;
    ClearPlanDisplay();
    // The inputs the plan will be shown with: what the job holds now.
    calculationInput_ = job_;
    ClearPlan(calculationInput_.plan);
    searchControl_.ClearStop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SetCalculating(true);
    const int stepLimit = stepLimit_;
    const SearchControl& control = searchControl_;
    optimalRun_ = optimalCalculation_;
    watcher_.setFuture(
        QtConcurrent::run([input = calculationInput_, &control, stepLimit, optimal = optimalRun_] {
            return optimal ? RunOptimalBarSearch(input, control)
                           : RunBarSearch(input, control, stepLimit);
        }));
}

void QuorlinWindow::ForceStop() {
    // The button shows only while the search runs; the flag is cleared when the next starts.
    searchControl_.RequestStop();
}

void QuorlinWindow::SetCalculating(bool on) {
    calculating_ = on;
    // Only "強制終了" works while the search runs.
    LockWindow(on);
    if (on) forceStopButton_->setFocus(Qt::OtherFocusReason);
    calculateButton_->setVisible(!on);
    forceStopButton_->setVisible(on);
}

void QuorlinWindow::LockWindow(bool locked) {
    grid_->SetInputLocked(locked);
    if (!locked) {
        lock_.Unlock();
        menuBar()->setEnabled(true);
        UpdateEditMenu();
        return;
    }
    // The labels take no input and keep their look; everything else but "強制終了" is disabled,
    // and every action of the menus.
    lock_.Lock(
        central_,
        [this](QWidget* widget) {
            return widget == forceStopButton_ || qobject_cast<QLabel*>(widget) != nullptr;
        },
        menuBar());
    menuBar()->setEnabled(false);
}

void QuorlinWindow::OnCalculationFinished() {
    BarPlan plan = watcher_.result();
    const bool stopped = searchControl_.StopRequested();
    SetCalculating(false);
    QApplication::restoreOverrideCursor();
    if (plan.HasPlan()) {
        calculationInput_.plan = plan;
        job_.plan = std::move(plan);
        planView_ = CaptureBarPlanView(calculationInput_);
        planView_->displayMode = job_.resultDisplayMode == 1 ? 1 : 0;
        planView_->title = job_.jobTitle;
        planCurrent_ = true;
        ShowPlan();
        SetMessage(QString());
    } else {
        // No plan: nothing is drawn, printed or saved as a result.
        ClearPlan(job_.plan);
        planView_.reset();
        planCurrent_ = false;
        ClearPlanDisplay();
        SetMessage(stopped ? QString(kStoppedMessage)
                           : QString::fromStdString(CalculationResultMessage(plan)));
    }
    emit calculationFinished();
    if (closeAfterCalculation_) {
        closeAfterCalculation_ = false;
        close();
        return;
    }
    FocusFirstRow();
}

void QuorlinWindow::ShowPlan() {
    if (!planView_) {
        ClearPlanDisplay();
        return;
    }
    picture_->ShowView(&*planView_);
    const BarSummary summary = BarSummaryLines(planView_->plan);
    QStringList lines;
    for (const std::string& line : summary.lines) lines << QString::fromStdString(line);
    lines << QString::fromStdString(summary.total);
    // The optimising calculation says how good its plan is: "最適" or the gap to its bound.
    if (optimalRun_) lines << QString::fromStdString(OptimalSummaryText(planView_->plan));
    summaryLabel_->setText(lines.join('\n'));
    switchButton_->setEnabled(true);
    printButton_->setEnabled(planCurrent_);
}

void QuorlinWindow::ClearPlanDisplay() {
    picture_->ShowView(nullptr);
    summaryLabel_->clear();
    switchButton_->setEnabled(false);
    printButton_->setEnabled(false);
}

void QuorlinWindow::MarkPlanOutOfDate() {
    if (!planCurrent_) return;
    // The picture still shows the plan with its own inputs; it is no longer printed or saved.
    planCurrent_ = false;
    ClearPlan(job_.plan);
    printButton_->setEnabled(false);
}

void QuorlinWindow::SwitchDisplay() {
    if (!planView_ || !CommitActiveCell()) return;
    job_.resultDisplayMode = static_cast<std::int16_t>(1 - job_.resultDisplayMode);
    planView_->displayMode = job_.resultDisplayMode == 1 ? 1 : 0;
    picture_->ShowView(&*planView_);
}

void QuorlinWindow::PrintCommand() {
    if (!planCurrent() || !CommitActiveCell()) return;
    // The printout carries the title as it stands now.
    planView_->title = job_.jobTitle;
    std::string error;
    if (PrintBarPlanWithDialog(*planView_, this, &error) == PrintOutcome::Failed)
        SetMessage(error.empty() ? QString(kPrintFailedMessage) : QString::fromStdString(error));
}

}  // namespace tvx::bar
