#include "common/gui/job_file_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace tvx::gui {

QString RunJobFileDialog(QWidget* owner, bool save, const QString& folder,
                         const QString& fileName) {
    const QStringList filters = {"すべてのファイル (*.*)", "テキスト ファイル (*.txt)",
                                 "ＣＳＶファイル (*.csv)"};
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[2]);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    // A name typed without an extension gets ".csv" before the overwrite question.
    if (save) dialog.setDefaultSuffix("csv");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

SaveAnswer AskToSaveChanges(QWidget* owner, const QString& programName) {
    QMessageBox box(QMessageBox::Question, programName, kSavePromptText, QMessageBox::NoButton,
                    owner);
    box.setObjectName("savePrompt");
    QPushButton* save = box.addButton("保存", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("保存しない", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("キャンセル", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::kSave;
    if (box.clickedButton() == discard) return SaveAnswer::kDiscard;
    return SaveAnswer::kCancel;
}

bool GoOnAfterAnswer(SaveAnswer answer, const std::function<bool()>& save) {
    switch (answer) {
        case SaveAnswer::kSave:
            return save();
        case SaveAnswer::kDiscard:
            return true;
        case SaveAnswer::kCancel:
            break;
    }
    return false;
}

QString SaveFailureText(const QString& reason) {
    QString text = "保存できませんでした。";
    if (!reason.isEmpty()) text += "\n" + reason;
    return text;
}

void ShowSaveFailure(QWidget* owner, const QString& programName, const QString& reason) {
    QMessageBox box(QMessageBox::Warning, programName, SaveFailureText(reason), QMessageBox::Ok,
                    owner);
    box.setObjectName("saveFailure");
    box.exec();
}

}  // namespace tvx::gui
