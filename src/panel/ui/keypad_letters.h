#pragma once
// Tavolex's numeric entry boxes: the shared box of both programs under the panel window's name.

#include "common/gui/numeric_edit.h"

namespace tvx::panel {

using gui::MapKeypadLetter;
using gui::MapKeypadLetters;

class NumericEdit : public gui::NumericEdit {
    Q_OBJECT
  public:
    using gui::NumericEdit::NumericEdit;
};

}  // namespace tvx::panel
