#include "panel/ui/job_file_bridge.h"

#include <QFileInfo>

#include "panel/model/job_file_reader.h"
#include "panel/model/job_file_writer.h"

namespace tvx::panel {

JobFileOpening ReadJobFileAt(PanelJob& job, const QString& path) {
    // The file is read into a copy; the job changes only when something was read as a job.
    PanelJob opened = job;
    const JobReadResult result = LoadJobFile(opened, path.toStdString());
    JobFileOpening opening;
    opening.message = QString::fromStdString(DescribeIncompleteRead(result));
    if (result.end == JobReadEnd::CannotOpen) {
        opening.message = "ファイルを開けませんでした。" + QString::fromStdString(result.error);
        return opening;
    }
    if (result.end == JobReadEnd::NotAJobFile) {
        const QFileInfo info(path);
        if (info.isFile() && info.size() == 0) opening.message = kEmptyFileMessage;
        return opening;
    }
    job = std::move(opened);
    opening.read = true;
    opening.ktyFreeSwitchedOn = result.ktyFreeSwitchedOn;
    return opening;
}

bool WriteJobFileAt(const PanelJob& job, const QString& path, std::string* error) {
    return SaveJobFile(job, path.toStdString(), error);
}

}  // namespace tvx::panel
