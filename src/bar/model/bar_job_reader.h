#pragma once
// Reading bar job files into the job. The reader is tolerant: it also takes a bare list of
// rows, lines with trailing commas, UTF-8 and LF-only files. Anything it cannot take ends the
// reading quietly, keeping what was read so far. The caller resets the job first when a file
// is opened from the dialog; a file named on the command line is read into the job as it is.

#include <iosfwd>
#include <string>
#include <string_view>

#include "bar/model/bar_job.h"

namespace tvx::bar {

// Reads the file's bytes (Shift-JIS or UTF-8) into the job.
void ReadBarJob(std::string_view bytes, BarJob& job);

// Reads a whole stream; false (job untouched) when the stream cannot be read.
bool ReadBarJob(std::istream& in, BarJob& job);

// Reads a file; false (job untouched, message in `error`) when it cannot be opened or read.
bool ReadBarJobFile(const std::string& path, BarJob& job, std::string* error = nullptr);

}  // namespace tvx::bar
