#pragma once
// The result of a bar calculation: which pieces are cut from which stock bar. The engine
// fills it; the window, the drawing, the job file and the command-line planner read it.

#include <cstdint>
#include <string>
#include <vector>

namespace tvx::bar {

// Consecutive bars of the same stock type with the same pieces in the same order. The plan
// keeps such bars as one run, so a plan of very many bars stays small in memory.
struct BarRun {
    std::int16_t stockType = 0;        // index into the plan's sorted stock table
    std::vector<std::int16_t> pieces;  // piece-list indices in slot order (longest first)
    std::int64_t count = 1;            // number of identical bars in the run
    bool operator==(const BarRun&) const = default;
};

struct BarPlan {
    // The engine's stock table, ascending by length, after dropping unusable types.
    // `stockLength` includes one kerf; `barCost` is the price, or the length when not every
    // stock entry has a price.
    std::vector<float> stockLength;
    std::vector<float> barCost;
    std::vector<std::int32_t> countLimit;   // 0 = no limit
    std::vector<std::int64_t> resultCount;  // bars of each type in the plan

    // The engine's piece list, descending by length; `pieceLength` includes one kerf.
    std::vector<float> pieceLength;
    std::vector<std::string> pieceComment;

    // The bars in plan order: grouped by stock type, longest type first.
    std::vector<BarRun> resultBars;
    std::int64_t resultBarCount = 0;

    float kerf = 0.0f;
    bool allPricesGiven = false;
    bool found = false;     // the search found a complete assignment
    float bestCost = 0.0f;  // its cost; 0 without one

    // Set by the optimising calculation only: whether the plan is a proven optimum, and the
    // proven lower bound on the cost of any plan (in the units of bestCost; 0 when unknown).
    bool provenOptimal = false;
    double costLowerBound = 0.0;

    // A plan exists when the search found a complete assignment.
    bool HasPlan() const { return found && resultBarCount > 0; }
};

// Lengths as the user entered them (without the kerf the engine added).
float DisplayedStockLength(const BarPlan& plan, int stockType);
float DisplayedPieceLength(const BarPlan& plan, int pieceIndex);

// Stock length (with kerf) minus the piece lengths (with kerf) of a bar: the length as
// entered minus the entered piece lengths minus one kerf per piece except one.
float BarRemainder(const BarPlan& plan, const BarRun& bar);

// Empties the plan (the reset of the job clears its bars).
void ClearPlan(BarPlan& plan);

}  // namespace tvx::bar
