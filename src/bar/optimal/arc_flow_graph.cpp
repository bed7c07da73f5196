#include "bar/optimal/arc_flow_graph.h"

#include <algorithm>
#include <bit>

namespace tvx::bar::optimal {
namespace {

// A set of positions 0..size-1.
class PositionSet {
  public:
    explicit PositionSet(std::int64_t size) : size_(size), words_((size + 63) / 64, 0) {}
    void Set(std::int64_t p) { words_[Word(p)] |= Bit(p); }
    bool Has(std::int64_t p) const { return (words_[Word(p)] & Bit(p)) != 0; }
    std::int64_t Size() const { return size_; }

    // Adds p + width for every member p, repeatedly (any number of further pieces).
    void CloseUnder(std::int64_t width) {
        for (std::int64_t p = 0; p + width < size_; ++p)
            if (Has(p)) Set(p + width);
    }
    // The largest member not above x (x >= 0; 0 is always a member).
    std::int64_t LargestAtMost(std::int64_t x) const {
        std::size_t w = Word(x);
        std::uint64_t bits = words_[w] & (~std::uint64_t{0} >> (63 - x % 64));
        while (bits == 0) bits = words_[--w];
        return static_cast<std::int64_t>(w) * 64 + 63 - std::countl_zero(bits);
    }
    // The next member at or after p, or Size() when there is none.
    std::int64_t NextFrom(std::int64_t p) const {
        if (p >= size_) return size_;
        std::size_t w = Word(p);
        std::uint64_t bits = words_[w] & (~std::uint64_t{0} << (p % 64));
        while (bits == 0) {
            if (++w == words_.size()) return size_;
            bits = words_[w];
        }
        return std::min(size_, static_cast<std::int64_t>(w) * 64 + std::countr_zero(bits));
    }

  private:
    static std::size_t Word(std::int64_t p) { return static_cast<std::size_t>(p / 64); }
    static std::uint64_t Bit(std::int64_t p) { return std::uint64_t{1} << (p % 64); }
    std::int64_t size_;
    std::vector<std::uint64_t> words_;
};

// The label of raw node (p, k): capacity minus the longest fill of the rest of the bar by
// groups k and after. Queries come with falling x, so the last answer is reused while valid.
class Labeller {
  public:
    Labeller(const PositionSet& fills, std::int64_t capacity)
        : fills_(fills), capacity_(capacity) {}
    std::int64_t Label(std::int64_t p) {
        const std::int64_t x = capacity_ - p;
        if (!(lastAnswer_ >= 0 && x >= lastAnswer_ && x <= lastX_)) {
            lastAnswer_ = fills_.LargestAtMost(x);
        }
        lastX_ = x;
        return capacity_ - lastAnswer_;
    }

  private:
    const PositionSet& fills_;
    std::int64_t capacity_;
    std::int64_t lastX_ = -1;
    std::int64_t lastAnswer_ = -1;
};

struct LabelArc {
    std::int64_t from;
    std::int64_t to;
    std::int32_t group;
    auto operator<=>(const LabelArc&) const = default;
};

}  // namespace

std::int64_t ArcFlowWorkBits(std::int64_t capacity, std::size_t groups) {
    return (capacity + 1) * static_cast<std::int64_t>(groups + 2);
}

ArcFlowGraph BuildArcFlowGraph(std::int64_t capacity, const std::vector<std::int64_t>& width) {
    const auto groups = static_cast<std::int32_t>(width.size());
    std::int32_t first = 0;  // the longest group that fits
    while (first < groups && width[static_cast<std::size_t>(first)] > capacity) ++first;

    // fills[k]: the lengths that groups k.. can fill exactly (fills[groups] = {0}).
    std::vector<PositionSet> fills;
    fills.reserve(static_cast<std::size_t>(groups - first + 1));
    fills.emplace_back(capacity + 1);
    fills.back().Set(0);
    for (std::int32_t k = groups - 1; k >= first; --k) {
        PositionSet next = fills.back();
        next.CloseUnder(width[static_cast<std::size_t>(k)]);
        fills.push_back(std::move(next));
    }
    std::reverse(fills.begin(), fills.end());  // fills[k - first]
    auto fillsOf = [&](std::int32_t k) -> const PositionSet& {
        return fills[static_cast<std::size_t>(k - first)];
    };

    std::vector<LabelArc> arcs;
    PositionSet reached(capacity + 1);  // positions of raw nodes at the current level
    reached.Set(0);
    for (std::int32_t k = first; k < groups; ++k) {
        const std::int64_t w = width[static_cast<std::size_t>(k)];
        reached.CloseUnder(w);
        Labeller here(fillsOf(k), capacity);
        Labeller after(fillsOf(k), capacity);
        Labeller below(fillsOf(k + 1), capacity);
        LabelArc lastItem{-1, -1, k};
        LabelArc lastLoss{-1, -1, -1};
        for (std::int64_t p = reached.NextFrom(0); p < reached.Size();
             p = reached.NextFrom(p + 1)) {
            const std::int64_t from = here.Label(p);
            if (p + w <= capacity) {
                const LabelArc arc{from, after.Label(p + w), k};
                if (arc != lastItem) arcs.push_back(lastItem = arc);
            }
            const std::int64_t to = below.Label(p);
            if (to != from) {
                const LabelArc arc{from, to, -1};
                if (arc != lastLoss) arcs.push_back(lastLoss = arc);
            }
        }
    }
    std::sort(arcs.begin(), arcs.end());
    arcs.erase(std::unique(arcs.begin(), arcs.end()), arcs.end());

    // Node indices in label order; the source is the label of (0, first), the sink the
    // capacity (nothing more fits).
    const std::int64_t sourceLabel =
        first < groups ? capacity - fillsOf(first).LargestAtMost(capacity) : capacity;
    std::vector<std::int64_t> labels{sourceLabel, capacity};
    for (const LabelArc& arc : arcs) {
        labels.push_back(arc.from);
        labels.push_back(arc.to);
    }
    std::sort(labels.begin(), labels.end());
    labels.erase(std::unique(labels.begin(), labels.end()), labels.end());
    auto index = [&](std::int64_t label) {
        return static_cast<std::int32_t>(std::lower_bound(labels.begin(), labels.end(), label) -
                                         labels.begin());
    };
    ArcFlowGraph graph;
    graph.nodeCount = static_cast<std::int32_t>(labels.size());
    graph.source = index(sourceLabel);
    graph.sink = index(capacity);
    graph.arcs.reserve(arcs.size());
    for (const LabelArc& arc : arcs)
        graph.arcs.push_back({index(arc.from), index(arc.to), arc.group});
    return graph;
}

}  // namespace tvx::bar::optimal
