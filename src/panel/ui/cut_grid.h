#pragma once
// The "カットサイズ" grid of Tavolex's main window: 20 rows (two blocks of ten side by side) of
// height, width, quantity and comment boxes, with their row labels, column headings and the
// per-row turn check boxes. The grid owns its cells, the current cell, the block of rows
// selected by dragging over cells or row labels, and the moves between its own boxes; the
// window decides what a committed cell, Enter and the edit keys mean for the job.

#include <QColor>
#include <QHash>
#include <QWidget>
#include <array>

#include "panel/model/panel_job.h"

class QCheckBox;
class QEvent;
class QFont;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace tvx::panel {

inline constexpr int kGridRows = 20;
inline constexpr int kGridColumns = 4;

// The columns of a row, in the order of the row and of the clipboard's fields.
enum class Column { Height = 0, Width = 1, Quantity = 2, Comment = 3 };

// Focus changes that do not leave a box: another window, or a menu or popup opening or
// closing over it. Every command takes the box's text itself before it acts.
bool FocusStaysInBox(Qt::FocusReason reason);

// Edit boxes claim some of the menu's keys for themselves (Ctrl+U clears the line); in the
// main window those keys belong to the menu. True (the event ignored) for such a key.
bool LeaveMenuKeysToMenu(QEvent* event);

class CutGrid : public QWidget {
    Q_OBJECT
  public:
    explicit CutGrid(QWidget* parent = nullptr);

    // The box of a row (0..19 on the page) and column; object names "height<r>", "width<r>",
    // "quantity<r>", "comment<r>". Row labels are "rowLabel<r>", turn boxes "turn<r>".
    QLineEdit* cell(int row, Column column) const;
    QLabel* rowLabel(int row) const { return rowLabels_[static_cast<std::size_t>(row)]; }
    QCheckBox* turnBox(int row) const { return turnBoxes_[static_cast<std::size_t>(row)]; }

    // Places the grid and its parts in the window's units (1000 x 1000 over a window of
    // `width` x `height` pixels), as the window places its own controls.
    void Arrange(double width, double height);
    // The turn check boxes and their headings are shown with per-row turning on.
    void SetTurnColumnVisible(bool visible);
    void SetTurnHeadingFont(const QFont& font);
    // With the comment column out of the Enter path, its cells look disabled.
    void SetCommentColumnEntered(bool entered);

    // Shows the rows of the page that starts at list row `pageTop`: labels "(n)", the cell
    // texts and, with per-row turning on, the turn flags; the comment column as `comIn` says.
    void ShowRows(const PanelJob& job, int pageTop);

    // The current cell: the one that last had the focus; row -1 when none.
    int currentRow() const { return currentRow_; }
    Column currentColumn() const { return currentColumn_; }
    void ForgetCurrentCell() { currentRow_ = -1; }
    // Gives a cell the focus (and makes it current even when the window is not active).
    void FocusCell(int row, Column column);
    // The cell that has the keyboard focus now: its row, or -1 when the focus is elsewhere.
    int FocusedRow(Column* column = nullptr) const;
    // The row and column of a cell box; false for any other object.
    bool FindCell(const QObject* object, int* row, Column* column) const;

    // The block of whole rows selected by dragging.
    bool selectionActive() const { return selectionActive_; }
    int selectionFirst() const { return selectionFirst_; }
    int selectionLast() const { return selectionLast_; }
    bool RowSelected(int row) const;
    void SelectRows(int first, int last);
    void ClearSelection();
    // Selects a row as a press on its label does (its height cell becomes current) and starts
    // a drag over the labels from there.
    void SelectFromRowLabel(int row);
    static QColor SelectionColour() { return QColor(128, 128, 255); }
    QColor CommentBackColour() const;

    // While rows move step by step the grid takes no keys, clicks or drags.
    void SetInputLocked(bool locked) { inputLocked_ = locked; }

  signals:
    // The cell lost the focus to another box or button of the window: its text is to be taken.
    void cellCommitted(int row, tvx::panel::Column column);
    void selectionChanged();
    void enterPressed(int row, tvx::panel::Column column);
    void upFromFirstRow();
    void deleteSelectionRequested();
    void insertSelectionRequested();
    void menuRequested(const QPoint& globalPos);
    void rowLabelPressed(int row);
    void turnToggled(int row, bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Part {
        int row = 0;
        int column = 0;  // -1 for the row label
    };
    bool CellEvent(int row, Column column, QEvent* event);
    bool RowLabelEvent(int row, QEvent* event);
    void CellFocusIn(int row, Column column, Qt::FocusReason reason);
    bool CellKey(int row, Column column, QKeyEvent* key);
    void DragTo(const QPoint& gridPos);
    void PaintCells();
    void SetSelection(bool active, int first, int last);

    std::array<std::array<QLineEdit*, kGridColumns>, kGridRows> cells_{};
    std::array<QLabel*, kGridRows> rowLabels_{};
    std::array<QCheckBox*, kGridRows> turnBoxes_{};
    QLabel* heading_ = nullptr;
    std::array<std::array<QLabel*, kGridColumns + 1>, 2> columnHeadings_{};
    // Which cell or row label an event came to, without searching the grid.
    QHash<const QObject*, Part> parts_;

    bool commentEntered_ = false;
    bool inputLocked_ = false;
    int currentRow_ = -1;
    Column currentColumn_ = Column::Height;
    bool selectionActive_ = false;
    int selectionFirst_ = 0;
    int selectionLast_ = 0;
    int anchorRow_ = -1;
    int anchorColumn_ = -1;  // -1: the drag began on a row label and selects whole rows
    int dragRow_ = -1;
    int dragColumn_ = -1;
};

}  // namespace tvx::panel
