#include "orderings.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace tvx::panel {

int MoveUnfittableFirst(const LayoutInput& input, std::vector<int>& ordering, int slot, int start) {
    const StockSize& size =
        input.sizes[static_cast<std::size_t>(input.slotSize[static_cast<std::size_t>(slot)])];
    const std::int32_t H = size.enlargedHeight, W = size.enlargedWidth;
    int moved = 0;
    int c = start;
    while (c > moved) {
        const PartRow& row =
            input.rows[static_cast<std::size_t>(ordering[static_cast<std::size_t>(c)])];
        const bool unfit = (W < row.enlargedWidth || H < row.enlargedHeight) &&
                           (row.turnFlag != 1 || W < row.enlargedHeight || H < row.enlargedWidth);
        if (unfit) {
            std::rotate(ordering.begin(), ordering.begin() + c, ordering.begin() + c + 1);
            ++moved;
        } else {
            --c;
        }
    }
    return moved;
}

Orderings BuildOrderings(const LayoutInput& input) {
    const int last = input.lastRow();
    const int n = input.lastSizeIndex;
    Orderings result;

    auto row = [&](int r) -> const PartRow& { return input.rows[static_cast<std::size_t>(r)]; };
    auto area = [&](int r) {
        return static_cast<std::int64_t>(row(r).enlargedHeight) * row(r).enlargedWidth;
    };
    // Each comparator says "a goes before b": a stable sort with it gives the same order as a
    // bubble sort that swaps neighbours only on strict inequality.
    const std::array<std::function<bool(int, int)>, 3> before = {
        [&](int a, int b) { return area(a) > area(b); },
        [&](int a, int b) {
            return row(a).enlargedHeight > row(b).enlargedHeight ||
                   (row(a).enlargedHeight == row(b).enlargedHeight &&
                    row(a).enlargedWidth > row(b).enlargedWidth);
        },
        [&](int a, int b) {
            return row(a).enlargedWidth > row(b).enlargedWidth ||
                   (row(a).enlargedWidth == row(b).enlargedWidth &&
                    row(a).enlargedHeight > row(b).enlargedHeight);
        },
    };

    for (std::size_t k = 0; k < 3; ++k) {
        std::vector<int>& ordering = result.rows[k];
        ordering.resize(static_cast<std::size_t>(last + 2));
        std::iota(ordering.begin(), ordering.end(), 0);
        std::stable_sort(ordering.begin(), ordering.begin() + last + 1, before[k]);
        int start = last;
        for (int slot = kSmallestSlot; slot >= kSmallestSlot + 1 - n; --slot)
            start = MoveUnfittableFirst(input, ordering, slot, start);
    }

    const auto& areaOrder = result.rows[0];
    const auto& heightOrder = result.rows[1];
    const auto& widthOrder = result.rows[2];
    if (heightOrder == areaOrder) result.enabled[1] = false;
    if (widthOrder == areaOrder || widthOrder == heightOrder) result.enabled[2] = false;
    return result;
}

}  // namespace tvx::panel
