#pragma once
// The "--pdf" output of quorlin-cli: the printed plan through the window's printing code,
// drawn on Qt's offscreen platform so no display is needed.

#include <string>

#include "bar/model/bar_job.h"

namespace tvx::bar::cli {

// Runs a QGuiApplication on the offscreen platform for the call when there is none and writes
// the printed plan of the job's plan (A4 portrait unless `paper` names another Qt page size).
// Returns the pages written, 0 with `error` set on failure.
int WritePdfPlanOffscreen(const BarJob& job, const std::string& path, const std::string& paper,
                          std::string& error);

}  // namespace tvx::bar::cli
