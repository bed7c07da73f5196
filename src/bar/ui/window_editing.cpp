// The "編集(&E)" menu and its pop-up on the grid: copy, cut, paste of a single value or of
// whole rows, insertion and deletion of the selected rows with visible steps, and one level
// of undo.

#include <QAction>
#include <QClipboard>
#include <QEventLoop>
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
    const bool idle = !calculating_ && !rowStepsRunning_;
    const bool haveCell = grid_->currentRow() >= 0;
    const bool block = grid_->selectionActive();
    undoAction_->setEnabled(idle && undo_.available);
    copyAction_->setEnabled(idle && haveCell);
    cutAction_->setEnabled(idle && block);
    deleteAction_->setEnabled(idle && block);
    insertAction_->setEnabled(idle && block);
    const PasteForm form = ReadPasteForm(ClipboardText().toStdString(), job_.showPartCodes);
    pasteAction_->setEnabled(idle && haveCell && form.kind != PasteForm::Kind::Nothing);
}

void QuorlinWindow::ShowEditMenuAt(const QPoint& globalPos) {
    if (calculating_ || rowStepsRunning_) return;
    CommitActiveCell();
    UpdateEditMenu();
    editMenu_->popup(globalPos);
}

void QuorlinWindow::PauseStep(int step) {
    if (step >= kPausedSteps) return;
    if (stepPauseMs_ <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(stepPauseMs_, &loop, &QEventLoop::quit);
    loop.exec();
}

void QuorlinWindow::CopyCommand() {
    if (calculating_ || rowStepsRunning_ || !CommitActiveCell()) return;
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
    if (calculating_ || rowStepsRunning_ || !grid_->selectionActive()) return;
    CopyCommand();
    DeleteCommand();
}

void QuorlinWindow::DeleteCommand() {
    if (calculating_ || rowStepsRunning_ || !grid_->selectionActive() || !CommitActiveCell())
        return;
    TakeUndo();
    rowStepsRunning_ = true;
    UpdateEditMenu();
    const int first = job_.cutList.pageTop + grid_->selectionFirst();
    const int count = grid_->selectionLast() - grid_->selectionFirst() + 1;
    for (int i = 0; i < count; ++i) {
        DeleteRow(job_.cutList, first);
        ShowPage();
        if (i + 1 < count) PauseStep(i);
    }
    rowStepsRunning_ = false;
    grid_->ClearSelection();
    JobChanged();
    ShowPage();
    UpdateEditMenu();
}

void QuorlinWindow::InsertRows(int firstRow, int count) {
    rowStepsRunning_ = true;
    UpdateEditMenu();
    for (int i = 0; i < count; ++i) {
        if (!InsertBlankRow(job_.cutList, firstRow)) break;
        ShowPage();
        if (i + 1 < count) PauseStep(i);
    }
    rowStepsRunning_ = false;
}

void QuorlinWindow::InsertCommand() {
    if (calculating_ || rowStepsRunning_ || !grid_->selectionActive() || !CommitActiveCell())
        return;
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
    InsertRows(first, count);
    grid_->ClearSelection();
    JobChanged();
    ShowPage();
    UpdateEditMenu();
}

void QuorlinWindow::PasteCommand() {
    if (calculating_ || rowStepsRunning_ || !CommitActiveCell()) return;
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
    if (listRow < list.rowCount) {
        // The rows are opened first, one by one, as "挿入(&I)" does.
        grid_->SelectRows(row, std::min(kGridRows - 1, row + lines - 1));
        InsertRows(listRow, lines);
        grid_->ClearSelection();
    }
    EnsureRowCapacity(list, listRow + lines - 1);
    for (int i = 0; i < lines; ++i) {
        for (std::size_t f = offset; f < 3; ++f)
            StoreCellText(list, listRow + i, static_cast<GridColumn>(f),
                          cells[static_cast<std::size_t>(i)][f]);
    }
    // Rows pasted at or past the end of the list are counted.
    list.rowCount = static_cast<std::int16_t>(std::max<int>(list.rowCount, listRow + lines));
    JobChanged();
    ShowPage();
    UpdateEditMenu();
}

void QuorlinWindow::UndoCommand() {
    if (calculating_ || rowStepsRunning_ || !CommitActiveCell()) return;
    if (!undo_.Restore(job_.cutList, job_.cutList.pageTop)) return;
    grid_->ClearSelection();
    JobChanged();
    ShowPage();
    UpdateEditMenu();
}

}  // namespace tvx::bar
