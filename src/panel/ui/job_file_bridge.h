#pragma once
// The main window's way to the job-file reader and writer of the panel model, in Qt terms.

#include <QString>
#include <string>

#include "panel/model/panel_job.h"

namespace tvx::panel {

inline constexpr const char* kEmptyFileMessage = "ファイルが空です。";

struct JobFileOpening {
    bool read = false;               // false: nothing was read as a job, the job is as it was
    bool ktyFreeSwitchedOn = false;  // the file turned per-row orientation on
    QString message;                 // for the message line; empty after a complete reading
};

// Reads the file into a copy of the job (which the reader resets first) and takes the copy
// when anything was read as a job: a file that could not be opened, an empty file and one that
// is not a job file leave the job as it was, with the reason in the message.
JobFileOpening ReadJobFileAt(PanelJob& job, const QString& path);

// Writes the job atomically; false with the reason in `error`.
bool WriteJobFileAt(const PanelJob& job, const QString& path, std::string* error);

}  // namespace tvx::panel
