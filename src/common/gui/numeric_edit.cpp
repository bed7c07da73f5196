#include "common/gui/numeric_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "common/number_entry.h"

namespace tvx::gui {

QChar MapKeypadLetter(QChar typed) {
    switch (typed.unicode()) {
        case 'u':
            return QChar('4');
        case 'i':
            return QChar('5');
        case 'o':
            return QChar('6');
        case 'j':
            return QChar('1');
        case 'k':
            return QChar('2');
        case 'l':
            return QChar('3');
        case 'm':
            return QChar('0');
        case 0xFF0D:  // FULLWIDTH HYPHEN-MINUS
        case 0x2212:  // MINUS SIGN
        case 0x30FC:  // KATAKANA-HIRAGANA PROLONGED SOUND MARK, what the input method gives for "-"
            return QChar('-');
        case 0xFF0E:  // FULLWIDTH FULL STOP
            return QChar('.');
        default:
            break;
    }
    if (typed.unicode() >= 0xFF10 && typed.unicode() <= 0xFF19)
        return QChar(u'0' + (typed.unicode() - 0xFF10));
    return typed;
}

QString MapKeypadLetters(const QString& typed) {
    QString mapped = typed;
    for (QChar& c : mapped) c = MapKeypadLetter(c);
    return mapped;
}

std::optional<double> NumberBoxValue(const QString& text) {
    QString ascii = text;
    for (QChar& c : ascii) {
        if (c.unicode() == 0xFF0C) {
            c = QChar(',');
        } else if ((c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) || c.unicode() == 0xFF0E ||
                   c.unicode() == 0xFF0D || c.unicode() == 0x2212) {
            c = MapKeypadLetter(c);
        } else if (c.unicode() == 0x3000) {
            c = QChar(' ');
        }
    }
    return NumberEntryValue(ascii.toStdString());
}

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const QString mapped = MapKeypadLetters(text);
    if (!text.isEmpty() && mapped != text) {
        QKeyEvent replaced(event->type(), event->key(), event->modifiers(), mapped,
                           event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&replaced);
        event->setAccepted(replaced.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString mapped = MapKeypadLetters(commit);
    const QString preedit = event->preeditString();
    const QString mappedPreedit = MapKeypadLetters(preedit);
    if (mapped == commit && mappedPreedit == preedit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent replaced(mappedPreedit, event->attributes());
    replaced.setCommitString(mapped, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

}  // namespace tvx::gui
