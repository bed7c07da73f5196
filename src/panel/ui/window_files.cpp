// Job files from the main window: the open and save dialogs, the folder kept in kJobFolderKey,
// and the job named on the command line.

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "common/gui/settings_store.h"
#include "common/text_file.h"
#include "panel/model/panel_settings.h"
#include "panel/ui/cut_list_ops.h"
#include "panel/ui/job_file_bridge.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

const QStringList kFileFilters = {"すべてのファイル (*.*)", "テキスト ファイル (*.txt)",
                                  "ＣＳＶファイル (*.csv)"};

QString RunFileDialog(QWidget* owner, bool save, const QString& folder) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(kFileFilters);
    dialog.selectNameFilter(kFileFilters[2]);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    // The save dialog asks before replacing a file; no extension is added to the name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void SizeWariate::OpenCommand() {
    if (Busy()) return;
    CommitActiveCell();
    const QString folder = settings_.GetText(kJobFolderKey);
    const QString path =
        fileChooser_ ? fileChooser_(false, folder) : RunFileDialog(this, false, folder);
    if (path.isEmpty()) return;
    OpenJobPath(path);
}

void SizeWariate::SaveCommand() {
    if (Busy()) return;
    CommitActiveCell();
    if (!Save_Data()) return;
    currentPage_ = 0;
    ShowPage();
}

bool SizeWariate::Save_Data() {
    if (job_.cutCount == 0) return false;
    const QString folder = settings_.GetText(kJobFolderKey);
    const QString path =
        fileChooser_ ? fileChooser_(true, folder) : RunFileDialog(this, true, folder);
    if (path.isEmpty()) return false;
    settings_.SaveText(kJobFolderKey, QString::fromStdString(FolderOf(path.toStdString())));
    // The file holds the single size the boxes show, as the next layout would take it.
    SyncSingleStockSize(job_);
    std::string error;
    if (!WriteJobFileAt(job_, path, &error)) {
        SetMessage(QString("保存できませんでした。%1").arg(QString::fromStdString(error)));
        return false;
    }
    return true;
}

bool SizeWariate::OpenJobPath(const QString& path) {
    JobFileOpening opening = ReadJobFileAt(job_, path);
    if (!opening.read) {
        SetMessage(opening.message.isEmpty() ? QString("ファイルを開けませんでした。")
                                             : opening.message);
        return false;
    }
    if (path.contains('/') || path.contains('\\'))
        settings_.SaveText(kJobFolderKey, QString::fromStdString(FolderOf(path.toStdString())));

    // The window as after "リセット", then what was read.
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
    rotateAllBox_->setChecked(job_.rotateAll != 0);
    job_.rotateAll = rotateAllBox_->isChecked() ? 1 : 0;
    focusRow_ = -1;
    focusCol_ = 0;
    UpdateEditMenu();
    SetMessage(opening.message);
    return true;
}

void SizeWariate::FirstActivation() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    // The whole command line is the path; file managers put quotes around paths with spaces.
    QString path = commandLine_.trimmed();
    if (path.size() >= 2 && path.startsWith('"') && path.endsWith('"'))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    OpenJobPath(path);
}

}  // namespace tvx::panel
