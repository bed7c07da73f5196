// The main window's number boxes take only number text: thousands separators read as such,
// anything else is refused with the focus kept; pasted blocks and the multiple-size dialog
// follow the same rules; rows the layout leaves out are named.

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "panel/ui/multi_panel.h"
#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::test::WindowFixture;

namespace {

constexpr const char* kNotANumber = "数値を入力してください。";

QString Message(WindowFixture& f) {
    return f.window->findChild<QLabel*>("messageLine")->text();
}

QLineEdit* Box(WindowFixture& f, const char* name) {
    return f.window->findChild<QLineEdit*>(name);
}

// Runs what the boxes queued for after the event in hand (a refused box takes its focus back
// that way).
void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Types into a box with real keys and presses Enter, then lets the queued work run.
void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    Settle();
}

}  // namespace

class NumberBoxesTest : public QObject {
    Q_OBJECT
  private slots:
    void thousandsSeparatorsReadAsOne();
    void textThatIsNotANumberIsRefusedWithTheFocusKept();
    void quantitiesMustBeWhole();
    void panelAndKerfBoxesRefuseText();
    void aPastedBlockWithTextIsRefusedAsAWhole();
    void multipleSizeDialogRefusesText();
    void rowsLeftOutOfTheLayoutAreNamed();
};

void NumberBoxesTest::thousandsSeparatorsReadAsOne() {
    WindowFixture f;
    TypeInto(f.Cell(0, Column::Height), "1,200");
    QCOMPARE(f.job.cutList[0].height, 1200.0f);
    QCOMPARE(f.Cell(0, Column::Height)->text(), QString("1200"));
    // Full-width digits and comma from the input method read the same way.
    f.Type(0, Column::Width, QString::fromUtf8("１，０５０"));
    QCOMPARE(f.job.cutList[0].width, 1050.0f);
    TypeInto(Box(f, "heightBox"), "1,820");
    QCOMPARE(f.job.typedHeight, 1820);
    QCOMPARE(Message(f), QString());
}

void NumberBoxesTest::textThatIsNotANumberIsRefusedWithTheFocusKept() {
    WindowFixture f;
    f.Type(0, Column::Height, "450");
    // "4OO" with the letter O: refused on Enter, the focus stays, the row keeps its value.
    QLineEdit* height = f.Cell(0, Column::Height);
    TypeInto(height, "4OO");
    QCOMPARE(Message(f), QString(kNotANumber));
    QCOMPARE(QApplication::focusWidget(), height);
    QCOMPARE(f.job.cutList[0].height, 450.0f);
    // An arrow key moves away, and the focus comes back.
    QTest::keyClick(height, Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), height);
    QCOMPARE(Message(f), QString(kNotANumber));
    // A command waits until the cell holds a number.
    QTest::mouseClick(f.window->findChild<QPushButton*>("autoCutButton"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), height);
    QVERIFY(!f.window->layoutRunning());
    QCOMPARE(Message(f), QString(kNotANumber));
    for (const char* text : {"abc", "12-3", "1,2,", "--5"}) {
        TypeInto(height, text);
        QVERIFY2(Message(f) == kNotANumber, text);
        QCOMPARE(f.job.cutList[0].height, 450.0f);
    }
    TypeInto(height, "600");
    QCOMPARE(f.job.cutList[0].height, 600.0f);
    QCOMPARE(Message(f), QString());
    QCOMPARE(QApplication::focusWidget(), f.Cell(0, Column::Width));
}

void NumberBoxesTest::quantitiesMustBeWhole() {
    WindowFixture f;
    QLineEdit* quantity = f.Cell(0, Column::Quantity);
    TypeInto(quantity, "2.5");
    QCOMPARE(Message(f), QString("枚数は整数で入力してください。"));
    QCOMPARE(QApplication::focusWidget(), quantity);
    QCOMPARE(f.job.cutList[0].quantity, std::int16_t{0});
    TypeInto(quantity, "3");
    QCOMPARE(f.job.cutList[0].quantity, std::int16_t{3});
    // Sizes may have decimals.
    f.Type(0, Column::Height, "450.5");
    QCOMPARE(f.job.cutList[0].height, 450.5f);
}

void NumberBoxesTest::panelAndKerfBoxesRefuseText() {
    WindowFixture f;
    QLineEdit* height = Box(f, "heightBox");
    TypeInto(height, "1820");
    TypeInto(height, "18x0");
    QCOMPARE(Message(f), QString(kNotANumber));
    QTRY_COMPARE(QApplication::focusWidget(), height);
    // The panel size cannot be used until the box holds a number.
    QTest::mouseClick(f.window->findChild<QPushButton*>("autoCutButton"), Qt::LeftButton);
    QVERIFY(!f.window->layoutRunning());
    QTRY_COMPARE(QApplication::focusWidget(), height);
    TypeInto(height, "1,900");
    QCOMPARE(f.job.typedHeight, 1900);
    QCOMPARE(Message(f), QString());
    QLineEdit* kerf = Box(f, "kerfBox");
    TypeInto(kerf, "3");
    QCOMPARE(f.job.kerf, std::int16_t{3});
    TypeInto(kerf, "three");
    QCOMPARE(Message(f), QString(kNotANumber));
    QTRY_COMPARE(QApplication::focusWidget(), kerf);
    QCOMPARE(f.job.kerf, std::int16_t{3});
}

void NumberBoxesTest::aPastedBlockWithTextIsRefusedAsAWhole() {
    WindowFixture f;
    f.Type(0, Column::Height, "450");
    f.Cell(0, Column::Height)->setFocus();
    QGuiApplication::clipboard()->setText("600\t300\t2\ta\r\n1,200\t4OO\t1\tb\r\n");
    f.window->PasteCommand();
    QCOMPARE(Message(f),
             QString("貼り付ける2行目に数値でない値があるため、貼り付けませんでした。"));
    QCOMPARE(f.job.cutCount, std::int16_t{1});
    QCOMPARE(f.job.cutList[0].height, 450.0f);
    // With numbers only (and a thousands separator) the block goes in.
    QGuiApplication::clipboard()->setText("600\t300\t2\ta\r\n1,200\t400\t1\tb\r\n");
    f.Cell(0, Column::Height)->setFocus();
    f.window->PasteCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{3});
    QCOMPARE(f.job.cutList[1].height, 1200.0f);
    QCOMPARE(f.job.cutList[2].height, 450.0f);
    // A fractional quantity is refused too.
    QGuiApplication::clipboard()->setText("600\t300\t2.5\ta\r\n");
    f.Cell(0, Column::Height)->setFocus();
    f.window->PasteCommand();
    QVERIFY(Message(f).startsWith("貼り付ける1行目"));
    QCOMPARE(f.job.cutCount, std::int16_t{3});
}

void NumberBoxesTest::multipleSizeDialogRefusesText() {
    WindowFixture f;
    QString message;
    bool stayedOpen = false;
    f.window->SetMultiPanelRunner([&](tvx::panel::MultiPanel& dialog) {
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* height = dialog.gridBox(0, 0);
        TypeInto(height, "1,820");
        TypeInto(dialog.gridBox(0, 1), "91O");
        dialog.Apply();
        Settle();
        message = dialog.messageLabel()->text();
        stayedOpen = dialog.result() == 0 && QApplication::focusWidget() == dialog.gridBox(0, 1);
        TypeInto(dialog.gridBox(0, 1), "910");
        dialog.Apply();
    });
    f.window->OpenMultiPanel();
    QCOMPARE(message, QString(kNotANumber));
    QVERIFY(stayedOpen);
    QCOMPARE(f.job.lastSizeIndex, std::int16_t{0});
    QCOMPARE(f.job.stock[0].height, 1820);
    QCOMPARE(f.job.stock[0].width, 910);
}

void NumberBoxesTest::rowsLeftOutOfTheLayoutAreNamed() {
    WindowFixture f;
    TypeInto(Box(f, "heightBox"), "1820");
    TypeInto(Box(f, "widthBox"), "910");
    f.Type(0, Column::Height, "600");
    f.Type(0, Column::Width, "450");
    f.Type(0, Column::Quantity, "1");
    f.Type(1, Column::Height, "300");  // row 2: no quantity
    f.Type(1, Column::Width, "200");
    f.Type(1, Column::Quantity, "");
    f.Type(2, Column::Height, "500");  // row 3 is complete
    f.Type(2, Column::Width, "400");
    f.Type(2, Column::Quantity, "1");
    f.Type(3, Column::Height, "0");  // row 4: a zero size
    f.Type(3, Column::Width, "100");
    f.Type(3, Column::Quantity, "2");
    f.window->SetResultViewer([] {});
    f.window->AutoCut();
    QTRY_VERIFY(!f.window->layoutRunning());
    QCOMPARE(Message(f), QString("計算に含めなかった行があります：(2)(4)"));
    // Without such rows the line stays empty.
    f.Type(1, Column::Quantity, "1");
    f.Type(3, Column::Height, "50");
    f.window->AutoCut();
    QTRY_VERIFY(!f.window->layoutRunning());
    QCOMPARE(Message(f), QString());
}

QTEST_MAIN(NumberBoxesTest)
#include "number_boxes_test.moc"
