#pragma once
// A main window on its own job and a settings file in a temporary folder; the question about
// unsaved changes is answered by the fixture.

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "common/gui/settings_store.h"
#include "panel/model/panel_job.h"
#include "panel/ui/cut_grid.h"
#include "panel/ui/size_wariate.h"
#include "support/message_box_answer.h"

namespace tvx::panel::test {

using tvx::panel::Column;

struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<gui::SettingsStore> settings;
    PanelJob job;
    std::unique_ptr<SizeWariate> window;
    // "変更を保存しますか？" is answered with `answer`; `prompts` counts the questions.
    SizeWariate::SaveAnswer answer = SizeWariate::SaveAnswer::kDiscard;
    int prompts = 0;

    WindowFixture() { Open(); }

    QString IniPath() const { return dir.filePath("Tavolex.ini"); }

    void Open() {
        window.reset();
        settings = std::make_unique<gui::SettingsStore>(IniPath());
        job = PanelJob{};
        window = std::make_unique<SizeWariate>(job, *settings);
        window->SetStepPause(0);
        window->SetSavePrompt([this] {
            ++prompts;
            return answer;
        });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // A control of the window by its object name.
    template <class T>
    T* Find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found) qFatal("no control %s", qPrintable(name));
        return found;
    }
    CutGrid* Grid() const { return Find<CutGrid>("cutGrid"); }
    // The grid's box of a row (0..19 on the page) and column.
    QLineEdit* Cell(int row, Column column) const {
        static const char* const names[] = {"height", "width", "quantity", "comment"};
        return Find<QLineEdit>(QString("%1%2").arg(names[static_cast<int>(column)]).arg(row));
    }

    // Types into a cell as a user would and leaves it with Enter.
    void Type(int row, Column column, const QString& text) {
        QLineEdit* box = Cell(row, column);
        box->setFocus();
        box->selectAll();
        for (QChar c : text) {
            // Characters beyond the keyboard's arrive as text without a key code.
            QKeyEvent press(QEvent::KeyPress,
                            c.unicode() < 128 ? QKeySequence(QString(c))[0].key() : Qt::Key_unknown,
                            Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
        QTest::keyClick(box, Qt::Key_Return);
    }

    QWidget* Focused() const { return QApplication::focusWidget(); }

    // Answers the next message box that comes up (while a command runs).
    static void AnswerNextBox(QString* seen, const QString& buttonText = QString()) {
        tvx::test::AnswerNextBox(seen, buttonText);
    }
};

}  // namespace tvx::panel::test
