#pragma once
// The command-line planner: plans a job file without the window, for people and scripts.

#include <iosfwd>
#include <string>
#include <vector>

namespace tvx::panel::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;        // a layout was found (or the job was shown)
inline constexpr int kExitNoLayout = 1;  // the job was refused or no layout was found
inline constexpr int kExitBadInput = 2;  // a file that cannot be read, or bad arguments

// Runs one command; `args` are the arguments after the program name.
int RunTavolexCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tvx::panel::cli
