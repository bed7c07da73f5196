// The part grid on its own: which cell its signals name when keys and the mouse act on real
// boxes, and the block of rows a drag selects.

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "panel/ui/cut_grid.h"

using tvx::panel::Column;
using tvx::panel::CutGrid;

namespace {

// A grid in a window of the main window's reference size, with a button to take the focus.
struct GridWindow {
    QWidget window;
    CutGrid* grid = new CutGrid(&window);
    QPushButton* other = new QPushButton("other", &window);

    GridWindow() {
        window.resize(800, 556);
        grid->Arrange(800, 556);
        other->setGeometry(700, 520, 80, 30);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    QLineEdit* Cell(int row, Column column) const {
        return window.findChild<QLineEdit*>(
            QString("%1%2")
                .arg(
                    QStringList{"height", "width", "quantity", "comment"}[static_cast<int>(column)])
                .arg(row));
    }
};

Column ColumnOf(const QVariant& value) {
    return value.value<Column>();
}

// Presses on one widget and moves with the left button held to a point over another.
void DragOver(QWidget* from, QWidget* to) {
    QTest::mousePress(from, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint target = from->mapFromGlobal(to->mapToGlobal(QPoint(5, to->height() / 2)));
    QMouseEvent move(QEvent::MouseMove, QPointF(target), from->mapToGlobal(QPointF(target)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(from, &move);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}

}  // namespace

class CutGridTest : public QObject {
    Q_OBJECT
  private slots:
    void leavingACellCommitsThatCell();
    void keysMoveWithinTheGridAndReportItsEdges();
    void dragSelectsRowsAndReportsEachChange();
    void lockedGridTakesNoKeysOrDrags();
};

void CutGridTest::leavingACellCommitsThatCell() {
    GridWindow g;
    QLineEdit* quantity = g.Cell(12, Column::Quantity);
    quantity->setFocus();
    QSignalSpy committed(g.grid, &CutGrid::cellCommitted);
    QTest::keyClicks(quantity, "3");
    QCOMPARE(g.grid->currentRow(), 12);
    QCOMPARE(g.grid->currentColumn(), Column::Quantity);
    QVERIFY(committed.isEmpty());
    QTest::mouseClick(g.Cell(3, Column::Comment), Qt::LeftButton);
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed[0][0].toInt(), 12);
    QCOMPARE(ColumnOf(committed[0][1]), Column::Quantity);
    // A popup taking the focus does not leave the cell.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(g.Cell(3, Column::Comment), &popup);
    QCOMPARE(committed.size(), 1);
    g.other->setFocus();
    QCOMPARE(committed.size(), 2);
    QCOMPARE(committed[1][0].toInt(), 3);
    QCOMPARE(ColumnOf(committed[1][1]), Column::Comment);
}

void CutGridTest::keysMoveWithinTheGridAndReportItsEdges() {
    GridWindow g;
    QSignalSpy enter(g.grid, &CutGrid::enterPressed);
    QSignalSpy up(g.grid, &CutGrid::upFromFirstRow);
    g.Cell(0, Column::Comment)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);  // the last column stays
    QCOMPARE(QApplication::focusWidget(), g.Cell(0, Column::Comment));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), g.Cell(0, Column::Quantity));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(up.size(), 1);
    QCOMPARE(QApplication::focusWidget(), g.Cell(0, Column::Quantity));
    // Down crosses from the first block of ten rows into the second.
    for (int i = 0; i < 10; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), g.Cell(10, Column::Quantity));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(enter.size(), 1);
    QCOMPARE(enter[0][0].toInt(), 10);
    QCOMPARE(ColumnOf(enter[0][1]), Column::Quantity);
    // Delete without a selection is the box's own key.
    QSignalSpy remove(g.grid, &CutGrid::deleteSelectionRequested);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QVERIFY(remove.isEmpty());
}

void CutGridTest::dragSelectsRowsAndReportsEachChange() {
    GridWindow g;
    QSignalSpy changed(g.grid, &CutGrid::selectionChanged);
    DragOver(g.Cell(2, Column::Width), g.Cell(5, Column::Width));
    QVERIFY(g.grid->selectionActive());
    QCOMPARE(g.grid->selectionFirst(), 2);
    QCOMPARE(g.grid->selectionLast(), 5);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(g.Cell(4, Column::Comment)->palette().color(QPalette::Base),
             CutGrid::SelectionColour());
    // With a selection, Delete asks for the rows to go.
    QSignalSpy remove(g.grid, &CutGrid::deleteSelectionRequested);
    QTest::keyClick(g.Cell(2, Column::Width), Qt::Key_Delete);
    QCOMPARE(remove.size(), 1);
    // A press on a row label is the window's to act on; the grid then selects from there.
    QSignalSpy label(g.grid, &CutGrid::rowLabelPressed);
    QTest::mousePress(g.grid->rowLabel(14), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(label.size(), 1);
    QCOMPARE(label[0][0].toInt(), 14);
    QTest::mouseRelease(g.grid->rowLabel(14), Qt::LeftButton, {}, QPoint(5, 5));
    // The focus moving to the row's first cell clears the old block; then the row is selected.
    g.grid->SelectFromRowLabel(14);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(g.grid->selectionFirst(), 14);
    QCOMPARE(g.grid->selectionLast(), 14);
    QCOMPARE(g.grid->currentRow(), 14);
    QCOMPARE(g.grid->currentColumn(), Column::Height);
    // A click into a cell ends the selection.
    QTest::mouseClick(g.Cell(0, Column::Height), Qt::LeftButton);
    QVERIFY(!g.grid->selectionActive());
    QCOMPARE(changed.size(), 4);
}

void CutGridTest::lockedGridTakesNoKeysOrDrags() {
    GridWindow g;
    g.Cell(1, Column::Height)->setFocus();
    g.grid->SetInputLocked(true);
    QTest::keyClicks(g.Cell(1, Column::Height), "7");
    QTest::keyClick(g.Cell(1, Column::Height), Qt::Key_Down);
    QVERIFY(g.Cell(1, Column::Height)->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), g.Cell(1, Column::Height));
    DragOver(g.Cell(2, Column::Width), g.Cell(5, Column::Width));
    QVERIFY(!g.grid->selectionActive());
    g.grid->SetInputLocked(false);
    DragOver(g.Cell(2, Column::Width), g.Cell(5, Column::Width));
    QVERIFY(g.grid->selectionActive());
}

QTEST_MAIN(CutGridTest)
#include "cut_grid_test.moc"
