// The automatic layout as the window runs it: on a worker thread, with the window locked
// except "強制終了", which stops the search; closing the window during a layout.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "panel/engine/check_job.h"
#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::test::WindowFixture;

class LayoutRunTest : public QObject {
    Q_OBJECT
  private slots:
    void forceStopDuringAOneSizeLayout();
    void forceStopDuringASeveralSizeLayoutKeepsTheBestLayout();
    void closingTheWindowDuringALayoutClosesItWhenTheSearchReturns();
};

namespace {

constexpr int kStopTimeoutMs = 60000;

// One size and far more parts than the search can place quickly: every run is long.
void EnterLongOneSizeJob(WindowFixture& f) {
    f.Find<QLineEdit>("heightBox")->setText("1820");
    f.Find<QLineEdit>("widthBox")->setText("910");
    f.Type(0, Column::Height, "50");
    f.Type(0, Column::Width, "50");
    f.Type(0, Column::Quantity, "30000");
}

// Three sizes without limits, two parts to the smallest panel: hundreds of iterations.
void EnterLongSeveralSizeJob(WindowFixture& f) {
    f.job.stock[0] = {1820, 910, 0, 0};
    f.job.stock[1] = {2430, 1220, 0, 0};
    f.job.stock[2] = {1220, 610, 0, 0};
    f.job.lastSizeIndex = 2;
    f.window->ShowPanelSizes();
    f.Type(0, Column::Height, "500");
    f.Type(0, Column::Width, "500");
    f.Type(0, Column::Quantity, "600");
}

// While the search runs only "強制終了" may be used.
void ExpectLocked(WindowFixture& f) {
    QVERIFY(f.window->layoutRunning());
    QVERIFY(f.Find<QPushButton>("forceStopButton")->isVisible());
    QVERIFY(f.Find<QPushButton>("forceStopButton")->isEnabled());
    QVERIFY(!f.Find<QPushButton>("autoCutButton")->isEnabled());
    QVERIFY(!f.Cell(0, Column::Height)->isEnabled());
    QVERIFY(!f.Find<QLineEdit>("heightBox")->isEnabled());
    for (QAction* menu : f.window->menuBar()->actions()) QVERIFY(!menu->isEnabled());
}

void ExpectUnlocked(WindowFixture& f) {
    QVERIFY(!f.window->layoutRunning());
    QVERIFY(f.Find<QPushButton>("forceStopButton")->isHidden());
    QVERIFY(f.Find<QPushButton>("autoCutButton")->isEnabled());
    QVERIFY(f.Cell(0, Column::Height)->isEnabled());
    for (QAction* menu : f.window->menuBar()->actions()) QVERIFY(menu->isEnabled());
}

}  // namespace

void LayoutRunTest::forceStopDuringAOneSizeLayout() {
    WindowFixture f;
    EnterLongOneSizeJob(f);
    int shown = 0;
    f.window->SetResultViewer([&] { ++shown; });
    f.window->AutoCut();
    ExpectLocked(f);
    QCOMPARE(f.Find<QLabel>("messageLine")->text(), QString("計算中．．．．．"));
    f.Find<QPushButton>("forceStopButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), kStopTimeoutMs);
    ExpectUnlocked(f);
    // The first run was cut short: no complete layout, the usual message.
    QCOMPARE(shown, 0);
    QCOMPARE(f.Find<QLabel>("messageLine")->text(), QString(tvx::panel::kNoLayoutMessage));

    // The next layout is not stopped by the old request.
    f.Type(0, Column::Quantity, "4");
    f.window->AutoCut();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), kStopTimeoutMs);
    QCOMPARE(shown, 1);
    QVERIFY(!f.window->layoutResult().panels.empty());
}

void LayoutRunTest::forceStopDuringASeveralSizeLayoutKeepsTheBestLayout() {
    WindowFixture f;
    EnterLongSeveralSizeJob(f);
    int shown = 0;
    f.window->SetResultViewer([&] {
        ++shown;
        QVERIFY(!f.window->layoutResult().panels.empty());
    });
    f.window->AutoCut();
    ExpectLocked(f);
    // Progress arrives from the worker: the iteration count every ten iterations.
    QTRY_VERIFY2_WITH_TIMEOUT(f.Find<QLabel>("messageLine")->text().startsWith("計算中．．．．．1"),
                              qPrintable(f.Find<QLabel>("messageLine")->text()), kStopTimeoutMs);
    const QString line = f.Find<QLabel>("messageLine")->text();
    bool number = false;
    QCOMPARE(line.mid(QString("計算中．．．．．").size()).toInt(&number) % 10, 0);
    QVERIFY(number);
    f.Find<QPushButton>("forceStopButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), kStopTimeoutMs);
    ExpectUnlocked(f);
    QCOMPARE(shown, 1);  // the best layout so far is shown
    QVERIFY(f.Find<QLabel>("messageLine")->text().isEmpty());
}

void LayoutRunTest::closingTheWindowDuringALayoutClosesItWhenTheSearchReturns() {
    WindowFixture f;
    EnterLongOneSizeJob(f);
    int shown = 0;
    f.window->SetResultViewer([&] { ++shown; });
    f.window->AutoCut();
    QVERIFY(f.window->layoutRunning());
    QVERIFY(!f.window->close());  // the close waits for the search
    QVERIFY(f.window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->isVisible(), kStopTimeoutMs);
    QVERIFY(!f.window->layoutRunning());
    QCOMPARE(shown, 0);
}

QTEST_MAIN(LayoutRunTest)
#include "layout_run_test.moc"
