#include "panel/ui/cut_list_ops.h"

#include <gtest/gtest.h>

namespace tvx::panel {
namespace {

PanelJob JobWithRows(int count) {
    PanelJob job;
    for (int r = 0; r < count; ++r) {
        job.cutList[static_cast<std::size_t>(r)] = {static_cast<float>(100 + r), 50.0f, 1,
                                                    "r" + std::to_string(r)};
        job.turnFlag[static_cast<std::size_t>(r)] = r % 2;
    }
    job.cutCount = static_cast<std::int16_t>(count);
    return job;
}

TEST(RowInsertDelete, InsertMovesRowsAndTheirFlagsDown) {
    PanelJob job = JobWithRows(5);
    ASSERT_TRUE(InsertBlankRow(job, 1));
    EXPECT_EQ(job.cutCount, 6);
    EXPECT_EQ(job.cutList[1], CutItem{});
    EXPECT_EQ(job.turnFlag[1], 0);
    EXPECT_EQ(job.cutList[2].comment, "r1");
    EXPECT_EQ(job.turnFlag[2], 1);  // row 1's flag went with it
    EXPECT_EQ(job.cutList[5].comment, "r4");
    EXPECT_EQ(job.turnFlag[5], 0);
    // At or below the end of the list nothing happens.
    EXPECT_FALSE(InsertBlankRow(job, 6));
    EXPECT_EQ(job.cutCount, 6);
}

TEST(RowInsertDelete, DeleteMovesRowsAndFlagsUpAndClearsTheLast) {
    PanelJob job = JobWithRows(5);
    ASSERT_TRUE(DeleteRow(job, 0));
    EXPECT_EQ(job.cutCount, 4);
    EXPECT_EQ(job.cutList[0].comment, "r1");
    EXPECT_EQ(job.turnFlag[0], 1);
    EXPECT_EQ(job.cutList[4], CutItem{});
    EXPECT_EQ(job.turnFlag[4], 0);
    EXPECT_FALSE(DeleteRow(job, 4));
}

TEST(RowInsertDelete, FullListRefusesInsertion) {
    PanelJob job = JobWithRows(kMaxRows);
    EXPECT_FALSE(InsertBlankRow(job, 0));
    EXPECT_EQ(job.cutCount, kMaxRows);
    EXPECT_EQ(job.cutList[0].comment, "r0");
}

TEST(Clipboard, MeasuresLinesAndFieldsOfTheFirstLine) {
    EXPECT_EQ(MeasureClipboard("").lines, 0);
    EXPECT_EQ(MeasureClipboard("").fields, 0);
    auto shape = MeasureClipboard("450");
    EXPECT_EQ(shape.lines, 1);
    EXPECT_EQ(shape.fields, 1);
    shape = MeasureClipboard("1\t2\t3\tx\r\n4\t5\t6\t\r\n");
    EXPECT_EQ(shape.lines, 2);
    EXPECT_EQ(shape.fields, 4);
    // A trailing tab adds no field; text after the last separator is one more line.
    shape = MeasureClipboard("1\t2\t\r\n3");
    EXPECT_EQ(shape.lines, 2);
    EXPECT_EQ(shape.fields, 2);
    // Line feeds alone (text from other programs) end lines as well.
    EXPECT_EQ(MeasureClipboard("a\nb\nc").lines, 3);
    EXPECT_EQ(FirstLine("12\r\n34"), "12");
}

TEST(Clipboard, PasteRowsFillsFieldsAndExtendsTheList) {
    PanelJob job = JobWithRows(2);
    PasteRows(job, "300\t200\t\tshelf\r\n5.5\t7\t3\r\n", 4, 6);
    EXPECT_EQ(job.cutCount, 7);
    EXPECT_EQ(job.cutList[4].height, 300.0f);
    EXPECT_EQ(job.cutList[4].quantity, 0);  // empty quantity pastes as 0
    EXPECT_EQ(job.cutList[4].comment, "shelf");
    EXPECT_EQ(job.cutList[5].height, 5.5f);
    EXPECT_EQ(job.cutList[5].quantity, 3);
    EXPECT_EQ(job.cutList[5].comment, "");
    EXPECT_EQ(job.cutList[6], CutItem{});  // more rows than lines: the rest are empty
    EXPECT_EQ(job.cutList[2], CutItem{});
}

TEST(Clipboard, OnlyNumberTextIsPasted) {
    // The line named is the first with a number field that is not number text.
    EXPECT_EQ(FirstUnpastableLine("1\t2\t3\tx\r\n1,200\t300\t1\r\n", 2), 0);
    EXPECT_EQ(FirstUnpastableLine("1\t2\t3\r\n4OO\t2\t1\r\n5\tx\t1\r\n", 3), 2);
    EXPECT_EQ(FirstUnpastableLine("1\t2\t2.5\r\n", 1), 1);            // a quantity is whole
    EXPECT_EQ(FirstUnpastableLine("1.5\t2.25\t\tany text\n", 1), 0);  // sizes may be decimal
    EXPECT_EQ(FirstUnpastableLine("1\t2\t3\rabc\t2\t3", 2), 2);       // CR alone ends a line too
    EXPECT_EQ(FirstUnpastableLine("1\t2\t3\r\nabc", 1), 0);           // only the lines counted

    PanelJob job;
    PasteRows(job, "1,200\t2,400\t1,000\tx\r\n", 0, 0);
    EXPECT_EQ(job.cutList[0].height, 1200.0f);
    EXPECT_EQ(job.cutList[0].width, 2400.0f);
    EXPECT_EQ(job.cutList[0].quantity, 1000);
}

TEST(Clipboard, BlockPasteNeverRunsPastRow200) {
    PanelJob job = JobWithRows(198);
    EXPECT_TRUE(BlockPasteFits(job, 10, 2));
    EXPECT_FALSE(BlockPasteFits(job, 10, 3));
    PanelJob shortList = JobWithRows(3);
    EXPECT_TRUE(BlockPasteFits(shortList, 197, 3));   // rows 197..199
    EXPECT_FALSE(BlockPasteFits(shortList, 198, 3));  // would write row 200
}

TEST(Cells, TextsAndCommittedValues) {
    CutItem item{450.5f, 0.0f, 0, "扉"};
    EXPECT_EQ(CellText(item, 0), "450.5");
    EXPECT_EQ(CellText(item, 1), "");
    EXPECT_EQ(CellText(item, 2), "");
    EXPECT_EQ(CellText(item, 3), "扉");
    EXPECT_FALSE(StoreCellText(item, 0, "450.5"));
    EXPECT_TRUE(StoreCellText(item, 2, "2.5"));  // half to even
    EXPECT_EQ(item.quantity, 2);
    EXPECT_TRUE(StoreCellText(item, 2, "99999"));
    EXPECT_EQ(item.quantity, 32767);
    EXPECT_FALSE(StoreCellText(item, 1, "abc"));  // 0 stays 0
}

TEST(Cells, SingleStockSizeFollowsTheBoxes) {
    PanelJob job;
    job.lastSizeIndex = 0;
    job.stock[0] = {1820, 910, 3000, 0};
    job.typedHeight = 2430;
    job.typedWidth = 1220;
    SyncSingleStockSize(job);
    EXPECT_EQ(job.stock[0], (StockEntry{2430, 1220, 0, 0}));
    job.cutsell = true;
    job.typedPrice = 5000;
    SyncSingleStockSize(job);
    EXPECT_EQ(job.stock[0].price, 5000);
    EXPECT_TRUE(job.priceMode);
    // No table yet, or several sizes: left alone.
    job.lastSizeIndex = 1;
    job.typedHeight = 100;
    SyncSingleStockSize(job);
    EXPECT_EQ(job.stock[0].height, 2430);
}

}  // namespace
}  // namespace tvx::panel
