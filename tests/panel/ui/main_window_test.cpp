#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/gui/help_viewer.h"
#include "common/version.h"
#include "panel/model/job_file_reader.h"
#include "panel/output/result_view.h"
#include "panel/ui/keypad_letters.h"
#include "window_fixture.h"

using tvx::panel::test::WindowFixture;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void keypadLettersAndFullWidthBecomeDigits();
    void versionLabelShowsTheProgramVersionInFullWidth();
    void enterWalksTheGridAndTurnsThePage();
    void enterFromTheCommentColumn();
    void arrowsAndPanelBoxes();
    void typingBelowTheListExtendsIt();
    void checkMessagesMoveTheFocus();
    void resetThenUndoBringsRowsBack();
    void perRowOrientationTicksRowsInUse();
    void settingsWrittenByQuitOnly();
    void commandLineJobOpensAtFirstActivation();
    void saveCommitsTheCellBeingEdited();
    void openingAMissingFileKeepsTheJob();
    void helpOpensAndClosesWithTheWindow();
    void autoCutOpensTheResultViewWhoseSaveSaves();
};

void MainWindowTest::keypadLettersAndFullWidthBecomeDigits() {
    QCOMPARE(tvx::panel::MapKeypadLetters("uiojklm"), QString("4561230"));
    QCOMPARE(tvx::panel::MapKeypadLetters("１２．５－"), QString("12.5-"));
    QCOMPARE(tvx::panel::MapKeypadLetters("abc"), QString("abc"));

    WindowFixture f;
    f.Type(0, "jkl");  // height 123
    QCOMPARE(f.window->cell(0)->text(), QString("123"));
    QCOMPARE(f.job.cutList[0].height, 123.0f);
    // The comment column takes the letters as they are.
    f.Type(3, "jkl");
    QCOMPARE(f.job.cutList[0].comment, std::string("jkl"));
    // What the input method commits full-width arrives as ASCII.
    QLineEdit* width = f.window->cell(1);
    width->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString("４５０．５");
    QApplication::sendEvent(width, &commit);
    QCOMPARE(width->text(), QString("450.5"));
    // So does the kerf box.
    f.window->kerfBox()->setFocus();
    f.window->kerfBox()->selectAll();
    QTest::keyClicks(f.window->kerfBox(), "k");
    QCOMPARE(f.job.kerf, std::int16_t{2});
}

void MainWindowTest::versionLabelShowsTheProgramVersionInFullWidth() {
    WindowFixture f;
    auto* label = f.window->findChild<QLabel*>("versionLabel");
    QVERIFY(label);
    const QString text = label->text();
    QVERIFY(text.startsWith("Ver "));
    // Full-width digits only, which read back as the version CMake was given.
    QVERIFY(!text.mid(4).contains(QRegularExpression("[0-9.]")));
    QCOMPARE(tvx::panel::MapKeypadLetters(text.mid(4)), QString(tvx::kProgramVersion));
}

void MainWindowTest::enterWalksTheGridAndTurnsThePage() {
    WindowFixture f;
    f.Type(0, "600");
    QCOMPARE(f.Focused(), f.window->cell(1));
    f.Type(1, "300");
    QCOMPARE(f.Focused(), f.window->cell(2));
    f.Type(2, "2");  // comment column off: next row's height
    QCOMPARE(f.Focused(), f.window->cell(4));
    QCOMPARE(f.job.cutCount, std::int16_t{1});

    // Enter in the quantity cell of row 20 turns to the next page.
    f.Type(19 * 4 + 2, "1");
    QCOMPARE(f.window->currentPage(), 1);
    QCOMPARE(f.Focused(), f.window->cell(0));
    QCOMPARE(f.window->rowLabel(0)->text(), QString("(21)"));
    QCOMPARE(f.job.cutCount, std::int16_t{20});

    // On the last page the page stays and the focus goes to cell 0.
    for (int i = 0; i < 8; ++i) f.window->NextPage();
    QCOMPARE(f.window->currentPage(), 9);
    f.Type(19 * 4 + 2, "4");
    QCOMPARE(f.window->currentPage(), 9);
    QCOMPARE(f.Focused(), f.window->cell(0));
    QCOMPARE(f.job.cutList[199].quantity, std::int16_t{4});
    QCOMPARE(f.job.cutCount, std::int16_t{200});
}

void MainWindowTest::enterFromTheCommentColumn() {
    WindowFixture f;
    f.window->ToggleCommentColumn();
    QVERIFY(f.job.comIn);
    QCOMPARE(f.window->cell(3)->palette().color(QPalette::Base), f.window->CommentBackColour());
    f.Type(2, "1");  // comment column on: the row's comment cell
    QCOMPARE(f.Focused(), f.window->cell(3));
    f.Type(3, "棚");
    QCOMPARE(f.Focused(), f.window->cell(4));

    f.window->ToggleCommentColumn();
    // Comment column off: from a comment cell to the next row's comment when its height is set.
    f.Type(4, "500");
    f.Type(3, "棚板");
    QCOMPARE(f.Focused(), f.window->cell(7));
    f.Type(7, "x");  // row 2 has no height
    QCOMPARE(f.Focused(), f.window->cell(8));
}

void MainWindowTest::arrowsAndPanelBoxes() {
    WindowFixture f;
    f.window->cell(5)->setFocus();
    QTest::keyClick(f.window->cell(5), Qt::Key_Left);
    QCOMPARE(f.Focused(), f.window->cell(4));
    QTest::keyClick(f.window->cell(4), Qt::Key_Left);  // column 0: nothing
    QCOMPARE(f.Focused(), f.window->cell(4));
    QTest::keyClick(f.window->cell(4), Qt::Key_Up);
    QCOMPARE(f.Focused(), f.window->cell(0));
    QTest::keyClick(f.window->cell(0), Qt::Key_Up);  // row 0: the height box
    QCOMPARE(f.Focused(), f.window->heightBox());
    QCOMPARE(f.window->focusRow(), -1);
    QTest::keyClicks(f.window->heightBox(), "1820");
    QTest::keyClick(f.window->heightBox(), Qt::Key_Return);
    QCOMPARE(f.Focused(), f.window->widthBox());
    QTest::keyClicks(f.window->widthBox(), "910");
    QTest::keyClick(f.window->widthBox(), Qt::Key_Right);  // no price box: the kerf box
    QCOMPARE(f.Focused(), f.window->kerfBox());
    QCOMPARE(f.job.typedHeight, 1820);
    QCOMPARE(f.job.typedWidth, 910);
    f.window->kerfBox()->clear();
    QTest::keyClick(f.window->kerfBox(), Qt::Key_Return);  // an empty kerf is written as 0
    QCOMPARE(f.window->kerfBox()->text(), QString("0"));
    QCOMPARE(f.Focused(), f.window->cell(0));
    // The spinner never goes below 0.
    f.window->kerfDownButton()->click();
    QCOMPARE(f.job.kerf, std::int16_t{0});
    f.window->kerfUpButton()->click();
    f.window->kerfUpButton()->click();
    QCOMPARE(f.window->kerfBox()->text(), QString("2"));
    QCOMPARE(f.job.kerf, std::int16_t{2});
}

void MainWindowTest::typingBelowTheListExtendsIt() {
    WindowFixture f;
    for (int r = 0; r < 5; ++r) f.Type(r * 4, "100");
    QCOMPARE(f.job.cutCount, std::int16_t{5});
    f.window->NextPage();
    f.Type(10 * 4, "300");  // row 31
    QCOMPARE(f.job.cutCount, std::int16_t{31});
    QCOMPARE(f.job.cutList[30].height, 300.0f);
    QCOMPARE(f.job.cutList[10].height, 0.0f);
}

void MainWindowTest::checkMessagesMoveTheFocus() {
    WindowFixture f;
    f.window->heightBox()->setText("1800");
    f.window->widthBox()->setText("910");
    f.Type(0, "1820");
    f.Type(1, "900");
    f.Type(2, "1");
    f.window->AutoCut();
    QCOMPARE(f.window->messageLabel()->text(), QString("パネルサイズを超えています。"));
    QCOMPARE(f.Focused(), f.window->cell(0));

    // A too wide part on page 2 turns to its page and focuses its width cell.
    f.Type(0, "500");
    f.window->NextPage();
    f.Type(4 * 4 + 0, "500");
    f.Type(4 * 4 + 1, "1000");
    f.Type(4 * 4 + 2, "1");
    f.window->PreviousPage();
    f.window->AutoCut();
    QCOMPARE(f.window->currentPage(), 1);
    QCOMPARE(f.Focused(), f.window->cell(4 * 4 + 1));
    QCOMPARE(f.window->messageLabel()->text(), QString("パネルサイズを超えています。"));
    // With free orientation the part fits turned.
    f.window->rotateAllBox()->click();
    QVERIFY(f.window->RunCheck());

    // A negative kerf, or one too large for the layout's lengths, goes back to its box,
    // which keeps what was typed.
    f.window->kerfBox()->setText("-50");
    f.window->AutoCut();
    QCOMPARE(f.window->messageLabel()->text(), QString("切断幅は0以上で指定してください。"));
    QCOMPARE(f.Focused(), f.window->kerfBox());
    QCOMPARE(f.window->kerfBox()->text(), QString("-50"));
    QCOMPARE(f.job.kerf, std::int16_t{-50});
    f.window->kerfBox()->setText("32767");
    f.window->AutoCut();
    QVERIFY(f.window->messageLabel()->text().startsWith("切断幅が大きすぎます。"));
    QCOMPARE(f.Focused(), f.window->kerfBox());
    f.window->kerfBox()->setText("3");
    QVERIFY(f.window->RunCheck());

    f.window->heightBox()->setText("99");
    QVERIFY(f.window->messageLabel()->text().isEmpty());  // a change of a box clears the line
    f.window->AutoCut();
    QCOMPARE(f.window->messageLabel()->text(),
             QString("100から15000までの範囲で指定してください。"));
    QCOMPARE(f.Focused(), f.window->heightBox());
    f.window->heightBox()->setText("1800");
    f.window->widthBox()->setText("15001");
    f.window->AutoCut();
    QCOMPARE(f.Focused(), f.window->widthBox());

    // Incomplete rows only: nothing, no message.
    WindowFixture g;
    g.window->heightBox()->setText("1820");
    g.window->widthBox()->setText("910");
    g.Type(0, "300");
    g.Type(1, "200");
    g.window->AutoCut();
    QVERIFY(g.window->messageLabel()->text().isEmpty());

    // A job that lays out opens the result view and ends with a clear line.
    bool shown = false;
    g.window->SetResultViewer([&] {
        shown = true;
        QVERIFY(!g.window->layoutResult().panels.empty());
        QVERIFY(g.window->forceStopButton()->isHidden() == false || !g.window->layoutRunning());
    });
    g.Type(2, "3");
    g.window->AutoCut();
    QTRY_VERIFY(!g.window->layoutRunning());
    QVERIFY(shown);
    QVERIFY(g.window->messageLabel()->text().isEmpty());
    QVERIFY(g.window->autoCutButton()->isEnabled());
    QVERIFY(g.window->forceStopButton()->isHidden());
}

void MainWindowTest::resetThenUndoBringsRowsBack() {
    WindowFixture f;
    f.window->heightBox()->setText("1820");
    f.window->widthBox()->setText("910");
    f.window->kerfBox()->setText("3");
    f.Type(0, "400");
    f.Type(1, "300");
    f.Type(2, "2");
    f.Type(4, "250");
    QVERIFY(!f.window->undoAction()->isEnabled());
    f.window->ResetJobCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{0});
    QVERIFY(f.window->cell(0)->text().isEmpty());
    QVERIFY(f.window->heightBox()->text().isEmpty());
    QCOMPARE(f.window->kerfBox()->text(), QString("3"));  // the kerf stays
    QCOMPARE(f.Focused(), f.window->heightBox());
    QVERIFY(f.window->undoAction()->isEnabled());
    f.window->UndoCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{2});
    QCOMPARE(f.window->cell(0)->text(), QString("400"));
    QCOMPARE(f.window->cell(2)->text(), QString("2"));
    QVERIFY(f.window->heightBox()->text().isEmpty());  // sizes are not part of the undo
    QVERIFY(!f.window->undoAction()->isEnabled());

    // Typing into a cell after a reset makes undo impossible.
    f.window->ResetJobCommand();
    f.Type(0, "700");
    QVERIFY(!f.job.undoReady);
    QVERIFY(!f.window->undoAction()->isEnabled());
}

void MainWindowTest::perRowOrientationTicksRowsInUse() {
    WindowFixture f;
    f.Type(0, "100");
    f.Type(4, "100");
    f.window->rotateAllBox()->click();
    QVERIFY(f.job.rotateAll);
    f.window->ToggleKtyFree();
    QVERIFY(f.window->ktyFreeAction()->isChecked());
    QVERIFY(f.window->rotateAllBox()->isHidden());
    QVERIFY(!f.window->rowTurnBox(0)->isHidden());
    QVERIFY(f.window->rowTurnBox(0)->isChecked());
    QVERIFY(f.window->rowTurnBox(1)->isChecked());
    QVERIFY(!f.window->rowTurnBox(2)->isChecked());
    f.window->rowTurnBox(1)->click();
    QCOMPARE(f.job.turnFlag[1], std::int16_t{0});
    f.window->ToggleCutsell();
    QVERIFY(!f.window->priceBox()->isHidden());
    f.window->ToggleCutsell();
    QVERIFY(f.window->priceBox()->isHidden());
}

void MainWindowTest::settingsWrittenByQuitOnly() {
    WindowFixture f;
    f.window->kerfBox()->setText("4");
    f.window->ToggleCommentColumn();
    f.window->ToggleCutsell();
    f.window->close();  // the close box: nothing written
    QVERIFY(!QFile::exists(f.IniPath()) ||
            QSettings(f.IniPath(), QSettings::IniFormat).value("SizeWariate/Nokome").isNull());

    f.Open();
    QCOMPARE(f.job.kerf, std::int16_t{0});
    f.window->kerfBox()->setText("4");
    f.window->ToggleCommentColumn();
    f.window->ToggleKtyFree();
    // Outside the text boxes Ctrl+X is "終了(&X)".
    f.window->rotateAllBox()->setFocus();
    QTest::keyClick(f.window->rotateAllBox(), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(!f.window->isVisible());
    QSettings ini(f.IniPath(), QSettings::IniFormat);
    QCOMPARE(ini.value("SizeWariate/Nokome").toString(), QString("4"));
    QCOMPARE(ini.value("SizeWariate/ComIn").toString(), QString("True"));
    QCOMPARE(ini.value("SizeWariate/KTYFree").toString(), QString("1"));
    QCOMPARE(ini.value("SizeWariate/Cutsell").toString(), QString("0"));

    f.Open();
    QCOMPARE(f.job.kerf, std::int16_t{4});
    QVERIFY(f.job.comIn);
    QVERIFY(f.job.ktyFree);
    QVERIFY(f.window->ktyFreeAction()->isChecked());
    QCOMPARE(f.window->kerfBox()->text(), QString("4"));
}

void MainWindowTest::commandLineJobOpensAtFirstActivation() {
    WindowFixture f;
    const QString path = f.dir.filePath("my job.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "\"\x83\x65\x83\x58\x83\x67\"\r\n1820,910\r\n3,1\r\n450,300,4,\"a\"\r\n600,280,2,\"\"\r\n");
    file.close();

    f.window.reset();
    f.job = tvx::panel::PanelJob{};
    f.window = std::make_unique<tvx::panel::SizeWariate>(f.job, *f.settings);
    f.window->SetCommandLine("  \"" + path + "\"  ");
    f.window->show();
    QTRY_COMPARE(f.job.cutCount, std::int16_t{2});
    QCOMPARE(f.job.jobTitle, std::string("テスト"));
    QCOMPARE(f.window->heightBox()->text(), QString("1820"));
    QCOMPARE(f.window->kerfBox()->text(), QString("3"));
    QVERIFY(f.window->rotateAllBox()->isChecked());
    QCOMPARE(f.window->cell(4)->text(), QString("600"));
    QCOMPARE(f.settings->GetText("SaveFile"), f.dir.path() + "/");
    // Only the first activation opens it.
    f.window->ResetJobCommand();
    f.window->FirstActivation();
    QCOMPARE(f.job.cutCount, std::int16_t{0});
}

void MainWindowTest::saveCommitsTheCellBeingEdited() {
    WindowFixture f;
    const QString path = f.dir.filePath("saved.csv");
    QString offeredFolder = "unset";
    f.window->SetFileChooser([&](bool save, const QString& folder, const QString&) {
        offeredFolder = folder;
        return save ? path : QString();
    });
    f.window->heightBox()->setText("1820");
    f.window->widthBox()->setText("910");
    f.Type(0, "450");
    f.Type(1, "300");
    QLineEdit* quantity = f.window->cell(2);
    quantity->setFocus();
    QTest::keyClicks(quantity, "4");
    f.window->NextPage();
    f.window->PreviousPage();
    f.window->cell(2)->setFocus();
    f.window->cell(2)->selectAll();
    QTest::keyClicks(f.window->cell(2), "5");
    QTest::keyClick(f.window->cell(2), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    QCOMPARE(offeredFolder, QString());
    QCOMPARE(f.settings->GetText("SaveFile"), f.dir.path() + "/");

    tvx::panel::PanelJob reread;
    const auto result = tvx::panel::LoadJobFile(reread, path.toStdString());
    QVERIFY(result.complete());
    QCOMPARE(reread.cutCount, std::int16_t{1});
    QCOMPARE(reread.cutList[0].quantity, std::int16_t{5});
    QCOMPARE(reread.typedHeight, 1820);

    // A failed save says so and keeps the page.
    f.window->SetFileChooser(
        [&](bool, const QString&, const QString&) { return f.dir.filePath("no/such/dir/x.csv"); });
    f.window->NextPage();
    QString boxText;
    WindowFixture::AnswerNextBox(&boxText);
    f.window->SaveCommand();
    QVERIFY(f.window->messageLabel()->text().startsWith("保存できませんでした。"));
    // The box says so too, with the system's reason.
    QVERIFY2(boxText.startsWith("保存できませんでした。\n") && boxText.size() > 12,
             qPrintable(boxText));
    QCOMPARE(f.window->currentPage(), 1);
    // Cancelling changes nothing.
    f.window->SetFileChooser([](bool, const QString&, const QString&) { return QString(); });
    QVERIFY(!f.window->Save_Data());
}

void MainWindowTest::openingAMissingFileKeepsTheJob() {
    WindowFixture f;
    f.Type(0, "450");
    f.window->SetFileChooser(
        [&](bool, const QString&, const QString&) { return f.dir.filePath("missing.csv"); });
    f.window->OpenCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{1});
    QCOMPARE(f.window->cell(0)->text(), QString("450"));
    QVERIFY(!f.window->messageLabel()->text().isEmpty());

    // A reading that stops part-way shows what was read and says so.
    const QString broken = f.dir.filePath("broken.csv");
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1820,910\r\n3,0\r\n450,300,4,\"a\"\r\n600,280,99999,\"b\"\r\n700,200,1,\"c\"\r\n");
    file.close();
    f.window->SetFileChooser([&](bool, const QString&, const QString&) { return broken; });
    f.window->NextPage();
    f.window->OpenCommand();
    QCOMPARE(f.job.cutCount, std::int16_t{1});
    QCOMPARE(f.window->currentPage(), 0);
    QCOMPARE(f.window->cell(0)->text(), QString("450"));
    QCOMPARE(f.window->heightBox()->text(), QString("1820"));
    QVERIFY(f.window->messageLabel()->text().contains("中止"));
    // The old rows can be brought back.
    QVERIFY(f.window->undoAction()->isEnabled());
}

void MainWindowTest::helpOpensAndClosesWithTheWindow() {
    WindowFixture f;
    f.window->ShowHelpTopic();
    QCOMPARE(tvx::gui::HelpViewer::Instance().OpenCount(), 1);
    QVERIFY(QFile::exists(tvx::gui::HelpViewer::Instance().PagePath(22)));
    f.window->close();
    QCOMPARE(tvx::gui::HelpViewer::Instance().OpenCount(), 0);
}

void MainWindowTest::autoCutOpensTheResultViewWhoseSaveSaves() {
    WindowFixture f;
    const QString path = f.dir.filePath("from-result.csv");
    f.window->SetFileChooser(
        [&](bool save, const QString&, const QString&) { return save ? path : QString(); });
    f.window->heightBox()->setText("1820");
    f.window->widthBox()->setText("910");
    f.Type(0, "600");
    f.Type(1, "450");
    f.Type(2, "3");
    bool sawView = false;
    QString title, lineWhileShown;
    // The view is modal: it is driven from inside its own event loop, once it is up.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* view = qobject_cast<tvx::panel::ResultView*>(QApplication::activeModalWidget());
        if (!view) return;
        poll.stop();
        sawView = true;
        title = view->windowTitle();
        lineWhileShown = f.window->messageLabel()->text();
        view->saveButton()->click();
        view->closeButton()->click();
    });
    poll.start();
    f.window->AutoCut();
    QTRY_VERIFY(!f.window->layoutRunning());
    QVERIFY(sawView);
    QCOMPARE(title, QString("一覧表示"));
    QVERIFY2(lineWhileShown.startsWith("計算中"), qPrintable(lineWhileShown));
    QVERIFY(QFile::exists(path));
    QVERIFY(f.window->messageLabel()->text().isEmpty());
    QVERIFY(!f.window->layoutRunning());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
