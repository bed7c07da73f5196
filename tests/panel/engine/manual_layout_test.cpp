// The manual layout editor's rules without a window: what is offered under the pointer,
// placing and taking off, pages, sizes, copying, leaving the modification mode, and a long
// random session that must never produce an overlap or lose a part.

#include "panel/engine/manual_layout.h"

#include <gtest/gtest.h>

#include <random>

#include "engine_test_support.h"
#include "panel/engine/geometry.h"

namespace tvx::panel {
namespace {

using test::MakeInput;

std::vector<std::int64_t> PlacedCounts(const LayoutInput& input, const PanelLayoutResult& r) {
    std::vector<std::int64_t> placed(input.rows.size(), 0);
    for (const PanelState& panel : r.panels)
        for (const Placement& p : panel.placements) ++placed[static_cast<std::size_t>(p.row)];
    return placed;
}

// Every panel: parts inside the panel, no two overlapping; every row: placed + remaining =
// quantity.
void ExpectSound(const ManualLayout& m) {
    const LayoutInput& input = m.input();
    for (std::size_t i = 0; i < m.layout().panels.size(); ++i) {
        const PanelState& panel = m.layout().panels[i];
        if (!panel.used()) continue;
        ASSERT_GE(panel.sizeIndex, 0);
        const StockSize& size = input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        for (std::size_t a = 0; a < panel.placements.size(); ++a) {
            const PlacedBox box = BoxOf(input, panel.placements[a]);
            EXPECT_GE(box.x, 0);
            EXPECT_GE(box.y, 0);
            EXPECT_LE(box.x + box.width, size.enlargedWidth) << "panel " << i;
            EXPECT_LE(box.y + box.height, size.enlargedHeight) << "panel " << i;
            for (std::size_t b = a + 1; b < panel.placements.size(); ++b) {
                const PlacedBox o = BoxOf(input, panel.placements[b]);
                const bool overlap = box.x < o.x + o.width && o.x < box.x + box.width &&
                                     box.y < o.y + o.height && o.y < box.y + box.height;
                ASSERT_FALSE(overlap) << "panel " << i << " placements " << a << ", " << b;
            }
        }
    }
    const auto placed = PlacedCounts(input, m.layout());
    std::int64_t total = 0;
    for (int r = 0; r <= m.lastRow(); ++r) {
        EXPECT_EQ(placed[static_cast<std::size_t>(r)] + m.remaining(r),
                  std::max(input.rows[static_cast<std::size_t>(r)].quantity, 0))
            << "row " << r;
        total += m.remaining(r);
    }
    EXPECT_EQ(total, m.remainingTotal());
}

TEST(ManualLayout, FreshModeStartsWithEveryPartToPlaceOnEmptyPanels) {
    LayoutInput input = MakeInput({{1000, 2000}}, {{300, 400, 3}, {200, 200, 2}, {100, 100, 4}});
    input.rows[2].rawHeight = 0;  // a row without a height places nothing
    input.rows[1].quantity = -5;  // a negative quantity counts as nothing
    ManualLayout m(input, ManualMode::Fresh);
    EXPECT_EQ(m.remaining(0), 3);
    EXPECT_EQ(m.remaining(1), 0);
    EXPECT_EQ(m.remaining(2), 0);
    EXPECT_EQ(m.remainingTotal(), 3);
    EXPECT_EQ(m.page(), 0);
    EXPECT_EQ(m.currentPanel().sizeIndex, 0);
    EXPECT_EQ(m.lastPage(), input.panelCapacity);
    EXPECT_EQ(m.layout().panels[1].sizeIndex, -1);
    ASSERT_EQ(m.currentPanel().freeRects.size(), 1u);
    EXPECT_EQ(m.currentPanel().freeRects[0], (FreeRect{0, 0, 2000, 1000}));
    EXPECT_FALSE(m.AnythingPlaced());
}

TEST(ManualLayout, OffersTheLowestFittingRowAndTurnsOnlyWithTheFlagOrShift) {
    // Row 1 fits only turned and may not turn; row 2 fits as entered; row 3 fits both ways.
    const LayoutInput input = MakeInput(
        {{500, 1000}}, {{800, 300, 1, 0}, {400, 900, 1, 0}, {300, 300, 1, 1}, {600, 600, 1, 0}});
    ManualLayout m(input, ManualMode::Fresh);
    m.Hover(10, 10, false);
    const HoverState& h = m.hover();
    EXPECT_FALSE(h.fitsAsEntered[0]);
    EXPECT_FALSE(h.fitsTurned[0]);  // no turn flag
    EXPECT_TRUE(h.fitsAsEntered[1]);
    EXPECT_FALSE(h.fitsTurned[1]);
    EXPECT_TRUE(h.fitsAsEntered[2]);
    EXPECT_TRUE(h.fitsTurned[2]);
    EXPECT_FALSE(h.fitsAsEntered[3]);  // 600 high on a 500 panel
    EXPECT_EQ(m.candidate(), 2);
    EXPECT_EQ(m.PreviewBox()->width, 900);

    // Shift: turned fits are offered for every row, as-entered ones only highlighted.
    m.Hover(10, 10, true);
    EXPECT_TRUE(m.hover().fitsTurned[0]);
    EXPECT_TRUE(m.hover().fitsAsEntered[1]);
    EXPECT_FALSE(m.hover().fitsTurned[1]);  // 900 high turned does not fit 500
    EXPECT_EQ(m.candidate(), 1);
    const auto preview = m.PreviewBox();
    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->width, 800);  // turned
    EXPECT_EQ(preview->height, 300);
    ASSERT_EQ(m.Place(10, 10, true), PlaceOutcome::Placed);
    EXPECT_TRUE(m.currentPanel().placements[0].turned);
    EXPECT_EQ(m.currentPanel().placements[0].row, 0);  // candidate 1 -> row 0
}

TEST(ManualLayout, PlacingAndTakingOffKeepCountsAndFreeRectangles) {
    const LayoutInput input = MakeInput({{1000, 2000}}, {{300, 400, 2}});
    ManualLayout m(input, ManualMode::Fresh);
    m.Hover(5, 5, false);
    ASSERT_EQ(m.Place(5, 5, false), PlaceOutcome::Placed);
    EXPECT_EQ(m.remaining(0), 1);
    EXPECT_EQ(m.remainingTotal(), 1);
    const std::vector<FreeRect> expected{{400, 0, 1600, 1000}, {0, 300, 2000, 700}};
    EXPECT_EQ(m.currentPanel().freeRects, expected);
    // The pointer is now on the part.
    EXPECT_EQ(m.hover().area.partRow, 0);
    EXPECT_EQ(m.candidate(), 0);
    EXPECT_EQ(m.Place(5, 5, false), PlaceOutcome::OnPart);

    m.Hover(410, 5, false);
    ASSERT_EQ(m.Place(410, 5, false), PlaceOutcome::Placed);
    EXPECT_EQ(m.remaining(0), 0);
    // Nothing left to offer: a click finds no candidate.
    m.Hover(900, 5, false);
    EXPECT_EQ(m.candidate(), 0);
    EXPECT_EQ(m.Place(900, 5, false), PlaceOutcome::NoCandidate);

    EXPECT_FALSE(m.TakeOff(1500, 900));
    EXPECT_TRUE(m.TakeOff(5, 5));
    EXPECT_EQ(m.remaining(0), 1);
    EXPECT_EQ(m.remainingTotal(), 1);
    ASSERT_EQ(m.currentPanel().placements.size(), 1u);
    EXPECT_EQ(m.currentPanel().placements[0].x, 400);
    EXPECT_EQ(m.currentPanel().freeRects.front(), (FreeRect{0, 0, 400, 1000}));
    ExpectSound(m);
}

TEST(ManualLayout, RefusesAPlacementOverlappingAPartInsideTheFreeRectangle) {
    // The free rectangle at the right corner of A reaches over P, which crosses neither its
    // row nor its column.
    const LayoutInput input = MakeInput({{100, 100}}, {{10, 50, 1}, {10, 10, 1}, {80, 40, 1}});
    PanelLayoutResult start;
    PanelState panel;
    panel.sizeIndex = 0;
    panel.placements = {{0, 0, 0, false}, {1, 60, 60, false}};
    start.panels = {panel};
    ManualLayout m(input, ManualMode::Modification, start);
    EXPECT_EQ(m.remainingTotal(), 1);
    const PointerArea area = m.AreaAt(55, 5);
    EXPECT_EQ(area.rect, (FreeRect{50, 0, 50, 100}));
    m.Hover(55, 5, false);
    EXPECT_EQ(m.candidate(), 3);
    EXPECT_EQ(m.Place(55, 5, false), PlaceOutcome::CannotPlace);
    EXPECT_EQ(m.currentPanel().placements.size(), 2u);
    EXPECT_EQ(m.remaining(2), 1);
}

TEST(ManualLayout, PriorityNumberBuildsFromDigitsAndWinsTheCandidate) {
    LayoutInput input = MakeInput({{1000, 2000}}, {});
    for (int r = 0; r < 15; ++r) {
        PartRow row;
        row.rawHeight = row.rawWidth = 100.0f;
        row.enlargedHeight = row.enlargedWidth = 100 + r;
        row.quantity = 1;
        input.rows.push_back(row);
    }
    ManualLayout m(input, ManualMode::Fresh);
    m.TypeDigit(1);
    m.TypeDigit(2);
    EXPECT_EQ(m.priority(), 12);
    m.TypeDigit(3);  // 123 > 15
    EXPECT_EQ(m.priority(), 3);

    m.Hover(10, 10, false);
    EXPECT_EQ(m.candidate(), 3);  // the priority row fits, so it wins over row 1
    m.TypeDigit(1);               // 31 > 15 -> 1
    EXPECT_EQ(m.priority(), 1);
    EXPECT_EQ(m.candidate(), 1);
    // Up and down move over highlighted rows only.
    EXPECT_FALSE(m.MoveCandidate(true, false));
    EXPECT_TRUE(m.MoveCandidate(false, false));
    EXPECT_EQ(m.candidate(), 2);
    // Placing the last copy of the priority row clears the number.
    m.TypeDigit(0);  // 10
    m.TypeDigit(0);  // 100 > 15 -> 0 (none)
    EXPECT_EQ(m.priority(), 0);
    m.TypeDigit(2);
    ASSERT_EQ(m.Place(10, 10, false), PlaceOutcome::Placed);
    EXPECT_EQ(m.priority(), 0);
}

TEST(ManualLayout, CopyNeedsTheSameSizeAndEnoughPartsAndRebuildsTheFreeRectangles) {
    const LayoutInput input =
        MakeInput({{1000, 2000}, {500, 1000}}, {{300, 400, 3}, {200, 200, 2}});
    ManualLayout m(input, ManualMode::Fresh);
    EXPECT_FALSE(m.CanCopy());  // page 0
    m.Hover(5, 5, false);
    ASSERT_EQ(m.Place(5, 5, false), PlaceOutcome::Placed);
    m.Hover(405, 5, false);
    m.TypeDigit(2);
    m.Hover(405, 5, false);
    ASSERT_EQ(m.Place(405, 5, false), PlaceOutcome::Placed);
    ASSERT_TRUE(m.NextPage());
    EXPECT_EQ(m.currentPanel().sizeIndex, 0);  // took the current size
    EXPECT_TRUE(m.CanCopy());
    ASSERT_TRUE(m.CopyPrevious());
    EXPECT_EQ(m.remaining(0), 1);
    EXPECT_EQ(m.remaining(1), 0);
    EXPECT_EQ(m.currentPanel().freeRects.front().x, 600);  // rebuilt for the copied parts
    // Row 2 is used up: a third copy is impossible, until page 0 is cleared.
    ASSERT_TRUE(m.NextPage());
    EXPECT_FALSE(m.CanCopy());  // page 1 holds a copy of row 2, which has none left
    ASSERT_TRUE(m.PreviousPage());
    ASSERT_TRUE(m.PreviousPage());
    ASSERT_TRUE(m.ClearPage());
    EXPECT_EQ(m.remaining(1), 1);
    EXPECT_EQ(m.currentPanel().freeRects.size(), 1u);
    ASSERT_TRUE(m.NextPage());
    ASSERT_TRUE(m.NextPage());
    EXPECT_TRUE(m.CanCopy());
    // Across sizes the copy is refused even when the parts are there.
    m.ChangeSize(1);
    EXPECT_FALSE(m.CanCopy());
    EXPECT_FALSE(m.CopyPrevious());
    ExpectSound(m);
}

TEST(ManualLayout, ShrinkingThePageReturnsExactlyThePartsThatStickOut) {
    const LayoutInput input =
        MakeInput({{1000, 2000}, {500, 1000}}, {{300, 400, 3}, {600, 300, 1}});
    ManualLayout m(input, ManualMode::Fresh);
    auto place = [&](double x, double y, int priority) {
        m.TypeDigit(0);
        m.TypeDigit(0);
        m.TypeDigit(0);
        m.TypeDigit(priority);
        m.Hover(x, y, false);
        return m.Place(x, y, false);
    };
    ASSERT_EQ(place(5, 5, 1), PlaceOutcome::Placed);     // (0,0) 400x300: inside 1000x500
    ASSERT_EQ(place(405, 5, 1), PlaceOutcome::Placed);   // (400,0) 400x300: inside
    ASSERT_EQ(place(805, 5, 2), PlaceOutcome::Placed);   // (800,0) 300x600: too high
    ASSERT_EQ(place(1105, 5, 1), PlaceOutcome::Placed);  // (1100,0): too far right
    const auto removed = m.ChangeSize(1);
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[0].x, 800);
    EXPECT_EQ(removed[1].x, 1100);
    EXPECT_EQ(m.currentSize(), 1);
    EXPECT_EQ(m.currentPanel().sizeIndex, 1);
    EXPECT_EQ(m.remaining(0), 1);
    EXPECT_EQ(m.remaining(1), 1);
    EXPECT_EQ(m.currentPanel().placements.size(), 2u);
    EXPECT_TRUE(m.ChangeSize(1).empty());  // the current size: nothing happens
    EXPECT_TRUE(m.ChangeSize(2).empty());  // not in use
    ExpectSound(m);
}

TEST(ManualLayout, ModificationStartsFromTheLayoutAndLeavingPlacesWhatRemains) {
    LayoutInput input = MakeInput({{1000, 2000}}, {{300, 400, 6}, {900, 1900, 2}});
    const std::optional<PanelLayoutResult> laid =
        AutoLayout(input, LayoutOptions{}, SearchControl{});
    ASSERT_TRUE(laid);
    const PanelLayoutResult result = *laid;
    ManualLayout m(input, ManualMode::Modification, result);
    EXPECT_EQ(m.remainingTotal(), 0);
    EXPECT_EQ(m.page(), result.lastPanel);
    // Take both large parts off and leave: they come back, on empty positions if need be.
    int taken = 0;
    for (int page = 0; page <= m.lastPage(); ++page) {
        while (m.page() != page) {
            if (m.page() < page)
                m.NextPage();
            else
                m.PreviousPage();
        }
        while (m.TakeOff(950, 450)) ++taken;
    }
    EXPECT_GE(taken, 2);
    EXPECT_GT(m.remainingTotal(), 0);
    EXPECT_TRUE(m.Leave());
    EXPECT_EQ(m.remainingTotal(), 0);
    ExpectSound(m);
    const auto placed = PlacedCounts(input, m.Layout());
    EXPECT_EQ(placed[0], 6);
    EXPECT_EQ(placed[1], 2);
}

TEST(ManualLayout, LeavingGrowsThePanelsAndNeverDropsAPart) {
    LayoutInput input = MakeInput({{1000, 2000}, {400, 500}}, {{350, 450, 1}, {900, 1900, 3}});
    // A finished layout with only the small part placed and no spare positions.
    PanelLayoutResult start;
    PanelState panel;
    panel.sizeIndex = 1;
    panel.placements = {{0, 0, 0, false}};
    start.panels = {panel};
    input.panelCapacity = 0;
    ManualLayout m(input, ManualMode::Modification, start);
    EXPECT_EQ(m.remaining(1), 3);
    EXPECT_TRUE(m.Leave());
    EXPECT_EQ(m.remainingTotal(), 0);
    ExpectSound(m);
    const PanelLayoutResult out = m.Layout();
    ASSERT_EQ(out.panels.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(out.panels[i].sizeIndex, 0);

    // A part that fits no stock size keeps the editor open and changes nothing.
    LayoutInput tooBig = MakeInput({{1000, 2000}}, {{300, 400, 1}, {1200, 500, 1}});
    PanelLayoutResult half;
    PanelState p0;
    p0.sizeIndex = 0;
    p0.placements = {{0, 0, 0, false}};
    half.panels = {p0};
    ManualLayout stuck(tooBig, ManualMode::Modification, half);
    ASSERT_TRUE(stuck.TakeOff(5, 5));
    EXPECT_EQ(stuck.remainingTotal(), 2);
    EXPECT_FALSE(stuck.Leave());
    EXPECT_EQ(stuck.remainingTotal(), 2);
    EXPECT_FALSE(stuck.AnythingPlaced());
}

TEST(ManualLayout, RandomSessionsNeverOverlapOrLoseParts) {
    const LayoutInput input =
        MakeInput({{1000, 2000, 0}, {600, 900, 0}, {1200, 1200, 0}}, {{300, 400, 8, 1},
                                                                      {250, 250, 10, 0},
                                                                      {700, 150, 6, 1},
                                                                      {120, 900, 5, 0},
                                                                      {333, 517, 7, 1},
                                                                      {90, 60, 20, 0}});
    std::mt19937 random(20261208);
    for (int session = 0; session < 4; ++session) {
        ManualLayout m(input, ManualMode::Fresh);
        for (int step = 0; step < 2500; ++step) {
            const int action = static_cast<int>(random() % 100);
            const double x = std::uniform_real_distribution<double>(0, m.pageWidth())(random);
            const double y = std::uniform_real_distribution<double>(0, m.pageHeight())(random);
            const bool shift = random() % 4 == 0;
            if (action < 55) {
                m.Hover(x, y, shift);
                if (random() % 3 == 0) m.MoveCandidate(random() % 2 == 0, shift);
                m.Place(x, y, shift);
            } else if (action < 70) {
                m.TakeOff(x, y);
            } else if (action < 75) {
                m.ChangeSize(static_cast<int>(random() % 3));
            } else if (action < 82) {
                m.NextPage();
            } else if (action < 88) {
                m.PreviousPage();
            } else if (action < 92) {
                m.CopyPrevious();
            } else if (action < 94) {
                m.ClearPage();
            } else {
                m.TypeDigit(static_cast<int>(random() % 10));
            }
        }
        ExpectSound(m);
        ASSERT_TRUE(m.AnythingPlaced());
    }
}

}  // namespace
}  // namespace tvx::panel
