// The "最適化レイアウト" option of the main window: kept in its own settings section, used by
// "自動カット" when ticked, and its verdict shown in the result view.

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "panel/output/result_view.h"
#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::test::WindowFixture;

class OptimizeOptionTest : public QObject {
    Q_OBJECT
  private slots:
    void optionIsKeptInItsOwnSection();
    void autoCutUsesTheOptimisingLayoutWhenTicked();
    void resultViewShowsTheVerdict();
};

void OptimizeOptionTest::optionIsKeptInItsOwnSection() {
    WindowFixture f;
    QAction* action = f.Find<QAction>("optimizeLayoutAction");
    QVERIFY(action);
    QCOMPARE(action->text(), QString::fromUtf8("最適化レイアウト"));
    QVERIFY(action->isCheckable());
    QVERIFY(!action->isChecked());
    action->trigger();
    QVERIFY(action->isChecked());
    f.window->QuitCommand();
    {
        QSettings ini(f.IniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value("OptimizedLayout/Enabled").toString(), QString("True"));
        QVERIFY(!ini.contains("SizeWariate/OptimizedLayout"));
        QVERIFY(!ini.contains("SizeWariate/Enabled"));
    }
    f.Open();
    QVERIFY(f.Find<QAction>("optimizeLayoutAction")->isChecked());
}

void OptimizeOptionTest::autoCutUsesTheOptimisingLayoutWhenTicked() {
    WindowFixture f;
    f.Find<QLineEdit>("heightBox")->setText("1820");
    f.Find<QLineEdit>("widthBox")->setText("910");
    f.Type(0, Column::Height, "600");
    f.Type(0, Column::Width, "450");
    f.Type(0, Column::Quantity, "6");
    bool shown = false;
    f.window->SetResultViewer([&] { shown = true; });

    f.window->AutoCut();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), 30000);
    QVERIFY(shown);
    QVERIFY(f.window->optimizeVerdict().isEmpty());

    shown = false;
    f.Find<QAction>("optimizeLayoutAction")->trigger();
    f.window->AutoCut();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), 30000);
    QVERIFY(shown);
    // Six 600 x 450 parts fill one 1820 x 910 panel with room to spare: optimal.
    QCOMPARE(f.window->optimizeVerdict(), QString::fromUtf8("最適"));
    int panels = 0;
    for (const auto& panel : f.window->layoutResult().panels) panels += panel.used() ? 1 : 0;
    QCOMPARE(panels, 1);
    QVERIFY(f.Find<QPushButton>("autoCutButton")->isEnabled());
    QVERIFY(f.Find<QPushButton>("forceStopButton")->isHidden());
}

void OptimizeOptionTest::resultViewShowsTheVerdict() {
    WindowFixture f;
    f.Find<QLineEdit>("heightBox")->setText("1820");
    f.Find<QLineEdit>("widthBox")->setText("910");
    f.Type(0, Column::Height, "600");
    f.Type(0, Column::Width, "450");
    f.Type(0, Column::Quantity, "6");
    f.window->SetResultViewer([] {});
    f.Find<QAction>("optimizeLayoutAction")->trigger();
    f.window->AutoCut();
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->layoutRunning(), 30000);
    tvx::panel::ResultViewHooks hooks;
    hooks.optimizeVerdict = f.window->optimizeVerdict();
    tvx::panel::ResultView view(f.window->job(), f.window->layoutInput(), f.window->layoutResult(),
                                hooks);
    QCOMPARE(view.optimizeVerdictLabel()->text(), QString::fromUtf8("最適"));
    QVERIFY(!view.optimizeVerdictLabel()->isHidden());
    tvx::panel::ResultView plain(f.window->job(), f.window->layoutInput(),
                                 f.window->layoutResult());
    QVERIFY(plain.optimizeVerdictLabel()->isHidden());
}

QTEST_MAIN(OptimizeOptionTest)
#include "optimize_option_test.moc"
