#pragma once
// Whole-row operations on Quorlin's cut list, without any window: inserting and deleting rows,
// the cell texts the grid shows and stores, the clipboard forms of copy and paste, and the
// one-level undo copy.

#include <string>
#include <string_view>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar {

inline constexpr const char* kRowLimitMessage = "行数が上限（32760行）に達しました。";

enum class GridColumn { PartCode = 0, Length = 1, Quantity = 2 };

// Opens an empty row at `row` (rows from there move down one). The list grows first: the
// columns always cover rowCount. False (nothing changed) when `row` lies at or beyond rowCount
// or the list already holds kMaxRows rows.
bool InsertBlankRow(BarCutList& list, int row);

// Removes `row`: the rows below move up one and the last row becomes empty. rowCount drops by
// one only when the row was inside the list, so it never falls below 0.
bool DeleteRow(BarCutList& list, int row);

// The text a grid cell shows: lengths above 0 in the shortest form, quantities of 1 or more,
// the part code as it is; empty otherwise.
std::string CellText(const BarCutList& list, int row, GridColumn column);

// How a cell's text is taken.
enum class CellVerdict { Stored, Unchanged, NotANumber, QuantityRange, LengthRange };
struct CellStore {
    CellVerdict verdict = CellVerdict::Unchanged;
    bool Refused() const {
        return verdict != CellVerdict::Stored && verdict != CellVerdict::Unchanged;
    }
};
// Stores a committed cell text into row `row` (which must be below the capacity). Lengths must
// be finite and at least 0, quantities whole numbers 0..32767 (rounded half to even); thousands
// commas and full-width digits are the caller's to remove. A refused text changes nothing.
// A stored length or code leaves rowCount alone; a changed quantity makes rowCount cover the
// row (rowCount = max(rowCount, row + 1)).
CellStore StoreCellText(BarCutList& list, int row, GridColumn column, std::string_view text);

// The message line for a refused cell.
std::string CellRefusalMessage(CellVerdict verdict);

// The clipboard text of rows first..last: one line per row ended by CR LF, fields separated
// by TAB: part code (only with part codes shown), length, quantity, as the cells show them.
std::string CopyRowsText(const BarCutList& list, int first, int last, bool showPartCodes);

// What a clipboard text holds for pasting.
struct PasteForm {
    enum class Kind { Nothing, SingleValue, Rows };
    Kind kind = Kind::Nothing;
    std::string value;                           // SingleValue: the one field
    std::vector<std::vector<std::string>> rows;  // Rows: the fields of each line
};
// A single value is one line with one field; whole rows are lines of exactly three fields
// with part codes shown, two without. Anything else (four fields, mixed counts) is nothing.
PasteForm ReadPasteForm(std::string_view text, bool showPartCodes);

// One level of undo: a copy of the three columns and rowCount.
struct RowUndo {
    std::vector<float> lengths;
    std::vector<std::int16_t> quantities;
    std::vector<std::string> comments;
    std::int16_t rowCount = 0;
    bool available = false;

    void Take(const BarCutList& list);
    void Drop();
    // Restores the copy and discards it; the columns still cover the page starting at
    // `pageTop`. False when there was no copy.
    bool Restore(BarCutList& list, int pageTop);
};

}  // namespace tvx::bar
