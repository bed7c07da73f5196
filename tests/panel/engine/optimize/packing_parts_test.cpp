// The pieces the optimising search is built from: the guillotine fill of one panel and the
// lower bounds.

#include <gtest/gtest.h>

#include "panel/engine/optimize/guillotine_bin.h"
#include "panel/engine/optimize/lower_bounds.h"
#include "panel/engine/optimize/pool_packer.h"

namespace tvx::panel::optimize {
namespace {

PackingProblem Problem(std::int32_t binWidth, std::int32_t binHeight,
                       std::initializer_list<Piece> pieces) {
    PackingProblem problem;
    problem.types.push_back({binWidth, binHeight, std::int64_t{binWidth} * binHeight, -1, 0});
    for (const Piece& piece : pieces) {
        problem.pieces.push_back(piece);
        problem.totalPieceArea += piece.area();
    }
    return problem;
}

constexpr FillRules kAllRules[] = {
    {RectChoice::BestShortSide, SplitRule::ShorterLeftover},
    {RectChoice::BestArea, SplitRule::MinimizeArea},
    {RectChoice::BottomLeft, SplitRule::Horizontal},
    {RectChoice::BestShortSide, SplitRule::LongerLeftover},
    {RectChoice::BestArea, SplitRule::MaximizeArea},
    {RectChoice::BestShortSide, SplitRule::ShorterLeftover, true},
};

TEST(GuillotineBin, FillsAPanelExactlyAndRefusesWhatIsLeft) {
    for (const FillRules& rules : kAllRules) {
        GuillotineBin bin(1000, 600);
        const Piece quarter{500, 300, 0, false};
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(bin.Insert(quarter, i, rules));
        EXPECT_FALSE(bin.Insert(Piece{1, 1, 0, false}, 4, rules));
        EXPECT_EQ(bin.contentArea(), 600000);
        EXPECT_EQ(bin.placed().size(), 4u);
    }
}

TEST(GuillotineBin, TurnsOnlyPiecesThatMayTurn) {
    GuillotineBin fixed(300, 1000);
    EXPECT_FALSE(fixed.Insert(Piece{1000, 300, 0, false}, 0, {}));
    GuillotineBin turning(300, 1000);
    ASSERT_TRUE(turning.Insert(Piece{1000, 300, 0, true}, 0, {}));
    EXPECT_TRUE(turning.placed().front().turned);
}

TEST(GuillotineBin, RectFirstFillTakesTheLargestPieceThatFits) {
    GuillotineBin bin(1000, 600);
    const std::vector<Piece> pieces{
        {200, 200, 0, false}, {1000, 400, 1, false}, {1000, 600, 2, false}};
    std::vector<int> pending{0, 1, 2};
    bin.FillRectFirst(pieces, pending, SplitRule::ShorterLeftover);
    ASSERT_EQ(bin.placed().size(), 1u);
    EXPECT_EQ(bin.placed().front().piece, 2);
    EXPECT_EQ(pending, (std::vector<int>{0, 1}));
}

TEST(LowerBounds, LargePiecesThatCannotShareCountAsWholePanels) {
    // Three 600 x 600 pieces in 1000 x 1000: the area says 2, no two fit together.
    const PackingProblem big = Problem(1000, 1000, {{600, 600}, {600, 600}, {600, 600}});
    EXPECT_EQ(PanelCountBound(big, big.types.front()), 3);
    // Turning does not help a piece that only fits turned and then still exceeds half.
    const PackingProblem turned =
        Problem(1000, 500, {{400, 600, 0, true}, {400, 600, 0, true}, {400, 600, 0, true}});
    EXPECT_EQ(PanelCountBound(turned, turned.types.front()), 3);
}

TEST(LowerBounds, NeverAboveAKnownPacking) {
    // Eight 500 x 300 pieces tile two 1000 x 600 panels; seven still need two.
    const Piece q{500, 300, 0, false};
    const PackingProblem eight = Problem(1000, 600, {q, q, q, q, q, q, q, q});
    EXPECT_EQ(PanelCountBound(eight, eight.types.front()), 2);
    const PackingProblem seven = Problem(1000, 600, {q, q, q, q, q, q, q});
    EXPECT_EQ(PanelCountBound(seven, seven.types.front()), 2);
    EXPECT_EQ(CostBound(seven), 2 * 600000);
}

TEST(LowerBounds, SeveralSizesUseTheBestCostPerAreaEachPieceFits) {
    PackingProblem problem = Problem(1000, 1000, {{500, 1000}, {500, 1000}, {500, 1000}});
    problem.priceMode = true;
    problem.types.front().cost = 100;
    problem.types.push_back({500, 1000, 60, -1, 1});
    // 1.5 million square units at 100 per million.
    EXPECT_EQ(CostBound(problem), 150);
}

TEST(PoolPacker, ConstructionRespectsSheetLimitsAndMovesToCheaperSizes) {
    PackingProblem problem = Problem(1000, 1000, {{500, 1000}, {500, 1000}, {500, 1000}});
    problem.priceMode = true;
    problem.types.front().cost = 100;
    problem.types.push_back({500, 1000, 60, 1, 1});
    const std::optional<Packing> packing = ConstructPacking(
        problem, {0, 1, 2}, {RectChoice::BestShortSide, SplitRule::ShorterLeftover});
    ASSERT_TRUE(packing.has_value());
    EXPECT_TRUE(problem.WithinLimits(*packing));
    EXPECT_EQ(problem.Cost(*packing), 160);
}

}  // namespace
}  // namespace tvx::panel::optimize
