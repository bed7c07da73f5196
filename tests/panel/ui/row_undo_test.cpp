// "元に戻す" over the part rows: one snapshot, taken whole and given back whole.

#include "panel/ui/row_undo.h"

#include <gtest/gtest.h>

namespace tvx::panel {
namespace {

PanelJob JobWithRows(int count) {
    PanelJob job;
    for (int r = 0; r < count; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = CutItem{100.0f + r, 50.0f, 1, "r"};
        job.turnFlag[static_cast<std::size_t>(r)] = r % 2;
    }
    job.cutCount = static_cast<std::int16_t>(count);
    return job;
}

TEST(RowUndo, RestoreBringsBackRowsFlagsAndCountAndClearsTheRest) {
    PanelJob job = JobWithRows(3);
    const PanelJob before = job;
    RowUndo undo;
    undo.Save(job);
    job = JobWithRows(7);  // more rows than were kept: the extra ones go
    job.kerf = 5;          // not part of the rows: it stays
    job.jobTitle = "new";
    ASSERT_TRUE(undo.Restore(job));
    EXPECT_EQ(job.cutCount, 3);
    EXPECT_EQ(job.cutList, before.cutList);
    EXPECT_EQ(job.turnFlag, before.turnFlag);
    EXPECT_EQ(job.kerf, 5);
    EXPECT_EQ(job.jobTitle, "new");
}

TEST(RowUndo, OneLevelOnly) {
    PanelJob job = JobWithRows(2);
    RowUndo undo;
    EXPECT_FALSE(undo.ready());
    EXPECT_FALSE(undo.Restore(job));
    undo.Save(job);
    ASSERT_TRUE(undo.ready());
    job = JobWithRows(4);
    ASSERT_TRUE(undo.Restore(job));
    EXPECT_FALSE(undo.ready());
    EXPECT_FALSE(undo.Restore(job));
    EXPECT_EQ(job.cutCount, 2);
    // A discarded snapshot gives nothing back.
    undo.Save(job);
    undo.Discard();
    job = JobWithRows(5);
    EXPECT_FALSE(undo.Restore(job));
    EXPECT_EQ(job.cutCount, 5);
}

TEST(RowUndo, SnapshotOfAnEmptyListEmptiesTheList) {
    PanelJob job;
    RowUndo undo;
    undo.Save(job);
    job = JobWithRows(kMaxRows);
    ASSERT_TRUE(undo.Restore(job));
    EXPECT_EQ(job.cutCount, 0);
    EXPECT_EQ(job.cutList[kMaxRows - 1], CutItem{});
    EXPECT_EQ(job.turnFlag[1], 0);
}

}  // namespace
}  // namespace tvx::panel
