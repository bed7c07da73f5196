// The grid cells and the panel boxes: focus, committing a cell, and the key tables.

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <optional>

#include "common/gui/numeric_edit.h"
#include "common/number_text.h"
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

// Focus changes that do not leave a cell: another window, or a menu or popup opening or
// closing over it.
bool StaysInCell(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QLineEdit* SizeWariate::cell(int index) const {
    return cells_[static_cast<std::size_t>(index)];
}
QLineEdit* SizeWariate::heightBox() const {
    return heightBox_;
}
QLineEdit* SizeWariate::widthBox() const {
    return widthBox_;
}
QLineEdit* SizeWariate::priceBox() const {
    return priceBox_;
}
QLineEdit* SizeWariate::kerfBox() const {
    return kerfBox_;
}

bool SizeWariate::SwallowMenuShortcut(QEvent* event) const {
    // Edit boxes claim some of the menu's keys for themselves (Ctrl+U clears the line); in this
    // window those keys belong to the menu. The standard editing keys (Ctrl+X, Ctrl+C, Ctrl+V,
    // Ctrl+A, Ctrl+Z) stay with the box's text; elsewhere Ctrl+X is the menu's "終了".
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::ControlModifier) return false;
    switch (key->key()) {
        case Qt::Key_N:
        case Qt::Key_O:
        case Qt::Key_S:
        case Qt::Key_U:
        case Qt::Key_H:
            event->ignore();
            return true;
        default:
            return false;
    }
}

bool SizeWariate::eventFilter(QObject* watched, QEvent* event) {
    if (SwallowMenuShortcut(event)) return true;
    for (int i = 0; i < kGridCells; ++i) {
        if (watched == cells_[static_cast<std::size_t>(i)]) return CellEvent(i, event);
    }
    for (int r = 0; r < kGridRows; ++r) {
        if (watched == rowLabels_[static_cast<std::size_t>(r)]) return RowLabelEvent(r, event);
    }
    if (watched == heightBox_ || watched == widthBox_ || watched == priceBox_ ||
        watched == kerfBox_)
        return PanelBoxEvent(static_cast<QLineEdit*>(watched), event);
    return QMainWindow::eventFilter(watched, event);
}

bool SizeWariate::CellEvent(int index, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            CellFocusIn(index, static_cast<QFocusEvent*>(event));
            return false;
        case QEvent::FocusOut: {
            // Another window or a menu taking the focus does not leave the cell; every
            // command commits the cell itself before it acts.
            if (!StaysInCell(static_cast<QFocusEvent*>(event)->reason())) CommitCell(index);
            return false;
        }
        case QEvent::KeyPress:
            // While rows are being inserted or deleted step by step, the grid takes no keys.
            if (Busy()) return true;
            return CellKey(index, static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (Busy()) return true;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) CellMousePress(index, mouse);
            return mouse->button() == Qt::RightButton;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!Busy() && (mouse->buttons() & Qt::LeftButton)) CellMouseMove(index, mouse);
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::RightButton) return false;
            if (!Busy()) CellRightRelease(index);
            return true;
        }
        default:
            return false;
    }
}

void SizeWariate::CellFocusIn(int index, QFocusEvent* event) {
    // A right click inside a selection keeps it; the click's release decides.
    // So does a focus that comes back when a menu or the popup closes: the menu's command acts
    // on the selection.
    const bool rightClick = event->reason() == Qt::MouseFocusReason &&
                            (QGuiApplication::mouseButtons() & Qt::RightButton);
    if (!rightClick && !StaysInCell(event->reason())) ClearRowSelect();
    focusRow_ = index / 4;
    focusCol_ = index % 4;
    QLineEdit* box = cells_[static_cast<std::size_t>(index)];
    if (focusCol_ == 3) {
        QPalette pal = box->palette();
        if (!(selActive_ && focusRow_ >= selFirst_ && focusRow_ <= selLast_))
            pal.setColor(QPalette::Base, palette().color(QPalette::Base));
        box->setPalette(pal);
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) box->end(false);
        });
    } else {
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) box->selectAll();
        });
    }
}

bool SizeWariate::CommitCell(int index, bool keepUndo) {
    focusRow_ = index / 4;
    focusCol_ = index % 4;
    const int k = currentPage_ * kRowsPerPage + focusRow_;
    QLineEdit* box = cells_[static_cast<std::size_t>(index)];
    std::string text = box->text().toStdString();
    if (focusCol_ < 3) {
        const std::optional<double> value = BoxValue(box);
        if (!value) {
            RefuseBox(box, kNotANumberMessage);
            return false;
        }
        if (focusCol_ == 2 && *value != std::floor(*value)) {
            RefuseBox(box, kWholeQuantityMessage);
            return false;
        }
        text = box->text().trimmed().isEmpty() ? std::string() : FormatDouble(*value);
    }
    if (refusedBox_ == box) refusedBox_.clear();
    SetMessage(QString());
    CutItem& item = job_.cutList[static_cast<std::size_t>(k)];
    const bool changed = StoreCellText(item, focusCol_, text);
    if (focusCol_ < 3) {
        const QString shown = QString::fromStdString(CellText(item, focusCol_));
        if (box->text() != shown) box->setText(shown);
    }
    if (focusCol_ == 3) {
        box->setCursorPosition(0);
        PaintCells();
    }
    if (changed) {
        if (k >= job_.cutCount) job_.cutCount = static_cast<std::int16_t>(k + 1);
        SetModified();
        if (job_.undoReady && !keepUndo) {
            job_.undoReady = false;
            job_.undoList.clear();
            job_.undoFlags.clear();
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
    if (refusedBox_) {
        QLineEdit* refused = refusedBox_;
        for (int i = 0; i < kGridCells; ++i) {
            if (refused == cells_[static_cast<std::size_t>(i)]) {
                if (!CommitCell(i)) return false;
                break;
            }
        }
        if (refusedBox_ && !CommitNumberBox(refused)) return false;
    }
    QWidget* focus = QApplication::focusWidget();
    for (int i = 0; i < kGridCells; ++i) {
        if (focus == cells_[static_cast<std::size_t>(i)]) return CommitCell(i);
    }
    if (focus == heightBox_ || focus == widthBox_ || focus == priceBox_ || focus == kerfBox_)
        return CommitNumberBox(static_cast<QLineEdit*>(focus));
    return true;
}

void SizeWariate::FocusCell(int index) {
    QLineEdit* box = cells_[static_cast<std::size_t>(index)];
    box->setFocus(Qt::OtherFocusReason);
    // Without an active window the focus event does not come; keep the state all the same.
    if (!box->hasFocus()) {
        ClearRowSelect();
        focusRow_ = index / 4;
        focusCol_ = index % 4;
    }
}

void SizeWariate::RestoreFocus() {
    if (focusRow_ == -1) {
        if (job_.lastSizeIndex > 0) return;
        (focusCol_ == 0 ? heightBox_ : widthBox_)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (focusRow_ >= 0 && focusRow_ < kGridRows && focusCol_ >= 0 && focusCol_ < 4)
        FocusCell(focusRow_ * 4 + focusCol_);
}

bool SizeWariate::CellKey(int index, QKeyEvent* key) {
    const int row = index / 4;
    const int col = index % 4;
    if (IsEnter(key->key())) {
        EnterFromCell(index);
        return true;
    }
    switch (key->key()) {
        case Qt::Key_Left:
            if (col > 0) FocusCell(index - 1);
            return true;
        case Qt::Key_Right:
            if (col < 3) FocusCell(index + 1);
            return true;
        case Qt::Key_Up:
            if (row > 0)
                FocusCell(index - 4);
            else if (job_.lastSizeIndex < 1)
                heightBox_->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Down:
            if (row < kGridRows - 1) FocusCell(index + 4);
            return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (!selActive_) return false;
            DeleteCommand();
            return true;
        case Qt::Key_Insert:
            if (!selActive_) return false;
            InsertCommand();
            return true;
        default:
            return false;
    }
}

void SizeWariate::EnterFromCell(int index) {
    if (!CommitCell(index)) return;
    const int row = index / 4;
    const int col = index % 4;
    if (col == 0 || col == 1) {
        FocusCell(index + 1);
        return;
    }
    if (col == 2 && job_.comIn) {
        FocusCell(row * 4 + 3);
        return;
    }
    // The next row's height cell (or, from the comment column with the comment column out of
    // the Enter path, the next row's comment cell when its height is filled in).
    int nextRow = row + 1;
    if (row == kGridRows - 1) {
        NextPage();
        nextRow = 0;
    }
    const bool toComment =
        col == 3 && !job_.comIn && !cells_[static_cast<std::size_t>(nextRow * 4)]->text().isEmpty();
    FocusCell(nextRow * 4 + (toComment ? 3 : 0));
}

bool SizeWariate::PanelBoxEvent(QLineEdit* box, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (box == heightBox_) {
            focusRow_ = -1;
            focusCol_ = 0;
        } else if (box == widthBox_ || box == priceBox_) {
            focusRow_ = -1;
            focusCol_ = 1;
        }
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) box->selectAll();
        });
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        if (!StaysInCell(static_cast<QFocusEvent*>(event)->reason()) && !Busy())
            CommitNumberBox(box);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    if (Busy()) return true;
    const int key = static_cast<QKeyEvent*>(event)->key();
    QWidget* firstCell = cells_[0];
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
    if (Busy()) return;
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
    if (Busy()) {
        ShowPage();
        return;
    }
    job_.turnFlag[static_cast<std::size_t>(currentPage_ * kRowsPerPage + row)] = on ? 1 : 0;
    SetModified();
    RestoreFocus();
}

}  // namespace tvx::panel
