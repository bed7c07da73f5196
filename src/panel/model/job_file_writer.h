#pragma once
// Writing the panel job file: Shift-JIS text with CR LF line ends, in the order the reader
// takes it (title, panel size or table of stock sizes, kerf and orientation mode, rows).

#include <iosfwd>
#include <string>

#include "common/file_safe_text.h"
#include "panel/model/panel_job.h"

namespace tvx::panel {

// The file's text as UTF-8 with CR LF line ends (before the conversion to Shift-JIS).
std::string JobFileText(const PanelJob& job);

// The file's bytes: JobFileText in Shift-JIS.
std::string JobFileBytes(const PanelJob& job);

// Writes the file's bytes to the stream; false when the stream failed.
bool WriteJob(const PanelJob& job, std::ostream& out);

// Writes the file at `path` atomically: a failed save leaves an existing file as it was.
// False (with a message in `error`) when it could not be written.
bool SaveJobFile(const PanelJob& job, const std::string& path, std::string* error = nullptr);

// Quoted fields (title, comments) go through the shared FileSafeText.
using tvx::FileSafeText;

}  // namespace tvx::panel
