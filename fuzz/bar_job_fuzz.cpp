// Feeds arbitrary bytes to the bar job reader, writes the job back and reads it again; small
// jobs also go through the checks and one pass of the engine, whose plan must be sound.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

#include "bar/engine/bar_engine.h"
#include "bar/engine/calculation_check.h"
#include "bar/model/bar_job_reader.h"
#include "bar/model/bar_job_writer.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckPlan(const tvx::bar::BarJob& job, const tvx::bar::BarPlan& plan) {
    if (!plan.HasPlan()) return;
    std::map<float, std::int64_t> wanted, cut;
    for (int r = 0; r < job.cutList.rowCount; ++r)
        if (tvx::bar::IsValidBarRow(job.cutList, r))
            wanted[job.kerf + job.cutList.cutLength[static_cast<std::size_t>(r)]] +=
                job.cutList.cutQuantity[static_cast<std::size_t>(r)];
    for (const tvx::bar::BarRun& run : plan.resultBars) {
        float capacity = plan.stockLength[static_cast<std::size_t>(run.stockType)];
        for (const std::int16_t piece : run.pieces) {
            const float length = plan.pieceLength[static_cast<std::size_t>(piece)];
            Require(capacity >= length);
            capacity -= length;
            cut[length] += run.count;
        }
    }
    Require(cut == wanted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tvx::bar;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    BarJob job = StartupBarJob(0, false);
    ReadBarJob(bytes, job);
    Require(job.cutList.rowCount <= job.cutList.Capacity());
    Require(job.stock.stockEntryCountInUse >= 0 && job.stock.stockEntryCountInUse <= 6);
    Require(job.kerf >= 0.0f);

    // What was written reads back as the same valid rows.
    BarJob again = StartupBarJob(0, false);
    ReadBarJob(BarJobFileBytes(job), again);
    int valid = 0;
    std::int64_t pieces = 0;
    for (int r = 0; r < job.cutList.rowCount; ++r) {
        if (!IsValidBarRow(job.cutList, r)) continue;
        const auto i = static_cast<std::size_t>(valid);
        Require(valid < again.cutList.rowCount);
        Require(again.cutList.cutLength[i] == job.cutList.cutLength[static_cast<std::size_t>(r)]);
        Require(again.cutList.cutQuantity[i] ==
                job.cutList.cutQuantity[static_cast<std::size_t>(r)]);
        pieces += job.cutList.cutQuantity[static_cast<std::size_t>(r)];
        ++valid;
    }

    if (valid <= 12 && pieces <= 60 && CheckBarCalculation(job).Proceed()) {
        BarEngineHooks hooks;
        hooks.stepLimit = 2000;
        hooks.stopRequested = [] { return true; };  // one pass is enough here
        CheckPlan(job, RunBarCalculation(job, hooks));
    }
    return 0;
}
