// The shared Falkenauer bin-packing instances as realistic input: the step budget runs out on
// them, and the plan must still be complete, sound and the same as the plain transcription's.
// Skipped when the instances are not on this machine.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bar/engine/bar_engine.h"
#include "bar/model/bar_job_reader.h"
#include "bar_test_jobs.h"
#include "reference_bar_search.h"
#include "support/source_dir.h"

namespace tvx::bar {
namespace {

std::filesystem::path InstanceDir() {
    const char* dir = std::getenv("TVX_FALKENAUER_DIR");
    // The project's shared material lies next to the repository.
    return dir ? std::filesystem::path(dir)
               : std::filesystem::path(tvx::test::SourceDir()) / ".." / "shared" / "benchmarks" /
                     "falkenauer";
}

// The optimal number of bars from best.tsv; 0 when unknown.
int OptimalBars(const std::string& id) {
    std::ifstream in(InstanceDir() / "best.tsv");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        int capacity = 0, items = 0, best = 0;
        if (fields >> name >> capacity >> items >> best && name == id) return best;
    }
    return 0;
}

class Falkenauer : public ::testing::TestWithParam<std::string> {};

TEST_P(Falkenauer, BudgetedSearchGivesASoundPlanBarForBar) {
    const std::string id = GetParam();
    const auto path = InstanceDir() / (id + ".csv");
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " not found";
    BarJob job = StartupBarJob(0, false);
    ASSERT_TRUE(ReadBarJobFile(path.string(), job));
    ASSERT_GT(job.cutList.rowCount, 0);

    const BarPlan plan = RunBarCalculation(job);
    test::ExpectSoundPlan(job, plan);
    const int optimum = OptimalBars(id);
    ASSERT_GT(optimum, 0);
    EXPECT_GE(plan.resultBarCount, optimum);
    EXPECT_LE(plan.resultBarCount, optimum + optimum / 4);  // budgeted, not proven optimal
    RecordProperty("bars", std::to_string(plan.resultBarCount));
    RecordProperty("optimum", std::to_string(optimum));

    const test::ReferenceResult reference = test::ReferenceBarSearch().Run(job);
    ASSERT_TRUE(reference.solved);
    EXPECT_EQ(plan.bestCost, reference.bestCost);
    const auto bars = test::Flatten(plan);
    ASSERT_EQ(bars.size(), reference.bars.size());
    for (std::size_t k = 0; k < bars.size(); ++k) EXPECT_EQ(bars[k].pieces, reference.bars[k]);
}

INSTANTIATE_TEST_SUITE_P(Instances, Falkenauer,
                         ::testing::Values("u250_00", "u250_07", "t60_00", "t60_11"));

}  // namespace
}  // namespace tvx::bar
