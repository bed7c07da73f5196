#pragma once
// The one bar job Quorlin holds: stock lengths, kerf, the rows of lengths to cut, the title
// and display switches, and the plan of the last calculation. Plain data; whoever changes it
// redraws.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bar/model/bar_plan.h"

namespace tvx::bar {

inline constexpr int kRowsPerPage = 20;
inline constexpr int kInitialRowSlots = 21;  // indices 0..20
// One limit for every way rows are added (typing, paging, insert, paste, the file reader):
// 1638 whole pages, so every page shown lies inside the list and the 16-bit counters.
inline constexpr int kMaxRows = 32760;      // rowCount never exceeds this
inline constexpr int kMaxPageTop = 32740;   // the first row of the last page
inline constexpr int kMaxStockEntries = 6;  // entries 0..5 are ever used
inline constexpr int kStockTableSize = 7;   // storage 0..6
inline constexpr float kMinStockLength = 100.0f;
inline constexpr float kMaxStockLength = 1000000.0f;

// The rows of lengths to cut: three parallel columns indexed from 0. Rows below rowCount may
// be empty; the columns are at least kInitialRowSlots long and always equally long.
struct BarCutList {
    std::vector<float> cutLength;           // 0 = empty cell
    std::vector<std::int16_t> cutQuantity;  // 0 = empty cell
    std::vector<std::string> cutComment;    // part code (型番)
    std::int16_t rowCount = 0;              // one more than the highest committed row
    std::int16_t pageTop = 0;               // first row shown; a multiple of 20

    BarCutList();
    int Capacity() const { return static_cast<int>(cutLength.size()); }
};

// Up to six stock lengths with price and count limit.
struct BarStock {
    std::array<float, kStockTableSize> stockEntryLength{};
    std::array<float, kStockTableSize> stockEntryPrice{};         // 0 = no price
    std::array<std::int16_t, kStockTableSize> stockEntryCount{};  // 0 = no limit
    std::int16_t stockEntryCountInUse = 0;
};

struct BarJob {
    BarCutList cutList;
    BarStock stock;
    float kerf = 0.0f;
    bool showPartCodes = false;  // "型番表示"
    std::string jobTitle;
    std::string currentFileName;
    std::int16_t resultDisplayMode = 0;
    BarPlan plan;
};

// A row takes part in a calculation only with a length above 0 and at least one piece.
inline bool IsValidBarRow(float length, std::int16_t quantity) {
    return length > 0.0f && quantity >= 1;
}
bool IsValidBarRow(const BarCutList& list, int row);

// Grows the three columns, keeping their contents, so that index `lastIndex` exists.
void EnsureRowCapacity(BarCutList& list, int lastIndex);

// Appends a row at rowCount, growing the columns by a page whenever rowCount reaches a multiple
// of 20. False (and nothing appended) when the list already holds kMaxRows rows.
bool AppendRow(BarCutList& list, float length, std::int16_t quantity, std::string comment);

// Empties the list: 21 empty rows, rowCount and pageTop 0.
void ClearCutList(BarCutList& list);

// The single stock length typed into the main window: a value above 0 becomes the only stock
// entry (price and count of entry 0 keep what they held). Returns whether it was taken.
bool TakeTypedStockLength(BarJob& job, double typedLength);

// The longest stock length among the entries in use; 0 without any.
float LongestStockLength(const BarStock& stock);

// "リセット" / "新規": empties file name, title, stock table, cut list and plan; display mode 0.
// Kerf and the part-code display keep their values.
void ResetBarJob(BarJob& job);

// The job as the program starts it, with the values read from the settings.
BarJob StartupBarJob(float kerf, bool showPartCodes);

}  // namespace tvx::bar
