#include "panel/output/title_entry.h"

#include <QFontMetricsF>
#include <QKeyEvent>

namespace tvx::panel {

namespace {
constexpr double kFillLimit = 0.95;
}

int TabSpaceCount(double boxWidth, double textWidth,
                  const std::function<double(int)>& spacesWidth) {
    const double room = kFillLimit * boxWidth - textWidth;
    for (int n = 8; n >= 1; --n) {
        if (spacesWidth(n) <= room) return n;
    }
    return 0;
}

bool TitleIsFull(double boxWidth, double textWidth) {
    return textWidth > kFillLimit * boxWidth;
}

TitleEntry::TitleEntry(QWidget* parent) : QLineEdit(parent) {}

double TitleEntry::TextWidthPixels(const QString& text) const {
    return QFontMetricsF(font()).horizontalAdvance(text);
}

void TitleEntry::InsertTabSpaces() {
    const int n = TabSpaceCount(width(), TextWidthPixels(text()), [this](int count) {
        return TextWidthPixels(QString(count, QLatin1Char(' ')));
    });
    if (n > 0) insert(QString(n, QLatin1Char(' ')));
}

bool TitleEntry::event(QEvent* event) {
    // Tab would move the focus; here it inserts spaces.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        InsertTabSpaces();
        return true;
    }
    return QLineEdit::event(event);
}

void TitleEntry::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Backspace:
            QLineEdit::keyPressEvent(event);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit enterPressed();
            return;
        default:
            break;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
        TitleIsFull(width(), TextWidthPixels(text()))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TitleEntry::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && TitleIsFull(width(), TextWidthPixels(text()))) {
        event->setCommitString(QString());
    }
    QLineEdit::inputMethodEvent(event);
}

void TitleEntry::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isVisible()) emit editingLeft();
}

}  // namespace tvx::panel
