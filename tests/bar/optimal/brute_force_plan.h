#pragma once
// The cheapest plan of a small job by trying every assignment of pieces to bars: each piece
// in turn goes onto a bar already opened or onto a new bar of any stock entry (within its
// count limit). Costs follow the cost rule (all prices given: prices, else lengths); among
// equal costs the fewest bars count. Fits use the checker's exact decimal test.

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "bar/model/bar_job.h"
#include "bar/optimal/plan_checker.h"

namespace tvx::bar::test {

struct BruteForceBest {
    double cost = 0.0;
    long long bars = 0;
};

inline std::optional<BruteForceBest> BruteForceCheapest(const BarJob& job) {
    std::vector<float> pieces;
    for (int r = 0; r < job.cutList.rowCount; ++r)
        if (IsValidBarRow(job.cutList, r))
            pieces.insert(pieces.end(), static_cast<std::size_t>(job.cutList.cutQuantity[r]),
                          job.cutList.cutLength[static_cast<std::size_t>(r)]);
    std::sort(pieces.rbegin(), pieces.rend());
    const int entries = job.stock.stockEntryCountInUse;
    bool allPrices = true;
    for (int s = 0; s < entries; ++s)
        allPrices = allPrices && job.stock.stockEntryPrice[static_cast<std::size_t>(s)] != 0.0f;
    auto cost = [&](int s) {
        const auto i = static_cast<std::size_t>(s);
        return static_cast<double>(allPrices ? job.stock.stockEntryPrice[i]
                                             : job.stock.stockEntryLength[i]);
    };

    struct Bar {
        int entry;
        std::vector<float> pieces;
    };
    std::vector<Bar> bars;
    std::vector<int> used(static_cast<std::size_t>(entries), 0);
    std::optional<BruteForceBest> best;
    auto better = [&](double c, long long n) {
        if (!best) return true;
        if (c < best->cost - 1e-9 * std::max(1.0, c)) return true;
        return std::fabs(c - best->cost) <= 1e-9 * std::max(1.0, c) && n < best->bars;
    };
    std::function<void(std::size_t, double)> place = [&](std::size_t i, double spent) {
        if (best && spent > best->cost + 1e-9 * std::max(1.0, spent)) return;
        if (i == pieces.size()) {
            if (better(spent, static_cast<long long>(bars.size())))
                best = BruteForceBest{spent, static_cast<long long>(bars.size())};
            return;
        }
        // By index: deeper calls open bars, which may move the vector.
        for (std::size_t b = 0; b < bars.size(); ++b) {
            bars[b].pieces.push_back(pieces[i]);
            const float stock = job.stock.stockEntryLength[static_cast<std::size_t>(bars[b].entry)];
            if (PiecesFit(stock, job.kerf, bars[b].pieces)) place(i + 1, spent);
            bars[b].pieces.pop_back();
        }
        for (int s = 0; s < entries; ++s) {
            const auto e = static_cast<std::size_t>(s);
            const int limit = job.stock.stockEntryCount[e];
            if (limit > 0 && used[e] >= limit) continue;
            if (!PiecesFit(job.stock.stockEntryLength[e], job.kerf, {pieces[i]})) continue;
            ++used[e];
            bars.push_back({s, {pieces[i]}});
            place(i + 1, spent + cost(s));
            bars.pop_back();
            --used[e];
        }
    };
    place(0, 0.0);
    return best;
}

}  // namespace tvx::bar::test
