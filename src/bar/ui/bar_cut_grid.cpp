#include "bar/ui/bar_cut_grid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "common/gui/click_menu.h"
#include "common/gui/numeric_edit.h"

namespace tvx::bar {
namespace {

constexpr std::array<const char*, kGridColumns> kColumnNames = {"code", "length", "quantity"};
constexpr std::array<const char*, kGridColumns> kColumnHeadings = {"(型番)", "（長さ）",
                                                                   "（本数）"};

int ColumnIndex(GridColumn column) {
    return static_cast<int>(column);
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

BarCutGrid::BarCutGrid(QWidget* parent) : QWidget(parent) {
    setObjectName("cutGrid");
    heading_ = new QLabel("カットサイズ", this);
    for (int c = 0; c < kGridColumns; ++c) {
        auto* label = new QLabel(kColumnHeadings[static_cast<std::size_t>(c)], this);
        label->setAlignment(Qt::AlignCenter);
        columnHeadings_[static_cast<std::size_t>(c)] = label;
    }
    for (int r = 0; r < kGridRows; ++r) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setObjectName(QString("rowLabel%1").arg(r));
        rowLabels_[static_cast<std::size_t>(r)] = label;
        for (int c = 0; c < kGridColumns; ++c) {
            QLineEdit* box = c == 0 ? new QLineEdit(this) : new gui::NumericEdit(this);
            if (c > 0) box->setAlignment(Qt::AlignRight);
            box->setObjectName(
                QString("%1%2").arg(kColumnNames[static_cast<std::size_t>(c)]).arg(r));
            box->installEventFilter(this);
            gui::SuppressContextMenu(box);
            cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = box;
            cellIndex_.insert(box, r * kGridColumns + c);
        }
    }
    // Tab order follows the rows.
    QWidget* previous = nullptr;
    for (auto& row : cells_) {
        for (QLineEdit* box : row) {
            if (previous) setTabOrder(previous, box);
            previous = box;
        }
    }
    SetPartCodesVisible(false);
}

QLineEdit* BarCutGrid::cell(int row, GridColumn column) const {
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(ColumnIndex(column))];
}

void BarCutGrid::SetPartCodesVisible(bool visible) {
    partCodesVisible_ = visible;
    columnHeadings_[0]->setVisible(visible);
    for (auto& row : cells_) row[0]->setVisible(visible);
    if (!visible && currentColumn_ == GridColumn::PartCode) currentColumn_ = GridColumn::Length;
    Arrange();
}

GridColumn BarCutGrid::FirstVisibleColumn() const {
    return partCodesVisible_ ? GridColumn::PartCode : GridColumn::Length;
}

void BarCutGrid::ShowRows(const BarCutList& list, int pageTop) {
    for (int r = 0; r < kGridRows; ++r) {
        const int row = pageTop + r;
        rowLabels_[static_cast<std::size_t>(r)]->setText(QString("（%1）").arg(row + 1));
        for (int c = 0; c < kGridColumns; ++c) {
            QLineEdit* box = cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            box->setText(QString::fromStdString(CellText(list, row, static_cast<GridColumn>(c))));
            box->setCursorPosition(0);
        }
    }
}

void BarCutGrid::FocusCell(int row, GridColumn column) {
    if (row < 0 || row >= kGridRows) return;
    if (column == GridColumn::PartCode && !partCodesVisible_) column = GridColumn::Length;
    QLineEdit* box = cell(row, column);
    box->setFocus(Qt::OtherFocusReason);
    // Without an active window no focus event comes; the cell is current all the same.
    currentRow_ = row;
    currentColumn_ = column;
}

int BarCutGrid::FocusedRow(GridColumn* column) const {
    int row = -1;
    GridColumn found = GridColumn::Length;
    QWidget* focus = QApplication::focusWidget();
    if (!FindCell(focus, &row, &found)) return -1;
    if (column) *column = found;
    return row;
}

void BarCutGrid::SelectRows(int first, int last) {
    selectionActive_ = true;
    selectionFirst_ = std::clamp(std::min(first, last), 0, kGridRows - 1);
    selectionLast_ = std::clamp(std::max(first, last), 0, kGridRows - 1);
    PaintRows();
}

void BarCutGrid::ClearSelection() {
    if (!selectionActive_) return;
    selectionActive_ = false;
    PaintRows();
}

void BarCutGrid::PaintRows() {
    for (int r = 0; r < kGridRows; ++r) {
        const bool selected = selectionActive_ && r >= selectionFirst_ && r <= selectionLast_;
        for (QLineEdit* box : cells_[static_cast<std::size_t>(r)]) {
            QPalette pal = box->palette();
            pal.setColor(QPalette::Base,
                         selected ? SelectionColour() : palette().color(QPalette::Base));
            box->setPalette(pal);
        }
    }
}

bool BarCutGrid::FindCell(const QObject* object, int* row, GridColumn* column) const {
    const auto found = cellIndex_.constFind(object);
    if (found == cellIndex_.constEnd()) return false;
    *row = *found / kGridColumns;
    *column = static_cast<GridColumn>(*found % kGridColumns);
    return true;
}

bool BarCutGrid::eventFilter(QObject* watched, QEvent* event) {
    int row = -1;
    GridColumn column = GridColumn::Length;
    if (!FindCell(watched, &row, &column)) return QWidget::eventFilter(watched, event);
    QLineEdit* box = cell(row, column);
    switch (event->type()) {
        case QEvent::FocusIn: {
            // A right click inside the block keeps it; the click's release decides.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            const bool rightClick = reason == Qt::MouseFocusReason &&
                                    (QGuiApplication::mouseButtons() & Qt::RightButton);
            if (!rightClick && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                ClearSelection();
            currentRow_ = row;
            currentColumn_ = column;
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus()) box->selectAll();
            });
            emit cellFocused(row, ColumnIndex(column));
            return false;
        }
        case QEvent::FocusOut: {
            // Another window or a menu taking the focus does not leave the cell; every command
            // takes the cell itself before it acts.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                emit cellLeft(row, ColumnIndex(column));
            return false;
        }
        case QEvent::KeyPress:
            if (inputLocked_) return true;
            return CellKey(row, column, static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (inputLocked_) return true;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                ClearSelection();
                anchorRow_ = dragRow_ = row;
            }
            return mouse->button() == Qt::RightButton;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!inputLocked_ && (mouse->buttons() & Qt::LeftButton))
                DragTo(box->mapTo(this, mouse->position().toPoint()));
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                anchorRow_ = -1;
                return false;
            }
            if (mouse->button() != Qt::RightButton) return false;
            if (inputLocked_) return true;
            if (!selectionActive_ || row < selectionFirst_ || row > selectionLast_) {
                ClearSelection();
                FocusCell(row, column);
            }
            emit menuRequested(mouse->globalPosition().toPoint());
            return true;
        }
        default:
            return false;
    }
}

bool BarCutGrid::CellKey(int row, GridColumn column, QKeyEvent* key) {
    if (IsEnter(key->key())) {
        emit enterPressed(row, ColumnIndex(column));
        return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (key->key()) {
        case Qt::Key_Left:
            if (column == GridColumn::Quantity)
                FocusCell(row, GridColumn::Length);
            else if (column == GridColumn::Length && partCodesVisible_)
                FocusCell(row, GridColumn::PartCode);
            return true;
        case Qt::Key_Right:
            if (column == GridColumn::PartCode)
                FocusCell(row, GridColumn::Length);
            else if (column == GridColumn::Length)
                FocusCell(row, GridColumn::Quantity);
            return true;
        case Qt::Key_Up:
            if (row > 0)
                FocusCell(row - 1, column);
            else
                emit upFromFirstRow();
            return true;
        case Qt::Key_Down:
            if (row < kGridRows - 1) FocusCell(row + 1, column);
            return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (!selectionActive_) return false;
            emit deleteSelectionRequested();
            return true;
        case Qt::Key_Insert:
            if (!selectionActive_) return false;
            emit insertSelectionRequested();
            return true;
        default:
            return false;
    }
}

int BarCutGrid::RowAt(int y) const {
    for (int r = 0; r < kGridRows; ++r) {
        const QRect box = cells_[static_cast<std::size_t>(r)][1]->geometry();
        if (y <= box.bottom()) return r;
    }
    return kGridRows - 1;
}

void BarCutGrid::DragTo(const QPoint& gridPos) {
    if (anchorRow_ < 0) return;
    const int row = RowAt(gridPos.y());
    if (row == dragRow_) return;
    dragRow_ = row;
    if (row == anchorRow_) {
        ClearSelection();
        return;
    }
    SelectRows(anchorRow_, row);
}

void BarCutGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void BarCutGrid::Arrange() {
    // A heading line, a line of column headings, then the 20 rows.
    const int w = width();
    const int lineHeight = std::max(12, height() / (kGridRows + 2));
    const int boxHeight = std::max(10, lineHeight - 2);
    const int labelWidth = std::max(40, w / 7);
    const int codeWidth = partCodesVisible_ ? (w - labelWidth) * 36 / 100 : 0;
    const int numberWidth = (w - labelWidth - codeWidth - 4) / 2;
    const std::array<int, kGridColumns> left = {labelWidth + 2, labelWidth + 2 + codeWidth,
                                                labelWidth + 2 + codeWidth + numberWidth};
    const std::array<int, kGridColumns> widths = {codeWidth, numberWidth, numberWidth};
    heading_->setGeometry(0, 0, w, lineHeight);
    for (int c = 0; c < kGridColumns; ++c)
        columnHeadings_[static_cast<std::size_t>(c)]->setGeometry(
            left[static_cast<std::size_t>(c)], lineHeight, widths[static_cast<std::size_t>(c)],
            lineHeight);
    for (int r = 0; r < kGridRows; ++r) {
        const int y = (r + 2) * lineHeight;
        rowLabels_[static_cast<std::size_t>(r)]->setGeometry(0, y, labelWidth, boxHeight);
        for (int c = 0; c < kGridColumns; ++c)
            cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]->setGeometry(
                left[static_cast<std::size_t>(c)], y, widths[static_cast<std::size_t>(c)],
                boxHeight);
    }
}

}  // namespace tvx::bar
