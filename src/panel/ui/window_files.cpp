// Job files from the main window: the open and save dialogs, the folder kept in kJobFolderKey,
// the file last opened or saved, the question before unsaved changes are discarded, and the
// job named on the command line.

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "common/gui/job_file_dialogs.h"
#include "common/gui/settings_store.h"
#include "common/job_file_names.h"
#include "common/text_file.h"
#include "panel/model/panel_settings.h"
#include "panel/ui/cut_grid.h"
#include "panel/ui/cut_list_ops.h"
#include "panel/ui/job_file_bridge.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {

void SizeWariate::SetModified() {
    modified_ = true;
    setWindowModified(true);
}

void SizeWariate::ClearModified() {
    modified_ = false;
    setWindowModified(false);
}

void SizeWariate::ShowFileTitle() {
    setWindowTitle(currentFile_.isEmpty() ? QString("Tavolex[*]")
                                          : QFileInfo(currentFile_).fileName() + "[*] - Tavolex");
    setWindowModified(modified_);
}

bool SizeWariate::ConfirmDiscard() {
    if (!modified_) return true;
    const SaveAnswer answer = savePrompt_ ? savePrompt_() : gui::AskToSaveChanges(this, "Tavolex");
    return gui::GoOnAfterAnswer(answer, [this] { return Save_Data(); });
}

void SizeWariate::OpenCommand() {
    if (!CommitActiveCell()) return;
    if (!ConfirmDiscard()) return;
    const QString folder = settings_.GetText(kJobFolderKey);
    const QString path = fileChooser_ ? fileChooser_(false, folder, QString())
                                      : gui::RunJobFileDialog(this, false, folder, QString());
    if (path.isEmpty()) return;
    OpenJobPath(path);
}

void SizeWariate::SaveCommand() {
    if (!CommitActiveCell()) return;
    if (!Save_Data()) return;
    currentPage_ = 0;
    ShowPage();
}

bool SizeWariate::Save_Data() {
    if (job_.cutCount == 0) return false;
    // The last file opened or saved is offered again, in its folder.
    const bool haveFile = !currentFile_.isEmpty();
    const QString folder =
        haveFile ? QFileInfo(currentFile_).absolutePath() : settings_.GetText(kJobFolderKey);
    const QString name = haveFile ? QFileInfo(currentFile_).fileName() : QString();
    QString path = fileChooser_ ? fileChooser_(true, folder, name)
                                : gui::RunJobFileDialog(this, true, folder, name);
    if (path.isEmpty()) return false;
    path = QString::fromStdString(WithDefaultExtension(path.toStdString()));
    settings_.SaveText(kJobFolderKey, QString::fromStdString(FolderOf(path.toStdString())));
    // The file holds the single size the boxes show, as the next layout would take it.
    SyncSingleStockSize(job_);
    std::string error;
    if (!WriteJobFileAt(job_, path, &error)) {
        const QString reason = QString::fromStdString(error);
        SetMessage(gui::SaveFailureText(reason).replace('\n', ' '));
        gui::ShowSaveFailure(this, "Tavolex", reason);
        return false;
    }
    currentFile_ = path;
    ClearModified();
    ShowFileTitle();
    return true;
}

bool SizeWariate::OpenJobPath(const QString& path) {
    // "元に戻す" brings back the rows the file replaced.
    RowUndo before;
    before.Save(job_);
    JobFileOpening opening = ReadJobFileAt(job_, path);
    if (!opening.read) {
        SetMessage(opening.message.isEmpty() ? QString("ファイルを開けませんでした。")
                                             : opening.message);
        return false;
    }
    if (path.contains('/') || path.contains('\\'))
        settings_.SaveText(kJobFolderKey, QString::fromStdString(FolderOf(path.toStdString())));

    // The window as after "リセット", then what was read.
    undo_ = std::move(before);
    refusedBox_.clear();
    ClearRowSelect();
    const std::int32_t height = job_.typedHeight, width = job_.typedWidth, price = job_.typedPrice;
    heightBox_->blockSignals(true);
    widthBox_->blockSignals(true);
    priceBox_->blockSignals(true);
    heightBox_->clear();
    widthBox_->clear();
    priceBox_->clear();
    heightBox_->blockSignals(false);
    widthBox_->blockSignals(false);
    priceBox_->blockSignals(false);
    job_.typedHeight = job_.lastSizeIndex == 0 ? height : 0;
    job_.typedWidth = job_.lastSizeIndex == 0 ? width : 0;
    job_.typedPrice = job_.lastSizeIndex == 0 ? price : 0;
    if (opening.ktyFreeSwitchedOn) ktyFreeAction_->setChecked(true);
    currentPage_ = 0;
    ShowPage();
    ShowPanelSizes();
    LayoutWindow();
    kerfBox_->setText(QString::number(job_.kerf));
    rotateAllBox_->setChecked(job_.rotateAll);
    job_.rotateAll = rotateAllBox_->isChecked();
    grid_->ForgetCurrentCell();
    widthBoxLast_ = false;
    currentFile_ = QFileInfo(path).absoluteFilePath();
    ClearModified();
    ShowFileTitle();
    UpdateEditMenu();
    SetMessage(opening.message);
    return true;
}

void SizeWariate::FirstActivation() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    // The whole command line is the path; file managers put quotes around paths with spaces.
    const QString path = QString::fromStdString(CommandLinePath(commandLine_.toStdString()));
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    OpenJobPath(path);
}

}  // namespace tvx::panel
