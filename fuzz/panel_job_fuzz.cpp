// Feeds arbitrary bytes to the panel job-file reader; whatever it reads must write and read
// back to the same job.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "panel/model/job_file_reader.h"
#include "panel/model/job_file_writer.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tvx::panel;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    PanelJob job;
    job.ktyFree = size > 0 && (data[0] & 1);
    const JobReadResult first = ReadJob(job, bytes);
    Check(job.cutCount >= 0 && job.cutCount <= kMaxRows);
    Check(job.lastSizeIndex >= -1 && job.lastSizeIndex < kMaxStockSizes);
    Check(first.complete() == (first.stopLine == 0));

    // What the writer makes of it reads back completely with the same title, sizes and kept
    // rows; from there on writing and reading change nothing.
    const std::string written = JobFileBytes(job);
    PanelJob again;
    again.ktyFree = job.ktyFree;
    Check(ReadJob(again, written).complete());
    Check(again.kerf == job.kerf && again.ktyFree == job.ktyFree);
    int kept = 0;
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        if (!IsKeptInFile(item)) continue;
        const CutItem& back = again.cutList[static_cast<std::size_t>(kept)];
        Check(back.height == item.height && back.width == item.width &&
              back.quantity == item.quantity);
        if (job.ktyFree) {
            Check(again.turnFlag[static_cast<std::size_t>(kept)] ==
                  job.turnFlag[static_cast<std::size_t>(r)]);
        }
        ++kept;
    }
    Check(again.cutCount == kept);
    if (job.lastSizeIndex >= 0) {
        Check(again.lastSizeIndex == job.lastSizeIndex && again.priceMode == job.priceMode);
        for (int i = 0; i <= job.lastSizeIndex; ++i)
            Check(again.stock[static_cast<std::size_t>(i)] ==
                  job.stock[static_cast<std::size_t>(i)]);
    }

    const std::string rewritten = JobFileBytes(again);
    PanelJob third;
    third.ktyFree = again.ktyFree;
    Check(ReadJob(third, rewritten).complete());
    Check(JobFileBytes(third) == rewritten);
    return 0;
}
