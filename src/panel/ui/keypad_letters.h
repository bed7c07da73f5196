#pragma once
// Tavolex's numeric entry boxes are the shared ones of both programs.

#include "common/gui/numeric_edit.h"

namespace tvx::panel {

using gui::MapKeypadLetter;
using gui::MapKeypadLetters;
using gui::NumericEdit;

}  // namespace tvx::panel
