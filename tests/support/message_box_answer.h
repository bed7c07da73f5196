#pragma once
// Answers the next message box a window command brings up, for window tests: the box is modal,
// so the answer has to come from the event loop the box runs.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimer>

namespace tvx::test {

// Presses the button with `buttonText` (or Escape when empty) on the next message box that
// comes up; its text goes to `seen`.
inline void AnswerNextBox(QString* seen, const QString& buttonText = QString()) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, seen, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        if (seen) *seen = box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == buttonText) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    poll->start();
}

}  // namespace tvx::test
