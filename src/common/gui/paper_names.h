#pragma once
// Paper sizes named on the command line of both programs' planners.

#include <QPageSize>
#include <string>

namespace tvx::gui {

// The paper named `name` ("A4", "A3", "B4", "Letter", ... any Qt page size key or name, case
// ignored); an invalid size when the name is unknown.
QPageSize PageSizeByName(const std::string& name);

}  // namespace tvx::gui
