#include "panel/ui/cut_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "common/gui/click_menu.h"
#include "common/gui/numeric_edit.h"
#include "panel/ui/cut_list_ops.h"

namespace tvx::panel {
namespace {

constexpr std::array<const char*, kGridColumns> kColumnNames = {"height", "width", "quantity",
                                                                "comment"};
constexpr std::array<const char*, kGridColumns + 1> kColumnHeadings = {
    "（高さ）", "（幅）", "（枚数）", "（コメント）", "(縦横)"};
constexpr std::size_t kTurnHeading = kGridColumns;
constexpr int kBlockRows = 10;

// Places in units of a 1000 x 1000 window, as the main window lays out its controls.
struct Place {
    int x, y, w, h;
};
constexpr int kHeadingTop = 195;
constexpr int kColumnHeadingTop = 225;
constexpr int kRowTop = 255;
constexpr int kRowPitch = 46;
constexpr int kRowHeight = 40;
constexpr int kBlockWidth = 500;
constexpr int kGridBottom = kRowTop + (kBlockRows - 1) * kRowPitch + kRowHeight;
// Row label, height, width, quantity, comment, turn heading; then the turn check box.
constexpr Place kColumnPlaces[6] = {{5, 0, 45, 0},   {52, 0, 85, 0},   {139, 0, 85, 0},
                                    {226, 0, 55, 0}, {283, 0, 145, 0}, {430, 0, 60, 0}};
constexpr Place kTurnBox = {452, 0, 30, 0};

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}
std::size_t At(Column column) {
    return static_cast<std::size_t>(column);
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

bool FocusStaysInBox(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

bool LeaveMenuKeysToMenu(QEvent* event) {
    // The standard editing keys (Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A, Ctrl+Z) stay with the box's
    // text; elsewhere Ctrl+X is the menu's "終了".
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

CutGrid::CutGrid(QWidget* parent) : QWidget(parent) {
    setObjectName("cutGrid");
    heading_ = new QLabel("カットサイズ", this);
    for (auto& block : columnHeadings_) {
        for (std::size_t c = 0; c < block.size(); ++c) {
            block[c] = new QLabel(kColumnHeadings[c], this);
            block[c]->setAlignment(Qt::AlignCenter);
        }
    }
    for (int r = 0; r < kGridRows; ++r) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setObjectName(QString("rowLabel%1").arg(r));
        label->installEventFilter(this);  // a drag over the labels selects rows
        rowLabels_[At(r)] = label;
        parts_.insert(label, Part{r, -1});
        for (int c = 0; c < kGridColumns; ++c) {
            const bool comment = static_cast<Column>(c) == Column::Comment;
            QLineEdit* box = comment ? new QLineEdit(this) : new gui::NumericEdit(this);
            if (!comment) box->setAlignment(Qt::AlignRight);
            box->setObjectName(QString("%1%2").arg(kColumnNames[At(c)]).arg(r));
            box->installEventFilter(this);
            gui::SuppressContextMenu(box);
            cells_[At(r)][At(c)] = box;
            parts_.insert(box, Part{r, c});
        }
        auto* turn = new QCheckBox(this);
        turn->setObjectName(QString("turn%1").arg(r));
        turnBoxes_[At(r)] = turn;
        connect(turn, &QCheckBox::clicked, this, [this, r](bool on) { emit turnToggled(r, on); });
    }
    // Tab order follows the rows.
    QWidget* previous = nullptr;
    for (auto& row : cells_) {
        for (QLineEdit* box : row) {
            if (previous) setTabOrder(previous, box);
            previous = box;
        }
    }
}

QLineEdit* CutGrid::cell(int row, Column column) const {
    return cells_[At(row)][At(column)];
}

void CutGrid::Arrange(double width, double height) {
    auto px = [](int units, double size) { return static_cast<int>(units * size / 1000.0 + 0.5); };
    // The grid spans the window's width from its heading to the last row; its parts keep the
    // pixel places they would have as the window's own controls.
    const int top = px(kHeadingTop, height);
    setGeometry(0, top, px(1000, width), px(kGridBottom, height) + 1 - top);
    auto put = [&](QWidget* w, Place p) {
        w->setGeometry(px(p.x, width), px(p.y, height) - top, px(p.w, width), px(p.h, height));
    };
    put(heading_, {15, kHeadingTop, 160, 30});
    for (int b = 0; b < 2; ++b) {
        const int bx = b * kBlockWidth;
        // The row-label column has no heading.
        for (std::size_t c = 0; c < kGridColumns + 1; ++c) {
            const Place col = kColumnPlaces[c + 1];
            put(columnHeadings_[At(b)][c], {bx + col.x, kColumnHeadingTop, col.w, 28});
        }
    }
    for (int r = 0; r < kGridRows; ++r) {
        const int bx = (r / kBlockRows) * kBlockWidth;
        const int y = kRowTop + (r % kBlockRows) * kRowPitch;
        put(rowLabels_[At(r)], {bx + kColumnPlaces[0].x, y, kColumnPlaces[0].w, kRowHeight});
        for (std::size_t c = 0; c < kGridColumns; ++c) {
            const Place col = kColumnPlaces[c + 1];
            put(cells_[At(r)][c], {bx + col.x, y, col.w, kRowHeight});
        }
        put(turnBoxes_[At(r)], {bx + kTurnBox.x, y, kTurnBox.w, kRowHeight});
    }
    PaintCells();
}

void CutGrid::SetTurnColumnVisible(bool visible) {
    for (QCheckBox* turn : turnBoxes_) turn->setVisible(visible);
    for (auto& block : columnHeadings_) block[kTurnHeading]->setVisible(visible);
}

void CutGrid::SetTurnHeadingFont(const QFont& font) {
    for (auto& block : columnHeadings_) block[kTurnHeading]->setFont(font);
}

void CutGrid::SetCommentColumnEntered(bool entered) {
    commentEntered_ = entered;
    PaintCells();
}

void CutGrid::ShowRows(const PanelJob& job, int pageTop) {
    for (int r = 0; r < kGridRows; ++r) {
        const int k = pageTop + r;
        const CutItem& item = job.cutList[At(k)];
        rowLabels_[At(r)]->setText(QString("(%1)").arg(k + 1));
        for (int c = 0; c < kGridColumns; ++c) {
            QLineEdit* box = cells_[At(r)][At(c)];
            const QString text = QString::fromStdString(CellText(item, c));
            if (box->text() != text) box->setText(text);
        }
        if (job.ktyFree) turnBoxes_[At(r)]->setChecked(job.turnFlag[At(k)] == 1);
    }
    commentEntered_ = job.comIn;
    PaintCells();
}

void CutGrid::FocusCell(int row, Column column) {
    QLineEdit* box = cell(row, column);
    box->setFocus(Qt::OtherFocusReason);
    // Without an active window the focus event does not come; keep the state all the same.
    if (!box->hasFocus()) {
        ClearSelection();
        currentRow_ = row;
        currentColumn_ = column;
    }
}

int CutGrid::FocusedRow(Column* column) const {
    int row = -1;
    Column found = Column::Height;
    if (!FindCell(QApplication::focusWidget(), &row, &found)) return -1;
    if (column) *column = found;
    return row;
}

bool CutGrid::FindCell(const QObject* object, int* row, Column* column) const {
    const auto part = parts_.constFind(object);
    if (part == parts_.constEnd() || part->column < 0) return false;
    *row = part->row;
    *column = static_cast<Column>(part->column);
    return true;
}

bool CutGrid::RowSelected(int row) const {
    return selectionActive_ && row >= selectionFirst_ && row <= selectionLast_;
}

void CutGrid::SetSelection(bool active, int first, int last) {
    const bool changed = active != selectionActive_ ||
                         (active && (first != selectionFirst_ || last != selectionLast_));
    selectionActive_ = active;
    if (active) {
        selectionFirst_ = first;
        selectionLast_ = last;
    }
    PaintCells();
    if (changed) emit selectionChanged();
}

void CutGrid::SelectRows(int first, int last) {
    SetSelection(true, std::clamp(std::min(first, last), 0, kGridRows - 1),
                 std::clamp(std::max(first, last), 0, kGridRows - 1));
}

void CutGrid::ClearSelection() {
    if (!selectionActive_) return;
    SetSelection(false, 0, 0);
}

void CutGrid::SelectFromRowLabel(int row) {
    FocusCell(row, Column::Height);
    anchorRow_ = dragRow_ = row;
    anchorColumn_ = dragColumn_ = -1;
    SelectRows(row, row);
}

QColor CutGrid::CommentBackColour() const {
    return commentEntered_ ? palette().color(QPalette::Base) : palette().color(QPalette::Button);
}

void CutGrid::PaintCells() {
    const QColor window = palette().color(QPalette::Base);
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            QLineEdit* box = cells_[At(r)][At(c)];
            QColor colour = window;
            if (RowSelected(r))
                colour = SelectionColour();
            else if (static_cast<Column>(c) == Column::Comment && !box->hasFocus())
                colour = CommentBackColour();
            QPalette pal = box->palette();
            if (pal.color(QPalette::Base) != colour) {
                pal.setColor(QPalette::Base, colour);
                box->setPalette(pal);
            }
        }
    }
}

bool CutGrid::eventFilter(QObject* watched, QEvent* event) {
    if (LeaveMenuKeysToMenu(event)) return true;
    const auto part = parts_.constFind(watched);
    if (part == parts_.constEnd()) return QWidget::eventFilter(watched, event);
    if (part->column < 0) return RowLabelEvent(part->row, event);
    return CellEvent(part->row, static_cast<Column>(part->column), event);
}

bool CutGrid::CellEvent(int row, Column column, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            CellFocusIn(row, column, static_cast<QFocusEvent*>(event)->reason());
            return false;
        case QEvent::FocusOut:
            // Another window or a menu taking the focus does not leave the cell; every
            // command takes the cell itself before it acts.
            if (!FocusStaysInBox(static_cast<QFocusEvent*>(event)->reason())) {
                emit cellCommitted(row, column);
                if (column == Column::Comment) PaintCells();
            }
            return false;
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
                anchorColumn_ = dragColumn_ = static_cast<int>(column);
            }
            return mouse->button() == Qt::RightButton;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!inputLocked_ && (mouse->buttons() & Qt::LeftButton))
                DragTo(cell(row, column)->mapTo(this, mouse->position().toPoint()));
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::RightButton) return false;
            if (inputLocked_) return true;
            // A right click inside the selection keeps it for the menu's commands.
            if (!RowSelected(row)) {
                FocusCell(row, column);
                ClearSelection();
            }
            emit menuRequested(QCursor::pos());
            return true;
        }
        default:
            return false;
    }
}

void CutGrid::CellFocusIn(int row, Column column, Qt::FocusReason reason) {
    // A right click inside a selection keeps it; the click's release decides.
    // So does a focus that comes back when a menu or the popup closes: the menu's command acts
    // on the selection.
    const bool rightClick =
        reason == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::RightButton);
    if (!rightClick && !FocusStaysInBox(reason)) ClearSelection();
    currentRow_ = row;
    currentColumn_ = column;
    QLineEdit* box = cell(row, column);
    if (column == Column::Comment) {
        QPalette pal = box->palette();
        if (!RowSelected(row)) pal.setColor(QPalette::Base, palette().color(QPalette::Base));
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

bool CutGrid::CellKey(int row, Column column, QKeyEvent* key) {
    if (IsEnter(key->key())) {
        emit enterPressed(row, column);
        return true;
    }
    const int c = static_cast<int>(column);
    switch (key->key()) {
        case Qt::Key_Left:
            if (column != Column::Height) FocusCell(row, static_cast<Column>(c - 1));
            return true;
        case Qt::Key_Right:
            if (column != Column::Comment) FocusCell(row, static_cast<Column>(c + 1));
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

bool CutGrid::RowLabelEvent(int row, QEvent* event) {
    // Pressing on a row label selects its row (and makes its first cell current); dragging on
    // from there selects the rows passed over, as a spreadsheet's row headings do.
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || inputLocked_) return false;
            emit rowLabelPressed(row);
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (inputLocked_ || !(mouse->buttons() & Qt::LeftButton)) return false;
            DragTo(rowLabels_[At(row)]->mapTo(this, mouse->position().toPoint()));
            return true;
        }
        default:
            return false;
    }
}

void CutGrid::DragTo(const QPoint& pos) {
    if (anchorRow_ < 0) return;
    // Rows and columns are looked up within the block of ten rows that holds the anchor.
    const int blockFirst = (anchorRow_ / kBlockRows) * kBlockRows;
    int row = blockFirst + kBlockRows - 1;
    for (int r = blockFirst; r < blockFirst + kBlockRows; ++r) {
        if (pos.y() <= cell(r, Column::Height)->geometry().bottom()) {
            row = r;
            break;
        }
    }
    int column = kGridColumns - 1;
    for (int c = 0; c < kGridColumns; ++c) {
        if (pos.x() <= cells_[At(blockFirst)][At(c)]->geometry().right()) {
            column = c;
            break;
        }
    }
    if (anchorColumn_ < 0) column = -1;  // a drag that began on a row label selects whole rows
    if (row == dragRow_ && column == dragColumn_) return;
    dragRow_ = row;
    dragColumn_ = column;
    if (row == anchorRow_ && column == anchorColumn_ && anchorColumn_ >= 0) {
        SetSelection(false, 0, 0);
        return;
    }
    SelectRows(anchorRow_, row);
}

}  // namespace tvx::panel
