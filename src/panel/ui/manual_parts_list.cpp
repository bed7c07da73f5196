#include "panel/ui/manual_parts_list.h"

#include <QHeaderView>
#include <QScrollBar>

#include "panel/engine/manual_layout.h"
#include "panel/output/number_pictures.h"

namespace tvx::panel {
namespace {

QTableWidgetItem* Cell(const QString& text,
                       Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(align);
    return item;
}

}  // namespace

QColor PartsListHighlight() {
    return {128, 128, 0};
}

ManualPartsList::ManualPartsList(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(kPartsListColumns);
    setHorizontalHeaderLabels({QString(), QStringLiteral("No"), QString::fromUtf8("高さ"),
                               QString::fromUtf8("幅"), QString::fromUtf8("残り"),
                               QString::fromUtf8("縦"), QString::fromUtf8("横")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[kPartsListColumns] = {26, 46, 64, 64, 50, 34, 34};
    for (int c = 0; c < kPartsListColumns; ++c) setColumnWidth(c, widths[c]);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int ManualPartsList::FittingHeight() const {
    return horizontalHeader()->height() + kPartsListVisibleLines * 22 + 2 * frameWidth();
}

void ManualPartsList::Fill(const ManualLayout& layout) {
    const int rows = layout.lastRow() + 1;
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const PartRow& row = layout.input().rows[static_cast<std::size_t>(r)];
        setItem(r, kMarkerColumn, Cell(QString(), Qt::AlignCenter));
        setItem(r, kRowNumberColumn, Cell(QStringLiteral("(%1)").arg(r + 1)));
        setItem(r, kHeightColumn, Cell(QString::fromStdString(LabelValue(row.rawHeight))));
        setItem(r, kWidthColumn, Cell(QString::fromStdString(LabelValue(row.rawWidth))));
        setItem(r, kRemainingColumn, Cell(QString()));
        setItem(r, kAsEnteredColumn, Cell(QString()));
        setItem(r, kTurnedColumn, Cell(QString()));
    }
    ShowState(layout);
}

void ManualPartsList::ShowState(const ManualLayout& layout) {
    const HoverState& hover = layout.hover();
    const QBrush highlight(PartsListHighlight());
    const QBrush plain;
    for (int r = 0; r < rowCount(); ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        item(r, kMarkerColumn)
            ->setText(hover.candidate == r + 1 ? QString::fromUtf8("⇒") : QString());
        item(r, kRemainingColumn)->setText(QString::number(layout.remaining(r)));
        item(r, kRowNumberColumn)->setBackground(hover.area.partRow == r ? highlight : plain);
        item(r, kAsEnteredColumn)->setBackground(hover.fitsAsEntered[i] ? highlight : plain);
        item(r, kTurnedColumn)->setBackground(hover.fitsTurned[i] ? highlight : plain);
    }
    const int shown = hover.candidate >= 1 ? hover.candidate - 1 : hover.area.partRow;
    if (shown >= 0 && shown < rowCount()) scrollToItem(item(shown, kRowNumberColumn));
}

bool ManualPartsList::IsHighlighted(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr && cell->background().style() != Qt::NoBrush &&
           cell->background().color() == PartsListHighlight();
}

}  // namespace tvx::panel
