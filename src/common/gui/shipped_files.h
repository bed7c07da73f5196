#pragma once
// Where a program finds the files shipped with it (help pages, sample jobs, default
// catalogues). In an installed tree the program lies in "<prefix>/bin" and its files in
// "<prefix>/share/<program>"; in the build tree they lie next to the program (the build copies
// them there). Both are found from the program's own location, never from a fixed path.

#include <QString>

namespace tvx::gui {

// "<programDir>/../share/<program>" when that folder exists, else `programDir`.
QString ShippedFolderFor(const QString& programDir, const QString& program);

// The shipped folder of the running program (its file name without suffix is <program>).
QString ShippedFolder();

}  // namespace tvx::gui
