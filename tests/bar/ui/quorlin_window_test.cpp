#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <string>

#include "bar/engine/calculation_check.h"
#include "bar/model/bar_job_reader.h"
#include "bar/output/print_plan.h"
#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/calculation_runner.h"
#include "bar/ui/multi_bouzai.h"
#include "bar/ui/result_picture.h"
#include "common/gui/numeric_edit.h"
#include "common/gui/printer_setup.h"
#include "common/job_file_names.h"
#include "common/text_file.h"
#include "quorlin_fixture.h"
#include "support/message_box_answer.h"

using tvx::bar::test::QuorlinFixture;
using namespace tvx::bar;

namespace {

const char* kSteelFrame =
    "\"鉄骨架台\"\n\"棒材サイズ\"\n6000,0,0\n\"切断幅\"\n3\n\"カットサイズ\"\n2400,8\n1850,6\n"
    "1200,12\n950,10\n600,16\n450,20\n";

// Many rows on six lengths: a search that runs for minutes unless stopped.
QString LongJob() {
    QString text =
        "\"棒材サイズ\"\n6000,0,0\n5500,0,0\n5000,0,0\n4000,0,0\n3000,0,0\n2000,0,0\n"
        "\"切断幅\"\n3\n\"カットサイズ\"\n";
    for (int r = 0; r < 60; ++r) text += QString("%1,40\n").arg(137 + r * 29);
    return text;
}

// Six priced lengths, one limited, and 22 lengths with halves: the optimising calculation
// finds good plans at once but needs longer than a moment for a proof.
// Six priced lengths, some limited, and 400 pieces whose lengths step by 70: the optimising
// calculation reports a bound early but does not prove its plan for many seconds.
std::string SixLengthsFourHundredPieces() {
    std::string text =
        "\"棒材サイズ\"\n2000,900,0\n3000,1300,40\n4000,1700,30\n4500,1900,0\n"
        "5500,2300,20\n6000,2500,15\n\"切断幅\"\n3\n\"カットサイズ\"\n";
    for (int k = 0; k < 25; ++k) text += std::to_string(1950 - 70 * k) + ",16\n";
    return text;
}

}  // namespace

class QuorlinWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void controlsCarryTheirCaptions();
    void initTestCase();
    void stockRangeIsCheckedOnTheLongestLength();
    void multipleLengthsDialogFillsTheStockTable();
    void tooLongRowOnPageThreeIsBroughtIntoView();
    void enterWalksRowsAndTurnsThePageAtRowTwenty();
    void firstVisibleColumnFollowsThePartCodeDisplay();
    void numberBoxesTakeOnlyNumbers();
    void valueChecksKeepTheFocus();
    void calculationShowsPlanAndSwitchesDisplay();
    void nothingIsLiveDuringACalculation();
    void closeBoxStopsTheSearchThenCloses();
    void stopBeforeAnyPlanSaysSo();
    void failedCalculationClearsThePlan();
    void laterEditsMarkThePlanOutOfDate();
    void draggingSelectsWholeRows();
    void deleteThenUndoThreeRows();
    void rowStepsLockTheWindow();
    void insertAndPasteGrowTheList();
    void pasteRefusesFourFields();
    void undoCopyDroppedByACommittedChange();
    void menuCommandsCommitTheCellFirst();
    void openReadsBeforeResetAndFailedOpenKeepsTheJob();
    void partialReadRefreshesTheWholeWindow();
    void saveKeepsCodesAddsExtensionAndReportsFailure();
    void modifiedJobAsksBeforeItIsDiscarded();
    void commandLineIsTrimmedOfQuotes();
    void settingsWrittenByQuitOnlyAndKeyByKey();
    void quitKeepsKeysAnotherProgramWroteMeanwhile();
    void pictureScrollsToItsWholeWidth();
    void printsThePlanToPdf();
    void optimalSwitchIsKeptInItsOwnSection();
    void optimalCalculationSaysOptimalOrTheGap();
};

void QuorlinWindowTest::controlsCarryTheirCaptions() {
    QuorlinFixture f;
    QCOMPARE(f.Find<QLabel>("titleLabel")->text(), QString("＜Quorlin＞"));
    QCOMPARE(f.Find<QLabel>("versionLabel")->text(), QString("Ver 2.93"));
    QCOMPARE(f.Find<QLabel>("stockCaption")->text(), QString("棒材の長さ"));
    for (const char* name : {"calculate", "reset", "quit", "switchDisplay", "print", "save",
                             "multiBouzai", "previousPage", "nextPage", "insertTitle", "forceStop"})
        QVERIFY2(f.Button(name), name);
    QCOMPARE(f.Button("forceStop")->isVisible(), false);
    QCOMPARE(f.Button("multiBouzai")->text(), QString("複数 棒材"));
    QCOMPARE(f.window->menuBar()->actions().size(), 4);
    QCOMPARE(f.window->menuBar()->actions()[0]->text(), QString("ファイル(&F)"));
    QCOMPARE(f.Find<QLabel>("rowLabel0")->text(), QString("（1）"));
    QCOMPARE(f.Find<QLabel>("rowLabel19")->text(), QString("（20）"));
    // A fresh start: kerf 0, part codes off, nothing to switch or print.
    QCOMPARE(f.job.kerf, 0.0f);
    QVERIFY(!f.Code(0)->isVisible());
    QVERIFY(!f.Button("switchDisplay")->isEnabled());
    QVERIFY(!f.Button("print")->isEnabled());
    // The grid boxes show no menu of their own.
    QCOMPARE(f.Length(0)->contextMenuPolicy(), Qt::PreventContextMenu);
}

void QuorlinWindowTest::stockRangeIsCheckedOnTheLongestLength() {
    QuorlinFixture f;
    f.Load("50,1\n");
    for (const char* refused : {"99", "1000001"}) {
        f.Type(f.StockBox(), refused);
        f.Button("calculate")->click();
        QCOMPARE(f.Message(), QString("棒材の長さを100から1000000の範囲で指定してください"));
        QCOMPARE(f.Focused(), static_cast<QWidget*>(f.StockBox()));
        QVERIFY(!f.Calculating());
    }
    for (const char* accepted : {"100", "1000000"}) {
        f.Type(f.StockBox(), accepted);
        f.Calculate();
        QVERIFY2(f.window->planCurrent(), accepted);
        QCOMPARE(f.Message(), QString());
    }
    // Several lengths: only the longest counts.
    f.window->SetMultiBouzaiRunner([](BarJob& job, QWidget*) {
        job.stock = BarStock{};
        job.stock.stockEntryCountInUse = 3;
        job.stock.stockEntryLength = {60, 5000, 80, 0, 0, 0, 0};
    });
    f.Button("multiBouzai")->click();
    QVERIFY(!f.StockBox()->isVisible());
    QVERIFY(f.Find<QLabel>("stockLabel2")->isVisible());
    QCOMPARE(f.Find<QLabel>("stockLabel1")->text(), QString("5000"));
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    f.window->SetMultiBouzaiRunner(
        [](BarJob& job, QWidget*) { job.stock.stockEntryLength = {60, 99, 80, 0, 0, 0, 0}; });
    f.Button("multiBouzai")->click();
    f.Button("calculate")->click();
    QCOMPARE(f.Message(), QString(kStockRangeMessage));
}

void QuorlinWindowTest::initTestCase() {
    // The dialog's catalogue goes to a test folder, never the user's.
    QStandardPaths::setTestModeEnabled(true);
}

void QuorlinWindowTest::multipleLengthsDialogFillsTheStockTable() {
    QuorlinFixture f;
    f.Type(f.StockBox(), "6000");
    // The typed length arrives in the dialog's first row; two more lengths are added.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MultiBouzai*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->box(0, MultiBouzai::kLengthColumn)->text(), QString("6000"));
        dialog->box(1, MultiBouzai::kLengthColumn)->setText("5500");
        dialog->box(2, MultiBouzai::kLengthColumn)->setText("4000");
        dialog->box(2, MultiBouzai::kCountColumn)->setText("3");
        QVERIFY(dialog->Apply());
    });
    f.Button("multiBouzai")->click();
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{3});
    QCOMPARE(f.job.stock.stockEntryCount[2], std::int16_t{3});
    QVERIFY(!f.StockBox()->isVisible());
    QCOMPARE(f.Find<QLabel>("stockLabel1")->text(), QString("5500"));
    QVERIFY(f.Find<QLabel>("stockLabel2")->isVisible());
    QVERIFY(!f.Find<QLabel>("stockLabel3")->isVisible());
    // The first row is the window's focus (it gets it back as the dialog's window goes).
    QCOMPARE(f.window->focusWidget(), static_cast<QWidget*>(f.Length(0)));
    QVERIFY(f.window->isWindowModified());
}

void QuorlinWindowTest::tooLongRowOnPageThreeIsBroughtIntoView() {
    QuorlinFixture f;
    QString rows = "\"棒材サイズ\"\n6000,0,0\n\"カットサイズ\"\n";
    for (int r = 0; r < 50; ++r) rows += r == 45 ? "7000,1\n" : "500,1\n";
    f.Load(rows);
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{50});
    f.Button("calculate")->click();
    QCOMPARE(f.Message(), QString("割り当てられません。"));
    QCOMPARE(f.job.cutList.pageTop, std::int16_t{40});
    QCOMPARE(f.Find<QLabel>("rowLabel5")->text(), QString("（46）"));
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(5)));
    QCOMPARE(f.Length(5)->text(), QString("7000"));
}

void QuorlinWindowTest::enterWalksRowsAndTurnsThePageAtRowTwenty() {
    QuorlinFixture f;
    f.Type(f.Length(0), "1500");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Quantity(0)));
    f.Type(f.Quantity(0), "4");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(1)));
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{1});
    QVERIFY(!f.Button("nextPage")->isEnabled());

    f.Type(f.Quantity(19), "2");
    QCOMPARE(f.job.cutList.pageTop, std::int16_t{20});
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{20});
    QVERIFY(f.job.cutList.Capacity() >= 40);
    QCOMPARE(f.Find<QLabel>("rowLabel0")->text(), QString("（21）"));
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(0)));
    // The quantity box counts rows from the page's top.
    f.Type(f.Quantity(3), "1");
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{24});
    f.Button("previousPage")->click();
    QCOMPARE(f.job.cutList.pageTop, std::int16_t{0});
    QVERIFY(f.Button("nextPage")->isEnabled());

    // The last page of the list does not turn further.
    f.job.cutList.pageTop = kMaxPageTop;
    EnsureRowCapacity(f.job.cutList, kMaxRows);
    f.Type(f.Quantity(19), "1");
    QCOMPARE(f.job.cutList.pageTop, std::int16_t{kMaxPageTop});
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{kMaxRows});
    QCOMPARE(f.Message(), QString(kRowLimitMessage));
    // "次ページ" and pasting rows stop at the same limit.
    f.Type(f.Length(0), "100");
    QCOMPARE(f.Message(), QString());
    f.Button("nextPage")->click();
    QCOMPARE(f.job.cutList.pageTop, std::int16_t{kMaxPageTop});
    QCOMPARE(f.Message(), QString(kRowLimitMessage));
    f.Type(f.Length(0), "100");
    QGuiApplication::clipboard()->setText("700\t7\r\n800\t8\r\n");
    f.Grid()->FocusCell(19, GridColumn::Length);
    f.window->PasteCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{kMaxRows});
    QCOMPARE(f.job.cutList.cutLength[kMaxRows - 1], 0.0f);
    QCOMPARE(f.Message(), QString(kRowLimitMessage));
}

void QuorlinWindowTest::firstVisibleColumnFollowsThePartCodeDisplay() {
    QuorlinFixture f;
    f.Type(f.StockBox(), "6000");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(0)));
    QTest::keyClick(f.Length(0), Qt::Key_Left);  // no code column: stays
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(0)));
    QTest::keyClick(f.Length(0), Qt::Key_Up);
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.StockBox()));

    f.Action("partCodesAction")->trigger();
    QVERIFY(f.job.showPartCodes);
    QVERIFY(f.Code(0)->isVisible());
    f.Type(f.StockBox(), "6000");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Code(0)));
    f.Type(f.Code(0), "C-1");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(0)));
    f.KerfBox()->clear();
    f.Type(f.KerfBox(), "");
    QCOMPARE(f.KerfBox()->text(), QString("0"));
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Code(0)));
}

void QuorlinWindowTest::numberBoxesTakeOnlyNumbers() {
    QCOMPARE(tvx::gui::NumberBoxValue("1,200"), std::optional<double>(1200));
    QCOMPARE(tvx::gui::NumberBoxValue("１２００"), std::optional<double>(1200));
    QCOMPARE(tvx::gui::NumberBoxValue(""), std::optional<double>(0));
    QVERIFY(!tvx::gui::NumberBoxValue("12a"));
    QVERIFY(!tvx::gui::NumberBoxValue("nan"));

    QuorlinFixture f;
    f.Type(f.Length(0), "jkl");  // keypad letters
    QCOMPARE(f.job.cutList.cutLength[0], 123.0f);
    f.Type(f.Length(1), "1,200");
    QCOMPARE(f.job.cutList.cutLength[1], 1200.0f);
    QCOMPARE(f.Length(1)->text(), QString("1200"));
}

void QuorlinWindowTest::valueChecksKeepTheFocus() {
    QuorlinFixture f;
    // A refused box takes the focus back once the Enter that left it has been handled.
    f.Type(f.Quantity(2), "40000");
    QTRY_COMPARE(f.Focused(), static_cast<QWidget*>(f.Quantity(2)));
    QVERIFY(f.Message().contains("32767"));
    QCOMPARE(f.job.cutList.cutQuantity[2], std::int16_t{0});
    // A command waits until the box holds a valid value.
    f.Button("calculate")->click();
    QVERIFY(!f.Calculating());
    f.Type(f.Quantity(2), "3");
    QCOMPARE(f.job.cutList.cutQuantity[2], std::int16_t{3});

    f.Type(f.Length(4), "abc");
    QTRY_COMPARE(f.Focused(), static_cast<QWidget*>(f.Length(4)));
    QCOMPARE(f.Message(), QString("数値を入力してください。"));
    f.Length(4)->clear();
    f.Type(f.Length(4), "");
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Quantity(4)));

    f.Type(f.KerfBox(), "-2");
    QTRY_COMPARE(f.Focused(), static_cast<QWidget*>(f.KerfBox()));
    QVERIFY(f.Message().contains("切断幅"));
    f.Type(f.KerfBox(), "2");
    QCOMPARE(f.job.kerf, 2.0f);
    // The down arrow from below 1 gives 0, never a negative kerf.
    f.Type(f.KerfBox(), "0.5");
    f.Find<QToolButton>("kerfDown")->click();
    QCOMPARE(f.job.kerf, 0.0f);
    f.Find<QToolButton>("kerfDown")->click();
    QCOMPARE(f.KerfBox()->text(), QString("0"));
}

void QuorlinWindowTest::calculationShowsPlanAndSwitchesDisplay() {
    QuorlinFixture f;
    f.Load(kSteelFrame);
    QCOMPARE(f.job.jobTitle, std::string("鉄骨架台"));
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    QVERIFY(f.Button("switchDisplay")->isEnabled());
    QVERIFY(f.Button("print")->isEnabled());
    QVERIFY(f.Button("calculate")->isVisible());
    QVERIFY(!f.Button("forceStop")->isVisible());
    QVERIFY(f.Find<QLabel>("resultLabel")->text().contains("合計"));
    auto* picture = f.Find<ResultPicture>("resultPicture");
    QCOMPARE(picture->RowCount(), f.job.plan.resultBarCount);
    QCOMPARE(picture->VerticalStep(), 250.0);
    picture->verticalBar()->setValue(2);
    f.Button("switchDisplay")->click();
    QCOMPARE(f.job.resultDisplayMode, std::int16_t{1});
    QVERIFY(picture->RowCount() < f.job.plan.resultBarCount);
    QCOMPARE(picture->verticalBar()->value(), 0);
    // Saving a current plan writes it.
    f.nextFile = f.dir.filePath("frame.csv");
    QVERIFY(f.window->SaveCommand());
    std::string bytes;
    QVERIFY(tvx::ReadFileBytes(f.nextFile.toStdString(), bytes));
    QVERIFY(bytes.find("\x8c\x76\x8e\x5a\x8c\x8b\x89\xca") != std::string::npos);  // 計算結果
}

void QuorlinWindowTest::nothingIsLiveDuringACalculation() {
    QuorlinFixture f;
    f.Load(LongJob());
    f.Grid()->FocusCell(0, GridColumn::Length);
    f.Grid()->SelectRows(0, 2);
    f.Button("calculate")->click();
    QVERIFY(f.Calculating());
    QVERIFY(f.Button("forceStop")->isVisible());
    QVERIFY(f.Button("forceStop")->isEnabled());
    QVERIFY(!f.Button("calculate")->isVisible());
    for (const char* name : {"reset", "quit", "save", "multiBouzai", "previousPage", "nextPage",
                             "insertTitle", "switchDisplay", "print"})
        QVERIFY2(!f.Button(name)->isEnabled(), name);
    QVERIFY(!f.Length(0)->isEnabled());
    QVERIFY(!f.StockBox()->isEnabled());
    QVERIFY(!f.KerfBox()->isEnabled());
    QVERIFY(!f.window->menuBar()->isEnabled());
    for (QAction* action : f.window->menuBar()->findChildren<QAction*>())
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
    // Shortcuts, keys and clicks change nothing: "新規" (Ctrl+N), Delete on the selected rows.
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(f.Length(0), Qt::Key_Delete);
    QTest::mouseClick(f.Button("reset"), Qt::LeftButton);
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{60});
    QCOMPARE(f.Length(0)->text(), QString("137"));
    // The window stays responsive: the engine's progress reaches it while the search runs.
    // "強制終了" after a pass that found a plan ends the search with the best plan so far.
    bool planFound = false;
    QObject::connect(f.window.get(), &QuorlinWindow::calculationProgress, f.window.get(),
                     [&planFound](const tvx::SearchProgress& p) {
                         planFound = planFound || p.bestCost.has_value();
                     });
    QTRY_VERIFY_WITH_TIMEOUT(planFound, 20000);
    QVERIFY(f.Calculating());
    f.Button("forceStop")->click();
    f.WaitForCalculation();
    QVERIFY(!f.Calculating());
    QVERIFY(f.Length(0)->isEnabled());
    QVERIFY(f.window->menuBar()->isEnabled());
    QVERIFY(f.window->planCurrent());
    QVERIFY(f.Button("print")->isEnabled());
    // A new calculation clears the picture of the plan on show until it ends.
    auto* picture = f.Find<ResultPicture>("resultPicture");
    QVERIFY(picture->RowCount() > 0);
    f.Button("calculate")->click();
    QVERIFY(f.Calculating());
    QCOMPARE(picture->RowCount(), std::int64_t{0});
    QVERIFY(!picture->isEnabled());
    QVERIFY(!f.Button("switchDisplay")->isEnabled());
    f.Button("forceStop")->click();
    f.WaitForCalculation();
    QVERIFY(picture->RowCount() > 0);
}

void QuorlinWindowTest::closeBoxStopsTheSearchThenCloses() {
    QuorlinFixture f;
    f.Load(LongJob());
    f.Button("calculate")->click();
    QVERIFY(f.Calculating());
    f.window->close();
    QVERIFY(f.window->isVisible());  // the search is stopped first
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->isVisible(), 20000);
    QVERIFY(!f.Calculating());
    // The close box writes no settings.
    QSettings ini(f.IniPath(), QSettings::IniFormat);
    QVERIFY(!ini.contains("SizeWariate/BNokome"));
}

void QuorlinWindowTest::stopBeforeAnyPlanSaysSo() {
    QuorlinFixture f;
    // One step per pass finds no assignment in the first pass; a stop then ends the search.
    f.window->SetStepLimit(1);
    f.Load(LongJob());
    f.Button("calculate")->click();
    f.Button("forceStop")->click();
    f.WaitForCalculation();
    QCOMPARE(f.Message(), QString("計算を中断しました。"));
    QVERIFY(!f.window->planView());
    QVERIFY(!f.Button("switchDisplay")->isEnabled());
}

void QuorlinWindowTest::failedCalculationClearsThePlan() {
    QuorlinFixture f;
    f.Load("\"棒材サイズ\"\n6000,0,2\n\"切断幅\"\n0\n\"カットサイズ\"\n3000,4\n");
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    // Now more pieces than the two bars hold.
    f.Type(f.Quantity(0), "5");
    f.Calculate();
    QCOMPARE(f.Message(), QString("割り当てられません。棒材数が不足です。"));
    QVERIFY(!f.window->planView());
    QVERIFY(!f.job.plan.HasPlan());
    QVERIFY(!f.Button("switchDisplay")->isEnabled());
    QVERIFY(!f.Button("print")->isEnabled());
    QCOMPARE(f.Find<ResultPicture>("resultPicture")->RowCount(), std::int64_t{0});
    QVERIFY(!f.Find<ResultPicture>("resultPicture")->verticalBar()->isVisible());

    // More than 32767 pieces are refused before any search.
    f.Load("\"棒材サイズ\"\n6000,0,0\n\"カットサイズ\"\n100,20000\n100,12768\n");
    f.Button("calculate")->click();
    QVERIFY(!f.Calculating());
    QCOMPARE(f.Message(), QString(kTooManyPiecesMessage));
}

void QuorlinWindowTest::laterEditsMarkThePlanOutOfDate() {
    QuorlinFixture f;
    f.Load(kSteelFrame);
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    const std::int64_t bars = f.window->planView()->plan.resultBarCount;
    f.Type(f.Quantity(0), "9");
    QVERIFY(!f.window->planCurrent());
    QVERIFY(!f.Button("print")->isEnabled());
    // The picture keeps the plan with the inputs it was calculated from.
    QCOMPARE(f.window->planView()->rows[0].quantity, std::int16_t{8});
    QCOMPARE(f.window->planView()->plan.resultBarCount, bars);
    QVERIFY(f.Button("switchDisplay")->isEnabled());
    // The file gets no "計算結果" for an out-of-date plan.
    f.nextFile = f.dir.filePath("changed.csv");
    QVERIFY(f.window->SaveCommand());
    std::string bytes;
    QVERIFY(tvx::ReadFileBytes(f.nextFile.toStdString(), bytes));
    QVERIFY(bytes.find("\x8c\x76\x8e\x5a\x8c\x8b\x89\xca") == std::string::npos);

    // The kerf and the part-code display count as inputs too.
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    f.Find<QToolButton>("kerfUp")->click();
    QVERIFY(!f.window->planCurrent());
    f.Calculate();
    f.Action("partCodesAction")->trigger();
    QVERIFY(!f.window->planCurrent());
    QVERIFY(!f.window->planView()->showPartCodes);
}

void QuorlinWindowTest::draggingSelectsWholeRows() {
    QuorlinFixture f;
    f.Load("1000,1\n2000,2\n3000,3\n4000,4\n");
    auto* grid = f.Grid();
    auto send = [](QWidget* target, QEvent::Type type, Qt::MouseButtons held) {
        const QPointF pos(5, 5);
        QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    // Press in row 1, move over row 3 (the events go to the pressed box), release.
    send(f.Length(1), QEvent::MouseButtonPress, Qt::LeftButton);
    const QPoint overRow3 = f.Length(1)->mapFromGlobal(f.Quantity(3)->mapToGlobal(QPoint(5, 5)));
    QMouseEvent move(QEvent::MouseMove, QPointF(overRow3), f.Length(1)->mapToGlobal(overRow3),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Length(1), &move);
    send(f.Length(1), QEvent::MouseButtonRelease, Qt::NoButton);
    QVERIFY(grid->selectionActive());
    QCOMPARE(grid->selectionFirst(), 1);
    QCOMPARE(grid->selectionLast(), 3);
    QCOMPARE(f.Length(2)->palette().color(QPalette::Base), QColor(128, 128, 255));
    QVERIFY(f.Length(0)->palette().color(QPalette::Base) != QColor(128, 128, 255));
    f.window->UpdateEditMenu();
    QVERIFY(f.Action("cutAction")->isEnabled());
    // A click without dragging selects nothing and clears the highlight.
    send(f.Length(0), QEvent::MouseButtonPress, Qt::LeftButton);
    send(f.Length(0), QEvent::MouseButtonRelease, Qt::NoButton);
    QVERIFY(!grid->selectionActive());
    QVERIFY(f.Length(2)->palette().color(QPalette::Base) != QColor(128, 128, 255));
}

void QuorlinWindowTest::deleteThenUndoThreeRows() {
    QuorlinFixture f;
    f.Load("1000,1\n2000,2\n3000,3\n4000,4\n5000,5\n");
    auto* grid = f.Grid();
    grid->FocusCell(1, GridColumn::Length);
    grid->SelectRows(1, 3);
    f.window->UpdateEditMenu();
    QVERIFY(f.Action("deleteAction")->isEnabled());
    QTest::keyClick(f.Length(1), Qt::Key_Delete);
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{2});
    QCOMPARE(f.Length(1)->text(), QString("5000"));
    QVERIFY(!grid->selectionActive());
    f.window->UpdateEditMenu();
    QVERIFY(f.Action("undoAction")->isEnabled());
    f.Action("undoAction")->trigger();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{5});
    for (int r = 0; r < 5; ++r) QCOMPARE(f.Length(r)->text(), QString::number((r + 1) * 1000));
    // One level only.
    f.window->UpdateEditMenu();
    QVERIFY(!f.Action("undoAction")->isEnabled());

    // Deleting empty rows below the list never takes the count below 0.
    f.window->ResetCommand();
    grid->FocusCell(0, GridColumn::Length);
    grid->SelectRows(0, 4);
    f.window->DeleteCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{0});
}

void QuorlinWindowTest::rowStepsLockTheWindow() {
    QuorlinFixture f;
    QString rows;
    for (int r = 1; r <= 10; ++r) rows += QString("%1,%2\n").arg(r * 1000).arg(r);
    f.Load(rows);
    f.Type(f.Quantity(9), "11");  // a changed job: "新規" and "開く" would ask about it
    // A first deletion (without pauses) makes "元に戻す" ready.
    f.Grid()->FocusCell(8, GridColumn::Length);
    f.Grid()->SelectRows(8, 9);
    QTest::keyClick(f.Length(8), Qt::Key_Delete);
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{8});
    QVERIFY(f.Action("undoAction")->isEnabled());
    QVERIFY(!f.Locked());

    f.window->SetStepPause(50);
    f.Grid()->FocusCell(0, GridColumn::Length);
    // A drag that began before the steps (the button is still held when they start).
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                      f.Length(0)->mapToGlobal(QPoint(5, 5)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(f.Length(0), &press);
    f.Grid()->SelectRows(0, 3);
    QTest::keyClick(f.Length(0), Qt::Key_Delete);
    // The command returns after its first step; the others follow from the event loop.
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{7});
    QCOMPARE(f.Length(0)->text(), QString("2000"));
    QVERIFY(f.Locked());
    QVERIFY(!f.Length(5)->isEnabled());
    for (const char* name : {"calculate", "reset", "quit", "save", "multiBouzai", "insertTitle"})
        QVERIFY2(!f.Button(name)->isEnabled(), name);
    QVERIFY(!f.KerfBox()->isEnabled());
    QVERIFY(!f.window->menuBar()->isEnabled());
    for (QAction* action : f.window->menuBar()->findChildren<QAction*>())
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
    // "強制終了" stops a calculation only; the rows are not stopped.
    QVERIFY(!f.Calculating());
    // Shortcuts, buttons, keys, drags and typing do nothing meanwhile: "新規" (Ctrl+N) would
    // empty the list under the running steps, "開く" (Ctrl+O) replace it, "保存" (Ctrl+S)
    // write half-moved rows, Delete and Insert start a second command on the same rows.
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::mouseClick(f.Button("reset"), Qt::LeftButton);
    QTest::mouseClick(f.Find<QToolButton>("kerfUp"), Qt::LeftButton);
    QTest::keyClick(f.Length(2), Qt::Key_Delete);
    QTest::keyClick(f.Length(2), Qt::Key_Insert);
    QTest::keyClick(f.Length(1), Qt::Key_Return);
    QTest::keyClicks(f.Length(0), "9");
    const QPoint overRow6 = f.Length(0)->mapFromGlobal(f.Length(6)->mapToGlobal(QPoint(5, 5)));
    QMouseEvent drag(QEvent::MouseMove, QPointF(overRow6), f.Length(0)->mapToGlobal(overRow6),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Length(0), &drag);
    QCOMPARE(f.Grid()->selectionLast(), 3);
    QCOMPARE(f.prompts, 0);
    QCOMPARE(f.fileChoices, 0);
    QCOMPARE(f.job.kerf, 0.0f);
    QVERIFY(f.Locked());
    QTRY_VERIFY(!f.Locked());
    // Exactly the four rows went, and nothing else happened.
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{4});
    for (int r = 0; r < 4; ++r) QCOMPARE(f.Length(r)->text(), QString::number((r + 5) * 1000));
    QCOMPARE(f.Length(4)->text(), QString());
    QVERIFY(!f.Grid()->selectionActive());
    QVERIFY(f.window->isWindowModified());
    // Unlocked, with the focus back in its cell, "元に戻す" puts the four rows back.
    QCOMPARE(f.Focused(), static_cast<QWidget*>(f.Length(0)));
    QVERIFY(f.Button("reset")->isEnabled());
    QVERIFY(f.window->menuBar()->isEnabled());
    QVERIFY(f.Action("newAction")->isEnabled());
    QVERIFY(f.Action("undoAction")->isEnabled());
    f.Action("undoAction")->trigger();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{8});
    QCOMPARE(f.Length(3)->text(), QString("4000"));

    // A block paste inside the list opens its rows step by step under the same lock, then
    // fills them.
    QGuiApplication::clipboard()->setText("700\t7\r\n800\t8\r\n900\t9\r\n");
    f.Grid()->FocusCell(1, GridColumn::Length);
    f.window->UpdateEditMenu();
    f.Action("pasteAction")->trigger();
    QVERIFY(f.Locked());
    QCOMPARE(f.Length(1)->text(), QString());
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    QTRY_VERIFY(!f.Locked());
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{11});
    QCOMPARE(f.Length(1)->text(), QString("700"));
    QCOMPARE(f.Quantity(3)->text(), QString("9"));
    QCOMPARE(f.Length(4)->text(), QString("2000"));
    QCOMPARE(f.prompts, 0);
}

void QuorlinWindowTest::insertAndPasteGrowTheList() {
    QuorlinFixture f;
    f.Load("1000,1\n2000,2\n");
    auto* grid = f.Grid();
    grid->FocusCell(1, GridColumn::Length);
    grid->SelectRows(1, 2);
    f.window->InsertCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{4});
    QCOMPARE(f.Length(1)->text(), QString());
    QCOMPARE(f.Length(3)->text(), QString("2000"));

    // Rows pasted inside the list are inserted, rows pasted past its end are counted.
    QGuiApplication::clipboard()->setText("700\t7\r\n800\t8\r\n");
    grid->FocusCell(0, GridColumn::Length);
    f.window->UpdateEditMenu();
    QVERIFY(f.Action("pasteAction")->isEnabled());
    f.Action("pasteAction")->trigger();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{6});
    QCOMPARE(f.Length(0)->text(), QString("700"));
    QCOMPARE(f.Quantity(1)->text(), QString("8"));
    QCOMPARE(f.Length(2)->text(), QString("1000"));
    grid->FocusCell(10, GridColumn::Length);
    f.Action("pasteAction")->trigger();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{12});
    QCOMPARE(f.Length(11)->text(), QString("800"));

    // A single value goes into the current cell and counts its row.
    QGuiApplication::clipboard()->setText("1,250");
    grid->FocusCell(15, GridColumn::Length);
    f.Action("pasteAction")->trigger();
    QCOMPARE(f.job.cutList.cutLength[15], 1250.0f);
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{16});
    // A quantity out of range is refused with a message.
    QGuiApplication::clipboard()->setText("99999");
    grid->FocusCell(15, GridColumn::Quantity);
    f.Action("pasteAction")->trigger();
    QCOMPARE(f.job.cutList.cutQuantity[15], std::int16_t{0});
    QVERIFY(f.Message().contains("32767"));
}

void QuorlinWindowTest::pasteRefusesFourFields() {
    QuorlinFixture f;
    f.Grid()->FocusCell(0, GridColumn::Length);
    QGuiApplication::clipboard()->setText("A\t1500\t4\tx\r\n");
    f.window->UpdateEditMenu();
    QVERIFY(!f.Action("pasteAction")->isEnabled());
    f.window->PasteCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{0});
    // With part codes shown, three fields are rows.
    f.Action("partCodesAction")->trigger();
    QGuiApplication::clipboard()->setText("A\t1500\t4\r\n");
    f.Grid()->FocusCell(0, GridColumn::PartCode);
    f.window->UpdateEditMenu();
    QVERIFY(f.Action("pasteAction")->isEnabled());
    f.Action("pasteAction")->trigger();
    QCOMPARE(f.Code(0)->text(), QString("A"));
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{1});
}

void QuorlinWindowTest::undoCopyDroppedByACommittedChange() {
    QuorlinFixture f;
    f.Load("1000,1\n2000,2\n");
    f.window->ResetCommand();
    QVERIFY(f.Action("undoAction")->isEnabled());
    f.Type(f.Length(0), "500");
    QVERIFY(!f.Action("undoAction")->isEnabled());
    // Undo after a reset restores the rows, and the page shown stays covered.
    f.Load("1000,1\n2000,2\n");
    f.window->ResetCommand();
    f.window->UndoCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{2});
    QVERIFY(f.job.cutList.Capacity() >= 20);
}

void QuorlinWindowTest::menuCommandsCommitTheCellFirst() {
    QuorlinFixture f;
    f.Type(f.StockBox(), "6000");
    f.Type(f.Length(0), "1500");
    f.Quantity(0)->setText("3");  // typed but not yet left
    f.nextFile = f.dir.filePath("commit.csv");
    f.Action("saveAction")->trigger();
    BarJob back;
    QVERIFY(ReadBarJobFile(f.nextFile.toStdString(), back));
    QCOMPARE(back.cutList.rowCount, std::int16_t{1});
    QCOMPARE(back.cutList.cutQuantity[0], std::int16_t{3});
    QCOMPARE(back.stock.stockEntryLength[0], 6000.0f);
    // Ctrl+X in a box cuts its text instead of quitting.
    f.Type(f.Length(1), "777");
    f.Length(1)->setFocus();
    f.Length(1)->selectAll();
    QTest::keyClick(f.Length(1), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.Length(1)->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("777"));
}

void QuorlinWindowTest::openReadsBeforeResetAndFailedOpenKeepsTheJob() {
    QuorlinFixture f;
    f.Load(kSteelFrame);
    f.nextFile = f.dir.filePath("missing.csv");
    f.window->OpenCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{6});
    QCOMPARE(f.job.jobTitle, std::string("鉄骨架台"));
    QVERIFY(f.Message().contains("開けません"));
    // A good file replaces the job, and becomes the current file.
    QFile other(f.dir.filePath("other.csv"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("1500,4\n820,10\n");
    other.close();
    f.nextFile = other.fileName();
    f.window->OpenCommand();
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{2});
    QCOMPARE(f.job.jobTitle, std::string());
    QCOMPARE(f.job.stock.stockEntryCountInUse, std::int16_t{0});
    QCOMPARE(QString::fromStdString(f.job.currentFileName), other.fileName());
    QCOMPARE(f.settings->GetText("BouFile"), f.dir.path() + "/");
}

void QuorlinWindowTest::partialReadRefreshesTheWholeWindow() {
    QuorlinFixture f;
    f.Load(
        "\"途中まで\"\n\"棒材サイズ\"\n5500,0,0\n\"切断幅\"\n2\n\"カットサイズ\"\n1000,2\n1e39,1\n"
        "2000,5\n");
    QCOMPARE(f.Message(), QString(kIncompleteReadMessage));
    QCOMPARE(f.Find<QLineEdit>("titleBox")->text(), QString("途中まで"));
    QCOMPARE(f.StockBox()->text(), QString("5500"));
    QCOMPARE(f.KerfBox()->text(), QString("2"));
    QCOMPARE(f.Length(0)->text(), QString("1000"));
    QCOMPARE(f.Length(1)->text(), QString());
    QCOMPARE(f.job.cutList.rowCount, std::int16_t{1});
}

void QuorlinWindowTest::saveKeepsCodesAddsExtensionAndReportsFailure() {
    QuorlinFixture f;
    f.Load("\"棒材サイズ\"\n6000,0,0\n\"カットサイズ\"\n\"A-1\",1500,4\n\"\",820,10\n");
    QVERIFY(f.job.showPartCodes);
    f.Action("partCodesAction")->trigger();
    QVERIFY(!f.job.showPartCodes);
    f.nextFile = f.dir.filePath("codes");
    QVERIFY(f.window->SaveCommand());
    QCOMPARE(QString::fromStdString(f.job.currentFileName), f.dir.filePath("codes.csv"));
    QVERIFY(!f.window->isWindowModified());
    BarJob back;
    QVERIFY(ReadBarJobFile(f.job.currentFileName, back));
    QVERIFY(back.showPartCodes);
    QCOMPARE(back.cutList.cutComment[0], std::string("A-1"));

    // A folder that cannot be written: the message says so and the job stays modified.
    f.Type(f.Quantity(1), "11");
    f.job.currentFileName.clear();
    f.nextFile = f.dir.filePath("no/such/folder/x.csv");
    QString boxText;
    tvx::test::AnswerNextBox(&boxText);
    QVERIFY(!f.window->SaveCommand());
    QVERIFY(boxText.startsWith("保存できませんでした。"));
    QVERIFY(boxText.size() > QString("保存できませんでした。").size());
    QVERIFY(f.Message().startsWith("保存できませんでした。"));
    QVERIFY(f.window->isWindowModified());
}

void QuorlinWindowTest::modifiedJobAsksBeforeItIsDiscarded() {
    QuorlinFixture f;
    f.Type(f.Length(0), "1500");
    QVERIFY(f.window->isWindowModified());
    f.answer = QuorlinWindow::SaveAnswer::kCancel;
    f.window->ResetCommand();
    QCOMPARE(f.prompts, 1);
    QCOMPARE(f.job.cutList.cutLength[0], 1500.0f);
    f.window->close();
    QVERIFY(f.window->isVisible());
    // "保存" saves first, then the reset goes on.
    f.answer = QuorlinWindow::SaveAnswer::kSave;
    f.nextFile = f.dir.filePath("asked.csv");
    f.window->ResetCommand();
    QVERIFY(QFile::exists(f.nextFile));
    QCOMPARE(f.job.cutList.cutLength[0], 0.0f);
    QVERIFY(!f.window->isWindowModified());
    // Nothing changed: no question.
    f.window->ResetCommand();
    QCOMPARE(f.prompts, 3);
}

void QuorlinWindowTest::commandLineIsTrimmedOfQuotes() {
    QuorlinFixture f;
    QDir().mkpath(f.dir.filePath("a b"));
    const QString path = f.dir.filePath("a b/frame.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kSteelFrame));
    file.close();
    f.window.reset();
    f.window = std::make_unique<QuorlinWindow>(f.job, *f.settings);
    f.window->SetCommandLine(" \"" + path + "\" ");
    f.window->show();
    QTRY_COMPARE(f.job.cutList.rowCount, std::int16_t{6});
    QCOMPARE(QString::fromStdString(f.job.currentFileName), path);
}

void QuorlinWindowTest::settingsWrittenByQuitOnlyAndKeyByKey() {
    QuorlinFixture f;
    f.Type(f.KerfBox(), "4");
    f.Action("partCodesAction")->trigger();
    f.window->close();
    {
        QSettings ini(f.IniPath(), QSettings::IniFormat);
        QVERIFY(!ini.contains("SizeWariate/BNokome"));
        QVERIFY(!ini.contains("SizeWariate/BKataban"));
    }
    f.Open();
    QCOMPARE(f.job.kerf, 0.0f);
    // Another program writes its own key meanwhile; "終了" keeps it.
    tvx::gui::SettingsStore other(f.IniPath());
    f.Type(f.KerfBox(), "2.5");
    other.SaveText("Nokome", "7");
    f.Button("quit")->click();
    QVERIFY(!f.window->isVisible());
    QSettings ini(f.IniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value("SizeWariate/BNokome").toString(), QString("2.5"));
    QCOMPARE(ini.value("SizeWariate/BKataban").toString(), QString("0"));
    QCOMPARE(ini.value("SizeWariate/Nokome").toString(), QString("7"));
    f.Open();
    QCOMPARE(f.job.kerf, 2.5f);
}

void QuorlinWindowTest::quitKeepsKeysAnotherProgramWroteMeanwhile() {
    QuorlinFixture f;
    // Tavolex, running as another process, rewrites the file after Quorlin has read it.
    {
        QFile ini(f.IniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(
            "[SizeWariate]\nNokome=7\nCutsell=1\nBNokome=9\n\n[OptimizedLayout]\n"
            "Enabled=True\n");
    }
    f.Type(f.KerfBox(), "1.5");
    f.Button("quit")->click();
    QVERIFY(!f.window->isVisible());
    QSettings ini(f.IniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value("SizeWariate/BNokome").toString(), QString("1.5"));
    QCOMPARE(ini.value("SizeWariate/BKataban").toString(), QString("0"));
    QCOMPARE(ini.value("SizeWariate/Nokome").toString(), QString("7"));
    QCOMPARE(ini.value("SizeWariate/Cutsell").toString(), QString("1"));
    QCOMPARE(ini.value("OptimizedLayout/Enabled").toString(), QString("True"));
}

void QuorlinWindowTest::pictureScrollsToItsWholeWidth() {
    QuorlinFixture f;
    // One bar carries fourteen long part codes: their list runs far right of the bars.
    QString rows = "\"棒材サイズ\"\n6000,0,0\n\"切断幅\"\n3\n\"カットサイズ\"\n";
    for (int r = 0; r < 14; ++r) rows += QString("\"PART-LONG-CODE-%1\",400,1\n").arg(r + 10);
    f.Load(rows);
    f.Calculate();
    auto* picture = f.Find<ResultPicture>("resultPicture");
    QScrollBar* bar = picture->horizontalBar();
    QVERIFY(bar->isVisible());
    const int frameWidth =
        picture->width() -
        (picture->verticalBar()->isVisible() ? picture->verticalBar()->width() : 0);
    // The rightmost dark-red (part code) pixel of the picture at a scroll position.
    auto rightmostCodePixel = [&](int value) {
        bar->setValue(value);
        const QImage image = picture->grab().toImage();
        int rightmost = -1;
        for (int y = 0; y < image.height() - bar->height(); ++y)
            for (int x = 0; x < frameWidth; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > c.green() + 60 && c.red() > c.blue() + 60)
                    rightmost = std::max(rightmost, x);
            }
        return rightmost;
    };
    // At the left the codes run on past the frame; at the right end of the bar they end
    // inside it.
    QVERIFY(rightmostCodePixel(0) >= frameWidth - 3);
    const int end = rightmostCodePixel(bar->maximum());
    QVERIFY(end > 0);
    QVERIFY2(end < frameWidth - 3, qPrintable(QString("%1 of %2").arg(end).arg(frameWidth)));
    QVERIFY(bar->maximum() * picture->HorizontalStep() <= picture->PictureWidth());
}

void QuorlinWindowTest::printsThePlanToPdf() {
    QuorlinFixture f;
    f.Load(kSteelFrame);
    f.Calculate();
    const QString pdf = f.dir.filePath("plan.pdf");
    tvx::gui::SetPrinterDialogRunner([&pdf](QPrinter& draft, QWidget*) {
        draft.setOutputFormat(QPrinter::PdfFormat);
        draft.setOutputFileName(pdf);
        return true;
    });
    f.Button("print")->click();
    QVERIFY(QFile::exists(pdf));
    QVERIFY(QFile(pdf).size() > 1000);
    QCOMPARE(f.Message(), QString());
    // A cancelled dialog prints nothing.
    QFile::remove(pdf);
    tvx::gui::SetPrinterDialogRunner([](QPrinter&, QWidget*) { return false; });
    f.Button("print")->click();
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(f.Message(), QString());
    // A printer that cannot be written to is reported, not passed off as printed.
    const QString unwritable = f.dir.filePath("no/such/folder/plan.pdf");
    tvx::gui::SetPrinterDialogRunner([&unwritable](QPrinter& draft, QWidget*) {
        draft.setOutputFormat(QPrinter::PdfFormat);
        draft.setOutputFileName(unwritable);
        return true;
    });
    f.Button("print")->click();
    QCOMPARE(f.Message(), QString(kPrintFailedMessage));
    QVERIFY(!QFile::exists(unwritable));
    tvx::gui::SetPrinterDialogRunner({});
}

void QuorlinWindowTest::optimalSwitchIsKeptInItsOwnSection() {
    QuorlinFixture f;
    QAction* optimal = f.Action("optimalAction");
    QCOMPARE(optimal->text(), QString("最適化計算"));
    QVERIFY(f.Find<QMenu>("optionMenu")->actions().contains(optimal));
    QVERIFY(optimal->isCheckable());
    QVERIFY(!optimal->isChecked());
    optimal->trigger();
    f.Button("quit")->click();
    {
        QSettings ini(f.IniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value("OptimalBarPlan/Enabled").toString(), QString("True"));
        QVERIFY(!ini.contains("SizeWariate/Enabled"));
        QVERIFY(!ini.contains("OptimizedLayout/Enabled"));  // the panel program's own switch
    }
    f.Open();
    QVERIFY(f.Action("optimalAction")->isChecked());
    // Unticked again and quit: kept as False; the switch does not mark the job as changed.
    f.Action("optimalAction")->trigger();
    QVERIFY(!f.window->isWindowModified());
    f.Button("quit")->click();
    QSettings ini(f.IniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value("OptimalBarPlan/Enabled").toString(), QString("False"));
}

void QuorlinWindowTest::optimalCalculationSaysOptimalOrTheGap() {
    QuorlinFixture f;
    f.Load(kSteelFrame);
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    const QString standardSummary = f.Find<QLabel>("resultLabel")->text();
    QVERIFY(!standardSummary.contains("最適"));
    QVERIFY(!standardSummary.contains("下限"));
    const std::int64_t standardBars = f.job.plan.resultBarCount;

    // Ticked: "計算" runs the optimising calculation; its plan is proven and says so.
    f.Action("optimalAction")->trigger();
    f.Calculate();
    QVERIFY(f.window->planCurrent());
    QVERIFY(f.job.plan.provenOptimal);
    QVERIFY(f.job.plan.resultBarCount <= standardBars);
    QStringList lines = f.Find<QLabel>("resultLabel")->text().split('\n');
    QCOMPARE(lines.last(), QString("最適"));
    QVERIFY(lines.size() >= 2 && lines[lines.size() - 2].contains("合計"));

    // "強制終了" ends it promptly with the best plan so far and the gap to the bound.
    f.Load(QString::fromStdString(SixLengthsFourHundredPieces()), "priced.csv");
    // Stopped once the solver has a bound, that is in the middle of its work.
    bool bounded = false;
    QObject::connect(f.window.get(), &QuorlinWindow::calculationProgress, f.window.get(),
                     [&bounded](const tvx::SearchProgress& p) {
                         bounded = bounded || p.lowerBound.has_value();
                     });
    f.Button("calculate")->click();
    QVERIFY(f.Calculating());
    QTRY_VERIFY_WITH_TIMEOUT(bounded, 20000);
    QElapsedTimer sinceStop;
    sinceStop.start();
    f.Button("forceStop")->click();
    f.WaitForCalculation();
    QVERIFY2(sinceStop.elapsed() < 5000, qPrintable(QString::number(sinceStop.elapsed())));
    QVERIFY(f.window->planCurrent());
    QVERIFY(f.job.plan.HasPlan());
    QVERIFY(!f.job.plan.provenOptimal);
    QVERIFY(f.job.plan.costLowerBound <= f.job.plan.bestCost);
    lines = f.Find<QLabel>("resultLabel")->text().split('\n');
    QVERIFY2(QRegularExpression("^下限との差 \\d+\\.\\d%$").match(lines.last()).hasMatch(),
             qPrintable(lines.last()));
}

QTEST_MAIN(QuorlinWindowTest)
#include "quorlin_window_test.moc"
