// Feeds arbitrary bytes to the bar job reader, writes the job back and reads it again: the
// valid rows, the stock table and the kerf must come back as they were.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bar/model/bar_job_reader.h"
#include "bar/model/bar_job_writer.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tvx::bar;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    BarJob job = StartupBarJob(0, false);
    const BarReadResult read = ReadBarJob(bytes, job);
    Require(read.complete() == (read.stopLine == 0));
    Require(read.complete() == DescribeIncompleteRead(read).empty());
    // Invalid rows are listed once each, in file order.
    for (std::size_t k = 0; k < read.invalidRowLines.size(); ++k)
        Require(read.invalidRowLines[k] >= 1 &&
                (k == 0 || read.invalidRowLines[k] > read.invalidRowLines[k - 1]));
    Require(job.cutList.rowCount <= job.cutList.Capacity());
    Require(job.stock.stockEntryCountInUse >= 0 && job.stock.stockEntryCountInUse <= 6);
    Require(job.kerf >= 0.0f);

    // What was written reads back the same.
    BarJob again = StartupBarJob(0, false);
    ReadBarJob(BarJobFileBytes(job), again);
    Require(again.kerf == job.kerf);
    Require(again.stock.stockEntryCountInUse == job.stock.stockEntryCountInUse);
    for (int s = 0; s < job.stock.stockEntryCountInUse; ++s) {
        const auto i = static_cast<std::size_t>(s);
        Require(again.stock.stockEntryLength[i] == job.stock.stockEntryLength[i]);
        Require(again.stock.stockEntryPrice[i] == job.stock.stockEntryPrice[i]);
        Require(again.stock.stockEntryCount[i] == job.stock.stockEntryCount[i]);
    }
    int valid = 0;
    for (int r = 0; r < job.cutList.rowCount; ++r) {
        if (!IsValidBarRow(job.cutList, r)) continue;
        const auto i = static_cast<std::size_t>(valid);
        Require(valid < again.cutList.rowCount);
        Require(again.cutList.cutLength[i] == job.cutList.cutLength[static_cast<std::size_t>(r)]);
        Require(again.cutList.cutQuantity[i] ==
                job.cutList.cutQuantity[static_cast<std::size_t>(r)]);
        ++valid;
    }

    // Once written, the part codes and the title are what the file holds: a second round trip
    // gives the same bytes.
    const std::string once = BarJobFileBytes(again);
    BarJob twice = StartupBarJob(0, false);
    ReadBarJob(once, twice);
    Require(BarJobFileBytes(twice) == once);
    return 0;
}
