#pragma once
// The parts list of the manual layout editor: one line per row with the candidate marker
// "⇒", the row number, the raw sizes, the remaining count and the "縦" / "横" fit cells,
// which light up in the highlight colour when the row fits the free area under the pointer.
// Twenty lines are visible; a scroll bar appears beyond them and scrolls by whole lines.

#include <QTableWidget>

namespace tvx::panel {

class ManualLayout;

inline constexpr int kPartsListVisibleLines = 20;

enum PartsListColumn {
    kMarkerColumn = 0,
    kRowNumberColumn,
    kHeightColumn,
    kWidthColumn,
    kRemainingColumn,
    kAsEnteredColumn,
    kTurnedColumn,
    kPartsListColumns
};

// Colour 6 of the 16-colour palette.
QColor PartsListHighlight();

class ManualPartsList : public QTableWidget {
    Q_OBJECT
  public:
    explicit ManualPartsList(QWidget* parent = nullptr);

    // One line per row of the layout's input.
    void Fill(const ManualLayout& layout);
    // Marker, remaining counts and highlights from the layout's last hover analysis; scrolls
    // to the candidate, or to the part under the pointer.
    void ShowState(const ManualLayout& layout);

    bool IsHighlighted(int row, int column) const;
    // The height that shows exactly the visible lines.
    int FittingHeight() const;
};

}  // namespace tvx::panel
