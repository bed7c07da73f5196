// The multiple-length dialog, headless: rows from and to the job, the catalogue file, picking.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "bar/ui/bar_catalogue.h"
#include "bar/ui/multi_bouzai.h"
#include "common/catalogue_text.h"
#include "common/encoding.h"
#include "common/gui/catalogue_store.h"

using tvx::bar::BarJob;
using tvx::bar::MultiBouzai;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray Sjis(const std::string& utf8) {
    return QByteArray::fromStdString(tvx::Utf8ToShiftJis(utf8));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

BarJob JobWithStock(std::initializer_list<std::array<float, 3>> entries) {
    BarJob job = tvx::bar::StartupBarJob(0, false);
    for (const auto& e : entries) {
        const auto k = static_cast<std::size_t>(job.stock.stockEntryCountInUse++);
        job.stock.stockEntryLength[k] = e[0];
        job.stock.stockEntryPrice[k] = e[1];
        job.stock.stockEntryCount[k] = static_cast<std::int16_t>(e[2]);
    }
    return job;
}

// A dialog on its own catalogue files in a temporary folder.
struct Fixture {
    QTemporaryDir dir;
    BarJob job;
    std::unique_ptr<MultiBouzai> dialog;
    explicit Fixture(BarJob j = tvx::bar::StartupBarJob(0, false)) : job(std::move(j)) {}
    QString UserPath() const { return dir.filePath("data/Bouzailist.txt"); }
    QString ShippedPath() const { return dir.filePath("shipped/Bouzailist.txt"); }
    MultiBouzai& Open() {
        dialog = std::make_unique<MultiBouzai>(job, nullptr, UserPath(), ShippedPath());
        return *dialog;
    }
};

}  // namespace

class MultiBouzaiTest : public QObject {
    Q_OBJECT
  private slots:
    void openingFillsRowsAndPickRow();
    void everyOpeningEmptiesAllBoxes();
    void applyTakesRowsWithALength();
    void applyRefusesCountsPricesAndNonNumbers();
    void storeWritesTheByteLayoutAndPickReadsItBack();
    void storeRefusesWhatDoesNotFit();
    void doubleClickRefusesForeignLinesAndIgnoresTheEndLine();
    void deleteAndOldLayoutAndUnreadableCatalogue();
    void shippedCatalogueIsReadWhenTheUserHasNone();
    void keysMoveBetweenBoxes();
};

void MultiBouzaiTest::openingFillsRowsAndPickRow() {
    Fixture f(JobWithStock({{6000, 3500, 0}, {5500, 0, 4}, {4000, 0, 0}}));
    MultiBouzai& d = f.Open();
    QCOMPARE(d.pickRow(), 3);
    QCOMPARE(d.box(0, MultiBouzai::kLengthColumn)->text(), QString("6000"));
    QCOMPARE(d.box(0, MultiBouzai::kPriceColumn)->text(), QString("3500"));
    QCOMPARE(d.box(0, MultiBouzai::kCountColumn)->text(), QString(""));
    QCOMPARE(d.box(1, MultiBouzai::kCountColumn)->text(), QString("4"));
    QCOMPARE(d.box(1, MultiBouzai::kPriceColumn)->text(), QString(""));
    QCOMPARE(d.stockList()->count(), 1);  // no catalogue: the end line only
    QCOMPARE(d.stockList()->item(0)->text(), QString(tvx::bar::kBarCatalogueEndLine));

    Fixture full(JobWithStock(
        {{1000, 0, 0}, {1100, 0, 0}, {1200, 0, 0}, {1300, 0, 0}, {1400, 0, 0}, {1500, 0, 0}}));
    QCOMPARE(full.Open().pickRow(), 0);
}

void MultiBouzaiTest::everyOpeningEmptiesAllBoxes() {
    Fixture f(JobWithStock({{6000, 0, 0}, {5000, 0, 0}}));
    MultiBouzai& d = f.Open();
    for (int r = 0; r < tvx::bar::kMultiBouzaiRows; ++r)
        for (int c = 0; c < 3; ++c) d.box(r, c)->setText("7");
    d.reject();  // left without "もどる": nothing taken
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{2});
    f.job.stock.stockEntryCountInUse = 1;
    d.show();  // the next opening
    QCOMPARE(d.box(0, 0)->text(), QString("6000"));
    for (int r = 0; r < tvx::bar::kMultiBouzaiRows; ++r)
        for (int c = 0; c < 3; ++c)
            if (r != 0 || c != 0)
                QVERIFY2(d.box(r, c)->text().isEmpty(), qPrintable(QString("%1,%2").arg(r).arg(c)));
    QCOMPARE(d.pickRow(), 1);
    d.hide();
}

void MultiBouzaiTest::applyTakesRowsWithALength() {
    Fixture f(JobWithStock({{9000, 100, 1}}));
    MultiBouzai& d = f.Open();
    d.box(0, 0)->clear();
    d.box(0, 1)->setText("2500");  // a price but no length: dropped
    d.box(0, 2)->clear();
    d.box(1, 0)->setText("6000");
    d.box(1, 1)->setText("1,200");
    d.box(1, 2)->setText("2.5");       // rounded half to even
    d.box(3, 0)->setText("４０００");  // full-width digits read as digits
    QVERIFY(d.Apply());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{2});
    QCOMPARE(f.job.stock.stockEntryLength[0], 6000.0f);
    QCOMPARE(f.job.stock.stockEntryPrice[0], 1200.0f);
    QCOMPARE(f.job.stock.stockEntryCount[0], std::int16_t{2});
    QCOMPARE(f.job.stock.stockEntryLength[1], 4000.0f);
    QCOMPARE(f.job.stock.stockEntryPrice[1], 0.0f);
    QCOMPARE(f.job.stock.stockEntryLength[2], 0.0f);

    // All rows empty: a job without stock.
    for (int r = 0; r < tvx::bar::kMultiBouzaiRows; ++r)
        for (int c = 0; c < 3; ++c) d.box(r, c)->clear();
    QVERIFY(d.Apply());
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{0});
}

void MultiBouzaiTest::applyRefusesCountsPricesAndNonNumbers() {
    Fixture f(JobWithStock({{6000, 0, 0}}));
    MultiBouzai& d = f.Open();
    struct Case {
        int column;
        const char* text;
        bool ok;
    };
    const Case cases[] = {{2, "32768", false}, {2, "-1", false},  {2, "32767", true},
                          {2, "0", true},      {1, "-5", false},  {1, "0", true},
                          {1, "12a", false},   {0, "abc", false}, {2, "1,000", true}};
    for (const Case& c : cases) {
        f.job.stock.stockEntryCountInUse = 1;
        if (!d.isVisible()) {
            d.show();
            QVERIFY(QTest::qWaitForWindowActive(&d));
        }
        d.LoadFromJob();
        d.box(0, c.column)->setText(c.text);
        f.job.stock.stockEntryCountInUse = 7;  // a refusal leaves the table untouched
        const bool taken = d.Apply();
        QCOMPARE(taken, c.ok);
        if (!c.ok) {
            QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{7});
            QVERIFY(!d.messageLabel()->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(0, c.column)));
        }
    }
    d.hide();
}

void MultiBouzaiTest::storeWritesTheByteLayoutAndPickReadsItBack() {
    Fixture f(JobWithStock({{6000, 0, 0}, {5000, 0, 0}, {4000, 0, 0}}));
    MultiBouzai& d = f.Open();
    d.AddEntry();
    QVERIFY(d.adding());
    d.entryBox(0)->setText("鉄鋼角材丸棒平鋼");
    d.entryBox(1)->setText("5500");
    d.entryBox(2)->setText("500");
    d.StoreEntry();
    QVERIFY(!d.adding());
    d.AddEntry();
    d.entryBox(0)->setText("角パイプ");
    d.entryBox(1)->setText("6000");
    d.entryBox(2)->setText("12,000");
    d.stockList()->setCurrentRow(0);  // stored before the selected line
    d.StoreEntry();
    const QByteArray expected =
        Sjis("角ﾊﾟｲﾌﾟ      6000  12,000円\r\n") + Sjis("鉄鋼角材丸   5500     500円\r\n");
    QCOMPARE(FileBytes(f.UserPath()), expected);
    QCOMPARE(d.stockList()->count(), 3);

    QCOMPARE(d.pickRow(), 0);  // "取消" after storing puts the focus into row 0

    // Opened again with three stock entries, a double-click fills row 3 and moves on.
    MultiBouzai& again = f.Open();
    QCOMPARE(again.pickRow(), 3);
    QCOMPARE(again.catalogueLines().size(), std::size_t{2});
    again.PickLine(1);
    QCOMPARE(again.box(3, 0)->text(), QString("5500"));
    QCOMPARE(again.box(3, 1)->text(), QString("500"));
    QCOMPARE(again.pickRow(), 4);
    again.PickLine(0);
    QCOMPARE(again.box(4, 0)->text(), QString("6000"));
    QCOMPARE(again.box(4, 1)->text(), QString("12000"));
    QVERIFY(again.Apply());
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{5});
    QCOMPARE(f.job.stock.stockEntryPrice[4], 12000.0f);
}

void MultiBouzaiTest::storeRefusesWhatDoesNotFit() {
    Fixture f;
    MultiBouzai& d = f.Open();
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    struct Case {
        const char* length;
        const char* price;
        int focusField;  // -1: stored
    };
    const Case cases[] = {{"0", "100", 1},        {"", "100", 1},          {"12345678", "1", 1},
                          {"6000", "1000000", 2}, {"6000", "999,999", -1}, {"1234567", "", -1},
                          {"6000", "x", 2}};
    int stored = 0;
    for (const Case& c : cases) {
        d.AddEntry();
        d.entryBox(0)->setText("棒");
        d.entryBox(1)->setText(c.length);
        d.entryBox(2)->setText(c.price);
        d.StoreEntry();
        if (c.focusField < 0) {
            ++stored;
            QVERIFY(!d.adding());
        } else {
            QVERIFY(d.adding());
            QVERIFY(!d.messageLabel()->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.entryBox(c.focusField)));
            d.CancelEntry();
        }
        QCOMPARE(static_cast<int>(d.catalogueLines().size()), stored);
    }
    QCOMPARE(d.stockList()->item(0)->text(), QString("棒           6000 999,999円"));
    d.hide();
}

void MultiBouzaiTest::doubleClickRefusesForeignLinesAndIgnoresTheEndLine() {
    Fixture f;
    QDir().mkpath(f.dir.filePath("data"));
    const std::string good = tvx::bar::BarCatalogueLineBytes({"丸鋼", 4000, 800});
    WriteBytes(f.UserPath(), QByteArray::fromStdString(good + "\r\nhand-written note\r\n"));
    MultiBouzai& d = f.Open();
    QCOMPARE(d.stockList()->count(), 3);
    d.PickLine(1);  // not of the layout's width
    QVERIFY(d.box(0, 0)->text().isEmpty());
    QVERIFY(!d.messageLabel()->text().isEmpty());
    d.PickLine(2);  // the end line
    QVERIFY(d.box(0, 0)->text().isEmpty());
    QCOMPARE(d.pickRow(), 0);
    d.PickLine(0);
    QCOMPARE(d.box(0, 0)->text(), QString("4000"));
    QCOMPARE(d.box(0, 1)->text(), QString("800"));
    QVERIFY(d.messageLabel()->text().isEmpty());
}

void MultiBouzaiTest::deleteAndOldLayoutAndUnreadableCatalogue() {
    Fixture f;
    QDir().mkpath(f.dir.filePath("data"));
    // One line of the earlier 25-byte layout and one current line.
    const QByteArray old = QByteArray::fromStdString(tvx::ShiftJisFitted("ｶｸﾊﾟｲﾌﾟ", 10)) + " 6000" +
                           Sjis("   3,500円");
    QCOMPARE(old.size(), 25);
    const std::string current = tvx::bar::BarCatalogueLineBytes({"丸鋼", 4000, 800});
    WriteBytes(f.UserPath(), old + "\r\n" + QByteArray::fromStdString(current) + "\r\n");
    MultiBouzai& d = f.Open();
    const QByteArray converted =
        QByteArray::fromStdString(tvx::bar::BarCatalogueLineBytes({"ｶｸﾊﾟｲﾌﾟ", 6000, 3500})) +
        "\r\n";
    QCOMPARE(converted.size(), 29);
    QCOMPARE(FileBytes(f.UserPath()), converted + QByteArray::fromStdString(current) + "\r\n");

    d.DeleteEntry();  // nothing selected
    QCOMPARE(d.messageLabel()->text(), QString("項目を選んでから削除ボタンを押してください。"));
    d.stockList()->setCurrentRow(2);  // the end line
    d.DeleteEntry();
    QCOMPARE(d.catalogueLines().size(), std::size_t{2});
    d.stockList()->setCurrentRow(1);
    d.DeleteEntry();
    QCOMPARE(FileBytes(f.UserPath()), converted);

    // A catalogue that exists but cannot be read is never rewritten from the empty list.
    Fixture locked;
    QDir().mkpath(locked.UserPath());  // a folder where the file should be
    MultiBouzai& l = locked.Open();
    QCOMPARE(l.stockList()->count(), 1);
    l.AddEntry();
    QVERIFY(!l.adding());
    QVERIFY(!l.messageLabel()->text().isEmpty());
    QVERIFY(QFileInfo(locked.UserPath()).isDir());

    // A catalogue that cannot be written says so; the entry stays in the list on show.
    Fixture blocked;
    WriteBytes(blocked.dir.filePath("data"), "a file where the folder should be");
    MultiBouzai& b = blocked.Open();
    b.AddEntry();
    b.entryBox(0)->setText("丸鋼");
    b.entryBox(1)->setText("4000");
    b.entryBox(2)->setText("800");
    b.StoreEntry();
    QCOMPARE(b.messageLabel()->text(), QString(tvx::gui::kCatalogueNotWrittenMessage));
    QVERIFY(!QFileInfo::exists(blocked.UserPath()));
}

void MultiBouzaiTest::shippedCatalogueIsReadWhenTheUserHasNone() {
    Fixture f;
    QDir().mkpath(f.dir.filePath("shipped"));
    const std::string line = tvx::bar::BarCatalogueLineBytes({"平鋼", 5500, 2000});
    WriteBytes(f.ShippedPath(), QByteArray::fromStdString(line + "\r\n"));
    MultiBouzai& d = f.Open();
    QCOMPARE(d.catalogueLines().size(), std::size_t{1});
    QVERIFY(!QFile::exists(f.UserPath()));  // nothing written until the user changes it
    d.AddEntry();
    d.entryBox(1)->setText("3000");
    d.StoreEntry();
    QCOMPARE(FileBytes(f.UserPath()).count("\r\n"), qsizetype{2});
    QCOMPARE(FileBytes(f.ShippedPath()), QByteArray::fromStdString(line + "\r\n"));
}

void MultiBouzaiTest::keysMoveBetweenBoxes() {
    Fixture f;
    MultiBouzai& d = f.Open();
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.box(2, 0)->setFocus();
    QCOMPARE(d.pickRow(), 2);
    QTest::keyClicks(d.box(2, 0), "k5oo");  // keypad letters: 2566
    QTest::keyClick(d.box(2, 0), Qt::Key_Return);
    QCOMPARE(d.box(2, 0)->text(), QString("2566"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(2, 1)));
    QTest::keyClick(d.box(2, 1), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(3, 0)));
    QCOMPARE(d.pickRow(), 3);
    d.box(5, 1)->setFocus();
    QTest::keyClick(d.box(5, 1), Qt::Key_Return);  // from row 5 to row 0
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(0, 0)));
    // Text that is not a number keeps the focus, with a message.
    d.box(0, 0)->setText("12x");
    QTest::keyClick(d.box(0, 0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(0, 0)));
    QVERIFY(!d.messageLabel()->text().isEmpty());
    QTest::keyClick(d.box(0, 0), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(1, 0)));
    QTest::keyClick(d.box(1, 0), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.box(1, 1)));
    // Entry boxes: Enter moves on, and from the price to "登録" with the hint.
    d.AddEntry();
    QTest::keyClick(d.entryBox(0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.entryBox(1)));
    QTest::keyClick(d.entryBox(1), Qt::Key_Return);
    QTest::keyClick(d.entryBox(2), Qt::Key_Return);
    QCOMPARE(d.messageLabel()->text(),
             QString("登録する位置をマウスでクリックしてから登録ボタンを押してください。"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("storeButton"));
    d.hide();
}

QTEST_MAIN(MultiBouzaiTest)
#include "multi_bouzai_test.moc"
