// Showing a page and taking values: the grid's cells, the stock length, kerf and title boxes,
// their keys, paging and the part-code display.

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/numeric_edit.h"
#include "common/number_text.h"

namespace tvx::bar {
namespace {

constexpr const char* kNotANumberMessage = "数値を入力してください。";

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

void QuorlinWindow::ShowRows() {
    BarCutList& list = job_.cutList;
    // The columns always cover the page shown.
    EnsureRowCapacity(list, list.pageTop + kRowsPerPage - 1);
    grid_->ShowRows(list, list.pageTop);
}

void QuorlinWindow::ShowPage() {
    ShowRows();
    nextButton_->setEnabled(NextPageAllowed());
    refusedRow_ = -1;
}

bool QuorlinWindow::NextPageAllowed() const {
    return job_.cutList.rowCount >= job_.cutList.pageTop + kRowsPerPage;
}

void QuorlinWindow::RefuseBox(QWidget* box, const QString& message) {
    SetMessage(message);
    // The focus comes back to the box once the event that moved it away has ended.
    QTimer::singleShot(0, box, [box] {
        box->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
    });
}

bool QuorlinWindow::CommitCell(int row, GridColumn column) {
    QLineEdit* box = grid_->cell(row, column);
    const int listRow = job_.cutList.pageTop + row;
    std::string text = box->text().toStdString();
    if (column != GridColumn::PartCode) {
        const std::optional<double> value = gui::NumberBoxValue(box->text());
        if (!value) {
            refusedRow_ = row;
            refusedColumn_ = column;
            RefuseBox(box, kNotANumberMessage);
            return false;
        }
        text = box->text().trimmed().isEmpty() ? std::string() : FormatDouble(*value);
    }
    if (column != GridColumn::PartCode) SetMessage(QString());
    const CellStore store = StoreCellText(job_.cutList, listRow, column, text);
    if (store.Refused()) {
        refusedRow_ = row;
        refusedColumn_ = column;
        RefuseBox(box, QString::fromStdString(CellRefusalMessage(store.verdict)));
        return false;
    }
    if (refusedRow_ == row && refusedColumn_ == column) refusedRow_ = -1;
    if (column != GridColumn::PartCode) {
        const QString shown = QString::fromStdString(CellText(job_.cutList, listRow, column));
        if (box->text() != shown) box->setText(shown);
    }
    if (store.verdict == CellVerdict::Stored) {
        // A changed value makes the undo copy stale.
        undo_.Drop();
        JobChanged();
        nextButton_->setEnabled(NextPageAllowed());
        UpdateEditMenu();
    }
    return true;
}

bool QuorlinWindow::CommitActiveCell() {
    if (refusedRow_ >= 0 && !CommitCell(refusedRow_, refusedColumn_)) return false;
    QWidget* focus = QApplication::focusWidget();
    if (focus == stockBox_) return CommitStockBox();
    if (focus == kerfBox_) return CommitKerf();
    GridColumn column = GridColumn::Length;
    const int row = grid_->FocusedRow(&column);
    if (row >= 0) return CommitCell(row, column);
    return true;
}

void QuorlinWindow::OnCellLeft(int row, int column) {
    // The lock itself takes the focus from the cell it disables: that is no leaving.
    if (lock_.locked()) return;
    CommitCell(row, static_cast<GridColumn>(column));
}

void QuorlinWindow::FocusFirstRow() {
    grid_->FocusCell(0, grid_->FirstVisibleColumn());
}

void QuorlinWindow::OnEnterInCell(int row, int column) {
    const auto col = static_cast<GridColumn>(column);
    if (!CommitCell(row, col)) return;
    if (col == GridColumn::PartCode) {
        grid_->FocusCell(row, GridColumn::Length);
        return;
    }
    if (col == GridColumn::Length) {
        grid_->FocusCell(row, GridColumn::Quantity);
        return;
    }
    BarCutList& list = job_.cutList;
    const int listRow = list.pageTop + row;
    if (list.rowCount < listRow + 1) {
        list.rowCount = static_cast<std::int16_t>(listRow + 1);
        SetModified();
    }
    if (row < kGridRows - 1) {
        grid_->FocusCell(row + 1, grid_->FirstVisibleColumn());
        nextButton_->setEnabled(NextPageAllowed());
        return;
    }
    // Enter in the last row turns the page and grows the list, up to the row limit.
    if (list.pageTop + kRowsPerPage > kMaxPageTop) {
        SetMessage(kRowLimitMessage);
        return;
    }
    list.pageTop = static_cast<std::int16_t>(list.pageTop + kRowsPerPage);
    ShowPage();
    FocusFirstRow();
}

void QuorlinWindow::PreviousPage() {
    if (!CommitActiveCell()) return;
    BarCutList& list = job_.cutList;
    if (list.pageTop < 1) return;
    list.pageTop = static_cast<std::int16_t>(std::max(0, list.pageTop - kRowsPerPage));
    grid_->ClearSelection();
    ShowPage();
    FocusFirstRow();
}

void QuorlinWindow::NextPage() {
    if (!CommitActiveCell()) return;
    BarCutList& list = job_.cutList;
    if (list.pageTop >= list.rowCount) return;
    if (list.pageTop + kRowsPerPage > kMaxPageTop) {
        SetMessage(kRowLimitMessage);
        return;
    }
    list.pageTop = static_cast<std::int16_t>(list.pageTop + kRowsPerPage);
    grid_->ClearSelection();
    ShowPage();
    FocusFirstRow();
}

void QuorlinWindow::InsertTitle() {
    if (!CommitActiveCell()) return;
    titleBox_->setFocus(Qt::OtherFocusReason);
}

void QuorlinWindow::TogglePartCodes() {
    if (!CommitActiveCell()) {
        partCodesAction_->setChecked(job_.showPartCodes);
        return;
    }
    job_.showPartCodes = !job_.showPartCodes;
    partCodesAction_->setChecked(job_.showPartCodes);
    JobChanged();
    LayoutWindow();
    ShowPage();
}

void QuorlinWindow::ToggleOptimalCalculation() {
    // A switch of the program, not of the job: the plan on show stays as it is.
    optimalCalculation_ = optimalAction_->isChecked();
}

bool QuorlinWindow::CommitStockBox() {
    const std::optional<double> value = gui::NumberBoxValue(stockBox_->text());
    if (!value) {
        RefuseBox(stockBox_, kNotANumberMessage);
        return false;
    }
    if (!stockBox_->text().trimmed().isEmpty()) {
        const QString shown = QString::fromStdString(FormatDouble(*value));
        if (stockBox_->text() != shown) stockBox_->setText(shown);
    }
    return true;
}

void QuorlinWindow::OnKerfEdited() {
    SetMessage(QString());
    const std::optional<double> value = gui::NumberBoxValue(kerfBox_->text());
    if (!value) return;  // refused when the box is left
    const std::optional<float> kerf = ToSingle(*value);
    if (!kerf || *kerf == job_.kerf) return;
    job_.kerf = *kerf;
    JobChanged();
}

bool QuorlinWindow::CommitKerf() {
    const std::optional<double> value = gui::NumberBoxValue(kerfBox_->text());
    const std::optional<float> kerf = value ? ToSingle(*value) : std::nullopt;
    if (!kerf) {
        RefuseBox(kerfBox_, kNotANumberMessage);
        return false;
    }
    if (*kerf < 0.0f) {
        RefuseBox(kerfBox_, "切断幅は0以上で指定してください。");
        return false;
    }
    if (*kerf != job_.kerf) {
        job_.kerf = *kerf;
        JobChanged();
    }
    return true;
}

void QuorlinWindow::StepKerf(int delta) {
    float kerf = job_.kerf + static_cast<float>(delta);
    // Going down from a value below 1 gives 0.
    if (delta < 0 && job_.kerf < 1.0f) kerf = 0.0f;
    if (kerf < 0.0f) kerf = 0.0f;
    if (kerf > kMaxStockLength) kerf = kMaxStockLength;
    if (kerf != job_.kerf) {
        job_.kerf = kerf;
        JobChanged();
    }
    SetMessage(QString());
    ShowKerf();
}

void QuorlinWindow::ShowKerf() {
    kerfBox_->setText(QString::fromStdString(FormatSingle(job_.kerf)));
}

bool QuorlinWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != stockBox_ && watched != kerfBox_ && watched != titleBox_)
        return QMainWindow::eventFilter(watched, event);
    auto* box = static_cast<QLineEdit*>(watched);
    switch (event->type()) {
        case QEvent::FocusIn: {
            grid_->ForgetCurrentCell();
            grid_->ClearSelection();
            if (box == titleBox_) {
                // Sunken and white while it has the focus.
                titleBox_->setFrame(true);
                QPalette pal = titleBox_->palette();
                pal.setColor(QPalette::Base, palette().color(QPalette::Base));
                titleBox_->setPalette(pal);
            }
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus()) box->selectAll();
            });
            UpdateEditMenu();
            return false;
        }
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (box == titleBox_) {
                titleBox_->setFrame(false);
                QPalette pal = titleBox_->palette();
                pal.setColor(QPalette::Base, palette().color(QPalette::Button));
                titleBox_->setPalette(pal);
                return false;
            }
            // The lock itself takes the focus from the box it disables: that is no leaving.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                lock_.locked())
                return false;
            if (box == stockBox_) CommitStockBox();
            if (box == kerfBox_) CommitKerf();
            return false;
        }
        case QEvent::KeyPress:
            return BoxKey(box, static_cast<QKeyEvent*>(event)->key());
        default:
            return false;
    }
}

bool QuorlinWindow::BoxKey(QLineEdit* box, int key) {
    const bool singleLength = job_.stock.stockEntryCountInUse <= 1;
    if (box == titleBox_) {
        if (!IsEnter(key)) return false;
        FocusFirstRow();
        return true;
    }
    if (box == stockBox_) {
        if (IsEnter(key) || key == Qt::Key_Down) {
            if (CommitStockBox()) FocusFirstRow();
            return true;
        }
        if (key == Qt::Key_Right) {
            if (CommitStockBox()) kerfBox_->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return key == Qt::Key_Left || key == Qt::Key_Up;
    }
    // The kerf box.
    if (IsEnter(key)) {
        if (kerfBox_->text().trimmed().isEmpty()) kerfBox_->setText("0");
        if (CommitKerf()) FocusFirstRow();
        return true;
    }
    if (key == Qt::Key_Down) {
        if (CommitKerf()) FocusFirstRow();
        return true;
    }
    if (key == Qt::Key_Left) {
        if (singleLength && CommitKerf()) stockBox_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return key == Qt::Key_Up || key == Qt::Key_Right;
}

}  // namespace tvx::bar
