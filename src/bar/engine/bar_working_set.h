#pragma once
// The engine's own copies of the job: the stock types and the piece kinds, built, sorted and
// merged before the search.

#include <cstdint>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar {

struct BarWorkingSet {
    // Stock types; lengths include one kerf.
    std::vector<float> stockLength;
    std::vector<float> barCost;
    std::vector<std::int32_t> countLimit;
    std::vector<float> stockEntered;  // the length as entered, without the kerf
    bool allPricesGiven = true;

    // Piece kinds; lengths include one kerf. Counts never wrap: a merged kind may hold more
    // than 32767 pieces.
    std::vector<float> pieceLength;
    std::vector<std::int64_t> pieceRemaining;
    std::vector<std::string> pieceComment;
    std::vector<float> pieceEntered;  // the length as entered, without the kerf
    std::int64_t piecesLeft = 0;

    float kerf = 0.0f;

    int StockTypeCount() const { return static_cast<int>(stockLength.size()); }
    int PieceKindCount() const { return static_cast<int>(pieceLength.size()); }
};

// Stock types from the job's table: length plus kerf; cost is the price when every entry has
// a price, else the entered length; then sorted ascending by length (SortStockTypes).
void BuildStockTypes(const BarJob& job, BarWorkingSet& set);
void SortStockTypes(BarWorkingSet& set);

// Piece kinds from the valid rows in row order, then sorted descending by length and, unless
// part codes are shown, equal lengths merged (SortAndMergePieces).
void BuildPieceList(const BarJob& job, BarWorkingSet& set);
void SortAndMergePieces(BarWorkingSet& set, bool keepEqualLengthsApart);

// Drops the shortest stock types while they cannot hold the shortest piece.
void DropUnusableStockTypes(BarWorkingSet& set);

// The whole preparation every bar calculation starts from: stock types built and sorted,
// pieces built, sorted and (unless part codes are shown) merged, unusable types dropped.
BarWorkingSet PrepareWorkingSet(const BarJob& job);

// The plan's copy of the prepared tables (stock table, piece list, kerf, cost rule); the
// counts start at zero and the plan has no bars yet.
void CopyWorkingTables(const BarWorkingSet& set, BarPlan& plan);

}  // namespace tvx::bar
