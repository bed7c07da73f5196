#include "panel/output/result_figures.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/number_text.h"

namespace tvx::panel {

namespace {

bool HasFraction(float value) {
    return value != std::trunc(value);
}

const StockSize& SizeOf(const LayoutInput& input, const PanelState& panel) {
    return input
        .sizes[static_cast<std::size_t>(std::clamp<int>(panel.sizeIndex, 0, kSlotCount - 1))];
}

bool FitsStock(const PartRow& row, const StockSize& size) {
    const double h = row.rawHeight, w = row.rawWidth;
    return (h <= size.rawHeight && w <= size.rawWidth) ||
           (h <= size.rawWidth && w <= size.rawHeight);
}

// The price of the last stock size (table order) cheaper than `price` that the part fits.
std::optional<std::int32_t> CheaperStockCap(const LayoutInput& input, const PartRow& row,
                                            std::int32_t price) {
    std::optional<std::int32_t> cap;
    for (int s = 0; s <= input.lastSizeIndex && s < kSlotCount; ++s) {
        const StockSize& size = input.sizes[static_cast<std::size_t>(s)];
        if (size.price < price && FitsStock(row, size)) cap = size.price;
    }
    return cap;
}

}  // namespace

bool IsListedRow(const PartRow& row) {
    return row.rawHeight > 0.0f && row.rawWidth > 0.0f && row.rawQuantity >= 1;
}

ResultFigures ComputeFigures(const LayoutInput& input, const PanelLayoutResult& result) {
    ResultFigures f;
    const std::size_t rowCount = input.rows.size();
    f.placedCount.assign(rowCount, 0);

    std::array<std::int32_t, kSlotCount> counts{};
    double stockArea = 0.0;
    double placedArea = 0.0;
    for (const PanelState& panel : result.panels) {
        if (!panel.used()) continue;
        const StockSize& size = SizeOf(input, panel);
        counts[static_cast<std::size_t>(std::clamp<int>(panel.sizeIndex, 0, kSlotCount - 1))]++;
        f.panelTotal = ClampToInt32(static_cast<double>(f.panelTotal) + size.price);
        stockArea += static_cast<double>(size.rawHeight) * size.rawWidth;
        f.W = std::max(f.W, size.enlargedWidth);
        f.H = std::max(f.H, size.enlargedHeight);
        for (const Placement& p : panel.placements) {
            if (p.row < 0 || static_cast<std::size_t>(p.row) >= rowCount) continue;
            const PartRow& row = input.rows[static_cast<std::size_t>(p.row)];
            f.placedCount[static_cast<std::size_t>(p.row)]++;
            placedArea += static_cast<double>(row.rawHeight) * row.rawWidth;
        }
    }
    for (int s = 0; s < kSlotCount; ++s) {
        if (counts[static_cast<std::size_t>(s)] > 0) {
            f.usedSizes.push_back({s, counts[static_cast<std::size_t>(s)]});
        }
    }
    f.yield = stockArea > 0 ? ClampToInt16(RoundHalfEven(placedArea / stockArea * 100.0)) : 0;

    bool anyFraction = false;
    for (std::size_t r = 0; r < rowCount; ++r) {
        const PartRow& row = input.rows[r];
        if (HasFraction(row.rawHeight) || HasFraction(row.rawWidth)) anyFraction = true;
        if (!IsListedRow(row)) continue;
        f.listedRows.push_back(static_cast<int>(r));
        f.totalPieces += row.rawQuantity;
    }
    f.columns = anyFraction ? std::array<double, 4>{0.055, 0.145, 0.17, 0.245}
                            : std::array<double, 4>{0.055, 0.13, 0.155, 0.215};
    if (f.W == 0 || f.H == 0) {
        // Nothing placed: size the view by the first stock size so the page still opens.
        f.W = std::max(input.sizes[0].enlargedWidth, 1);
        f.H = std::max(input.sizes[0].enlargedHeight, 1);
    }
    return f;
}

CutSalePrices ComputeCutSalePrices(const LayoutInput& input, const PanelLayoutResult& result,
                                   const std::vector<std::int32_t>& placedCount) {
    CutSalePrices out;
    const std::size_t rowCount = input.rows.size();
    out.price.assign(rowCount, 0);

    double total = 0.0;
    for (const PanelState& panel : result.panels) {
        if (!panel.used()) continue;
        const double price = SizeOf(input, panel).price;
        total += panel.wholePanel ? price : price * panel.utilisation / 100.0;
        total = RoundHalfEven(total);
    }
    out.cutSaleTotal = ClampToInt32(total);

    auto placed = [&](std::size_t r) -> double {
        return r < placedCount.size() ? placedCount[r] : 0;
    };
    auto area = [&](std::size_t r) {
        return static_cast<double>(input.rows[r].rawHeight) * input.rows[r].rawWidth;
    };

    double areaSum = 0.0;
    std::vector<bool> fixed(rowCount, false);
    for (std::size_t r = 0; r < rowCount; ++r) {
        if (placed(r) <= 0 || area(r) <= 0) {
            fixed[r] = true;  // nothing of this row is cut: no share
            continue;
        }
        areaSum += area(r) * placed(r);
    }
    double remaining = out.cutSaleTotal;
    for (int pass = 0; pass < 3 && areaSum > 0; ++pass) {
        for (std::size_t r = 0; r < rowCount; ++r) {
            if (fixed[r]) continue;
            out.price[r] = ClampToInt32(RoundHalfEven(remaining * area(r) / areaSum + 0.499));
        }
        bool fixedAny = false;
        for (std::size_t r = 0; r < rowCount; ++r) {
            if (fixed[r]) continue;
            const auto cap = CheaperStockCap(input, input.rows[r], out.price[r]);
            if (!cap) continue;
            out.price[r] = *cap;
            fixed[r] = true;
            fixedAny = true;
            remaining -= static_cast<double>(*cap) * placed(r);
            areaSum -= area(r) * placed(r);
        }
        if (!fixedAny) break;
    }
    double partsTotal = 0.0;
    for (std::size_t r = 0; r < rowCount; ++r) partsTotal += placed(r) * out.price[r];
    out.partsTotal = ClampToInt32(partsTotal);
    return out;
}

}  // namespace tvx::panel
