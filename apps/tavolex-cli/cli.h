#pragma once
// The command-line planner: plans a job file without the window, for people and scripts.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "panel/engine/layout_types.h"
#include "panel/model/panel_job.h"

namespace tvx::panel::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;        // a layout was found (or the job was shown)
inline constexpr int kExitNoLayout = 1;  // the job was refused or no layout was found
inline constexpr int kExitBadInput = 2;  // a file that cannot be read, or bad arguments

// Writes the printed plan of a laid-out job as a PDF file on the named paper; returns the
// number of pages, 0 with `error` set on failure. The program passes one when it is built with
// the printing code; without one "--pdf" is refused.
using PdfPlanWriter = std::function<int(const PanelJob& job, const LayoutInput& input,
                                        const PanelLayoutResult& result, const std::string& path,
                                        const std::string& paper, std::string& error)>;

// Runs one command; `args` are the arguments after the program name.
int RunTavolexCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PdfPlanWriter& pdfWriter = {});

}  // namespace tvx::panel::cli
