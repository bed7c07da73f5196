#pragma once
// Writing bar job files: Shift-JIS, CR LF, one record per line, the plan's bars at the end
// when a calculation has found a plan.

#include <iosfwd>
#include <string>

#include "bar/model/bar_job.h"

namespace tvx::bar {

// The file's text as UTF-8 lines joined by CR LF (used by the other overloads).
std::string BarJobFileTextUtf8(const BarJob& job);

// The file's bytes: Shift-JIS (characters it cannot hold become "?"), CR LF.
std::string BarJobFileBytes(const BarJob& job);

// Writes the file's bytes to a stream; false when the stream fails.
bool WriteBarJob(const BarJob& job, std::ostream& out);

// Replaces the file atomically; false (message in `error`) when it cannot be written, in which
// case any old file stays as it was.
bool SaveBarJobFile(const BarJob& job, const std::string& path, std::string* error = nullptr);

}  // namespace tvx::bar
