#pragma once
// The one panel job Tavolex holds: stock panel sizes, kerf, options, the part rows and the
// values the main window hands to the layout engine. Plain data; whoever changes it redraws.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tvx::panel {

inline constexpr int kMaxStockSizes = 5;   // entries 0..4 are ever filled
inline constexpr int kStockTableSize = 6;  // storage 0..5
inline constexpr int kMaxRows = 200;       // cutCount never exceeds this
inline constexpr int kRowTableSize = 201;  // storage 0..200
inline constexpr int kRowsPerPage = 20;
inline constexpr int kMinPanelSide = 100;
inline constexpr int kMaxPanelSide = 15000;

struct StockEntry {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t price = 0;  // 0 = no price
    std::int16_t limit = 0;  // 0 = no limit
    bool operator==(const StockEntry&) const = default;
};

struct CutItem {
    float height = 0.0f;  // 0 = not entered
    float width = 0.0f;
    std::int16_t quantity = 0;
    std::string comment;
    bool operator==(const CutItem&) const = default;
};

// A row takes part in a layout only when it has both sizes and at least one piece.
inline bool IsValidRow(const CutItem& item) {
    return item.height > 0.0f && item.width > 0.0f && item.quantity >= 1;
}
// A job file keeps a row with a height, a width of 0 or more and at least one piece.
inline bool IsKeptInFile(const CutItem& item) {
    return item.height > 0.0f && item.width >= 0.0f && item.quantity >= 1;
}

struct PanelJob {
    // Stock panel sizes: entries 0..lastSizeIndex are in use; -1 = no table yet (the size
    // is whatever stands in the main window's two size boxes).
    std::array<StockEntry, kStockTableSize> stock{};
    std::int16_t lastSizeIndex = -1;
    bool priceMode = false;

    // The panel height, width and price boxes, read as numbers rounded to integers.
    std::int32_t typedHeight = 0;
    std::int32_t typedWidth = 0;
    std::int32_t typedPrice = 0;

    // Part rows 0..cutCount-1; turnFlag is parallel by row position (1 = may be turned).
    std::array<CutItem, kRowTableSize> cutList{};
    std::int16_t cutCount = 0;
    std::array<std::int16_t, kRowTableSize> turnFlag{};

    // Options.
    std::int16_t kerf = 0;
    // Yes/no options. A job file holds rotateAll and ktyFree as its orientation mode, the
    // settings hold ktyFree and cutsell as "0" and "1"; both convert at their boundary.
    bool rotateAll = false;  // "縦横自由": every part may be turned
    bool ktyFree = false;    // per-row orientation flags instead of rotateAll
    bool cutsell = false;    // cut-sale prices
    bool comIn = false;      // comment column in Enter navigation

    std::string jobTitle;

    // One level of undo over the rows (and their turn flags, which travel with them).
    std::vector<CutItem> undoList;
    std::vector<std::int16_t> undoFlags;
    std::int16_t undoCount = 0;
    bool undoReady = false;
};

// Stock entry 0, lastSizeIndex and priceMode as taking the typed panel size leaves them.
struct TypedPanelStock {
    StockEntry first;
    std::int16_t lastSizeIndex = 0;
    bool priceMode = false;
};

// What TakeTypedPanelSize would make of the job, without changing it: with a table of several
// sizes, the table as it is; otherwise entry 0 becomes the typed panel size (keeping its price
// when the size is unchanged; the typed price with cut-sale prices on) and lastSizeIndex 0.
TypedPanelStock TypedPanelSizeTaken(const PanelJob& job);

// Without a table of several sizes, entry 0 of the stock table becomes the typed panel size
// (see TypedPanelSizeTaken). Used before a layout and before saving.
void TakeTypedPanelSize(PanelJob& job);

// Snapshot of rows 0..cutCount-1 for "元に戻す".
void SaveUndo(PanelJob& job);
// Brings the snapshot back (rows, flags and cutCount) and discards it; false without one.
bool RestoreUndo(PanelJob& job);

// "リセット": takes an undo snapshot, then clears the typed panel values, rotateAll, the title,
// the stock table, every row and flag; kerf, ktyFree, cutsell and comIn keep their values.
void ResetJob(PanelJob& job);

// The job as the program starts it, with the options read from the settings.
PanelJob StartupJob(std::int16_t kerf, bool comIn, bool ktyFree, bool cutsell);

}  // namespace tvx::panel
