#include "layout_checker.h"

#include <map>

#include "panel/engine/geometry.h"

namespace tvx::panel::test {
namespace {

struct Box {
    std::int64_t x0, y0, x1, y1;  // half-open
};

// True when the boxes can be separated by a straight cut through the whole region, and
// each side again, down to single boxes.
bool Guillotine(const std::vector<Box>& boxes) {
    if (boxes.size() <= 1) return true;
    for (const bool vertical : {true, false}) {
        for (const Box& b : boxes) {
            const std::int64_t cut = vertical ? b.x1 : b.y1;
            std::vector<Box> before, after;
            bool crossed = false;
            for (const Box& c : boxes) {
                const std::int64_t lo = vertical ? c.x0 : c.y0;
                const std::int64_t hi = vertical ? c.x1 : c.y1;
                if (hi <= cut) {
                    before.push_back(c);
                } else if (lo >= cut) {
                    after.push_back(c);
                } else {
                    crossed = true;
                    break;
                }
            }
            if (!crossed && !before.empty() && !after.empty())
                return Guillotine(before) && Guillotine(after);
        }
    }
    return false;
}

}  // namespace

std::string LayoutCheck::Describe() const {
    std::string text;
    for (const std::string& fault : faults) text += fault + "\n";
    return text;
}

LayoutCheck CheckLayout(const LayoutInput& input, const PanelLayoutResult& layout) {
    LayoutCheck check;
    auto fault = [&](const std::string& text) { check.faults.push_back(text); };
    std::map<int, std::int64_t> placedPerRow;
    std::map<int, std::int64_t> panelsPerSize;
    for (std::size_t p = 0; p < layout.panels.size(); ++p) {
        const PanelState& panel = layout.panels[p];
        if (!panel.used()) continue;
        const std::string where = "panel " + std::to_string(p) + ": ";
        if (panel.sizeIndex < 0 || panel.sizeIndex > input.lastSizeIndex) {
            fault(where + "no stock size");
            continue;
        }
        const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        ++check.panels;
        ++panelsPerSize[panel.sizeIndex];
        check.stockArea += static_cast<std::int64_t>(size.enlargedWidth) * size.enlargedHeight;
        check.cost += size.price;
        std::vector<Box> boxes;
        for (const Placement& placed : panel.placements) {
            if (placed.row < 0 || placed.row > input.lastRow()) {
                fault(where + "unknown row");
                continue;
            }
            const PartRow& row = input.rows[static_cast<std::size_t>(placed.row)];
            ++placedPerRow[placed.row];
            if (placed.turned && row.turnFlag != 1) fault(where + "row may not turn");
            const std::int64_t w = placed.turned ? row.enlargedHeight : row.enlargedWidth;
            const std::int64_t h = placed.turned ? row.enlargedWidth : row.enlargedHeight;
            const Box box{placed.x, placed.y, placed.x + w, placed.y + h};
            if (box.x0 < 0 || box.y0 < 0 || box.x1 > size.enlargedWidth ||
                box.y1 > size.enlargedHeight)
                fault(where + "part outside the panel");
            for (const Box& other : boxes) {
                const bool apart = box.x1 <= other.x0 || other.x1 <= box.x0 || box.y1 <= other.y0 ||
                                   other.y1 <= box.y0;
                if (!apart) fault(where + "parts overlap");
            }
            boxes.push_back(box);
        }
        if (!Guillotine(boxes)) fault(where + "no straight through-cuts");
        if (CountGuillotineCutsOfPanel(input, panel) == -1) fault(where + "guillotine test fails");
    }
    for (int r = 0; r <= input.lastRow(); ++r) {
        const std::int64_t wanted = input.rows[static_cast<std::size_t>(r)].quantity;
        if (placedPerRow[r] != wanted)
            fault("row " + std::to_string(r) + ": " + std::to_string(placedPerRow[r]) +
                  " placed, " + std::to_string(wanted) + " wanted");
    }
    for (const auto& [sizeIndex, count] : panelsPerSize) {
        const std::int16_t limit = input.sizes[static_cast<std::size_t>(sizeIndex)].limit;
        if (limit >= 1 && count > limit)
            fault("size " + std::to_string(sizeIndex) + ": over its sheet limit");
    }
    return check;
}

}  // namespace tvx::panel::test
