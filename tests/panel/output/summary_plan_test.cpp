#include <gtest/gtest.h>

#include "panel/output/summary_plan.h"

namespace tvx::panel {
namespace {

// A page of 3 columns x 2 rows; VH 10000 gives a line height of about 205.7.
ViewGeometry Page() {
    ViewGeometry v;
    v.W = 1000;
    v.H = 2000;
    v.VH = 10000;
    v.VW = 7300;
    UpdateMargins(v);
    v.columns = 3;
    v.rows = 2;
    v.GX = 300;
    v.GY = v.MT * 0.6;
    return v;
}

TEST(SummaryPlan, LinesAreCountedFromTheStartToThePageFoot) {
    const ViewGeometry v = Page();
    EXPECT_EQ(LinesAvailable(v, 0), 47);  // 9700 / 205.7 = 47.2
    EXPECT_EQ(LinesAvailable(v, 9000), 3);
}

TEST(SummaryPlan, TheWholeSummaryGoesBelowTheDiagramsWhenItFits) {
    const ViewGeometry v = Page();
    const DiagramEnd end{4, 8000};  // L = round((10000 - 8600 - 300) / 205.7) = 5
    ASSERT_EQ(LinesAvailable(v, 8000 + v.GY), 5);
    SummaryPagePlan p = PlanSummaryPage(v, 0, end, {1, 2, false}, false);  // 2 + 1 + 2 = 5
    EXPECT_EQ(p.form, SummaryForm::Full);
    EXPECT_FALSE(p.continues);
    EXPECT_DOUBLE_EQ(p.y, 8000 + v.GY);
    EXPECT_EQ(p.itemCount, 2);
    // In cut-sale pricing the total line needs one more.
    p = PlanSummaryPage(v, 0, end, {1, 2, true}, true);
    EXPECT_EQ(p.form, SummaryForm::None);
    EXPECT_TRUE(p.continues);
}

TEST(SummaryPlan, ACompactSummaryUsesAHalfEmptyLastRowWhenItFits) {
    const ViewGeometry v = Page();
    // Cell 3 is the first of the second row: 1 of 3 cells used, 1 <= 1.5.
    const DiagramEnd end{3, v.MT + v.GY + 2 * v.H};
    const double rowTop = v.MT + v.GY + v.H;
    const int lines = LinesAvailable(v, rowTop);
    SummaryPagePlan p = PlanSummaryPage(v, 0, end, {2, lines - 5, false}, false);
    EXPECT_EQ(p.form, SummaryForm::Compact);
    EXPECT_DOUBLE_EQ(p.x, v.ML + 1 * (v.GX + v.W));
    EXPECT_DOUBLE_EQ(p.y, rowTop);
    EXPECT_FALSE(p.continues);
    // One row more than R + S + 3 allows: the summary moves to the next page.
    p = PlanSummaryPage(v, 0, end, {2, lines - 4, false}, false);
    EXPECT_EQ(p.form, SummaryForm::None);
    EXPECT_TRUE(p.continues);
    // Several sizes take their lines from the same room.
    p = PlanSummaryPage(v, 0, end, {4, lines - 5, false}, false);
    EXPECT_EQ(p.form, SummaryForm::None);
}

TEST(SummaryPlan, NoCompactSummaryBesideAMoreThanHalfFullRowOrInCutSale) {
    const ViewGeometry v = Page();
    const DiagramEnd twoUsed{4, v.MT + v.GY + 2 * v.H};
    EXPECT_EQ(PlanSummaryPage(v, 0, twoUsed, {1, 20, false}, false).form, SummaryForm::None);
    const DiagramEnd oneUsed{3, v.MT + v.GY + 2 * v.H};
    EXPECT_EQ(PlanSummaryPage(v, 0, oneUsed, {1, 20, true}, true).form, SummaryForm::None);
    EXPECT_EQ(PlanSummaryPage(v, 0, oneUsed, {1, 20, false}, false).form, SummaryForm::Compact);
}

TEST(SummaryPlan, ASummaryThatDoesNotFitContinuesOverTheFollowingPages) {
    const ViewGeometry v = Page();
    const DiagramEnd end{7, v.MT + v.GY + 2 * v.H};  // last diagram on page 1, row full
    const int L = LinesAvailable(v, v.GY);
    const SummaryCounts counts{2, 100, true};  // 101 items with the total line
    EXPECT_EQ(PlanSummaryPage(v, 0, end, counts, true).form, SummaryForm::None);
    const SummaryPagePlan onLast = PlanSummaryPage(v, 1, end, counts, true);
    EXPECT_EQ(onLast.form, SummaryForm::None);
    EXPECT_TRUE(onLast.continues);

    const SummaryPagePlan opening = PlanSummaryPage(v, 2, end, counts, true);
    EXPECT_EQ(opening.form, SummaryForm::Opening);
    EXPECT_DOUBLE_EQ(opening.y, v.GY);
    EXPECT_EQ(opening.itemCount, L - 2 - 3);
    EXPECT_TRUE(opening.continues);

    // Every item is written exactly once, in order, and the last page ends the summary.
    int next = opening.itemCount;
    int page = 3;
    for (;; ++page) {
        const SummaryPagePlan p = PlanSummaryPage(v, page, end, counts, true);
        ASSERT_EQ(p.form, SummaryForm::Continued);
        EXPECT_EQ(p.firstItem, next);
        next += p.itemCount;
        if (!p.continues) break;
        EXPECT_EQ(p.itemCount, L);
    }
    EXPECT_EQ(next, 101);
    EXPECT_EQ(PlanSummaryPage(v, page + 1, end, counts, true).form, SummaryForm::None);
}

TEST(SummaryPlan, ExactlyTheOpeningRoomEndsTheSummaryOnThatPage) {
    const ViewGeometry v = Page();
    const DiagramEnd end{5, v.MT + v.GY + 2 * v.H};
    const int L = LinesAvailable(v, v.GY);
    const SummaryCounts counts{1, L - 1 - 3, false};
    const SummaryPagePlan opening = PlanSummaryPage(v, 1, end, counts, false);
    EXPECT_EQ(opening.form, SummaryForm::Opening);
    EXPECT_EQ(opening.itemCount, counts.rows);
    EXPECT_FALSE(opening.continues);
}

TEST(SummaryPlan, AResultWithoutDiagramsStartsOnTheFirstPage) {
    const ViewGeometry v = Page();
    const SummaryPagePlan p = PlanSummaryPage(v, 0, DiagramEnd{}, {0, 0, false}, false);
    EXPECT_EQ(p.form, SummaryForm::Full);
    EXPECT_DOUBLE_EQ(p.y, v.GY);
}

}  // namespace
}  // namespace tvx::panel
