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

// Reads the file's bytes (Shift-JIS or UTF-8) into the job. False when the reading stopped
// before the end of the file (a value out of range, a section out of order, a line of the
// wrong shape, the row limit); what was read so far stays in the job.
bool ReadBarJob(std::string_view bytes, BarJob& job);

// Reads a whole stream; false (job untouched) when the stream cannot be read.
bool ReadBarJob(std::istream& in, BarJob& job);

// Reads a file; false (job untouched, message in `error`) when it cannot be opened or read.
// `complete` tells whether the whole file was read (see ReadBarJob).
bool ReadBarJobFile(const std::string& path, BarJob& job, std::string* error = nullptr,
                    bool* complete = nullptr);

}  // namespace tvx::bar
