#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/encoding.h"
#include "panel/ui/multi_panel.h"
#include "panel/ui/panel_catalogue.h"
#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::MultiPanel;
using tvx::panel::PanelJob;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray Sjis(const std::string& utf8) {
    return QByteArray::fromStdString(tvx::Utf8ToShiftJis(utf8));
}

}  // namespace

class MultiPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void applyPacksRowsAndSetsPriceMode();
    void deleteRowMovesRowsUp();
    void catalogueRoundTrip();
    void catalogueRefusesWhatItsLayoutCannotHold();
    void oldLayoutLineIsConvertedAndWrittenBack();
    void unreadableCatalogueIsNeverRewritten();
    void shippedCatalogueIsReadWhenTheUserHasNone();
    void mainWindowPrefillsAndShowsTheList();
};

void MultiPanelTest::applyPacksRowsAndSetsPriceMode() {
    QTemporaryDir dir;
    PanelJob job;
    MultiPanel dialog(job, nullptr, dir.filePath("Panellist.txt"), dir.filePath("none.txt"));
    dialog.gridBox(0, 0)->setText("1820");
    dialog.gridBox(0, 1)->setText("910");
    dialog.gridBox(0, 2)->setText("3000");
    dialog.gridBox(2, 0)->setText("2430");
    dialog.gridBox(2, 1)->setText("1220");
    dialog.gridBox(2, 3)->setText("2");
    dialog.gridBox(3, 0)->setText("900");  // no width: skipped
    dialog.Apply();
    QCOMPARE(job.lastSizeIndex, std::int16_t{1});
    QCOMPARE(job.stock[0].price, 3000);
    QCOMPARE(job.stock[1].height, 2430);
    QCOMPARE(job.stock[1].limit, std::int16_t{2});
    QVERIFY(job.priceMode);  // every size has a price or a limit

    MultiPanel again(job, nullptr, dir.filePath("Panellist.txt"), dir.filePath("none.txt"));
    QCOMPARE(again.gridBox(1, 0)->text(), QString("2430"));
    QVERIFY(again.gridBox(1, 2)->text().isEmpty());  // price 0 is not shown
    QCOMPARE(again.currentRow(), 2);
    again.gridBox(1, 3)->clear();
    again.Apply();
    QVERIFY(!job.priceMode);  // one size without price and limit

    MultiPanel empty(job, nullptr, dir.filePath("Panellist.txt"), dir.filePath("none.txt"));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) empty.gridBox(r, c)->clear();
    empty.Apply();
    QCOMPARE(job.lastSizeIndex, std::int16_t{-1});
    QVERIFY(!job.priceMode);
}

void MultiPanelTest::deleteRowMovesRowsUp() {
    QTemporaryDir dir;
    PanelJob job;
    job.lastSizeIndex = 2;
    job.stock[0] = {1000, 500, 0, 0};
    job.stock[1] = {2000, 600, 0, 0};
    job.stock[2] = {3000, 700, 0, 0};
    MultiPanel dialog(job, nullptr, dir.filePath("Panellist.txt"), dir.filePath("none.txt"));
    dialog.gridBox(2, 0)->setFocus();
    QTest::keyClick(dialog.gridBox(2, 0), Qt::Key_Up);  // row 1 is current
    QCOMPARE(dialog.currentRow(), 1);
    dialog.DeleteGridRow();
    QCOMPARE(dialog.gridBox(1, 0)->text(), QString("3000"));
    QVERIFY(dialog.gridBox(2, 0)->text().isEmpty());
    QCOMPARE(dialog.currentRow(), 1);
    dialog.DeleteGridRow();  // row 1 is now empty: the current row moves up
    QCOMPARE(dialog.currentRow(), 0);
    // Enter walks height, width, price, then the next row's height.
    dialog.gridBox(4, 2)->setFocus();
    QTest::keyClick(dialog.gridBox(4, 2), Qt::Key_Return);
    QCOMPARE(dialog.currentRow(), 0);
    dialog.gridBox(0, 0)->clear();
    QTest::keyClicks(dialog.gridBox(0, 0), "jkl");
    QCOMPARE(dialog.gridBox(0, 0)->text(), QString("123"));
}

void MultiPanelTest::catalogueRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/Panellist.txt");
    PanelJob job;
    {
        MultiPanel dialog(job, nullptr, path, dir.filePath("none.txt"));
        QCOMPARE(dialog.catalogueList()->count(), 1);  // the end marker only
        dialog.DeleteEntry();
        QCOMPARE(dialog.messageLabel()->text(),
                 QString("項目を選んでから削除ボタンを押してください。"));
        dialog.AddEntry();
        dialog.editorBox(0)->setText("構造用合板ラワン");
        dialog.editorBox(1)->setText("1820");
        dialog.SaveEntry();
        QCOMPARE(dialog.messageLabel()->text(), QString("高さ と 幅 は必ず指定してください"));
        dialog.editorBox(2)->setText("910");
        dialog.editorBox(3)->setText("3000");
        dialog.SaveEntry();
        QCOMPARE(dialog.editorMode(), MultiPanel::EditorMode::Closed);
        dialog.AddEntry();
        dialog.editorBox(0)->setText("MDF");
        dialog.editorBox(1)->setText("2430");
        dialog.editorBox(2)->setText("1220");
        dialog.editorBox(3)->setText("4500");
        dialog.catalogueList()->setCurrentRow(0);  // before the first entry
        dialog.SaveEntry();
    }
    const QByteArray expected =
        Sjis("MDF       2430 x 1220   4,500円\r\n構造用合  1820 x  910   3,000円\r\n");
    QCOMPARE(FileBytes(path), expected);

    MultiPanel dialog(job, nullptr, path, dir.filePath("none.txt"));
    QCOMPARE(dialog.catalogueList()->count(), 3);
    QCOMPARE(dialog.catalogueList()->item(1)->text(), QString("構造用合  1820 x  910   3,000円"));
    // Modify the second entry in place.
    dialog.catalogueList()->setCurrentRow(1);
    dialog.ModifyEntry();
    QCOMPARE(dialog.editorBox(0)->text(), QString("構造用合"));
    QCOMPARE(dialog.editorBox(3)->text(), QString("3000"));
    dialog.editorBox(3)->setText("3200");
    dialog.SaveEntry();
    QCOMPARE(dialog.catalogueLines().size(), std::size_t{2});
    QCOMPARE(dialog.catalogueList()->item(1)->text(), QString("構造用合  1820 x  910   3,200円"));
    // A double-click copies into the current row and moves on.
    dialog.CopyEntry(1);
    QCOMPARE(dialog.gridBox(0, 0)->text(), QString("1820"));
    QCOMPARE(dialog.gridBox(0, 1)->text(), QString("910"));
    QCOMPARE(dialog.gridBox(0, 2)->text(), QString("3200"));
    QCOMPARE(dialog.currentRow(), 1);
    // Deleting the first entry rewrites the file.
    dialog.catalogueList()->setCurrentRow(0);
    dialog.DeleteEntry();
    QCOMPARE(FileBytes(path), Sjis("構造用合  1820 x  910   3,200円\r\n"));
    dialog.catalogueList()->setCurrentRow(1);  // the end marker
    dialog.ModifyEntry();
    QCOMPARE(dialog.messageLabel()->text(),
             QString("項目を選んでから修正ボタンを押してください。"));
}

void MultiPanelTest::catalogueRefusesWhatItsLayoutCannotHold() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Panellist.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A line whose seven-digit price pushed the fields one character along, and a note.
    file.write(Sjis("合板      1820 x  910 1,000,000円\r\nメモ: 在庫は要確認\r\n"));
    file.close();
    const QByteArray before = FileBytes(path);
    PanelJob job;
    MultiPanel dialog(job, nullptr, path, dir.filePath("none.txt"));

    // "登録" refuses a seven-digit price and a size of six digits, keeping the editor open.
    dialog.AddEntry();
    dialog.editorBox(0)->setText("高級合板");
    dialog.editorBox(1)->setText("1820");
    dialog.editorBox(2)->setText("910");
    dialog.editorBox(3)->setText("1000000");
    dialog.SaveEntry();
    QCOMPARE(dialog.messageLabel()->text(), QString("金額は999,999円までで指定してください。"));
    QCOMPARE(dialog.editorMode(), MultiPanel::EditorMode::Adding);
    dialog.editorBox(3)->setText("999999");
    dialog.editorBox(2)->setText("100000");
    dialog.SaveEntry();
    QCOMPARE(dialog.messageLabel()->text(), QString("高さ と 幅 は5桁までで指定してください。"));
    QCOMPARE(FileBytes(path), before);
    dialog.editorBox(2)->setText("910");
    dialog.SaveEntry();
    QCOMPARE(dialog.editorMode(), MultiPanel::EditorMode::Closed);
    QCOMPARE(dialog.catalogueLines().size(), std::size_t{3});

    // A double-click on a line not of the layout copies nothing.
    dialog.CopyEntry(0);
    QCOMPARE(dialog.messageLabel()->text(),
             QString("この行はパネル一覧の形式ではないため、写せません。"));
    QVERIFY(dialog.gridBox(0, 1)->text().isEmpty());
    QCOMPARE(dialog.currentRow(), 0);
    dialog.CopyEntry(1);
    QVERIFY(dialog.gridBox(0, 0)->text().isEmpty());
    dialog.CopyEntry(2);  // the entry just added
    QCOMPARE(dialog.gridBox(0, 0)->text(), QString("1820"));
    QCOMPARE(dialog.gridBox(0, 1)->text(), QString("910"));
    QCOMPARE(dialog.gridBox(0, 2)->text(), QString("999999"));
}

void MultiPanelTest::oldLayoutLineIsConvertedAndWrittenBack() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Panellist.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sjis("シナ合板1820 x 910   3,000円\r\n"));
    file.close();
    PanelJob job;
    MultiPanel dialog(job, nullptr, path, dir.filePath("none.txt"));
    QCOMPARE(dialog.catalogueList()->item(0)->text(), QString("シナ合板  1820 x  910   3,000円"));
    QCOMPARE(FileBytes(path), Sjis("シナ合板  1820 x  910   3,000円\r\n"));
}

void MultiPanelTest::unreadableCatalogueIsNeverRewritten() {
    QTemporaryDir dir;
    // A folder where the file should be cannot be read as a catalogue.
    const QString path = dir.filePath("Panellist.txt");
    QVERIFY(QDir().mkpath(path));
    PanelJob job;
    MultiPanel dialog(job, nullptr, path, dir.filePath("none.txt"));
    QVERIFY(!dialog.catalogueWritable());
    dialog.AddEntry();
    dialog.editorBox(1)->setText("1820");
    dialog.editorBox(2)->setText("910");
    dialog.SaveEntry();
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(dialog.catalogueLines().empty());
    QVERIFY(!dialog.messageLabel()->text().isEmpty());
}

void MultiPanelTest::shippedCatalogueIsReadWhenTheUserHasNone() {
    QTemporaryDir dir;
    const QString shipped = dir.filePath("shipped.txt");
    QFile file(shipped);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sjis("ラワン     1820 x  910   2,800円\r\n"));
    file.close();
    const QString user = dir.filePath("user/Panellist.txt");
    PanelJob job;
    MultiPanel dialog(job, nullptr, user, shipped);
    QCOMPARE(dialog.catalogueLines().size(), std::size_t{1});
    QVERIFY(!QFile::exists(user));
    dialog.catalogueList()->setCurrentRow(0);
    dialog.DeleteEntry();
    QVERIFY(QFile::exists(user));  // the user's own copy is written
    QCOMPARE(FileBytes(user), QByteArray());
    QCOMPARE(FileBytes(shipped), Sjis("ラワン     1820 x  910   2,800円\r\n"));
}

void MultiPanelTest::mainWindowPrefillsAndShowsTheList() {
    tvx::panel::test::WindowFixture f;
    QTemporaryDir dir;
    f.Find<QLineEdit>("heightBox")->setText("1820");
    f.Find<QLineEdit>("widthBox")->setText("910");
    f.window->SetMultiPanelRunner([&](MultiPanel& dialog) {
        QCOMPARE(dialog.gridBox(0, 0)->text(), QString("1820"));
        QCOMPARE(dialog.currentRow(), 1);
        dialog.gridBox(1, 0)->setText("2430");
        dialog.gridBox(1, 1)->setText("1220");
        dialog.Apply();
    });
    f.window->OpenMultiPanel();
    QCOMPARE(f.job.lastSizeIndex, std::int16_t{1});
    QVERIFY(f.Find<QLineEdit>("heightBox")->isHidden());
    QVERIFY(!f.Find<QLabel>(QString("stockLabel%1").arg(1))->isHidden());
    QCOMPARE(f.Find<QLabel>(QString("stockLabel%1").arg(1))->text(), QString(" 2430×1220"));
    QVERIFY(f.Find<QLabel>(QString("stockLabel%1").arg(2))->isHidden());
    QCOMPARE(f.Focused(), f.Cell(0, Column::Height));
}

QTEST_MAIN(MultiPanelTest)
#include "multi_panel_test.moc"
