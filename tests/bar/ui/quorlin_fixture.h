#pragma once
// A Quorlin window on its own job, with a settings file in a temporary folder, seams that
// answer its dialogs, and helpers that type and find widgets as a user's view of the window.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "bar/ui/bar_cut_grid.h"
#include "bar/ui/quorlin_window.h"
#include "common/gui/settings_store.h"

namespace tvx::bar::test {

struct QuorlinFixture {
    QTemporaryDir dir;
    std::unique_ptr<gui::SettingsStore> settings;
    BarJob job;
    std::unique_ptr<QuorlinWindow> window;
    QString nextFile;  // what the file dialogs answer
    QuorlinWindow::SaveAnswer answer = QuorlinWindow::SaveAnswer::kDiscard;
    int prompts = 0;
    int fileChoices = 0;  // how often a file dialog was asked for

    QuorlinFixture() { Open(); }

    QString IniPath() const { return dir.filePath("Tavolex.ini"); }

    void Open() {
        window.reset();
        settings = std::make_unique<gui::SettingsStore>(IniPath());
        job = BarJob{};
        window = std::make_unique<QuorlinWindow>(job, *settings);
        window->SetStepPause(0);
        window->SetFileChooser([this](bool, const QString&, const QString&) {
            ++fileChoices;
            return nextFile;
        });
        window->SetSavePrompt([this] {
            ++prompts;
            return answer;
        });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename T = QWidget>
    T* Find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found) qWarning("no widget %s", qPrintable(name));
        return found;
    }
    QLineEdit* Length(int row) const { return Find<QLineEdit>(QString("length%1").arg(row)); }
    QLineEdit* Quantity(int row) const { return Find<QLineEdit>(QString("quantity%1").arg(row)); }
    QLineEdit* Code(int row) const { return Find<QLineEdit>(QString("code%1").arg(row)); }
    QLineEdit* StockBox() const { return Find<QLineEdit>("stockLength"); }
    QLineEdit* KerfBox() const { return Find<QLineEdit>("kerf"); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QString Message() const { return Find<QLabel>("messageLine")->text(); }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    BarCutGrid* Grid() const { return Find<BarCutGrid>("cutGrid"); }
    // A calculation runs while "強制終了" stands in place of "計算".
    bool Calculating() const { return Button("forceStop")->isVisibleTo(window.get()); }
    // The window is locked (a calculation or row steps run): the grid takes nothing.
    bool Locked() const { return !Grid()->isEnabled(); }
    void WaitForCalculation() { QTRY_VERIFY_WITH_TIMEOUT(!Calculating(), 300000); }

    // Types into a box as a user would and leaves it with Enter.
    void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        QApplication::processEvents();
        box->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress,
                            c.unicode() < 128 ? QKeySequence(QString(c))[0].key() : Qt::Key_unknown,
                            Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
    }

    // Writes a job file (UTF-8 lines) and opens it in the window.
    QString Load(const QString& lines, const QString& name = "job.csv") {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(lines.toUtf8());
        file.close();
        window->OpenJobPath(path);
        return path;
    }

    void Calculate() {
        Button("calculate")->click();
        WaitForCalculation();
    }
};

}  // namespace tvx::bar::test
