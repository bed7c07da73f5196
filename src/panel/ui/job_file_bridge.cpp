#include "panel/ui/job_file_bridge.h"

#include "panel/model/job_file_reader.h"
#include "panel/model/job_file_writer.h"

namespace tvx::panel {

JobFileOpening ReadJobFileAt(PanelJob& job, const QString& path) {
    const JobReadResult result = LoadJobFile(job, path.toStdString());
    JobFileOpening opening;
    opening.read = result.jobChanged();
    opening.ktyFreeSwitchedOn = result.ktyFreeSwitchedOn;
    opening.message = QString::fromStdString(DescribeIncompleteRead(result));
    return opening;
}

bool WriteJobFileAt(const PanelJob& job, const QString& path, std::string* error) {
    return SaveJobFile(job, path.toStdString(), error);
}

}  // namespace tvx::panel
