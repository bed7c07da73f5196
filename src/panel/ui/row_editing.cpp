// Editing the part list as a whole: selecting rows by dragging, the "編集(&E)" menu and its
// popup, copy, cut, paste, insertion, deletion and undo.

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "panel/ui/cut_list_ops.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

}  // namespace

void SizeWariate::CellMousePress(int index, QMouseEvent*) {
    ClearRowSelect();
    anchorRow_ = dragRow_ = index / 4;
    anchorCol_ = dragCol_ = index % 4;
}

void SizeWariate::CellMouseMove(int index, QMouseEvent* event) {
    if (anchorRow_ < 0) return;
    QLineEdit* source = cells_[static_cast<std::size_t>(index)];
    const QPoint pos = source->mapTo(central_, event->position().toPoint());
    // Rows and columns are looked up within the block of ten rows that holds the anchor.
    const int blockFirst = (anchorRow_ / 10) * 10;
    int row = blockFirst + 9;
    for (int r = blockFirst; r < blockFirst + 10; ++r) {
        const QRect box = cells_[static_cast<std::size_t>(r * 4)]->geometry();
        if (pos.y() < box.top() || pos.y() <= box.bottom()) {
            row = r;
            break;
        }
    }
    int col = 3;
    for (int c = 0; c < 4; ++c) {
        const QRect box = cells_[static_cast<std::size_t>(blockFirst * 4 + c)]->geometry();
        if (pos.x() < box.left() || pos.x() <= box.right()) {
            col = c;
            break;
        }
    }
    if (row == dragRow_ && col == dragCol_) return;
    dragRow_ = row;
    dragCol_ = col;
    if (row == anchorRow_ && col == anchorCol_) {
        selActive_ = false;
        PaintCells();
        return;
    }
    SetSelection(std::min(anchorRow_, row), std::max(anchorRow_, row));
}

void SizeWariate::SetSelection(int first, int last) {
    selActive_ = true;
    selFirst_ = first;
    selLast_ = last;
    PaintCells();
}

void SizeWariate::CellRightRelease(int index) {
    const int row = index / 4;
    if (!selActive_ || row < selFirst_ || row > selLast_) {
        FocusCell(index);
        ClearRowSelect();
    }
    editMenu_->popup(QCursor::pos());
}

void SizeWariate::ClearRowSelect() {
    if (!selActive_) return;
    selActive_ = false;
    PaintCells();
}

void SizeWariate::UpdateEditMenu() {
    undoAction_->setEnabled(job_.undoReady);
    if (focusRow_ == -1) {
        for (QAction* a : {cutAction_, copyAction_, pasteAction_, insertAction_, deleteAction_})
            a->setEnabled(false);
        return;
    }
    copyAction_->setEnabled(true);
    const ClipboardShape shape = MeasureClipboard(ClipboardText().toStdString());
    cutAction_->setEnabled(selActive_);
    insertAction_->setEnabled(selActive_);
    deleteAction_->setEnabled(selActive_);
    pasteAction_->setEnabled(!selActive_ && shape.lines >= 1 && shape.fields >= 1);
}

void SizeWariate::CopyCommand() {
    if (Busy() || focusRow_ < 0) return;
    CommitActiveCell();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QString text;
    if (selActive_) {
        for (int r = selFirst_; r <= selLast_ && r < kGridRows; ++r) {
            for (int c = 0; c < 4; ++c) {
                if (c > 0) text += '\t';
                text += cells_[static_cast<std::size_t>(r * 4 + c)]->text();
            }
            text += "\r\n";
        }
    } else {
        text = cells_[static_cast<std::size_t>(focusRow_ * 4 + focusCol_)]->text();
    }
    clipboard->setText(text);
}

void SizeWariate::CutCommand() {
    if (Busy() || !selActive_) return;
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
    if (Busy() || !selActive_) return;
    CommitActiveCell();
    SaveUndo(job_);
    rowStepsRunning_ = true;
    const int count = selLast_ - selFirst_ + 1;
    for (int i = 0; i < count; ++i) {
        DeleteRow(job_, currentPage_ * kRowsPerPage + selFirst_);
        ShowPage();
        PauseStep();
    }
    rowStepsRunning_ = false;
    ClearRowSelect();
    UpdateEditMenu();
}

void SizeWariate::InsertCommand() {
    if (Busy() || !selActive_) return;
    CommitActiveCell();
    SaveUndo(job_);
    const int count = selLast_ - selFirst_ + 1;
    if (currentPage_ * kRowsPerPage + selFirst_ < job_.cutCount &&
        job_.cutCount + count > kMaxRows) {
        SetMessage(kListFullMessage);
        UpdateEditMenu();
        return;
    }
    InsertRows(count);
    ClearRowSelect();
    UpdateEditMenu();
}

void SizeWariate::InsertRows(int count) {
    if (currentPage_ * kRowsPerPage + selFirst_ >= job_.cutCount) return;
    rowStepsRunning_ = true;
    for (int i = 0; i < count; ++i) {
        InsertBlankRow(job_, currentPage_ * kRowsPerPage + selFirst_);
        ShowPage();
        if (i < 19) PauseStep();
    }
    rowStepsRunning_ = false;
}

void SizeWariate::PasteCommand() {
    if (Busy() || focusRow_ < 0) return;
    CommitActiveCell();
    const std::string text = ClipboardText().toStdString();
    const ClipboardShape shape = MeasureClipboard(text);
    const int k = currentPage_ * kRowsPerPage + focusRow_;
    if (shape.lines <= 1 && shape.fields <= 1) {
        SaveUndo(job_);
        const std::string value = FirstLine(text);
        cells_[static_cast<std::size_t>(focusRow_ * 4 + focusCol_)]->setText(
            QString::fromStdString(value));
        StoreCellText(job_.cutList[static_cast<std::size_t>(k)], focusCol_, value);
        if (k >= job_.cutCount) job_.cutCount = static_cast<std::int16_t>(k + 1);
        UpdateEditMenu();
        return;
    }
    const int lines = shape.lines;
    if (!BlockPasteFits(job_, k, lines)) {
        SetMessage(kListFullMessage);
        return;
    }
    selActive_ = true;
    selFirst_ = focusRow_;
    selLast_ = focusRow_ + lines - 1;
    SaveUndo(job_);
    InsertRows(lines);
    ClearRowSelect();
    PasteRows(job_, text, k, k + lines - 1);
    ShowPage();
    UpdateEditMenu();
}

void SizeWariate::UndoCommand() {
    if (Busy()) return;
    CommitActiveCell();
    if (!RestoreUndo(job_)) return;
    ClearRowSelect();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::panel
