#pragma once
// quorlin-cli as a library: plans a bar job file without the window, for people and scripts.
//
//   quorlin-cli plan JOBFILE [--json] [--codes] [--mode 1] [--pdf OUT.pdf [--paper A4]]
//                    [--optimal] [--time-limit SECONDS]
//   quorlin-cli show JOBFILE [--json]
//   quorlin-cli --help | --version

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar::cli {

// Exit statuses.
inline constexpr int kExitPlanned = 0;  // a plan was found (or the job was shown)
inline constexpr int kExitNoPlan = 1;   // the job was refused or has no plan
inline constexpr int kExitUsage = 2;    // an unreadable file, no job file, or bad arguments

// Writes the printed plan of a planned job (its `plan` and display mode set) as a PDF file on
// the named paper; returns the number of pages, 0 with `error` set on failure. The program
// passes one when it is built with the printing code; without one "--pdf" is refused.
using PdfPlanWriter = std::function<int(const BarJob& job, const std::string& path,
                                        const std::string& paper, std::string& error)>;

// Runs one command; `args` are the arguments after the program name.
int RunQuorlinCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PdfPlanWriter& pdfWriter = {});

}  // namespace tvx::bar::cli
