#include "bar/engine/bar_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tvx::bar {
namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

BarSearch::BarSearch(BarWorkingSet& set, const BarOptions& options, const SearchControl& control)
    : set_(set),
      control_(control),
      types_(set.StockTypeCount()),
      kinds_(set.PieceKindCount()),
      plannedCount_(At(types_), 0),
      usedCount_(At(types_), 0),
      bestUsedCount_(At(types_), 0),
      resultCount_(At(types_), 0),
      stepLimit_(options.stepLimit) {}

// ---------------------------------------------------------------------------------------
// The outer loop

void BarSearch::PlanInitialMix() {
    plannedCount_[0] = set_.piecesLeft;
    for (int i = 0; i < kinds_; ++i) {
        const float length = set_.pieceLength[At(i)];
        const std::int64_t quantity = set_.pieceRemaining[At(i)];
        for (int j = 0; j + 1 < types_; ++j) {
            if (!(set_.stockLength[At(j)] < length)) continue;
            // Pieces of this kind on one bar of the next type: the whole part of the single
            // quotient, at least 1 (no more than the quantity matters for the division).
            const float quotient = set_.stockLength[At(j + 1)] / length;
            const double whole = std::floor(static_cast<double>(quotient));
            const std::int64_t fit = std::max<std::int64_t>(
                1, whole >= static_cast<double>(quantity) ? quantity
                                                          : static_cast<std::int64_t>(whole));
            const std::int64_t bars = (quantity + fit - 1) / fit;
            plannedCount_[At(j + 1)] += bars;
            plannedCount_[At(j)] -= quantity;
        }
    }
}

void BarSearch::SearchStockMixes(BarPlan& plan) {
    std::fill(resultCount_.begin(), resultCount_.end(), 0);
    std::fill(plannedCount_.begin(), plannedCount_.end(), 0);
    PlanInitialMix();

    // No plan can cost as much as every piece on a bar of the dearest type.
    float dearest = 0.0f;
    for (const float cost : set_.barCost) dearest = std::max(dearest, cost);
    dearestPlan_ = static_cast<float>(set_.piecesLeft) * dearest;
    noPlanBound_ = dearestPlan_ + 1.0f;
    found_ = false;
    bestCost_ = 0.0f;

    while (true) {
        RunPass();
        if (passFound_ && (!found_ || passBestCost_ < bestCost_)) {
            found_ = true;
            bestCost_ = passBestCost_;
            resultCount_ = bestUsedCount_;
            result_ = passBest_;
        }
        ++passes_;
        control_.Report(SearchProgress{
            passes_, found_ ? std::optional<double>(bestCost_) : std::nullopt, std::nullopt});
        if (control_.ShouldStop()) break;
        if (!NextStockMix()) break;
    }

    plan.found = found_;
    plan.bestCost = found_ ? bestCost_ : 0.0f;
    plan.resultCount = resultCount_;
    plan.resultBarCount = 0;
    for (const std::int64_t count : resultCount_) plan.resultBarCount += count;
    plan.resultBars.clear();
    for (std::size_t k = 0; k < result_.bars.size(); ++k) {
        const PathBar& bar = result_.bars[k];
        const auto end = k + 1 < result_.bars.size()
                             ? static_cast<std::size_t>(result_.bars[k + 1].firstPiece)
                             : result_.pieces.size();
        BarRun run;
        run.stockType = bar.stockType;
        run.pieces.assign(result_.pieces.begin() + bar.firstPiece,
                          result_.pieces.begin() + static_cast<std::ptrdiff_t>(end));
        run.count = bar.count;
        // Identical neighbours (also those the search opened one by one) form one run.
        if (!plan.resultBars.empty() && plan.resultBars.back().stockType == run.stockType &&
            plan.resultBars.back().pieces == run.pieces) {
            plan.resultBars.back().count += run.count;
        } else {
            plan.resultBars.push_back(std::move(run));
        }
    }
}

void BarSearch::RunPass() {
    passFound_ = false;
    passBestCost_ = 0.0f;
    std::fill(usedCount_.begin(), usedCount_.end(), 0);
    const int type = LongestOpenStockType();
    usedCount_[At(type)] += 1;
    stepCounter_ = 1;
    path_.bars.assign(1, PathBar{static_cast<std::int16_t>(type), 0, 1});
    path_.pieces.clear();
    FillBar(static_cast<std::int16_t>(type), set_.stockLength[At(type)], 0);
}

int BarSearch::LongestOpenStockType() const {
    for (int t = types_ - 1; t >= 0; --t)
        if (usedCount_[At(t)] < plannedCount_[At(t)]) return t;
    return 0;
}

bool BarSearch::NextStockMix() {
    std::fill(usedCount_.begin(), usedCount_.end(), 0);
    std::vector<std::int64_t> scratch;
    std::vector<bool> used(At(types_));
    while (true) {
        // Greedy trial fill of the current mix.
        scratch = set_.pieceRemaining;
        std::int64_t scratchLeft = set_.piecesLeft;
        std::fill(used.begin(), used.end(), false);
        for (int t = types_ - 1; t >= 0 && scratchLeft > 0; --t) {
            for (std::int64_t bar = 0; bar < plannedCount_[At(t)] && scratchLeft > 0; ++bar) {
                float capacity = set_.stockLength[At(t)];
                bool placed = false;
                for (int i = 0; i < kinds_; ++i) {
                    while (scratch[At(i)] >= 1 && capacity >= set_.pieceLength[At(i)]) {
                        capacity -= set_.pieceLength[At(i)];
                        scratch[At(i)] -= 1;
                        --scratchLeft;
                        placed = true;
                    }
                }
                // Further bars of this type would take nothing either.
                if (!placed) break;
                used[At(t)] = true;
            }
        }
        int shortest = -1;
        for (int t = 0; t < types_ && shortest < 0; ++t)
            if (used[At(t)]) shortest = t;
        if (shortest < 0 || shortest == types_ - 1) return false;
        for (int t = 1; t <= shortest; ++t) plannedCount_[At(t)] = 0;
        plannedCount_[At(shortest + 1)] += 1;

        bool ok = BoundAllowsImprovement();
        for (int t = 1; t < types_; ++t) {
            const std::int32_t limit = set_.countLimit[At(t)];
            if (limit > 0 && plannedCount_[At(t)] > limit) ok = false;
        }
        if (ok) return true;
    }
}

// ---------------------------------------------------------------------------------------
// Bounds and costs

float BarSearch::PlanCost() const {
    float cost = 0.0f;
    for (int t = 0; t < types_; ++t)
        cost += static_cast<float>(usedCount_[At(t)]) * set_.barCost[At(t)];
    return cost;
}

bool BarSearch::WithinCountLimits() const {
    for (int t = 0; t < types_; ++t) {
        const std::int32_t limit = set_.countLimit[At(t)];
        if (limit > 0 && usedCount_[At(t)] > limit) return false;
    }
    return true;
}

void BarSearch::AddShortestBars(float demand, float& capacity, float& extra) const {
    const float length = set_.stockLength[0];
    const float cost = set_.barCost[0];
    // With whole numbers below 2^24 every partial sum of the loop below is exact, so the
    // number of bars it adds can be worked out at once; the result is the same to the bit.
    constexpr double kExact = 16777216.0;
    auto whole = [](float v) { return v >= 0.0f && v < 16777216.0f && v == std::floor(v); };
    if (length >= 1.0f && whole(length) && whole(cost) && whole(capacity) && whole(extra)) {
        const double missing = static_cast<double>(demand) - static_cast<double>(capacity);
        const double bars = missing > 0.0 ? std::ceil(missing / static_cast<double>(length)) : 0.0;
        const double newCapacity = static_cast<double>(capacity) + bars * length;
        const double newExtra = static_cast<double>(extra) + bars * cost;
        if (newCapacity < kExact && newExtra < kExact) {
            capacity = static_cast<float>(newCapacity);
            extra = static_cast<float>(newExtra);
            return;
        }
    }
    while (demand > capacity) {
        const float raised = capacity + length;
        if (!(raised > capacity)) break;  // one more bar no longer adds capacity
        capacity = raised;
        extra += cost;
    }
}

// Below 2^24 the "+ 1" of noPlanBound_ is exact and the first test decides; above, where
// it vanishes, a bound equal to the dearest plan must still pass.
bool BarSearch::BelowNoPlanBound(float cost) const {
    return cost < noPlanBound_ || cost <= dearestPlan_;
}

bool BarSearch::BoundAllowsImprovement() const {
    const float spent = PlanCost();
    float demand = 0.0f;
    for (int i = 0; i < kinds_; ++i)
        demand += static_cast<float>(set_.pieceRemaining[At(i)]) * set_.pieceLength[At(i)];
    float capacity = 0.0f;
    float extra = 0.0f;
    for (int t = 1; t < types_; ++t) {
        const auto open = static_cast<float>(plannedCount_[At(t)] - usedCount_[At(t)]);
        capacity += open * set_.stockLength[At(t)];
        extra += open * set_.barCost[At(t)];
    }
    AddShortestBars(demand, capacity, extra);
    if (!found_ && !passFound_) return BelowNoPlanBound(spent + extra);
    float target = found_ ? bestCost_ : passBestCost_;
    if (found_ && passFound_) target = std::min(bestCost_, passBestCost_);
    return spent + extra < target;
}

void BarSearch::RecordIfBetter() {
    if (!WithinCountLimits()) return;
    const float cost = PlanCost();
    // The first complete assignment counts unless it costs more than any plan can (which
    // only float rounding below 2^24 could make it; above, where the bound is coarse, any
    // complete assignment is a plan).
    const bool counts =
        passFound_ ? cost < passBestCost_ : cost < noPlanBound_ || !(noPlanBound_ > dearestPlan_);
    if (!counts) return;
    passFound_ = true;
    passBestCost_ = cost;
    passBest_ = path_;
    bestUsedCount_ = usedCount_;
}

// ---------------------------------------------------------------------------------------
// The search of one pass

bool BarSearch::TopBarEmpty() const {
    return static_cast<std::size_t>(path_.bars.back().firstPiece) == path_.pieces.size();
}

void BarSearch::Place(std::int32_t piece) {
    set_.pieceRemaining[At(piece)] -= 1;
    path_.pieces.push_back(static_cast<std::int16_t>(piece));
    set_.piecesLeft -= 1;
}

void BarSearch::Unplace(std::int32_t piece) {
    set_.pieceRemaining[At(piece)] += 1;
    path_.pieces.pop_back();
    set_.piecesLeft += 1;
}

std::int64_t BarSearch::PossibleRepetitions(std::int16_t stockType) const {
    std::int64_t repetitions = plannedCount_[At(stockType)] - usedCount_[At(stockType)];
    if (repetitions < 1) return 0;
    // Pieces on a bar are in non-decreasing index order, so each kind forms one group.
    const auto first = static_cast<std::size_t>(path_.bars.back().firstPiece);
    for (std::size_t k = first; k < path_.pieces.size();) {
        const std::int16_t kind = path_.pieces[k];
        std::size_t end = k;
        while (end < path_.pieces.size() && path_.pieces[end] == kind) ++end;
        const auto perBar = static_cast<std::int64_t>(end - k);
        repetitions = std::min(repetitions, set_.pieceRemaining[At(kind)] / perBar);
        k = end;
    }
    return repetitions;
}

void BarSearch::ApplyRepetitions(std::int64_t repetitions, int sign) {
    if (repetitions == 0) return;
    const std::int64_t delta = sign * repetitions;
    PathBar& top = path_.bars.back();
    const auto first = static_cast<std::size_t>(top.firstPiece);
    for (std::size_t k = first; k < path_.pieces.size(); ++k)
        set_.pieceRemaining[At(path_.pieces[k])] -= delta;
    set_.piecesLeft -= delta * static_cast<std::int64_t>(path_.pieces.size() - first);
    usedCount_[At(top.stockType)] += delta;
    top.count += delta;
}

void BarSearch::FillBar(std::int16_t stockType, float capacity, std::int32_t startIndex) {
    frames_.clear();
    Frame root;
    root.stockType = stockType;
    root.capacity = capacity;
    root.next = startIndex;
    frames_.push_back(root);
    while (!frames_.empty()) {
        Frame& frame = frames_.back();
        switch (frame.resume) {
            case Frame::Resume::Enter:
                if (stepCounter_ > stepLimit_) {
                    frames_.pop_back();
                    continue;
                }
                ++stepCounter_;
                frame.placedHere = false;
                frame.resume = Frame::Resume::Loop;
                break;
            case Frame::Resume::AfterPlace:
                Unplace(frame.next);
                ++frame.next;
                frame.resume = Frame::Resume::Loop;
                break;
            case Frame::Resume::AfterOpen:
                usedCount_[At(frame.openedType)] -= 1;
                path_.bars.pop_back();
                FinishClose(frame);
                frames_.pop_back();
                continue;
            case Frame::Resume::Loop:
                break;
        }
        if (!RunFrameLoop(frame)) continue;  // a child call runs first
        // `frame` is still the top frame here: nothing was pushed.
        if (frame.placedHere || TopBarEmpty()) {
            frames_.pop_back();  // only a call that could place nothing further closes its bar
            continue;
        }
        if (CloseBar(frame)) continue;
        FinishClose(frames_.back());
        frames_.pop_back();
    }
}

bool BarSearch::RunFrameLoop(Frame& frame) {
    for (; frame.next < kinds_; ++frame.next) {
        const std::int32_t i = frame.next;
        const float length = set_.pieceLength[At(i)];
        if (set_.pieceRemaining[At(i)] >= 1 && frame.capacity >= length) {
            frame.placedHere = true;
            Place(i);
            if (set_.piecesLeft > 0) {
                Frame child;
                child.stockType = frame.stockType;
                child.capacity = frame.capacity - length;
                child.next = i;  // the same kind may follow, never an earlier one
                frame.resume = Frame::Resume::AfterPlace;
                frames_.push_back(child);  // invalidates `frame`
                return false;
            }
            RecordIfBetter();
            Unplace(i);
        }
    }
    return true;
}

bool BarSearch::CloseBar(Frame& frame) {
    const std::int16_t type = frame.stockType;
    frame.savedPiecesLeft = set_.piecesLeft;
    frame.savedUsedCount = usedCount_[At(type)];
    // Greedy repetition of the finished bar; no branch with fewer repetitions is explored.
    frame.repetitions = PossibleRepetitions(type);
    ApplyRepetitions(frame.repetitions, +1);

    if (set_.piecesLeft <= 0 || !BoundAllowsImprovement()) return false;
    const int next = LongestOpenStockType();
    const std::int32_t limit0 = set_.countLimit[0];
    if (limit0 > 0 && next == 0 && usedCount_[0] >= limit0) return false;
    usedCount_[At(next)] += 1;
    // Bars of the same type follow with a non-decreasing first piece, so no set of bars is
    // searched in several orders.
    const std::int32_t start =
        next == type ? path_.pieces[static_cast<std::size_t>(path_.bars.back().firstPiece)] : 0;
    path_.bars.push_back(PathBar{static_cast<std::int16_t>(next),
                                 static_cast<std::int32_t>(path_.pieces.size()), 1});
    frame.openedType = static_cast<std::int16_t>(next);
    frame.resume = Frame::Resume::AfterOpen;
    Frame child;
    child.stockType = static_cast<std::int16_t>(next);
    child.capacity = set_.stockLength[At(next)];
    child.next = start;
    frames_.push_back(child);  // invalidates `frame`
    return true;
}

void BarSearch::FinishClose(Frame& frame) {
    if (set_.piecesLeft == 0) RecordIfBetter();
    ApplyRepetitions(frame.repetitions, -1);
    set_.piecesLeft = frame.savedPiecesLeft;
    usedCount_[At(frame.stockType)] = frame.savedUsedCount;
}

}  // namespace tvx::bar
