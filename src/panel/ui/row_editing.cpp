// Editing the part list as a whole: selecting rows from their labels, the "編集(&E)" menu's
// enabling, copy, cut, paste, insertion and deletion in visible steps, and undo.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
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
    if (grid_->currentRow() < 0) return;
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
    if (!grid_->selectionActive()) return;
    CopyCommand();
    DeleteCommand();
}

void SizeWariate::RunRowSteps(int count, RowStep step, std::function<void()> done) {
    // The rows move one step at a time, with a pause after each (the user sees them go). The
    // window's event loop runs the steps from a timer; meanwhile the window is locked, so no
    // command can start.
    if (count <= 0) {
        if (done) done();
        return;
    }
    rowStepsRunning_ = true;
    LockWhileRunning(true);
    rowStep_ = std::move(step);
    rowStepsDone_ = std::move(done);
    stepCount_ = count;
    nextStep_ = 0;
    NextRowStep();
}

void SizeWariate::NextRowStep() {
    while (nextStep_ < stepCount_) {
        const bool pause = rowStep_(nextStep_++);
        if (pause && stepPauseMs_ > 0) {
            QTimer::singleShot(stepPauseMs_, this, [this] { NextRowStep(); });
            return;
        }
    }
    rowStepsRunning_ = false;
    LockWhileRunning(false);
    rowStep_ = nullptr;
    std::function<void()> done = std::move(rowStepsDone_);
    rowStepsDone_ = nullptr;
    if (done) done();
}

void SizeWariate::DeleteCommand() {
    if (!grid_->selectionActive()) return;
    if (!CommitActiveCell()) return;
    undo_.Save(job_);
    const int k = currentPage_ * kRowsPerPage + grid_->selectionFirst();
    const int count = grid_->selectionLast() - grid_->selectionFirst() + 1;
    RunRowSteps(
        count,
        [this, k](int) {
            DeleteRow(job_, k);
            ShowPage();
            return true;
        },
        [this] {
            ClearRowSelect();
            SetModified();
            UpdateEditMenu();
        });
}

void SizeWariate::InsertCommand() {
    if (!grid_->selectionActive()) return;
    if (!CommitActiveCell()) return;
    undo_.Save(job_);
    const int first = grid_->selectionFirst();
    const int count = grid_->selectionLast() - first + 1;
    if (currentPage_ * kRowsPerPage + first < job_.cutCount && job_.cutCount + count > kMaxRows) {
        SetMessage(kListFullMessage);
        UpdateEditMenu();
        return;
    }
    InsertRows(first, count, [this] {
        ClearRowSelect();
        SetModified();
        UpdateEditMenu();
    });
}

void SizeWariate::InsertRows(int first, int count, std::function<void()> done) {
    const int k = currentPage_ * kRowsPerPage + first;
    if (k >= job_.cutCount) count = 0;  // below the list there is nothing to move
    RunRowSteps(
        count,
        [this, k](int step) {
            InsertBlankRow(job_, k);
            ShowPage();
            return step < kGridRows - 1;  // a long block opens its last rows without pauses
        },
        std::move(done));
}

void SizeWariate::PasteCommand() {
    const int row = grid_->currentRow();
    if (row < 0) return;
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
    InsertRows(row, lines, [this, text, k, lines] {
        ClearRowSelect();
        PasteRows(job_, text, k, k + lines - 1);
        ShowPage();
        SetModified();
        UpdateEditMenu();
    });
}

void SizeWariate::UndoCommand() {
    if (!CommitActiveCell()) return;
    if (!undo_.Restore(job_)) return;
    ClearRowSelect();
    SetModified();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::panel
