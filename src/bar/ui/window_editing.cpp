// The "編集(&E)" menu and its pop-up on the grid: copy, cut, paste of a single value or of
// whole rows, insertion and deletion of the selected rows with visible steps, and one level
// of undo.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/numeric_edit.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

// Steps after this many rows go through without a pause.
constexpr int kPausedSteps = 19;

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

// A pasted field as the text a committed cell would hold; nullopt when it is no number.
std::optional<std::string> PastedCellText(const std::string& field, GridColumn column) {
    if (column == GridColumn::PartCode) return field;
    const std::optional<double> value = gui::NumberBoxValue(QString::fromStdString(field));
    if (!value) return std::nullopt;
    if (QString::fromStdString(field).trimmed().isEmpty()) return std::string();
    return FormatDouble(*value);
}

}  // namespace

void QuorlinWindow::TakeUndo() {
    undo_.Take(job_.cutList);
}

void QuorlinWindow::UpdateEditMenu() {
    if (!undoAction_) return;
    const bool haveCell = grid_->currentRow() >= 0;
    const bool block = grid_->selectionActive();
    undoAction_->setEnabled(undo_.available);
    copyAction_->setEnabled(haveCell);
    cutAction_->setEnabled(block);
    deleteAction_->setEnabled(block);
    insertAction_->setEnabled(block);
    const PasteForm form = ReadPasteForm(ClipboardText().toStdString(), job_.showPartCodes);
    pasteAction_->setEnabled(haveCell && form.kind != PasteForm::Kind::Nothing);
}

void QuorlinWindow::ShowEditMenuAt(const QPoint& globalPos) {
    CommitActiveCell();
    UpdateEditMenu();
    editMenu_->popup(globalPos);
}

void QuorlinWindow::RunRowSteps(int count, RowStep step, std::function<void()> done) {
    // The rows move one step at a time, with a pause after each of the first ones (the user
    // sees them go). The window's event loop runs the steps from a timer; meanwhile the window
    // is locked, so no command can start.
    if (count <= 0) {
        if (done) done();
        return;
    }
    rowStepsRunning_ = true;
    focusBeforeSteps_ = QApplication::focusWidget();
    LockWindow(true);
    rowStep_ = std::move(step);
    rowStepsDone_ = std::move(done);
    stepCount_ = count;
    nextStep_ = 0;
    NextRowStep();
}

void QuorlinWindow::NextRowStep() {
    while (nextStep_ < stepCount_) {
        const int step = nextStep_++;
        if (!rowStep_()) break;
        const bool pause = step < kPausedSteps && nextStep_ < stepCount_;
        if (pause && stepPauseMs_ > 0) {
            QTimer::singleShot(stepPauseMs_, this, [this] { NextRowStep(); });
            return;
        }
    }
    rowStepsRunning_ = false;
    LockWindow(false);
    // The lock took the focus from the cell the command was given in; it goes back there.
    if (focusBeforeSteps_) focusBeforeSteps_->setFocus(Qt::OtherFocusReason);
    focusBeforeSteps_.clear();
    rowStep_ = nullptr;
    std::function<void()> done = std::move(rowStepsDone_);
    rowStepsDone_ = nullptr;
    if (done) done();
}

void QuorlinWindow::CopyCommand() {
    if (!CommitActiveCell()) return;
    const int row = grid_->currentRow();
    if (row < 0) return;
    QString text;
    if (grid_->selectionActive()) {
        const int top = job_.cutList.pageTop;
        text =
            QString::fromStdString(CopyRowsText(job_.cutList, top + grid_->selectionFirst(),
                                                top + grid_->selectionLast(), job_.showPartCodes));
    } else {
        text = grid_->cell(row, grid_->currentColumn())->text();
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    UpdateEditMenu();
}

void QuorlinWindow::CutCommand() {
    if (!grid_->selectionActive()) return;
    CopyCommand();
    DeleteCommand();
}

void QuorlinWindow::DeleteCommand() {
    if (!grid_->selectionActive() || !CommitActiveCell()) return;
    TakeUndo();
    const int first = job_.cutList.pageTop + grid_->selectionFirst();
    const int count = grid_->selectionLast() - grid_->selectionFirst() + 1;
    RunRowSteps(
        count,
        [this, first] {
            DeleteRow(job_.cutList, first);
            ShowRows();
            return true;
        },
        [this] {
            grid_->ClearSelection();
            JobChanged();
            ShowPage();
            UpdateEditMenu();
        });
}

void QuorlinWindow::InsertRows(int firstRow, int count, std::function<void()> done) {
    RunRowSteps(
        count,
        [this, firstRow] {
            if (!InsertBlankRow(job_.cutList, firstRow)) return false;
            ShowRows();
            return true;
        },
        std::move(done));
}

void QuorlinWindow::InsertCommand() {
    if (!grid_->selectionActive() || !CommitActiveCell()) return;
    BarCutList& list = job_.cutList;
    const int first = list.pageTop + grid_->selectionFirst();
    const int count = grid_->selectionLast() - grid_->selectionFirst() + 1;
    if (first >= list.rowCount) {
        grid_->ClearSelection();
        UpdateEditMenu();
        return;
    }
    if (list.rowCount + count > kMaxRows) {
        SetMessage(kRowLimitMessage);
        return;
    }
    TakeUndo();
    InsertRows(first, count, [this] {
        grid_->ClearSelection();
        JobChanged();
        ShowPage();
        UpdateEditMenu();
    });
}

void QuorlinWindow::PasteCommand() {
    if (!CommitActiveCell()) return;
    const int row = grid_->currentRow();
    if (row < 0) return;
    const GridColumn column = grid_->currentColumn();
    BarCutList& list = job_.cutList;
    const int listRow = list.pageTop + row;
    const PasteForm form = ReadPasteForm(ClipboardText().toStdString(), job_.showPartCodes);
    if (form.kind == PasteForm::Kind::Nothing) return;

    if (form.kind == PasteForm::Kind::SingleValue) {
        const std::optional<std::string> text = PastedCellText(form.value, column);
        BarCutList trial = list;
        const CellStore store = text ? StoreCellText(trial, listRow, column, *text)
                                     : CellStore{CellVerdict::NotANumber};
        if (store.Refused()) {
            SetMessage(QString::fromStdString(CellRefusalMessage(store.verdict)));
            return;
        }
        TakeUndo();
        list = std::move(trial);
        list.rowCount = static_cast<std::int16_t>(std::max<int>(list.rowCount, listRow + 1));
        JobChanged();
        ShowPage();
        UpdateEditMenu();
        return;
    }

    // Whole rows: every field is checked before anything changes.
    const int lines = static_cast<int>(form.rows.size());
    const std::size_t offset = job_.showPartCodes ? 0 : 1;
    std::vector<std::array<std::string, 3>> cells;
    for (const auto& fields : form.rows) {
        std::array<std::string, 3> texts;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const auto col = static_cast<GridColumn>(f + offset);
            const std::optional<std::string> text = PastedCellText(fields[f], col);
            BarCutList probe;
            const CellStore store =
                text ? StoreCellText(probe, 0, col, *text) : CellStore{CellVerdict::NotANumber};
            if (store.Refused()) {
                SetMessage(QString::fromStdString(CellRefusalMessage(store.verdict)));
                return;
            }
            texts[f + offset] = *text;
        }
        cells.push_back(std::move(texts));
    }
    const int grownCount = listRow < list.rowCount ? list.rowCount + lines : listRow + lines;
    if (grownCount > kMaxRows) {
        SetMessage(kRowLimitMessage);
        return;
    }
    TakeUndo();
    // The rows are filled once they are there: inside the list they are opened first, one by
    // one, as "挿入(&I)" does; at or past its end they are counted.
    auto fill = [this, listRow, lines, offset, cells = std::move(cells)] {
        BarCutList& rows = job_.cutList;
        EnsureRowCapacity(rows, listRow + lines - 1);
        for (int i = 0; i < lines; ++i) {
            for (std::size_t f = offset; f < 3; ++f)
                StoreCellText(rows, listRow + i, static_cast<GridColumn>(f),
                              cells[static_cast<std::size_t>(i)][f]);
        }
        rows.rowCount = static_cast<std::int16_t>(std::max<int>(rows.rowCount, listRow + lines));
        JobChanged();
        ShowPage();
        UpdateEditMenu();
    };
    if (listRow >= list.rowCount) {
        fill();
        return;
    }
    grid_->SelectRows(row, std::min(kGridRows - 1, row + lines - 1));
    InsertRows(listRow, lines, [this, fill = std::move(fill)] {
        grid_->ClearSelection();
        fill();
    });
}

void QuorlinWindow::UndoCommand() {
    if (!CommitActiveCell()) return;
    if (!undo_.Restore(job_.cutList, job_.cutList.pageTop)) return;
    grid_->ClearSelection();
    JobChanged();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::bar
