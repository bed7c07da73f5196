#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::test::WindowFixture;

namespace {

void FillRows(WindowFixture& f, int count) {
    for (int r = 0; r < count; ++r) {
        f.job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(100 + r), 50.0f, 1,
                                                      "r" + std::to_string(r + 1)};
        f.job.turnFlag[static_cast<std::size_t>(r)] = r == 3 ? 1 : 0;
    }
    f.job.cutCount = static_cast<std::int16_t>(count);
    f.window->ShowPage();
}

// Drags with the left button from a widget to a point on the screen, as a user selects rows.
void DragFrom(QWidget* from, QPoint globalTarget) {
    QTest::mousePress(from, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint target = from->mapFromGlobal(globalTarget);
    QMouseEvent move(QEvent::MouseMove, QPointF(target), from->mapToGlobal(QPointF(target)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(from, &move);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}

// Drags from one cell to the middle of another.
void Drag(QLineEdit* from, QLineEdit* to) {
    DragFrom(from, to->mapToGlobal(QPoint(5, to->height() / 2)));
}

// Chooses an item of an open menu with the mouse, as a user does.
void ClickMenuItem(QMenu* menu, const QString& textStart) {
    QTRY_VERIFY(menu->isVisible());
    for (QAction* action : menu->actions()) {
        if (!action->text().startsWith(textStart)) continue;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        return;
    }
    QFAIL(qPrintable("no menu item " + textStart));
}

// Selects rows first..last by dragging over the row labels.
void DragOverLabels(WindowFixture& f, int first, int last) {
    auto* from = f.window->findChild<QLabel*>(QString("rowLabel%1").arg(first));
    auto* to = f.window->findChild<QLabel*>(QString("rowLabel%1").arg(last));
    DragFrom(from, to->mapToGlobal(QPoint(5, to->height() / 2)));
}

}  // namespace

class RowEditingTest : public QObject {
    Q_OBJECT
  private slots:
    void dragSelectsRowsWithinOneBlock();
    void deleteKeyRemovesSelectedRows();
    void insertOpensBlankRowsAndRefusesAFullList();
    void copyAndPasteABlockInsideTheList();
    void pasteABlockBelowTheList();
    void blockPasteNeverWritesPastRow200();
    void singleCellPasteTakesTheFirstLine();
    void menuEnablingRules();
    void undoAfterDeleteBringsRowsAndFlagsBack();
    void stepsLockTheWindow();
    void dragOverRowLabelsSelectsRows();
    void popupCommandsActOnTheSelection();
    void menuBarCommandsActOnTheSelection();
};

void RowEditingTest::dragSelectsRowsWithinOneBlock() {
    WindowFixture f;
    FillRows(f, 12);
    Drag(f.Cell(2, Column::Width), f.Cell(5, Column::Width));
    QVERIFY(f.Grid()->selectionActive());
    QCOMPARE(f.Grid()->selectionFirst(), 2);
    QCOMPARE(f.Grid()->selectionLast(), 5);
    QCOMPARE(f.Cell(3, Column::Comment)->palette().color(QPalette::Base), QColor(128, 128, 255));
    QVERIFY(f.Cell(6, Column::Height)->palette().color(QPalette::Base) != QColor(128, 128, 255));
    // Rows are found within the anchor's block: over the other block, the row at that height.
    Drag(f.Cell(7, Column::Height), f.Cell(14, Column::Height));
    QCOMPARE(f.Grid()->selectionFirst(), 4);
    QCOMPARE(f.Grid()->selectionLast(), 7);
    // Below the block, its last row; in the gap between two rows, the row below.
    QWidget* button = f.Find<QPushButton>("commentButton");
    DragFrom(f.Cell(7, Column::Height), button->mapToGlobal(QPoint(5, 5)));
    QCOMPARE(f.Grid()->selectionFirst(), 7);
    QCOMPARE(f.Grid()->selectionLast(), 9);
    QLineEdit* row2 = f.Cell(2, Column::Height);
    DragFrom(f.Cell(5, Column::Height), row2->mapToGlobal(QPoint(5, row2->height() + 1)));
    QCOMPARE(f.Grid()->selectionFirst(), 3);
    QCOMPARE(f.Grid()->selectionLast(), 5);
    // Another column of the same row selects that one row.
    Drag(f.Cell(4, Column::Height), f.Cell(4, Column::Quantity));
    QCOMPARE(f.Grid()->selectionFirst(), 4);
    QCOMPARE(f.Grid()->selectionLast(), 4);
    // A click clears the selection.
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::LeftButton);
    QVERIFY(!f.Grid()->selectionActive());
    QCOMPARE(f.Cell(4, Column::Height)->palette().color(QPalette::Base),
             f.window->palette().color(QPalette::Base));
}

void RowEditingTest::deleteKeyRemovesSelectedRows() {
    WindowFixture f;
    FillRows(f, 30);
    f.window->NextPage();
    Drag(f.Cell(2, Column::Height), f.Cell(4, Column::Height));  // rows 23..25 of the list
    QTest::keyClick(f.Cell(2, Column::Height), Qt::Key_Delete);
    QCOMPARE(f.job.cutCount, std::int16_t{27});
    QCOMPARE(f.job.cutList[22].comment, std::string("r26"));
    QCOMPARE(f.Cell(2, Column::Comment)->text(), QString("r26"));
    QVERIFY(!f.Grid()->selectionActive());
    QCOMPARE(f.job.cutList[27].height, 0.0f);
}

void RowEditingTest::insertOpensBlankRowsAndRefusesAFullList() {
    WindowFixture f;
    FillRows(f, 6);
    Drag(f.Cell(1, Column::Height), f.Cell(2, Column::Height));
    QTest::keyClick(f.Cell(1, Column::Height), Qt::Key_Insert);
    QCOMPARE(f.job.cutCount, std::int16_t{8});
    QCOMPARE(f.job.cutList[1].height, 0.0f);
    QCOMPARE(f.job.cutList[3].comment, std::string("r2"));
    QCOMPARE(f.job.turnFlag[5], std::int16_t{1});  // row 4's flag moved with it
    QCOMPARE(f.job.turnFlag[3], std::int16_t{0});

    WindowFixture g;
    FillRows(g, 199);
    Drag(g.Cell(0, Column::Height), g.Cell(1, Column::Height));
    g.window->InsertCommand();
    QCOMPARE(g.Find<QLabel>("messageLine")->text(), QString("データが一杯で挿入できません。"));
    QCOMPARE(g.job.cutCount, std::int16_t{199});
}

void RowEditingTest::copyAndPasteABlockInsideTheList() {
    WindowFixture f;
    FillRows(f, 10);
    Drag(f.Cell(2, Column::Height), f.Cell(4, Column::Height));  // rows 2..4
    f.window->CopyCommand();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString("102\t50\t1\tr3\r\n103\t50\t1\tr4\r\n104\t50\t1\tr5\r\n"));
    f.Cell(8, Column::Height)->setFocus();
    QTest::mouseClick(f.Cell(8, Column::Height), Qt::LeftButton);
    f.window->UpdateEditMenu();
    QVERIFY(f.Find<QAction>("pasteAction")->isEnabled());
    f.window->PasteCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{13});
    QCOMPARE(f.job.cutList[8].comment, std::string("r3"));
    QCOMPARE(f.job.cutList[10].comment, std::string("r5"));
    QCOMPARE(f.job.cutList[11].comment, std::string("r9"));  // the old rows follow
    QCOMPARE(f.job.cutList[12].comment, std::string("r10"));
    QCOMPARE(f.Cell(11, Column::Comment)->text(), QString("r9"));
}

void RowEditingTest::pasteABlockBelowTheList() {
    WindowFixture f;
    FillRows(f, 3);
    QGuiApplication::clipboard()->setText("1\t2\t3\ta\r\n4\t5\t\tb\r\n7\t8\t9\tc\r\n");
    QTest::mouseClick(f.Cell(6, Column::Width), Qt::LeftButton);
    f.window->PasteCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{9});
    QCOMPARE(f.job.cutList[6].height, 1.0f);
    QCOMPARE(f.job.cutList[7].quantity, std::int16_t{0});
    QCOMPARE(f.job.cutList[8].comment, std::string("c"));
    QCOMPARE(f.job.cutList[3].height, 0.0f);
}

void RowEditingTest::blockPasteNeverWritesPastRow200() {
    WindowFixture f;
    FillRows(f, 3);
    for (int i = 0; i < 9; ++i) f.window->NextPage();
    QGuiApplication::clipboard()->setText("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
    QTest::mouseClick(f.Cell(18, Column::Height), Qt::LeftButton);  // row 199 of the list
    f.window->PasteCommand();
    QCOMPARE(f.Find<QLabel>("messageLine")->text(), QString("データが一杯で挿入できません。"));
    QCOMPARE(f.job.cutCount, std::int16_t{3});
    QTest::mouseClick(f.Cell(17, Column::Height), Qt::LeftButton);  // rows 198..200 would fit
    f.window->PasteCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{200});
    QCOMPARE(f.job.cutList[199].height, 7.0f);
}

void RowEditingTest::singleCellPasteTakesTheFirstLine() {
    WindowFixture f;
    FillRows(f, 2);
    QTest::mouseClick(f.Cell(0, Column::Width), Qt::LeftButton);
    f.window->CopyCommand();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("50"));
    QGuiApplication::clipboard()->setText("75\r\n");
    QTest::mouseClick(f.Cell(5, Column::Width), Qt::LeftButton);
    f.window->PasteCommand();
    QCOMPARE(f.job.cutList[5].width, 75.0f);
    QCOMPARE(f.Cell(5, Column::Width)->text(), QString("75"));
    QCOMPARE(f.job.cutCount, std::int16_t{6});
    f.window->UpdateEditMenu();
    QVERIFY(f.Find<QAction>("undoAction")->isEnabled());
}

void RowEditingTest::menuEnablingRules() {
    WindowFixture f;
    FillRows(f, 5);
    QGuiApplication::clipboard()->clear();
    f.Find<QLineEdit>("heightBox")->setFocus();
    f.window->UpdateEditMenu();
    QVERIFY(!f.Find<QAction>("copyAction")->isEnabled());
    QVERIFY(!f.Find<QAction>("pasteAction")->isEnabled());
    QVERIFY(!f.Find<QAction>("undoAction")->isEnabled());
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::LeftButton);
    f.window->UpdateEditMenu();
    QVERIFY(f.Find<QAction>("copyAction")->isEnabled());
    QVERIFY(!f.Find<QAction>("pasteAction")->isEnabled());  // empty clipboard
    QVERIFY(!f.Find<QAction>("deleteAction")->isEnabled());
    Drag(f.Cell(0, Column::Height), f.Cell(1, Column::Height));
    f.window->UpdateEditMenu();
    QVERIFY(f.Find<QAction>("cutAction")->isEnabled());
    QVERIFY(f.Find<QAction>("insertAction")->isEnabled());
    QVERIFY(f.Find<QAction>("deleteAction")->isEnabled());
    QVERIFY(!f.Find<QAction>("pasteAction")->isEnabled());
    // A right click inside the selection keeps it and opens the menu.
    QTest::mouseClick(f.Cell(1, Column::Height), Qt::RightButton);
    QVERIFY(f.Grid()->selectionActive());
    QTRY_VERIFY(f.Find<QMenu>("editMenu")->isVisible());
    f.Find<QMenu>("editMenu")->hide();
    // Outside it, the clicked cell takes the focus and the selection goes.
    QTest::mouseClick(f.Cell(3, Column::Height), Qt::RightButton);
    QVERIFY(!f.Grid()->selectionActive());
    QCOMPARE(f.Grid()->currentRow(), 3);
    f.Find<QMenu>("editMenu")->hide();
    // The cells show no menu of their own.
    QCOMPARE(f.Cell(3, Column::Height)->contextMenuPolicy(), Qt::PreventContextMenu);
}

void RowEditingTest::undoAfterDeleteBringsRowsAndFlagsBack() {
    WindowFixture f;
    FillRows(f, 6);
    Drag(f.Cell(1, Column::Height), f.Cell(2, Column::Height));
    f.window->CutCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{4});
    QCOMPARE(f.job.turnFlag[1], std::int16_t{1});  // r4 moved up with its flag
    f.window->UndoCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{6});
    QCOMPARE(f.job.cutList[1].comment, std::string("r2"));
    QCOMPARE(f.job.turnFlag[3], std::int16_t{1});
    QCOMPARE(f.Cell(2, Column::Comment)->text(), QString("r3"));
    QVERIFY(!f.Find<QAction>("undoAction")->isEnabled());
}

void RowEditingTest::stepsLockTheWindow() {
    WindowFixture f;
    FillRows(f, 10);
    // A first deletion (without pauses) makes "元に戻す" ready.
    Drag(f.Cell(8, Column::Height), f.Cell(9, Column::Height));
    QTest::keyClick(f.Cell(8, Column::Height), Qt::Key_Delete);
    QCOMPARE(f.job.cutCount, std::int16_t{8});
    QVERIFY(f.Find<QAction>("undoAction")->isEnabled());

    f.window->SetStepPause(50);
    Drag(f.Cell(0, Column::Height), f.Cell(3, Column::Height));
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_Delete);
    // The command returns after its first step; the others follow from the event loop.
    QVERIFY(f.window->rowStepsRunning());
    QCOMPARE(f.job.cutCount, std::int16_t{7});
    QVERIFY(!f.Cell(0, Column::Height)->isEnabled());
    QVERIFY(!f.Find<QPushButton>("nextPageButton")->isEnabled());
    for (QAction* menu : f.window->menuBar()->actions()) QVERIFY(!menu->isEnabled());
    // Shortcuts, buttons, keys and typing do nothing meanwhile: "元に戻す" (Ctrl+U) and
    // "新規" (Ctrl+N) would put the rows back or empty the list under the running steps.
    QTest::keyClick(f.window.get(), Qt::Key_U, Qt::ControlModifier);
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::mouseClick(f.Find<QPushButton>("nextPageButton"), Qt::LeftButton);
    QTest::keyClick(f.Cell(5, Column::Height), Qt::Key_Delete);
    QTest::keyClicks(f.Cell(0, Column::Height), "9");
    QCOMPARE(f.prompts, 0);
    QCOMPARE(f.window->currentPage(), 0);
    QVERIFY(f.window->rowStepsRunning());
    QTRY_VERIFY(!f.window->rowStepsRunning());
    QCOMPARE(f.job.cutCount, std::int16_t{4});
    QCOMPARE(f.job.cutList[0].comment, std::string("r5"));
    QCOMPARE(f.Cell(0, Column::Height)->text(), QString("104"));
    QVERIFY(!f.Grid()->selectionActive());
    QVERIFY(f.window->modified());
    // Unlocked, with the focus back in its cell, the same shortcut undoes the deletion.
    QVERIFY(f.Cell(0, Column::Height)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), f.Cell(0, Column::Height));
    for (QAction* menu : f.window->menuBar()->actions()) QVERIFY(menu->isEnabled());
    QTest::keyClick(f.window.get(), Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(f.job.cutCount, std::int16_t{8});
    QCOMPARE(f.job.cutList[0].comment, std::string("r1"));
}

void RowEditingTest::dragOverRowLabelsSelectsRows() {
    WindowFixture f;
    FillRows(f, 12);
    DragOverLabels(f, 2, 5);
    QVERIFY(f.Grid()->selectionActive());
    QCOMPARE(f.Grid()->selectionFirst(), 2);
    QCOMPARE(f.Grid()->selectionLast(), 5);
    QCOMPARE(f.Cell(4, Column::Comment)->palette().color(QPalette::Base), QColor(128, 128, 255));
    // Upwards too, and a click on one label selects its row.
    DragOverLabels(f, 8, 6);
    QCOMPARE(f.Grid()->selectionFirst(), 6);
    QCOMPARE(f.Grid()->selectionLast(), 8);
    QTest::mouseClick(f.window->findChild<QLabel*>("rowLabel3"), Qt::LeftButton);
    QVERIFY(f.Grid()->selectionActive());
    QCOMPARE(f.Grid()->selectionFirst(), 3);
    QCOMPARE(f.Grid()->selectionLast(), 3);
    // The Delete key then removes the selected row.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(f.job.cutCount, std::int16_t{11});
    QCOMPARE(f.job.cutList[3].comment, std::string("r5"));
}

void RowEditingTest::popupCommandsActOnTheSelection() {
    WindowFixture f;
    FillRows(f, 8);
    DragOverLabels(f, 1, 3);
    QTest::mouseClick(f.Cell(2, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "コピー");
    QTRY_VERIFY(!f.Find<QMenu>("editMenu")->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString("101\t50\t1\tr2\r\n102\t50\t1\tr3\r\n103\t50\t1\tr4\r\n"));
    QVERIFY(f.Grid()->selectionActive());
    QTest::mouseClick(f.Cell(2, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "削除");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{5});
    QCOMPARE(f.job.cutList[1].comment, std::string("r5"));
    QVERIFY(f.window->modified());
    // "元に戻す" from the popup brings them back; "切り取り" and "挿入" act on a selection too.
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "元に戻す");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{8});
    DragOverLabels(f, 0, 1);
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "挿入");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{10});
    QCOMPARE(f.job.cutList[2].comment, std::string("r1"));
    DragOverLabels(f, 0, 1);
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "切り取り");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{8});
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("\t\t\t\r\n\t\t\t\r\n"));
    // "貼り付け" into a cell with no selection inserts the copied rows.
    QGuiApplication::clipboard()->setText("7\t8\t9\tx\r\n");
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::LeftButton);
    QTest::mouseClick(f.Cell(0, Column::Height), Qt::RightButton);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "貼り付け");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{9});
    QCOMPARE(f.job.cutList[0].comment, std::string("x"));
}

void RowEditingTest::menuBarCommandsActOnTheSelection() {
    WindowFixture f;
    FillRows(f, 8);
    DragOverLabels(f, 4, 6);
    // Alt+E opens "編集(&E)" from the menu bar.
    QTest::keyClick(f.window.get(), Qt::Key_E, Qt::AltModifier);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "コピー");
    QTRY_VERIFY(!f.Find<QMenu>("editMenu")->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 3);
    QVERIFY(f.Grid()->selectionActive());
    QTest::keyClick(f.window.get(), Qt::Key_E, Qt::AltModifier);
    ClickMenuItem(f.Find<QMenu>("editMenu"), "削除");
    QTRY_COMPARE(f.job.cutCount, std::int16_t{5});
    QCOMPARE(f.job.cutList[4].comment, std::string("r8"));
}

QTEST_MAIN(RowEditingTest)
#include "row_editing_test.moc"
