#pragma once
// The search of the bar engine: an outer enumeration of stock mixes (how many bars of each
// longer stock type to plan for) and, per mix, a depth-first branch-and-bound pass that fills
// bars one after another, repeats a finished bar's pattern greedily and keeps the cheapest
// complete assignment, within a budget of search steps per pass.
//
// The bars on the search path are kept as runs of identical bars over one stack of placed
// pieces, and the search keeps its own stack of frames instead of recursing, so memory and
// stack depth stay bounded by the step budget however many pieces the job holds.

#include <cstdint>
#include <vector>

#include "bar/engine/bar_engine.h"
#include "bar/engine/bar_working_set.h"

namespace tvx::bar {

class BarSearch {
  public:
    BarSearch(BarWorkingSet& set, const BarOptions& options, const SearchControl& control);

    // SearchStockMixes: runs every pass and fills the plan's bars, counts and costs.
    void SearchStockMixes(BarPlan& plan);

  private:
    // One bar on the search path: its stock type, where its pieces start on the piece stack,
    // and how many identical bars it stands for.
    struct PathBar {
        std::int16_t stockType = 0;
        std::int32_t firstPiece = 0;
        std::int64_t count = 1;
    };
    struct Path {
        std::vector<PathBar> bars;
        std::vector<std::int16_t> pieces;
    };

    // One pending FillBar call.
    struct Frame {
        enum class Resume : std::uint8_t { Enter, Loop, AfterPlace, AfterOpen };
        std::int16_t stockType = 0;
        float capacity = 0.0f;
        std::int32_t next = 0;  // piece index the loop goes on with
        bool placedHere = false;
        Resume resume = Resume::Enter;
        // Bookkeeping while the bar is closed.
        std::int64_t savedPiecesLeft = 0;
        std::int64_t savedUsedCount = 0;
        std::int64_t repetitions = 0;
        std::int16_t openedType = 0;
    };

    void PlanInitialMix();
    void RunPass();
    void FillBar(std::int16_t stockType, float capacity, std::int32_t startIndex);
    bool RunFrameLoop(Frame& frame);  // false when a child frame was pushed
    bool CloseBar(Frame& frame);      // true when a child frame for the next bar was pushed
    void FinishClose(Frame& frame);
    void Place(std::int32_t piece);
    void Unplace(std::int32_t piece);
    void ApplyRepetitions(std::int64_t repetitions, int sign);
    std::int64_t PossibleRepetitions(std::int16_t stockType) const;

    int LongestOpenStockType() const;
    bool BoundAllowsImprovement() const;
    bool BelowNoPlanBound(float cost) const;
    // Adds bars of the shortest type while the demand exceeds the capacity.
    void AddShortestBars(float demand, float& capacity, float& extra) const;
    bool WithinCountLimits() const;
    float PlanCost() const;
    void RecordIfBetter();
    bool NextStockMix();

    bool TopBarEmpty() const;

    BarWorkingSet& set_;
    const SearchControl& control_;
    int types_ = 0;
    int kinds_ = 0;

    std::vector<std::int64_t> plannedCount_;
    std::vector<std::int64_t> usedCount_;
    std::vector<std::int64_t> bestUsedCount_;
    std::vector<std::int64_t> resultCount_;

    // Whether a complete assignment was found (over all passes, in this pass); the costs
    // mean something only then.
    bool found_ = false;
    bool passFound_ = false;
    float bestCost_ = 0.0f;
    float passBestCost_ = 0.0f;
    // Before any assignment is found, a branch is pruned once its bound passes the cost of
    // every piece on a bar of the dearest type (dearestPlan_); noPlanBound_ is that cost + 1,
    // in single precision, as the bound has always been taken below 2^24.
    float dearestPlan_ = 0.0f;
    float noPlanBound_ = 0.0f;
    std::int64_t stepCounter_ = 0;
    std::int64_t stepLimit_ = kStepLimit;
    std::int64_t passes_ = 0;

    Path path_;      // barTable: the assignment on the current search path
    Path passBest_;  // passBestBars
    Path result_;    // resultBars
    std::vector<Frame> frames_;
};

}  // namespace tvx::bar
