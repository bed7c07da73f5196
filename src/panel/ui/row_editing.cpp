// Editing the part list as a whole: selecting rows by dragging, the "編集(&E)" menu and its
// popup, copy, cut, paste, insertion, deletion and undo.

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
    QLineEdit* source = cells_[static_cast<std::size_t>(index)];
    DragTo(source->mapTo(central_, event->position().toPoint()));
}

bool SizeWariate::RowLabelEvent(int row, QEvent* event) {
    // Pressing on a row label selects its row (and makes its first cell current); dragging on
    // from there selects the rows passed over, as a spreadsheet's row headings do.
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || Busy()) return false;
            if (!CommitActiveCell()) return true;
            FocusCell(row * 4);
            anchorRow_ = dragRow_ = row;
            anchorCol_ = dragCol_ = -1;
            SetSelection(row, row);
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (Busy() || !(mouse->buttons() & Qt::LeftButton)) return false;
            QLabel* label = rowLabels_[static_cast<std::size_t>(row)];
            DragTo(label->mapTo(central_, mouse->position().toPoint()));
            return true;
        }
        default:
            return false;
    }
}

void SizeWariate::DragTo(const QPoint& pos) {
    if (anchorRow_ < 0) return;
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
    if (anchorCol_ < 0) col = -1;  // a drag that began on a row label selects whole rows
    if (row == dragRow_ && col == dragCol_) return;
    dragRow_ = row;
    dragCol_ = col;
    if (row == anchorRow_ && col == anchorCol_ && anchorCol_ >= 0) {
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
    if (!CommitActiveCell()) return;
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
    if (!CommitActiveCell()) return;
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
    SetModified();
    UpdateEditMenu();
}

void SizeWariate::InsertCommand() {
    if (Busy() || !selActive_) return;
    if (!CommitActiveCell()) return;
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
    SetModified();
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
    if (!CommitActiveCell()) return;
    const std::string text = ClipboardText().toStdString();
    const ClipboardShape shape = MeasureClipboard(text);
    const int k = currentPage_ * kRowsPerPage + focusRow_;
    if (shape.lines <= 1 && shape.fields <= 1) {
        // One value goes into the current cell and is taken as typed text would be (a number
        // cell refuses text that is not a number and keeps the focus).
        SaveUndo(job_);
        const int index = focusRow_ * 4 + focusCol_;
        cells_[static_cast<std::size_t>(index)]->setText(QString::fromStdString(FirstLine(text)));
        const bool wasCounted = k < job_.cutCount;
        if (CommitCell(index, true) && !wasCounted && k >= job_.cutCount) {
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
    selActive_ = true;
    selFirst_ = focusRow_;
    selLast_ = focusRow_ + lines - 1;
    SaveUndo(job_);
    InsertRows(lines);
    ClearRowSelect();
    PasteRows(job_, text, k, k + lines - 1);
    ShowPage();
    SetModified();
    UpdateEditMenu();
}

void SizeWariate::UndoCommand() {
    if (Busy()) return;
    if (!CommitActiveCell()) return;
    if (!RestoreUndo(job_)) return;
    ClearRowSelect();
    SetModified();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::panel
