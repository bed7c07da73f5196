// Job files and resets from the main window: "開く(&O)", "保存", the job named on the command
// line, "リセット"/"新規(&N)", the question before the job is discarded, and "複数 棒材".

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bar/model/bar_job_reader.h"
#include "bar/model/bar_job_writer.h"
#include "bar/model/bar_settings.h"
#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/multi_bouzai.h"
#include "bar/ui/quorlin_window.h"
#include "bar/ui/result_picture.h"
#include "common/gui/job_file_dialogs.h"
#include "common/gui/numeric_edit.h"
#include "common/gui/settings_store.h"
#include "common/job_file_names.h"
#include "common/text_file.h"

namespace tvx::bar {

bool QuorlinWindow::ConfirmDiscard() {
    if (!modified_) return true;
    const SaveAnswer answer = savePrompt_ ? savePrompt_() : gui::AskToSaveChanges(this, "Quorlin");
    return gui::GoOnAfterAnswer(answer, [this] { return SaveJob(); });
}

bool QuorlinWindow::SaveCommand() {
    if (!CommitActiveCell()) return false;
    return SaveJob();
}

bool QuorlinWindow::SaveJob() {
    // The file holds the single length the box shows, as the next calculation would take it.
    const std::optional<double> typed = gui::NumberBoxValue(stockBox_->text());
    if (typed && *typed > 0.0) TakeTypedStockLength(job_, *typed);

    const bool haveName = !job_.currentFileName.empty();
    const QString current = QString::fromStdString(job_.currentFileName);
    const QString folder =
        haveName ? QFileInfo(current).absolutePath() : settings_.GetText(kFolderKey);
    const QString name = haveName ? QFileInfo(current).fileName() : QString();
    QString path = fileChooser_ ? fileChooser_(true, folder, name)
                                : gui::RunJobFileDialog(this, true, folder, name);
    if (path.isEmpty()) return false;
    path = QString::fromStdString(WithDefaultExtension(path.toStdString()));
    if (!haveName)
        settings_.SaveText(kFolderKey, QString::fromStdString(FolderOf(path.toStdString())));
    // job_.plan holds a plan only while it matches the inputs; an out-of-date plan is not
    // written as "計算結果".
    std::string error;
    if (!SaveBarJobFile(job_, path.toStdString(), &error)) {
        const QString reason = QString::fromStdString(error);
        SetMessage(gui::SaveFailureText(reason).replace('\n', ' '));
        gui::ShowSaveFailure(this, "Quorlin", reason);
        return false;
    }
    job_.currentFileName = path.toStdString();
    modified_ = false;
    setWindowModified(false);
    SetMessage(QString());
    return true;
}

void QuorlinWindow::OpenCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    const QString folder = settings_.GetText(kFolderKey);
    const QString path = fileChooser_ ? fileChooser_(false, folder, QString())
                                      : gui::RunJobFileDialog(this, false, folder, QString());
    if (path.isEmpty()) return;
    settings_.SaveText(kFolderKey, QString::fromStdString(FolderOf(path.toStdString())));
    OpenJobPath(path);
}

bool QuorlinWindow::OpenJobPath(const QString& path) {
    // The file is read into a reset copy; the job changes only when the file could be read.
    BarJob opened = job_;
    ResetBarJob(opened);
    std::string error;
    const BarReadResult read = ReadBarJobFile(path.toStdString(), opened, &error);
    if (!read) {
        SetMessage(QString("ファイルを開けませんでした。%1").arg(QString::fromStdString(error)));
        return false;
    }
    if (read.end == BarReadEnd::NotAJobFile) {  // nothing to show: the job stays as it was
        SetMessage(QString::fromStdString(DescribeIncompleteRead(read)));
        return false;
    }
    opened.currentFileName = path.toStdString();
    job_ = std::move(opened);
    ApplyOpenedJob(read.complete() ? QString() : QString(kIncompleteReadMessage));
    return true;
}

void QuorlinWindow::ApplyOpenedJob(const QString& message) {
    undo_.Drop();
    planView_.reset();
    planCurrent_ = false;
    ClearPlanDisplay();
    grid_->ClearSelection();
    job_.cutList.pageTop = 0;
    job_.resultDisplayMode = 0;
    partCodesAction_->setChecked(job_.showPartCodes);
    titleBox_->setText(QString::fromStdString(job_.jobTitle));
    ShowKerf();
    ShowStockDisplay();
    LayoutWindow();
    ShowPage();
    modified_ = false;
    setWindowModified(false);
    UpdateEditMenu();
    SetMessage(message);
}

void QuorlinWindow::FirstActivation() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    const QString path = QString::fromStdString(CommandLinePath(commandLine_.toStdString()));
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    // Read into the job as it stands (no reset), and only when the file could be read.
    BarJob opened = job_;
    std::string error;
    const BarReadResult read = ReadBarJobFile(path.toStdString(), opened, &error);
    if (!read) {
        SetMessage(QString("ファイルを開けませんでした。%1").arg(QString::fromStdString(error)));
        return;
    }
    if (read.end == BarReadEnd::NotAJobFile) {
        SetMessage(QString::fromStdString(DescribeIncompleteRead(read)));
        return;
    }
    opened.currentFileName = path.toStdString();
    job_ = std::move(opened);
    ApplyOpenedJob(read.complete() ? QString() : QString(kIncompleteReadMessage));
}

void QuorlinWindow::ResetCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    TakeUndo();
    ResetBarJob(job_);
    ResetWindow();
}

void QuorlinWindow::ResetWindow() {
    planView_.reset();
    planCurrent_ = false;
    ClearPlanDisplay();
    grid_->ClearSelection();
    SetMessage(QString());
    titleBox_->clear();
    stockBox_->clear();
    ShowStockDisplay();
    LayoutWindow();
    ShowPage();
    modified_ = false;
    setWindowModified(false);
    stockBox_->setFocus(Qt::OtherFocusReason);
    UpdateEditMenu();
}

void QuorlinWindow::OpenMultiBouzai() {
    if (!CommitActiveCell()) return;
    const BarStock before = job_.stock;
    const std::optional<double> typed = gui::NumberBoxValue(stockBox_->text());
    if (typed && *typed > 0.0) TakeTypedStockLength(job_, *typed);
    stockBox_->clear();
    if (multiRunner_) {
        multiRunner_(job_, this);
    } else {
        if (!multiDialog_) multiDialog_ = new MultiBouzai(job_, this);
        multiDialog_->exec();
    }
    const BarStock& after = job_.stock;
    if (before.stockEntryCountInUse != after.stockEntryCountInUse ||
        before.stockEntryLength != after.stockEntryLength ||
        before.stockEntryPrice != after.stockEntryPrice ||
        before.stockEntryCount != after.stockEntryCount)
        JobChanged();
    ShowStockDisplay();
    if (job_.stock.stockEntryCountInUse == 0) {
        stockBox_->clear();
        stockBox_->show();
        stockBox_->setFocus(Qt::OtherFocusReason);
    } else {
        FocusFirstRow();
    }
}

}  // namespace tvx::bar
