#pragma once
// What every numeric entry box of Tavolex does with typed characters: the letters of a
// notebook keyboard's embedded numeric pad become digits, and digits, minus sign and decimal
// point typed full-width through the Japanese input method become their ASCII forms.

#include <QLineEdit>
#include <QString>

namespace tvx::panel {

// u i o j k l m -> 4 5 6 1 2 3 0; full-width digits, minus and point -> ASCII; every other
// character unchanged.
QChar MapKeypadLetter(QChar typed);
QString MapKeypadLetters(const QString& typed);

// A line edit whose typed text (keys and input-method commits) passes through
// MapKeypadLetters.
class NumericEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumericEdit(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

}  // namespace tvx::panel
