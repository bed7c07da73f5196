// The main window keeps unsaved work: Ctrl+X in a text box cuts text, every command that
// discards the job asks first, a file that is not a job leaves the job alone, and saving
// names the file as the user expects.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "panel/model/job_file_reader.h"
#include "window_fixture.h"

using tvx::panel::Column;
using tvx::panel::SizeWariate;
using tvx::panel::test::WindowFixture;

namespace {

QLineEdit* Box(WindowFixture& f, const char* name) {
    return f.window->findChild<QLineEdit*>(name);
}

QString Message(WindowFixture& f) {
    return f.window->findChild<QLabel*>("messageLine")->text();
}

QString WriteFile(WindowFixture& f, const QString& name, const QByteArray& bytes) {
    const QString path = f.dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(bytes);
    return path;
}

// A job typed in as a user would: panel size, one row with a comment, "縦横自由".
void TypeJob(WindowFixture& f) {
    QLineEdit* height = Box(f, "heightBox");
    height->setFocus();
    QTest::keyClicks(height, "1820");
    QTest::keyClick(height, Qt::Key_Return);
    QTest::keyClicks(Box(f, "widthBox"), "910");
    f.Type(0, Column::Height, "450");
    f.Type(0, Column::Width, "300");
    f.Type(0, Column::Quantity, "4");
    f.Type(0, Column::Comment, "棚板");
    QTest::mouseClick(f.Find<QCheckBox>("rotateAllBox"), Qt::LeftButton);
}

}  // namespace

class UnsavedWorkTest : public QObject {
    Q_OBJECT
  private slots:
    void ctrlXInATextBoxCutsItsText();
    void everyDiscardingCommandAsksWhenTheJobChanged();
    void savingFromTheQuestionSavesFirst();
    void aFileThatIsNotAJobLeavesEveryFieldAlone();
    void nameWithoutExtensionGetsCsvAndIsOfferedAgain();
};

void UnsavedWorkTest::ctrlXInATextBoxCutsItsText() {
    WindowFixture f;
    f.Type(0, Column::Comment, "棚板の裏");
    QLineEdit* comment = f.Cell(0, Column::Comment);
    comment->setFocus();
    comment->selectAll();
    QTest::keyClick(comment, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(comment->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("棚板の裏"));
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.prompts, 0);
    // Ctrl+V puts it back, Ctrl+Z undoes that, in the box.
    QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(comment->text(), QString("棚板の裏"));
    QTest::keyClick(comment, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(comment->text(), QString());
    // The same in a number box.
    QLineEdit* height = Box(f, "heightBox");
    height->setFocus();
    QTest::keyClicks(height, "1820");
    height->selectAll();
    QTest::keyClick(height, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(height->text(), QString());
    QVERIFY(f.window->isVisible());

    // Outside the text boxes Ctrl+X is still "終了", which asks first.
    f.answer = SizeWariate::SaveAnswer::kCancel;
    f.Find<QCheckBox>("rotateAllBox")->setFocus();
    QTest::keyClick(f.Find<QCheckBox>("rotateAllBox"), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.prompts, 1);
    QVERIFY(f.window->isVisible());
    f.answer = SizeWariate::SaveAnswer::kDiscard;
    QTest::keyClick(f.Find<QCheckBox>("rotateAllBox"), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.prompts, 2);
    QVERIFY(!f.window->isVisible());
}

void UnsavedWorkTest::everyDiscardingCommandAsksWhenTheJobChanged() {
    const QString job = "1820,910\r\n0,0\r\n450,300,4,\"a\"\r\n";
    struct Command {
        const char* name;
        std::function<void(WindowFixture&)> run;
    };
    const std::vector<Command> commands = {
        {"quit button",
         [](WindowFixture& f) {
             QTest::mouseClick(f.window->findChild<QPushButton*>("quitButton"), Qt::LeftButton);
         }},
        {"close box", [](WindowFixture& f) { f.window->close(); }},
        {"新規 (Ctrl+N)",
         [](WindowFixture& f) {
             QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_N, Qt::ControlModifier);
         }},
        {"リセット",
         [](WindowFixture& f) {
             QTest::mouseClick(f.window->findChild<QPushButton*>("resetButton"), Qt::LeftButton);
         }},
        {"開く (Ctrl+O)",
         [](WindowFixture& f) {
             QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_O, Qt::ControlModifier);
         }},
    };
    for (const Command& command : commands) {
        WindowFixture f;
        const QString path = WriteFile(f, "job.csv", job.toLatin1());
        f.window->SetFileChooser([&](bool, const QString&, const QString&) { return path; });
        // Unchanged: no question.
        QVERIFY(!f.window->modified());
        f.Cell(0, Column::Height)->setFocus();
        command.run(f);
        QVERIFY2(f.prompts == 0, command.name);

        // Changed: the title shows it and the command asks; "キャンセル" keeps everything.
        f.Open();
        f.window->SetFileChooser([&](bool, const QString&, const QString&) { return path; });
        f.Type(0, Column::Height, "700");
        QVERIFY(f.window->modified());
        QVERIFY(f.window->isWindowModified());
        QVERIFY(f.window->windowTitle().contains("[*]"));
        f.answer = SizeWariate::SaveAnswer::kCancel;
        f.Cell(0, Column::Height)->setFocus();
        command.run(f);
        QVERIFY2(f.prompts == 1, command.name);
        QVERIFY2(f.window->isVisible(), command.name);
        QCOMPARE(f.job.cutList[0].height, 700.0f);
        QCOMPARE(f.Cell(0, Column::Height)->text(), QString("700"));
        QVERIFY(f.window->modified());

        // "保存しない" lets the command go on.
        f.answer = SizeWariate::SaveAnswer::kDiscard;
        command.run(f);
        QVERIFY2(f.prompts == 2, command.name);
        QVERIFY2(f.job.cutList[0].height != 700.0f || !f.window->isVisible(), command.name);
    }
}

void UnsavedWorkTest::savingFromTheQuestionSavesFirst() {
    WindowFixture f;
    const QString path = f.dir.filePath("kept.csv");
    f.window->SetFileChooser(
        [&](bool save, const QString&, const QString&) { return save ? path : QString(); });
    TypeJob(f);
    f.answer = SizeWariate::SaveAnswer::kSave;
    QTest::mouseClick(f.window->findChild<QPushButton*>("resetButton"), Qt::LeftButton);
    QCOMPARE(f.prompts, 1);
    QVERIFY(QFile::exists(path));
    QCOMPARE(f.job.cutCount, std::int16_t{0});
    QVERIFY(!f.window->modified());
    tvx::panel::PanelJob reread;
    QVERIFY(tvx::panel::LoadJobFile(reread, path.toStdString()).complete());
    QCOMPARE(reread.cutList[0].comment, std::string("棚板"));

    // A save that is cancelled keeps the job and the window.
    f.window->SetFileChooser([](bool, const QString&, const QString&) { return QString(); });
    f.Type(0, Column::Height, "450");
    f.window->close();
    QCOMPARE(f.prompts, 2);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.job.cutList[0].height, 450.0f);
}

void UnsavedWorkTest::aFileThatIsNotAJobLeavesEveryFieldAlone() {
    WindowFixture f;
    TypeJob(f);
    f.job.jobTitle = "見積";
    const tvx::panel::PanelJob before = f.job;
    const QString titleBefore = f.window->windowTitle();
    static const char kPng[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01";
    const QByteArray png(kPng, sizeof kPng - 1);
    struct Case {
        QString path;
        QString message;
    };
    const std::vector<Case> cases = {
        {WriteFile(f, "passwd", "root:x:0:0:root:/root:/bin/bash\nbin:x:1:1::/bin:/sbin/nologin\n"),
         "カットデータのファイルではありません。"},
        {WriteFile(f, "picture.png", png), "カットデータのファイルではありません。"},
        {WriteFile(f, "empty.csv", QByteArray()), "ファイルが空です。"},
        {f.dir.filePath("missing.csv"), "ファイルを開けませんでした。"},
    };
    for (const Case& c : cases) {
        f.window->SetFileChooser([&](bool, const QString&, const QString&) { return c.path; });
        f.answer = SizeWariate::SaveAnswer::kDiscard;
        QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_O, Qt::ControlModifier);
        QVERIFY2(Message(f).startsWith(c.message), qPrintable(c.path + ": " + Message(f)));
        QVERIFY2(f.job.cutList == before.cutList, qPrintable(c.path));
        QCOMPARE(f.job.cutCount, before.cutCount);
        QCOMPARE(f.job.typedHeight, before.typedHeight);
        QCOMPARE(f.job.typedWidth, before.typedWidth);
        QCOMPARE(f.job.rotateAll, before.rotateAll);
        QCOMPARE(f.job.jobTitle, before.jobTitle);
        QCOMPARE(f.job.turnFlag, before.turnFlag);
        QCOMPARE(Box(f, "heightBox")->text(), QString("1820"));
        QCOMPARE(Box(f, "widthBox")->text(), QString("910"));
        QCOMPARE(f.Cell(0, Column::Comment)->text(), QString("棚板"));
        QVERIFY(f.Find<QCheckBox>("rotateAllBox")->isChecked());
        QCOMPARE(f.window->windowTitle(), titleBefore);
        QVERIFY(f.window->modified());
    }
    // A job file that stops part-way still shows what was read, with its message.
    const QString broken =
        WriteFile(f, "broken.csv", "1820,910\r\n3,0\r\n450,300,4,\"a\"\r\n600,280,99999,\"b\"\r\n");
    f.window->SetFileChooser([&](bool, const QString&, const QString&) { return broken; });
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.job.cutCount, std::int16_t{1});
    QVERIFY(Message(f).contains("中止"));
    QVERIFY(f.window->windowTitle().startsWith("broken.csv"));
    QVERIFY(!f.window->modified());
}

void UnsavedWorkTest::nameWithoutExtensionGetsCsvAndIsOfferedAgain() {
    WindowFixture f;
    QString offeredFolder, offeredName;
    const QString typed = f.dir.filePath("tana");
    f.window->SetFileChooser([&](bool save, const QString& folder, const QString& name) {
        offeredFolder = folder;
        offeredName = name;
        return save ? typed : QString();
    });
    TypeJob(f);
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(typed + ".csv"));
    QVERIFY(!QFile::exists(typed));
    QCOMPARE(offeredName, QString());
    QVERIFY(!f.window->modified());
    QCOMPARE(f.window->windowTitle(), QString("tana.csv[*] - Tavolex"));
    // The next save offers that file in its folder.
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(offeredName, QString("tana.csv"));
    QCOMPARE(offeredFolder, f.dir.path());
    // So does a save after opening a file.
    const QString other = WriteFile(f, "other.txt", "1820,910\r\n0,0\r\n450,300,4,\"a\"\r\n");
    f.window->SetFileChooser([&](bool save, const QString& folder, const QString& name) {
        offeredFolder = folder;
        offeredName = name;
        return save ? QString() : other;
    });
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(f.Cell(0, Column::Height), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(offeredName, QString("other.txt"));
    QCOMPARE(offeredFolder, f.dir.path());
}

QTEST_MAIN(UnsavedWorkTest)
#include "unsaved_work_test.moc"
