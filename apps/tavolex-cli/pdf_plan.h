#pragma once
// The "--pdf" output of tavolex-cli: the printed plan through the result view's page drawing,
// drawn on Qt's offscreen platform so no display is needed.

#include "cli.h"

namespace tvx::panel::cli {

// Runs a QGuiApplication on the offscreen platform for the call when there is none, and writes the
// plan (A4 portrait unless `paper` names another Qt page size).
int WritePdfPlanOffscreen(const PanelJob& job, const LayoutInput& input,
                          const PanelLayoutResult& result, const std::string& path,
                          const std::string& paper, std::string& error);

}  // namespace tvx::panel::cli
