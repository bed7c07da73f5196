// Editing the part list as a whole: selecting rows from their labels, the "編集(&E)" menu and
// its popup, copy, cut, paste, insertion, deletion and undo.

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "panel/ui/cut_grid.h"
#include "panel/ui/cut_list_ops.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

}  // namespace

void SizeWariate::SelectFromRowLabel(int row) {
    if (Busy()) return;
    if (!CommitActiveCell()) return;
    grid_->SelectFromRowLabel(row);
}

void SizeWariate::ClearRowSelect() {
    grid_->ClearSelection();
}

void SizeWariate::UpdateEditMenu() {
    undoAction_->setEnabled(undo_.ready());
    if (grid_->currentRow() == -1) {
        for (QAction* a : {cutAction_, copyAction_, pasteAction_, insertAction_, deleteAction_})
            a->setEnabled(false);
        return;
    }
    copyAction_->setEnabled(true);
    const ClipboardShape shape = MeasureClipboard(ClipboardText().toStdString());
    const bool selection = grid_->selectionActive();
    cutAction_->setEnabled(selection);
    insertAction_->setEnabled(selection);
    deleteAction_->setEnabled(selection);
    pasteAction_->setEnabled(!selection && shape.lines >= 1 && shape.fields >= 1);
}

void SizeWariate::CopyCommand() {
    if (Busy() || grid_->currentRow() < 0) return;
    if (!CommitActiveCell()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QString text;
    if (grid_->selectionActive()) {
        for (int r = grid_->selectionFirst(); r <= grid_->selectionLast(); ++r) {
            for (Column c : {Column::Height, Column::Width, Column::Quantity, Column::Comment}) {
                if (c != Column::Height) text += '\t';
                text += grid_->cell(r, c)->text();
            }
            text += "\r\n";
        }
    } else {
        text = grid_->cell(grid_->currentRow(), grid_->currentColumn())->text();
    }
    clipboard->setText(text);
}

void SizeWariate::CutCommand() {
    if (Busy() || !grid_->selectionActive()) return;
    CopyCommand();
    DeleteCommand();
}

void SizeWariate::PauseStep() {
    if (stepPauseMs_ <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(stepPauseMs_, &loop, &QEventLoop::quit);
    loop.exec();
}

void SizeWariate::DeleteCommand() {
    if (Busy() || !grid_->selectionActive()) return;
    if (!CommitActiveCell()) return;
    undo_.Save(job_);
    rowStepsRunning_ = true;
    grid_->SetInputLocked(true);
    const int first = grid_->selectionFirst();
    const int count = grid_->selectionLast() - first + 1;
    for (int i = 0; i < count; ++i) {
        DeleteRow(job_, currentPage_ * kRowsPerPage + first);
        ShowPage();
        PauseStep();
    }
    grid_->SetInputLocked(false);
    rowStepsRunning_ = false;
    ClearRowSelect();
    SetModified();
    UpdateEditMenu();
}

void SizeWariate::InsertCommand() {
    if (Busy() || !grid_->selectionActive()) return;
    if (!CommitActiveCell()) return;
    undo_.Save(job_);
    const int first = grid_->selectionFirst();
    const int count = grid_->selectionLast() - first + 1;
    if (currentPage_ * kRowsPerPage + first < job_.cutCount && job_.cutCount + count > kMaxRows) {
        SetMessage(kListFullMessage);
        UpdateEditMenu();
        return;
    }
    InsertRows(first, count);
    ClearRowSelect();
    SetModified();
    UpdateEditMenu();
}

void SizeWariate::InsertRows(int first, int count) {
    const int k = currentPage_ * kRowsPerPage + first;
    if (k >= job_.cutCount) return;
    rowStepsRunning_ = true;
    grid_->SetInputLocked(true);
    for (int i = 0; i < count; ++i) {
        InsertBlankRow(job_, k);
        ShowPage();
        if (i < kGridRows - 1) PauseStep();
    }
    grid_->SetInputLocked(false);
    rowStepsRunning_ = false;
}

void SizeWariate::PasteCommand() {
    const int row = grid_->currentRow();
    if (Busy() || row < 0) return;
    if (!CommitActiveCell()) return;
    const std::string text = ClipboardText().toStdString();
    const ClipboardShape shape = MeasureClipboard(text);
    const int k = currentPage_ * kRowsPerPage + row;
    if (shape.lines <= 1 && shape.fields <= 1) {
        // One value goes into the current cell and is taken as typed text would be (a number
        // cell refuses text that is not a number and keeps the focus).
        undo_.Save(job_);
        const Column column = grid_->currentColumn();
        grid_->cell(row, column)->setText(QString::fromStdString(FirstLine(text)));
        const bool wasCounted = k < job_.cutCount;
        if (CommitCell(row, column, true) && !wasCounted && k >= job_.cutCount) {
            job_.cutCount = static_cast<std::int16_t>(k + 1);
            SetModified();
        }
        UpdateEditMenu();
        return;
    }
    const int lines = shape.lines;
    if (const int bad = FirstUnpastableLine(text, lines)) {
        SetMessage(QString(kUnpastableLineMessage).arg(bad));
        return;
    }
    if (!BlockPasteFits(job_, k, lines)) {
        SetMessage(kListFullMessage);
        return;
    }
    // The rows the block goes into show as selected while they open.
    grid_->SelectRows(row, row + lines - 1);
    undo_.Save(job_);
    InsertRows(row, lines);
    ClearRowSelect();
    PasteRows(job_, text, k, k + lines - 1);
    ShowPage();
    SetModified();
    UpdateEditMenu();
}

void SizeWariate::UndoCommand() {
    if (Busy()) return;
    if (!CommitActiveCell()) return;
    if (!undo_.Restore(job_)) return;
    ClearRowSelect();
    SetModified();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::panel
