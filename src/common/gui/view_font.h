#pragma once
// The fixed-pitch Japanese Gothic face all pictures are written in.

#include <QString>

namespace tvx::gui {

// IPAGothic when installed, else the first fixed-pitch face with Japanese glyphs, else the
// system's fixed face. Needs a QGuiApplication.
QString ViewFontFamily();

}  // namespace tvx::gui
