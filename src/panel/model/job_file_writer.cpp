#include "job_file_writer.h"

#include <algorithm>
#include <ostream>

#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "panel/model/job_line.h"

namespace tvx::panel {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Quoted(const std::string& text) {
    std::string quoted(1, '"');
    quoted += FileSafeText(text);
    quoted += '"';
    return quoted;
}

// The title line. A title that reads as the table marker would make the reader take the
// table's first line for its header and the stock sizes for rows; a space after it keeps it
// a title. That includes a title whose Shift-JIS bytes spell the marker in UTF-8 (a UTF-8 file
// once read as Shift-JIS): with nothing else in Shift-JIS the file is valid UTF-8, and the
// reader takes it as UTF-8.
std::string TitleField(const std::string& title) {
    std::string safe = FileSafeText(title);
    if (safe == kPanelSizeMarker || Utf8ToShiftJis(safe) == kPanelSizeMarker) safe += ' ';
    return "\"" + safe + "\"";
}

// 0 = no part may be turned, 1 = every part may, 2 = per-row flags follow (wins over 1).
int OrientationMode(const PanelJob& job) {
    if (job.ktyFree) return 2;
    return job.rotateAll ? 1 : 0;
}

}  // namespace

std::string JobFileText(const PanelJob& job) {
    std::string text;
    auto line = [&text](const std::string& content) { text += content + kLineEnd; };

    if (!job.jobTitle.empty()) line(TitleField(job.jobTitle));
    if (job.lastSizeIndex < 0) {
        line(std::to_string(job.typedHeight) + "," + std::to_string(job.typedWidth));
    } else {
        const std::string marker = "\"" + std::string(kPanelSizeMarker) + "\"";
        line(marker);
        const int last = std::min<int>(job.lastSizeIndex, kMaxStockSizes - 1);
        for (int i = 0; i <= last; ++i) {
            const StockEntry& e = job.stock[static_cast<std::size_t>(i)];
            line(std::to_string(e.height) + "," + std::to_string(e.width) + "," +
                 std::to_string(e.price) + "," + std::to_string(e.limit));
        }
        line(marker);
    }
    const int mode = OrientationMode(job);
    line(std::to_string(job.kerf) + "," + std::to_string(mode));

    const int rows = std::clamp<int>(job.cutCount, 0, kMaxRows);
    for (int r = 0; r < rows; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        if (!IsKeptInFile(item)) continue;
        std::string row = FormatSingle(item.height) + "," + FormatSingle(item.width) + "," +
                          std::to_string(item.quantity) + "," + Quoted(item.comment);
        if (mode == 2) row += "," + std::to_string(job.turnFlag[static_cast<std::size_t>(r)]);
        line(row);
    }
    return text;
}

std::string JobFileBytes(const PanelJob& job) {
    return Utf8ToShiftJis(JobFileText(job));
}

bool WriteJob(const PanelJob& job, std::ostream& out) {
    const std::string bytes = JobFileBytes(job);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

bool SaveJobFile(const PanelJob& job, const std::string& path, std::string* error) {
    return WriteFileAtomically(path, JobFileBytes(job), error);
}

}  // namespace tvx::panel
