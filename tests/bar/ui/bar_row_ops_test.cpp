#include "bar/ui/bar_row_ops.h"

#include <gtest/gtest.h>

#include "bar/ui/calculation_runner.h"

namespace tvx::bar {
namespace {

BarCutList ListOf(std::initializer_list<std::pair<float, int>> rows) {
    BarCutList list;
    for (const auto& [length, quantity] : rows)
        AppendRow(list, length, static_cast<std::int16_t>(quantity), "");
    return list;
}

TEST(BarRowOps, InsertGrowsTheColumnsFirstAndStopsAtTheLimit) {
    BarCutList list;
    for (int r = 0; r < 20; ++r) AppendRow(list, 100.0f + static_cast<float>(r), 1, "");
    list.cutLength.resize(20);  // a list exactly as long as its rows
    list.cutQuantity.resize(20);
    list.cutComment.resize(20);
    ASSERT_TRUE(InsertBlankRow(list, 5));
    EXPECT_EQ(list.rowCount, 21);
    EXPECT_EQ(list.cutLength[5], 0.0f);
    EXPECT_EQ(list.cutLength[6], 105.0f);
    EXPECT_EQ(list.cutLength[20], 119.0f);   // the last row moved into the grown columns
    EXPECT_FALSE(InsertBlankRow(list, 21));  // at the end: nothing to open

    BarCutList full;
    while (full.rowCount < kMaxRows) AppendRow(full, 5, 1, "");
    EXPECT_FALSE(InsertBlankRow(full, 0));
    EXPECT_EQ(full.rowCount, kMaxRows);
}

TEST(BarRowOps, DeleteNeverTakesTheCountBelowZero) {
    BarCutList list = ListOf({{1000, 1}, {2000, 2}});
    ASSERT_TRUE(DeleteRow(list, 0));
    EXPECT_EQ(list.rowCount, 1);
    EXPECT_EQ(list.cutLength[0], 2000.0f);
    ASSERT_TRUE(DeleteRow(list, 0));
    EXPECT_EQ(list.rowCount, 0);
    // Rows below the list are empty; deleting them leaves the count alone.
    ASSERT_TRUE(DeleteRow(list, 3));
    EXPECT_EQ(list.rowCount, 0);
    EXPECT_FALSE(DeleteRow(list, -1));
}

TEST(BarRowOps, CellTextsAreCheckedBeforeTheyAreStored) {
    BarCutList list;
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Length, "1500").verdict, CellVerdict::Stored);
    EXPECT_EQ(list.rowCount, 0);  // a length alone does not count the row
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Quantity, "2.5").verdict, CellVerdict::Stored);
    EXPECT_EQ(list.cutQuantity[2], 2);  // half to even
    EXPECT_EQ(list.rowCount, 3);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Quantity, "2").verdict, CellVerdict::Unchanged);

    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Quantity, "32767").verdict, CellVerdict::Stored);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Quantity, "32768").verdict,
              CellVerdict::QuantityRange);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Quantity, "-1").verdict,
              CellVerdict::QuantityRange);
    EXPECT_EQ(list.cutQuantity[2], 32767);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Length, "1e39").verdict, CellVerdict::LengthRange);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Length, "-5").verdict, CellVerdict::LengthRange);
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Length, "12x").verdict, CellVerdict::NotANumber);
    EXPECT_EQ(list.cutLength[2], 1500.0f);
    EXPECT_FALSE(CellRefusalMessage(CellVerdict::QuantityRange).empty());

    // Empty cells read as 0 and show as empty.
    EXPECT_EQ(StoreCellText(list, 2, GridColumn::Length, "").verdict, CellVerdict::Stored);
    EXPECT_EQ(CellText(list, 2, GridColumn::Length), "");
    EXPECT_EQ(StoreCellText(list, 0, GridColumn::PartCode, "A,1").verdict, CellVerdict::Stored);
    EXPECT_EQ(CellText(list, 0, GridColumn::PartCode), "A,1");
}

TEST(BarRowOps, CopyAndPasteForms) {
    BarCutList list = ListOf({{1500, 4}, {820.5f, 10}});
    list.cutComment[0] = "A";
    EXPECT_EQ(CopyRowsText(list, 0, 1, false), "1500\t4\r\n820.5\t10\r\n");
    EXPECT_EQ(CopyRowsText(list, 0, 0, true), "A\t1500\t4\r\n");

    EXPECT_EQ(ReadPasteForm("", false).kind, PasteForm::Kind::Nothing);
    const PasteForm single = ReadPasteForm("1200\r\n", false);
    EXPECT_EQ(single.kind, PasteForm::Kind::SingleValue);
    EXPECT_EQ(single.value, "1200");
    const PasteForm rows = ReadPasteForm("1500\t4\r\n820\t10", false);
    ASSERT_EQ(rows.kind, PasteForm::Kind::Rows);
    EXPECT_EQ(rows.rows.size(), 2u);
    // Three fields are rows only with part codes shown; four fields never.
    EXPECT_EQ(ReadPasteForm("A\t1500\t4\n", false).kind, PasteForm::Kind::Nothing);
    EXPECT_EQ(ReadPasteForm("A\t1500\t4\n", true).kind, PasteForm::Kind::Rows);
    EXPECT_EQ(ReadPasteForm("A\t1500\t4\tx\n", true).kind, PasteForm::Kind::Nothing);
    EXPECT_EQ(ReadPasteForm("1500\t4\n820\n", false).kind, PasteForm::Kind::Nothing);
}

TEST(BarRowOps, UndoRestoresRowsAndCoversThePageShown) {
    BarCutList list = ListOf({{1000, 1}, {2000, 2}, {3000, 3}});
    RowUndo undo;
    EXPECT_FALSE(undo.Restore(list, 0));
    undo.Take(list);
    ClearCutList(list);
    ASSERT_TRUE(undo.Restore(list, 40));
    EXPECT_FALSE(undo.available);
    EXPECT_EQ(list.rowCount, 3);
    EXPECT_EQ(list.cutLength[2], 3000.0f);
    EXPECT_GE(list.Capacity(), 60);  // page 3 (rows 41..60) stays covered
}

TEST(CalculationInput, RefusesANegativeKerfAndTooManyPieces) {
    BarJob job;
    job.cutList = ListOf({{1000, 30000}, {500, 2767}});
    EXPECT_EQ(CheckCalculationInput(job), InputRefusal::None);
    job.cutList.cutQuantity[1] = 2768;
    EXPECT_EQ(CheckCalculationInput(job), InputRefusal::TooManyPieces);
    job.cutList.cutLength[1] = 0;  // an invalid row does not count
    EXPECT_EQ(CheckCalculationInput(job), InputRefusal::None);
    job.kerf = -0.5f;
    EXPECT_EQ(CheckCalculationInput(job), InputRefusal::NegativeKerf);
    EXPECT_EQ(InputRefusalMessage(InputRefusal::NegativeKerf), kNegativeKerfMessage);
}

}  // namespace
}  // namespace tvx::bar
