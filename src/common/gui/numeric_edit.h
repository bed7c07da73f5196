#pragma once
// What every numeric entry box of both programs does with typed characters: the letters of a
// notebook keyboard's embedded numeric pad become digits, and digits, minus sign and decimal
// point typed full-width through the Japanese input method become their ASCII forms.

#include <QLineEdit>
#include <QString>
#include <optional>

namespace tvx::gui {

// u i o j k l m -> 4 5 6 1 2 3 0; full-width digits, minus and point -> ASCII; every other
// character unchanged.
QChar MapKeypadLetter(QChar typed);
QString MapKeypadLetters(const QString& typed);

// The value of a box's text, where only number text is taken (see NumberEntryValue);
// full-width digits, signs, point and comma read as their ASCII forms.
std::optional<double> NumberBoxValue(const QString& text);

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

}  // namespace tvx::gui
