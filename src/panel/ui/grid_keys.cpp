// What the grid's cells and the panel boxes mean for the job: committing a cell, Enter, and
// the panel boxes' focus and keys.

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <cmath>
#include <optional>

#include "common/gui/numeric_edit.h"
#include "common/number_text.h"
#include "panel/ui/cut_grid.h"
#include "panel/ui/cut_list_ops.h"
#include "panel/ui/keypad_letters.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {
namespace {

constexpr const char* kNotANumberMessage = "数値を入力してください。";
constexpr const char* kWholeQuantityMessage = "枚数は整数で入力してください。";

// A box's value when its text is number text ("1,200" reads 1200, blank reads 0).
std::optional<double> BoxValue(const QLineEdit* box) {
    return gui::NumberBoxValue(box->text());
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

void SizeWariate::ConnectGrid() {
    connect(grid_, &CutGrid::cellCommitted, this,
            [this](int row, Column column) { CommitCell(row, column); });
    connect(grid_, &CutGrid::enterPressed, this,
            [this](int row, Column column) { EnterFromCell(row, column); });
    connect(grid_, &CutGrid::upFromFirstRow, this, [this] {
        if (job_.lastSizeIndex < 1) heightBox_->setFocus(Qt::OtherFocusReason);
    });
    connect(grid_, &CutGrid::deleteSelectionRequested, this, [this] { DeleteCommand(); });
    connect(grid_, &CutGrid::insertSelectionRequested, this, [this] { InsertCommand(); });
    connect(grid_, &CutGrid::menuRequested, this,
            [this](const QPoint& pos) { editMenu_->popup(pos); });
    connect(grid_, &CutGrid::rowLabelPressed, this, [this](int row) { SelectFromRowLabel(row); });
    connect(grid_, &CutGrid::turnToggled, this,
            [this](int row, bool on) { OnRowTurnToggled(row, on); });
}

bool SizeWariate::eventFilter(QObject* watched, QEvent* event) {
    // The size boxes and the kerf box are the window's own; the grid watches its cells.
    if (LeaveMenuKeysToMenu(event)) return true;
    if (watched == heightBox_ || watched == widthBox_ || watched == priceBox_ ||
        watched == kerfBox_)
        return PanelBoxEvent(static_cast<QLineEdit*>(watched), event);
    return QMainWindow::eventFilter(watched, event);
}

bool SizeWariate::CommitCell(int row, Column column, bool keepUndo) {
    const int k = currentPage_ * kRowsPerPage + row;
    QLineEdit* box = grid_->cell(row, column);
    std::string text = box->text().toStdString();
    const bool number = column != Column::Comment;
    if (number) {
        const std::optional<double> value = BoxValue(box);
        if (!value) {
            RefuseBox(box, kNotANumberMessage);
            return false;
        }
        if (column == Column::Quantity && *value != std::floor(*value)) {
            RefuseBox(box, kWholeQuantityMessage);
            return false;
        }
        text = box->text().trimmed().isEmpty() ? std::string() : FormatDouble(*value);
    }
    if (refusedBox_ == box) refusedBox_.clear();
    SetMessage(QString());
    CutItem& item = job_.cutList[static_cast<std::size_t>(k)];
    const bool changed = StoreCellText(item, static_cast<int>(column), text);
    if (number) {
        const QString shown = QString::fromStdString(CellText(item, static_cast<int>(column)));
        if (box->text() != shown) box->setText(shown);
    } else {
        box->setCursorPosition(0);
    }
    if (changed) {
        if (k >= job_.cutCount) job_.cutCount = static_cast<std::int16_t>(k + 1);
        SetModified();
        if (undo_.ready() && !keepUndo) {
            undo_.Discard();
            UpdateEditMenu();
        }
    }
    return true;
}

void SizeWariate::RefuseBox(QLineEdit* box, const QString& message) {
    refusedBox_ = box;
    // The focus comes back to the box once the event that moved it away has ended.
    QTimer::singleShot(0, box, [this, box, message] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        SetMessage(message);
    });
    SetMessage(message);
}

bool SizeWariate::CommitNumberBox(QLineEdit* box) {
    if (BoxValue(box)) {
        if (refusedBox_ == box) refusedBox_.clear();
        return true;
    }
    RefuseBox(box, kNotANumberMessage);
    return false;
}

bool SizeWariate::CommitActiveCell() {
    int row = -1;
    Column column = Column::Height;
    if (refusedBox_) {
        QLineEdit* refused = refusedBox_;
        if (grid_->FindCell(refused, &row, &column) && !CommitCell(row, column)) return false;
        if (refusedBox_ && !CommitNumberBox(refused)) return false;
    }
    QWidget* focus = QApplication::focusWidget();
    if (grid_->FindCell(focus, &row, &column)) return CommitCell(row, column);
    if (focus == heightBox_ || focus == widthBox_ || focus == priceBox_ || focus == kerfBox_)
        return CommitNumberBox(static_cast<QLineEdit*>(focus));
    return true;
}

void SizeWariate::FocusCell(int row, Column column) {
    grid_->FocusCell(row, column);
}

void SizeWariate::RestoreFocus() {
    if (grid_->currentRow() < 0) {
        if (job_.lastSizeIndex > 0) return;
        (widthBoxLast_ ? widthBox_ : heightBox_)->setFocus(Qt::OtherFocusReason);
        return;
    }
    FocusCell(grid_->currentRow(), grid_->currentColumn());
}

void SizeWariate::EnterFromCell(int row, Column column) {
    if (!CommitCell(row, column)) return;
    if (column == Column::Height || column == Column::Width) {
        FocusCell(row, static_cast<Column>(static_cast<int>(column) + 1));
        return;
    }
    if (column == Column::Quantity && job_.comIn) {
        FocusCell(row, Column::Comment);
        return;
    }
    // The next row's height cell (or, from the comment column with the comment column out of
    // the Enter path, the next row's comment cell when its height is filled in).
    int nextRow = row + 1;
    if (row == kGridRows - 1) {
        NextPage();
        nextRow = 0;
    }
    const bool toComment = column == Column::Comment && !job_.comIn &&
                           !grid_->cell(nextRow, Column::Height)->text().isEmpty();
    FocusCell(nextRow, toComment ? Column::Comment : Column::Height);
}

bool SizeWariate::PanelBoxEvent(QLineEdit* box, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (box == heightBox_ || box == widthBox_ || box == priceBox_) {
            grid_->ForgetCurrentCell();
            widthBoxLast_ = box != heightBox_;
        }
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) box->selectAll();
        });
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        // The lock itself takes the focus from the box it disables: that is no leaving.
        if (!FocusStaysInBox(static_cast<QFocusEvent*>(event)->reason()) && !Busy())
            CommitNumberBox(box);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    QWidget* firstCell = grid_->cell(0, Column::Height);
    const bool price = job_.cutsell;
    auto go = [](QWidget* target) { target->setFocus(Qt::OtherFocusReason); };
    if (key == Qt::Key_Up) return true;
    if (key == Qt::Key_Down) {
        go(firstCell);
        return true;
    }
    if (box == heightBox_) {
        if (IsEnter(key) || key == Qt::Key_Right) go(widthBox_);
        return IsEnter(key) || key == Qt::Key_Left || key == Qt::Key_Right;
    }
    if (box == widthBox_) {
        if (IsEnter(key))
            go(price ? static_cast<QWidget*>(priceBox_) : firstCell);
        else if (key == Qt::Key_Left)
            go(heightBox_);
        else if (key == Qt::Key_Right)
            go(price ? priceBox_ : kerfBox_);
        return IsEnter(key) || key == Qt::Key_Left || key == Qt::Key_Right;
    }
    if (box == priceBox_) {
        if (IsEnter(key))
            go(firstCell);
        else if (key == Qt::Key_Left)
            go(widthBox_);
        else if (key == Qt::Key_Right)
            go(kerfBox_);
        return IsEnter(key) || key == Qt::Key_Left || key == Qt::Key_Right;
    }
    // The kerf box.
    if (IsEnter(key)) {
        if (!CommitNumberBox(kerfBox_)) return true;
        if (job_.kerf == 0) kerfBox_->setText("0");
        go(firstCell);
        return true;
    }
    if (key == Qt::Key_Left) {
        if (job_.lastSizeIndex <= 0) go(widthBox_);
        return true;
    }
    return key == Qt::Key_Right;
}

void SizeWariate::OnPanelBoxChanged() {
    // A box whose text is not (yet) a number keeps its last value; leaving it refuses the text.
    SetMessage(QString());
    auto take = [](const QLineEdit* box, std::int32_t& value) {
        if (const std::optional<double> read = BoxValue(box))
            value = ClampToInt32(RoundHalfEven(*read));
    };
    take(heightBox_, job_.typedHeight);
    take(widthBox_, job_.typedWidth);
    take(priceBox_, job_.typedPrice);
}

void SizeWariate::OnKerfChanged() {
    SetMessage(QString());
    if (const std::optional<double> read = BoxValue(kerfBox_))
        job_.kerf = ClampToInt16(RoundHalfEven(*read));
}

void SizeWariate::StepKerf(int delta) {
    int kerf = job_.kerf + delta;
    if (kerf < 0) kerf = 0;
    if (kerf > 32767) kerf = 32767;
    if (kerf != job_.kerf) SetModified();
    job_.kerf = static_cast<std::int16_t>(kerf);
    kerfBox_->setText(QString::number(job_.kerf));
}

void SizeWariate::OnRotateAllToggled(bool on) {
    job_.rotateAll = on;
    SetModified();
    RestoreFocus();
}

void SizeWariate::OnRowTurnToggled(int row, bool on) {
    job_.turnFlag[static_cast<std::size_t>(currentPage_ * kRowsPerPage + row)] = on ? 1 : 0;
    SetModified();
    RestoreFocus();
}

}  // namespace tvx::panel
