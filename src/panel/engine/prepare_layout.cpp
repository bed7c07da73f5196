// PrepareLayoutInput: the engine's view of a checked job.

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "common/number_text.h"
#include "panel/engine/auto_layout.h"

namespace tvx::panel {
namespace {

std::int64_t AtLeastOne(std::int64_t quotient) {
    return std::max<std::int64_t>(quotient, 1);
}

// Enlarged size of a typed length: the single-precision sum with the kerf, rounded.
std::int32_t EnlargedLength(float length, std::int32_t kerf) {
    const float sum = length + static_cast<float>(kerf);
    return ClampToInt32(static_cast<double>(sum));
}

void OrderSizesIntoSlots(LayoutInput& input) {
    const int n = input.lastSizeIndex;
    std::vector<int> order(static_cast<std::size_t>(n + 1));
    std::iota(order.begin(), order.end(), 0);
    auto key = [&](int i) -> std::int64_t {
        const StockSize& s = input.sizes[static_cast<std::size_t>(i)];
        return input.priceMode ? s.price
                               : static_cast<std::int64_t>(s.enlargedWidth) * s.enlargedHeight;
    };
    // Largest (or dearest) first; equal sizes keep their index order.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) > key(b); });
    input.slotSize.fill(0);
    input.sizeSlot.fill(0);
    for (int i = 0; i <= n; ++i) {
        const int slot = kSmallestSlot - n + i;
        input.slotSize[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(order[i]);
        input.sizeSlot[static_cast<std::size_t>(order[i])] = static_cast<std::int16_t>(slot);
    }
}

void EstimateCapacities(LayoutInput& input) {
    std::int64_t minH = INT64_MAX, maxH = INT64_MIN, minW = INT64_MAX, maxW = INT64_MIN;
    for (int i = 0; i <= input.lastSizeIndex; ++i) {
        const StockSize& s = input.sizes[static_cast<std::size_t>(i)];
        minH = std::min<std::int64_t>(minH, s.enlargedHeight);
        maxH = std::max<std::int64_t>(maxH, s.enlargedHeight);
        minW = std::min<std::int64_t>(minW, s.enlargedWidth);
        maxW = std::max<std::int64_t>(maxW, s.enlargedWidth);
    }
    std::int64_t panels = 0, freeRects = 0;
    for (const PartRow& row : input.rows) {
        const std::int64_t h = row.enlargedHeight, w = row.enlargedWidth;
        if (h <= 0 || w <= 0) continue;
        const std::int64_t perSmallest = std::min(AtLeastOne(minH / h) * AtLeastOne(minW / w),
                                                  AtLeastOne(minW / h) * AtLeastOne(minH / w));
        panels += row.quantity / perSmallest + 1;
        const std::int64_t perLargest = std::max(AtLeastOne(maxH / h) * AtLeastOne(maxW / w),
                                                 AtLeastOne(maxW / h) * AtLeastOne(maxH / w));
        freeRects += std::min<std::int64_t>(row.quantity, perLargest);
    }
    input.panelCapacity = ClampToInt32(RoundHalfEven(static_cast<double>(panels) * 1.5));
    input.freeRectCapacity = ClampToInt32(static_cast<double>(freeRects) * 2.0);
}

}  // namespace

LayoutInput PrepareLayoutInput(const PanelJob& job, const DerivedValues& derived) {
    LayoutInput input;
    input.lastSizeIndex =
        std::max<std::int16_t>(0, std::min<std::int16_t>(derived.stock.lastSizeIndex, 4));
    input.priceMode = derived.stock.priceMode;
    input.kerf = job.kerf;
    input.cutsell = job.cutsell;

    for (int i = 0; i <= input.lastSizeIndex; ++i) {
        const StockEntry& entry =
            i == 0 ? derived.stock.first : job.stock[static_cast<std::size_t>(i)];
        StockSize& size = input.sizes[static_cast<std::size_t>(i)];
        size.rawHeight = entry.height;
        size.rawWidth = entry.width;
        size.price = entry.price;
        size.limit = entry.limit;
        size.enlargedHeight = ClampToInt32(static_cast<double>(entry.height) + job.kerf);
        size.enlargedWidth = ClampToInt32(static_cast<double>(entry.width) + job.kerf);
    }
    OrderSizesIntoSlots(input);

    const int lastRow = std::min<int>(derived.lastValidRow, kMaxRows - 1);
    for (int r = 0; r <= lastRow; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        PartRow row;
        row.rawHeight = item.height;
        row.rawWidth = item.width;
        row.rawQuantity = item.quantity;
        row.comment = item.comment;
        row.enlargedHeight = EnlargedLength(item.height, job.kerf);
        row.enlargedWidth = EnlargedLength(item.width, job.kerf);
        // Only rows that the check accepted take part; a row with a size that vanishes
        // (or a negative one that the kerf would turn positive) places nothing.
        const bool placeable = IsValidRow(item) && row.enlargedHeight > 0 && row.enlargedWidth > 0;
        row.quantity = placeable ? item.quantity : 0;
        row.turnFlag = derived.turnFlag[static_cast<std::size_t>(r)];
        input.rows.push_back(std::move(row));
    }
    EstimateCapacities(input);
    return input;
}

}  // namespace tvx::panel
