#pragma once
// The main window's way to the job-file reader and writer of the panel model, in Qt terms.

#include <QString>
#include <string>

#include "panel/model/panel_job.h"

namespace tvx::panel {

struct JobFileOpening {
    bool read = false;               // false: the job is as it was
    bool ktyFreeSwitchedOn = false;  // the file turned per-row orientation on
    QString message;                 // for the message line; empty after a complete reading
};

// Reads the file into the job (which the reader resets first, once the file is open).
JobFileOpening ReadJobFileAt(PanelJob& job, const QString& path);

// Writes the job atomically; false with the reason in `error`.
bool WriteJobFileAt(const PanelJob& job, const QString& path, std::string* error);

}  // namespace tvx::panel
