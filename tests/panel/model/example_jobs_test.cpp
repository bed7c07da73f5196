#include <gtest/gtest.h>

#include "common/text_file.h"
#include "panel/model/job_file_reader.h"
#include "panel/model/job_file_writer.h"
#include "support/source_dir.h"

namespace tvx::panel {
namespace {

std::string ExamplePath(const std::string& name) {
    return test::SourceDir() + "/examples/panel/" + name;
}

// The shipped examples read completely and are exactly what the writer writes for them.
TEST(ExampleJobs, ReadCompletelyAndWriteBackByteForByte) {
    for (const char* name : {"kitchen.csv", "shelves-three-sizes.csv", "desk-row-turning.csv"}) {
        SCOPED_TRACE(name);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(ExamplePath(name), bytes));
        PanelJob job;
        const JobReadResult result = LoadJobFile(job, ExamplePath(name));
        EXPECT_TRUE(result.complete());
        EXPECT_FALSE(job.jobTitle.empty());
        EXPECT_GE(job.cutCount, 5);
        EXPECT_EQ(JobFileBytes(job), bytes);
    }
}

TEST(ExampleJobs, CarryWhatTheyShow) {
    PanelJob kitchen;
    LoadJobFile(kitchen, ExamplePath("kitchen.csv"));
    EXPECT_EQ(kitchen.lastSizeIndex, 0);
    EXPECT_EQ(kitchen.stock[0], (StockEntry{1820, 910, 0, 0}));
    EXPECT_EQ(kitchen.kerf, 3);

    PanelJob shelves;
    LoadJobFile(shelves, ExamplePath("shelves-three-sizes.csv"));
    EXPECT_EQ(shelves.lastSizeIndex, 2);
    EXPECT_TRUE(shelves.priceMode);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_GT(shelves.stock[i].price, 0);
        EXPECT_GT(shelves.stock[i].limit, 0);
    }

    PanelJob desk;
    const JobReadResult result = LoadJobFile(desk, ExamplePath("desk-row-turning.csv"));
    EXPECT_TRUE(result.perRowFlags);
    EXPECT_TRUE(desk.ktyFree);
    int turnable = 0;
    for (int r = 0; r < desk.cutCount; ++r) turnable += desk.turnFlag[r];
    EXPECT_GT(turnable, 0);
    EXPECT_LT(turnable, desk.cutCount);
}

}  // namespace
}  // namespace tvx::panel
