#include "pool_packer.h"

#include <algorithm>

namespace tvx::panel::optimize {
namespace {

std::int64_t KeyOf(const Piece& piece, PieceOrder order) {
    switch (order) {
        case PieceOrder::Area:
            return piece.area();
        case PieceOrder::Height:
            return static_cast<std::int64_t>(piece.height) * (1LL << 32) + piece.width;
        case PieceOrder::Width:
            return static_cast<std::int64_t>(piece.width) * (1LL << 32) + piece.height;
        case PieceOrder::LongerSide:
            return static_cast<std::int64_t>(std::max(piece.width, piece.height)) * (1LL << 32) +
                   std::min(piece.width, piece.height);
        case PieceOrder::Perimeter:
            return static_cast<std::int64_t>(piece.width) + piece.height;
    }
    return 0;
}

PackedBin FillOne(const PackingProblem& problem, const std::vector<int>& ordered, int type,
                  FillRules rules, std::vector<int>& left) {
    const BinType& binType = problem.types[static_cast<std::size_t>(type)];
    GuillotineBin bin(binType.width, binType.height, problem.smallestSide);
    left.clear();
    if (rules.rectFirst) {
        left = ordered;
        bin.FillRectFirst(problem.pieces, left, rules.split);
        return PackedBin{type, bin.placed(), bin.contentArea()};
    }
    for (const int index : ordered) {
        if (!bin.Insert(problem.pieces[static_cast<std::size_t>(index)], index, rules))
            left.push_back(index);
    }
    return PackedBin{type, bin.placed(), bin.contentArea()};
}

// a1 / c1 > a2 / c2 for non-negative values, a cost of 0 counting as the best.
bool BetterRatio(std::int64_t a1, std::int64_t c1, std::int64_t a2, std::int64_t c2) {
    return static_cast<long double>(a1) * c2 > static_cast<long double>(a2) * c1;
}

}  // namespace

std::vector<int> OrderPieces(const PackingProblem& problem, std::vector<int> pieces,
                             PieceOrder order) {
    std::stable_sort(pieces.begin(), pieces.end(), [&](int a, int b) {
        return KeyOf(problem.pieces[static_cast<std::size_t>(a)], order) >
               KeyOf(problem.pieces[static_cast<std::size_t>(b)], order);
    });
    return pieces;
}

std::vector<PackedBin> PackIntoBins(const PackingProblem& problem, const std::vector<int>& ordered,
                                    const std::vector<int>& binTypes, FillRules rules,
                                    std::vector<int>& left) {
    std::vector<PackedBin> bins;
    std::vector<int> pending = ordered;
    for (const int type : binTypes) {
        if (pending.empty()) break;
        std::vector<int> rest;
        bins.push_back(FillOne(problem, pending, type, rules, rest));
        pending = std::move(rest);
    }
    left = std::move(pending);
    return bins;
}

std::vector<PackedBin> PackIntoBinsBestOf(const PackingProblem& problem,
                                          const std::vector<int>& ordered,
                                          const std::vector<int>& binTypes,
                                          const std::vector<FillRules>& rules,
                                          std::vector<int>& left) {
    std::vector<PackedBin> bins;
    std::vector<int> pending = ordered;
    for (const int type : binTypes) {
        if (pending.empty()) break;
        std::optional<PackedBin> best;
        std::vector<int> bestRest;
        for (const FillRules& rule : rules) {
            std::vector<int> rest;
            PackedBin bin = FillOne(problem, pending, type, rule, rest);
            if (!best || bin.contentArea > best->contentArea) {
                best = std::move(bin);
                bestRest = std::move(rest);
            }
        }
        if (!best) break;
        bins.push_back(std::move(*best));
        pending = std::move(bestRest);
    }
    left = std::move(pending);
    return bins;
}

std::optional<Packing> ConstructPacking(const PackingProblem& problem,
                                        const std::vector<int>& ordered, FillRules rules) {
    std::vector<std::int64_t> used(problem.types.size(), 0);
    Packing packing;
    std::vector<int> pending = ordered;
    while (!pending.empty()) {
        std::optional<PackedBin> best;
        std::vector<int> bestRest;
        for (std::size_t t = 0; t < problem.types.size(); ++t) {
            const BinType& type = problem.types[t];
            if (type.limit >= 0 && used[t] >= type.limit) continue;
            std::vector<int> rest;
            PackedBin bin = FillOne(problem, pending, static_cast<int>(t), rules, rest);
            if (bin.placed.empty()) continue;
            const bool better =
                !best ||
                BetterRatio(bin.contentArea, type.cost, best->contentArea,
                            problem.types[static_cast<std::size_t>(best->type)].cost) ||
                (!BetterRatio(best->contentArea,
                              problem.types[static_cast<std::size_t>(best->type)].cost,
                              bin.contentArea, type.cost) &&
                 bin.contentArea > best->contentArea);
            if (better) {
                best = std::move(bin);
                bestRest = std::move(rest);
            }
        }
        if (!best) return std::nullopt;
        ++used[static_cast<std::size_t>(best->type)];
        packing.bins.push_back(std::move(*best));
        pending = std::move(bestRest);
    }
    MoveToCheaperSizes(problem, packing);
    return packing;
}

std::optional<PackedBin> RepackIntoOne(const PackingProblem& problem,
                                       const std::vector<int>& pieces, int type) {
    static constexpr FillRules kRules[] = {
        {RectChoice::BestShortSide, SplitRule::ShorterLeftover},
        {RectChoice::BestShortSide, SplitRule::ShorterLeftover, true},
        {RectChoice::BestShortSide, SplitRule::ShorterLeftover, true},
        {RectChoice::BestShortSide, SplitRule::MinimizeArea, true},
        {RectChoice::BestArea, SplitRule::MinimizeArea},
        {RectChoice::BottomLeft, SplitRule::Horizontal},
        {RectChoice::BestShortSide, SplitRule::LongerLeftover},
    };
    for (const PieceOrder order : kPieceOrders) {
        const std::vector<int> ordered = OrderPieces(problem, pieces, order);
        for (const FillRules& rules : kRules) {
            std::vector<int> left;
            std::vector<PackedBin> bins = PackIntoBins(problem, ordered, {type}, rules, left);
            if (left.empty() && !bins.empty()) return std::move(bins.front());
        }
    }
    return std::nullopt;
}

void MoveToCheaperSizes(const PackingProblem& problem, Packing& packing) {
    if (problem.types.size() < 2) return;
    std::vector<std::int64_t> used(problem.types.size(), 0);
    for (const PackedBin& bin : packing.bins) ++used[static_cast<std::size_t>(bin.type)];
    std::vector<std::size_t> dearestFirst(packing.bins.size());
    for (std::size_t i = 0; i < dearestFirst.size(); ++i) dearestFirst[i] = i;
    auto costOf = [&](std::size_t b) {
        return problem.types[static_cast<std::size_t>(packing.bins[b].type)].cost;
    };
    std::stable_sort(dearestFirst.begin(), dearestFirst.end(),
                     [&](std::size_t a, std::size_t b) { return costOf(a) > costOf(b); });
    for (const std::size_t b : dearestFirst) {
        PackedBin& bin = packing.bins[b];
        // Cheaper sizes, cheapest first.
        std::vector<int> candidates;
        for (std::size_t t = 0; t < problem.types.size(); ++t) {
            const BinType& type = problem.types[t];
            if (type.cost >= costOf(b)) continue;
            if (type.limit >= 0 && used[t] >= type.limit) continue;
            if (type.area() < bin.contentArea) continue;
            candidates.push_back(static_cast<int>(t));
        }
        std::stable_sort(candidates.begin(), candidates.end(), [&](int x, int y) {
            return problem.types[static_cast<std::size_t>(x)].cost <
                   problem.types[static_cast<std::size_t>(y)].cost;
        });
        std::vector<int> pieces;
        for (const PlacedPiece& placed : bin.placed) pieces.push_back(placed.piece);
        for (const int t : candidates) {
            std::optional<PackedBin> moved = RepackIntoOne(problem, pieces, t);
            if (!moved) continue;
            --used[static_cast<std::size_t>(bin.type)];
            ++used[static_cast<std::size_t>(t)];
            bin = std::move(*moved);
            break;
        }
    }
}

}  // namespace tvx::panel::optimize
