#include "bar/engine/bar_working_set.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tvx::bar {

void BuildStockTypes(const BarJob& job, BarWorkingSet& set) {
    const BarStock& stock = job.stock;
    const int count = std::clamp<int>(stock.stockEntryCountInUse, 0, kMaxStockEntries);
    set.kerf = job.kerf;
    set.allPricesGiven = true;
    for (int t = 0; t < count; ++t)
        if (stock.stockEntryPrice[static_cast<std::size_t>(t)] == 0.0f) set.allPricesGiven = false;
    set.stockLength.clear();
    set.barCost.clear();
    set.countLimit.clear();
    set.stockEntered.clear();
    for (int t = 0; t < count; ++t) {
        const auto s = static_cast<std::size_t>(t);
        set.stockLength.push_back(job.kerf + stock.stockEntryLength[s]);
        set.barCost.push_back(set.allPricesGiven ? stock.stockEntryPrice[s]
                                                 : stock.stockEntryLength[s]);
        set.countLimit.push_back(stock.stockEntryCount[s]);
        set.stockEntered.push_back(stock.stockEntryLength[s]);
    }
}

void SortStockTypes(BarWorkingSet& set) {
    // Neighbours swap only on a strict decrease, so equal lengths keep their order; an entry
    // without a positive length is never moved up.
    auto& length = set.stockLength;
    for (int i = set.StockTypeCount() - 1; i >= 1; --i) {
        for (int j = 0; j < i; ++j) {
            const auto a = static_cast<std::size_t>(j);
            const auto b = a + 1;
            if (length[a] > 0.0f && length[b] < length[a]) {
                std::swap(length[a], length[b]);
                std::swap(set.barCost[a], set.barCost[b]);
                std::swap(set.countLimit[a], set.countLimit[b]);
                std::swap(set.stockEntered[a], set.stockEntered[b]);
            }
        }
    }
}

void BuildPieceList(const BarJob& job, BarWorkingSet& set) {
    const BarCutList& list = job.cutList;
    set.pieceLength.clear();
    set.pieceRemaining.clear();
    set.pieceComment.clear();
    set.pieceEntered.clear();
    set.piecesLeft = 0;
    const int rows = std::min<int>(list.rowCount, list.Capacity());
    for (int row = 0; row < rows; ++row) {
        if (!IsValidBarRow(list, row)) continue;
        const auto r = static_cast<std::size_t>(row);
        set.pieceLength.push_back(job.kerf + list.cutLength[r]);
        set.pieceRemaining.push_back(list.cutQuantity[r]);
        set.pieceComment.push_back(list.cutComment[r]);
        set.pieceEntered.push_back(list.cutLength[r]);
        set.piecesLeft += list.cutQuantity[r];
    }
}

void SortAndMergePieces(BarWorkingSet& set, bool keepEqualLengthsApart) {
    // A stable sort, descending: the order a neighbour-swapping sort that swaps only on a
    // strictly longer successor produces, without its quadratic time on long lists.
    std::vector<std::size_t> order(set.pieceLength.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return set.pieceLength[a] > set.pieceLength[b];
    });
    std::vector<float> length;
    std::vector<std::int64_t> remaining;
    std::vector<std::string> comment;
    std::vector<float> entered;
    for (const std::size_t i : order) {
        length.push_back(set.pieceLength[i]);
        entered.push_back(set.pieceEntered[i]);
        remaining.push_back(set.pieceRemaining[i]);
        comment.push_back(std::move(set.pieceComment[i]));
    }
    if (!keepEqualLengthsApart) {
        // Equal lengths are neighbours now; each run of them becomes its first entry with the
        // summed quantity. Comments stay where they were: they are read only when part codes
        // are shown, and then nothing is merged.
        std::size_t kept = 0;
        for (std::size_t f = 0; f < length.size(); ++f) {
            if (kept > 0 && length[kept - 1] == length[f]) {
                remaining[kept - 1] += remaining[f];
            } else {
                length[kept] = length[f];
                entered[kept] = entered[f];
                remaining[kept] = remaining[f];
                ++kept;
            }
        }
        length.resize(kept);
        remaining.resize(kept);
        comment.resize(kept);
        entered.resize(kept);
    }
    set.pieceLength = std::move(length);
    set.pieceRemaining = std::move(remaining);
    set.pieceComment = std::move(comment);
    set.pieceEntered = std::move(entered);
}

void DropUnusableStockTypes(BarWorkingSet& set) {
    if (set.pieceLength.empty()) return;
    const float shortest = set.pieceLength.back();
    std::size_t drop = 0;
    while (drop < set.stockLength.size() && set.stockLength[drop] < shortest) ++drop;
    const auto first = static_cast<std::ptrdiff_t>(drop);
    set.stockLength.erase(set.stockLength.begin(), set.stockLength.begin() + first);
    set.barCost.erase(set.barCost.begin(), set.barCost.begin() + first);
    set.countLimit.erase(set.countLimit.begin(), set.countLimit.begin() + first);
    set.stockEntered.erase(set.stockEntered.begin(), set.stockEntered.begin() + first);
}

BarWorkingSet PrepareWorkingSet(const BarJob& job) {
    BarWorkingSet set;
    BuildStockTypes(job, set);
    SortStockTypes(set);
    BuildPieceList(job, set);
    SortAndMergePieces(set, job.showPartCodes);
    DropUnusableStockTypes(set);
    return set;
}

void CopyWorkingTables(const BarWorkingSet& set, BarPlan& plan) {
    plan.kerf = set.kerf;
    plan.allPricesGiven = set.allPricesGiven;
    plan.stockLength = set.stockLength;
    plan.barCost = set.barCost;
    plan.countLimit = set.countLimit;
    plan.resultCount.assign(set.stockLength.size(), 0);
    plan.pieceLength = set.pieceLength;
    plan.pieceComment = set.pieceComment;
}

}  // namespace tvx::bar
