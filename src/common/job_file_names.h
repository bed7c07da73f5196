#pragma once
// Names of job files as both programs' windows take them: the path on the command line and
// the name typed into the save dialog. No Qt.

#include <string>
#include <string_view>

namespace tvx {

// The whole command line is one path; blanks and the double quotes a file manager puts around
// a path with spaces are removed.
std::string CommandLinePath(std::string_view commandLine);

// ".csv" is added to a file name without an extension.
std::string WithDefaultExtension(std::string_view path);

}  // namespace tvx
