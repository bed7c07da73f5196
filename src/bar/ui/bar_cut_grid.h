#pragma once
// The "カットサイズ" grid of Quorlin's main window: 20 rows of part code, length and quantity
// boxes with their row labels and headings. The grid owns its cells, the current cell, the
// block selection made by dragging, and the moves between its own boxes; the window decides
// what a committed cell, Enter and the edit keys mean for the job.

#include <QColor>
#include <QHash>
#include <QWidget>
#include <array>

#include "bar/model/bar_job.h"
#include "bar/ui/bar_row_ops.h"

class QLabel;
class QLineEdit;

namespace tvx::bar {

inline constexpr int kGridRows = kRowsPerPage;
inline constexpr int kGridColumns = 3;

class BarCutGrid : public QWidget {
    Q_OBJECT
  public:
    explicit BarCutGrid(QWidget* parent = nullptr);

    // The box of a row (0..19 on the page) and column; object names "code<r>", "length<r>",
    // "quantity<r>".
    QLineEdit* cell(int row, GridColumn column) const;
    QLabel* rowLabel(int row) const { return rowLabels_[static_cast<std::size_t>(row)]; }

    // The part-code column (and its heading) is shown only with the part-code display on.
    void SetPartCodesVisible(bool visible);
    bool partCodesVisible() const { return partCodesVisible_; }
    GridColumn FirstVisibleColumn() const;

    // Shows the page that starts at `pageTop`: row labels "（n）" and the cell texts.
    void ShowRows(const BarCutList& list, int pageTop);

    // The current cell: the one that last had the focus; row -1 when none.
    int currentRow() const { return currentRow_; }
    GridColumn currentColumn() const { return currentColumn_; }
    void ForgetCurrentCell() { currentRow_ = -1; }
    // Gives a cell the focus (and makes it current even when the window is not active).
    void FocusCell(int row, GridColumn column);
    // The cell that has the keyboard focus now, as row (-1 for none) and column.
    int FocusedRow(GridColumn* column = nullptr) const;

    // The block of whole rows selected by dragging.
    bool selectionActive() const { return selectionActive_; }
    int selectionFirst() const { return selectionFirst_; }
    int selectionLast() const { return selectionLast_; }
    void SelectRows(int first, int last);
    void ClearSelection();
    static QColor SelectionColour() { return QColor(128, 128, 255); }

    // While the window is locked the grid takes no keys, clicks or drags: a disabled cell gets
    // no input from the user, but a drag or a right click begun before the lock still sends
    // its mouse events to the cell that holds the mouse.
    void SetInputLocked(bool locked) { inputLocked_ = locked; }

  signals:
    void cellFocused(int row, int column);
    // The cell lost the focus to another box or button of the window: its text is to be taken.
    void cellLeft(int row, int column);
    void enterPressed(int row, int column);
    void upFromFirstRow();
    void deleteSelectionRequested();
    void insertSelectionRequested();
    void menuRequested(const QPoint& globalPos);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool FindCell(const QObject* object, int* row, GridColumn* column) const;
    bool CellKey(int row, GridColumn column, QKeyEvent* key);
    void DragTo(const QPoint& gridPos);
    int RowAt(int y) const;
    void PaintRows();
    void Arrange();

    std::array<std::array<QLineEdit*, kGridColumns>, kGridRows> cells_{};
    std::array<QLabel*, kGridRows> rowLabels_{};
    QLabel* heading_ = nullptr;
    std::array<QLabel*, kGridColumns> columnHeadings_{};
    // Which cell an event came to, without searching the grid: row * kGridColumns + column.
    QHash<const QObject*, int> cellIndex_;

    bool partCodesVisible_ = false;
    bool inputLocked_ = false;
    int currentRow_ = -1;
    GridColumn currentColumn_ = GridColumn::Length;
    bool selectionActive_ = false;
    int selectionFirst_ = 0;
    int selectionLast_ = 0;
    int anchorRow_ = -1;
    int dragRow_ = -1;
};

}  // namespace tvx::bar
