#pragma once
// What went wrong with a file, in the words the windows use: a Japanese text for the errors a
// user meets when opening or saving (a full disk, no permission, a read-only medium, a missing
// folder, ...), the system's own text for the rest.

#include <string>

namespace tvx {

std::string SystemErrorText(int errnum);

}  // namespace tvx
