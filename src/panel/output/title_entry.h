#pragma once
// The title entry of the result view: Tab inserts as many spaces (8 down to 1) as still fit,
// Enter hands the focus back, and no further characters are taken once the text fills 95 %
// of the box.

#include <QLineEdit>
#include <functional>

namespace tvx::panel {

// How many spaces (8 down to 1) a Tab inserts: the largest count whose width fits in
// 0.95 x the box width minus the width of the text already there; 0 when none fits.
int TabSpaceCount(double boxWidth, double textWidth, const std::function<double(int)>& spacesWidth);

// True when the box is too full to take another character.
bool TitleIsFull(double boxWidth, double textWidth);

class TitleEntry : public QLineEdit {
    Q_OBJECT
  public:
    explicit TitleEntry(QWidget* parent = nullptr);

  signals:
    void enterPressed();
    void editingLeft();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    double TextWidthPixels(const QString& text) const;
    void InsertTabSpaces();
};

}  // namespace tvx::panel
