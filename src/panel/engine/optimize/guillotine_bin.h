#pragma once
// One stock panel filled piece by piece under the guillotine rule. The panel's free space is
// a list of disjoint free rectangles; a piece goes into the bottom-left corner of one of them
// and that rectangle is cut in two by one straight cut, so the panel can always be cut apart
// by straight through-cuts.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "panel/engine/optimize/packing_problem.h"

namespace tvx::panel::optimize {

// Which free rectangle takes a piece.
enum class RectChoice {
    BestShortSide,  // the least leftover along the tighter side
    BestArea,       // the smallest rectangle that takes it
    BottomLeft,     // the lowest, then leftmost
};

// How the rectangle is cut after a piece went into its corner.
enum class SplitRule {
    ShorterLeftover,  // cut along the shorter leftover side
    LongerLeftover,
    MinimizeArea,  // keep the smaller leftover as small as possible
    MaximizeArea,
    Horizontal,  // always across the whole width first (shelves)
};

struct FillRules {
    RectChoice choice = RectChoice::BestShortSide;
    SplitRule split = SplitRule::ShorterLeftover;
    // Fill the free rectangles instead of placing the pieces in turn: the rectangle with the
    // shortest side first takes the largest piece that fits it (`choice` is then unused).
    bool rectFirst = false;
};

// The fill rules the search tries, the most useful first. A layout is built anew with the
// first kConstructionRuleCount of them; a refill step draws from all of them.
inline constexpr FillRules kFillRules[] = {
    {RectChoice::BestShortSide, SplitRule::ShorterLeftover},
    {RectChoice::BestShortSide, SplitRule::ShorterLeftover, true},
    {RectChoice::BestShortSide, SplitRule::MinimizeArea, true},
    {RectChoice::BestArea, SplitRule::MinimizeArea},
    {RectChoice::BottomLeft, SplitRule::Horizontal},
    {RectChoice::BestShortSide, SplitRule::LongerLeftover},
    {RectChoice::BestArea, SplitRule::ShorterLeftover},
    {RectChoice::BestShortSide, SplitRule::MaximizeArea},
    {RectChoice::BottomLeft, SplitRule::ShorterLeftover},
    {RectChoice::BestArea, SplitRule::Horizontal},
};
inline constexpr std::size_t kConstructionRuleCount = 8;

class GuillotineBin {
  public:
    // `smallestSide`: free rectangles narrower or lower than it are dropped as waste.
    GuillotineBin(std::int32_t width, std::int32_t height, std::int32_t smallestSide = 1);

    // Puts the piece where the rules score best; false (and nothing changes) when no free
    // rectangle takes it in an allowed orientation.
    bool Insert(const Piece& piece, int pieceIndex, FillRules rules);

    // Fills the free rectangles, shortest side first, each with the largest piece of
    // `pending` (indices into `pieces`) that fits it; the pieces placed leave `pending`.
    void FillRectFirst(const std::vector<Piece>& pieces, std::vector<int>& pending,
                       SplitRule split);

    const std::vector<PlacedPiece>& placed() const { return placed_; }
    std::int64_t contentArea() const { return contentArea_; }

  private:
    struct Rect {
        std::int32_t x, y, width, height;
    };
    void Split(const Rect& rect, std::int32_t pieceWidth, std::int32_t pieceHeight, SplitRule rule);
    void AddFree(Rect rect);
    void UpdateReach();

    std::int32_t smallestSide_;
    std::vector<Rect> free_;
    std::vector<PlacedPiece> placed_;
    std::int64_t contentArea_ = 0;
    // The widest and the highest free rectangle's sides (perhaps of different rectangles):
    // a piece beyond them fits nowhere.
    std::int32_t reachWidth_ = 0;
    std::int32_t reachHeight_ = 0;
};

}  // namespace tvx::panel::optimize
