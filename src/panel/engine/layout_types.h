#pragma once
// What the layout engine works on and what it leaves behind. All lengths inside the engine
// are whole numbers in "enlarged" units: the job's sizes plus the kerf, rounded. They are held
// in 32-bit integers so that extreme input cannot wrap; for sizes the job model allows they
// are the same values a 16-bit engine would compute.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/model/panel_job.h"

namespace tvx::panel {

inline constexpr int kSlotCount = 6;  // size slots 0..5; slots 4-n..4 are used
inline constexpr int kSmallestSlot = 4;

struct StockSize {
    std::int32_t rawHeight = 0;
    std::int32_t rawWidth = 0;
    std::int32_t price = 0;
    std::int16_t limit = 0;  // 0 or less = no limit
    std::int32_t enlargedHeight = 0;
    std::int32_t enlargedWidth = 0;
};

struct PartRow {
    // Copies of the job row, for the result view and the printout.
    float rawHeight = 0.0f;
    float rawWidth = 0.0f;
    std::int16_t rawQuantity = 0;
    std::string comment;
    // What the engine places.
    std::int32_t enlargedHeight = 0;
    std::int32_t enlargedWidth = 0;
    std::int32_t quantity = 0;  // 0 for a row whose enlarged height or width is 0 or less
    std::int16_t turnFlag = 0;  // 1 = may be turned by 90 degrees
};

struct LayoutInput {
    std::array<StockSize, kSlotCount> sizes{};
    std::int16_t lastSizeIndex = 0;  // n: sizes 0..n are in use
    bool priceMode = false;
    std::int32_t kerf = 0;
    bool cutsell = false;
    std::array<std::int16_t, kSlotCount> slotSize{};  // size slot -> size index
    std::array<std::int16_t, kSlotCount> sizeSlot{};  // size index -> size slot
    std::vector<PartRow> rows;                        // rows 0..N (N = lastValidRow)
    // Estimates of the panels per run (positions 0..P) and free rectangles per panel (F + 1).
    // Containers grow past them when a job needs more.
    std::int32_t panelCapacity = 0;     // P
    std::int32_t freeRectCapacity = 0;  // F

    int lastRow() const { return static_cast<int>(rows.size()) - 1; }
};

// One placed copy of a row: covers [x, x + ex) x [y, y + ey), where (ex, ey) is the row's
// enlarged (width, height), swapped when turned. x runs along the panel width, y along its
// height.
struct Placement {
    std::int16_t row = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool turned = false;
    bool operator==(const Placement&) const = default;
};

struct FreeRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const FreeRect&) const = default;
};

struct PanelState {
    std::int16_t sizeIndex = -1;        // -1 = no stock panel at this position
    std::vector<Placement> placements;  // in placement order
    std::vector<FreeRect> freeRects;    // sorted by y, then x
    std::int16_t utilisation = 0;       // bucketed percentage (ComputeUtilisation)
    bool wholePanel = false;            // utilisation at or above fullPanelPercent

    bool used() const { return !placements.empty(); }
};

// What the caller may choose about a layout; the defaults are the standard search.
struct LayoutOptions {
    // A panel at or above this utilisation (in percent) counts as a whole panel.
    std::int16_t fullPanelPercent = 60;
};

// The panels of a layout, positions 0..P in their final order. Unused positions may lie
// between used ones.
struct PanelLayoutResult {
    std::vector<PanelState> panels;
    std::int32_t lastPanel = -1;
    double score = 0.0;  // the primary score of the layout (waste % or cost)
};

// The box a placement covers, in enlarged units.
struct PlacedBox {
    std::int32_t x, y, width, height;
};
inline PlacedBox BoxOf(const LayoutInput& input, const Placement& p) {
    const PartRow& row = input.rows[static_cast<std::size_t>(p.row)];
    return p.turned ? PlacedBox{p.x, p.y, row.enlargedHeight, row.enlargedWidth}
                    : PlacedBox{p.x, p.y, row.enlargedWidth, row.enlargedHeight};
}

}  // namespace tvx::panel
