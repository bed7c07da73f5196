#pragma once
// Whole-row operations on the part list, without any window: insertion and deletion of rows
// (their turn flags move with them), measuring and pasting tab-separated clipboard text, and
// the single stock size the size boxes stand for.

#include <string>
#include <string_view>

#include "panel/model/panel_job.h"

namespace tvx::panel {

inline constexpr const char* kListFullMessage = "データが一杯で挿入できません。";
// A pasted block with a value that is not a number; %1 is the line of the pasted text.
inline constexpr const char* kUnpastableLineMessage =
    "貼り付ける%1行目に数値でない値があるため、貼り付けませんでした。";

// Opens a blank row at k: rows k..cutCount-1 move down by one with their flags. Nothing when
// k lies at or beyond cutCount, or when the list is full. True when a row was inserted.
bool InsertBlankRow(PanelJob& job, int k);
// Removes row k: the rows below move up with their flags, the last row becomes empty. Nothing
// when k lies at or beyond cutCount. True when a row was deleted.
bool DeleteRow(PanelJob& job, int k);

struct ClipboardShape {
    int lines = 0;
    int fields = 0;
};
// Lines end at a carriage return (optionally followed by a line feed) or a lone line feed; a
// final line without its end counts. Fields are counted in the first line: its tabs, plus one
// when text follows the last tab.
ClipboardShape MeasureClipboard(std::string_view text);

// The text up to its first line break.
std::string FirstLine(std::string_view text);

// Fills rows first..last (list rows) from the lines of `text`: fields height, width, quantity,
// comment separated by tabs; missing fields are empty, further fields ignored; number fields
// read as number boxes read them ("1,200" is 1200). cutCount grows
// to cover the last row. Rows beyond the list's bounds are not written.
void PasteRows(PanelJob& job, std::string_view text, int first, int last);

// The 1-based line, among the first `lines` of `text`, whose height, width or quantity field is
// not number text (see NumberEntryValue) or whose quantity is not whole; 0 when every line
// can be pasted. Such a block is refused as a whole.
int FirstUnpastableLine(std::string_view text, int lines);

// A block paste of `lines` lines at list row `firstRow` stays within the 200 rows: inside the
// list the rows are inserted, below it they are written from firstRow on.
bool BlockPasteFits(const PanelJob& job, int firstRow, int lines);

// The cell text of a row field as the grid shows it (column 0 height, 1 width, 2 quantity,
// 3 comment): sizes above 0 as the shortest number, quantity 0 as empty.
std::string CellText(const CutItem& item, int column);

// Stores a cell text into a row field the way a committed cell does; true when the field
// changed.
bool StoreCellText(CutItem& item, int column, std::string_view text);

// When a single stock size is in use, entry 0 takes the typed size (and, with cut-sale prices
// on, the typed price) the way the check before a layout does, so that what is written is
// what the size boxes show. A table of several sizes, or none yet, is left alone.
void SyncSingleStockSize(PanelJob& job);

}  // namespace tvx::panel
