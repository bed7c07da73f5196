#include <gtest/gtest.h>

#include "common/gui/qt_text.h"
#include "common/gui/recording_surface.h"
#include "layout_fixture.h"
#include "panel/output/result_page.h"
#include "panel/output/result_session.h"

namespace tvx::panel {
namespace {

using gui::LineStyle;
using gui::testing::RecordedOp;
using gui::testing::RecordingSurface;
using testing::MakeJob;
using testing::Panel;
using testing::Result;

struct Session {
    PanelJob job;
    LayoutInput input;
    PanelLayoutResult result;
    ResultSession session;

    Session(PanelJob j, PanelLayoutResult r)
        : job(std::move(j)),
          input(testing::InputOf(job)),
          result(std::move(r)),
          session(job, input, result) {
        RecordingSurface measure;
        session.Initialise(measure);
        session.SetDateText("2024/05/06");
    }
    RecordingSurface Draw(int page, PageOutcome* outcome = nullptr, bool printer = false) {
        RecordingSurface s(printer);
        const PageOutcome o = DrawResultPage(s, session, page);
        if (outcome) *outcome = o;
        return s;
    }
};

PanelState Copy(const PanelState& p) {
    return p;
}

TEST(ResultSession, OneSizeGivesNoSizeLabelsAndOneSizeLine) {
    const PanelState a = Panel(0, {{0, 0, 0, false}});
    Session s(MakeJob({{910, 1820, 0, 0}}, 3, {{300, 450, 1, "shelf"}}), Result({a}));
    PageOutcome o;
    RecordingSurface page = s.Draw(0, &o);
    EXPECT_FALSE(page.AnyTextContains(U(" 910×1820")));
    EXPECT_NE(page.FindText(U(" 910 ×1820   1枚")), nullptr);
    EXPECT_FALSE(o.previousEnabled);
    EXPECT_FALSE(o.nextEnabled);
    EXPECT_EQ(o.summary, SummaryForm::Full);
    EXPECT_NE(page.FindText(U("－1－")), nullptr);
    EXPECT_NE(page.FindText(U("2024/05/06")), nullptr);
    EXPECT_NE(page.FindText(U("shelf")), nullptr);
    // The row line: italic row number, sizes in their columns, quantity with "枚".
    const RecordedOp* number = page.FindText(U(" 1"));
    ASSERT_NE(number, nullptr);
    EXPECT_TRUE(number->italic);
    EXPECT_NE(page.FindText(U(" 300")), nullptr);
    EXPECT_NE(page.FindText(U("  1枚")), nullptr);
}

TEST(ResultSession, TwoSizesLabelEveryPanel) {
    Session s(MakeJob({{910, 1820, 0, 0}, {1220, 2440, 0, 0}}, 0, {{300, 450, 2}}),
              Result({Panel(0, {{0, 0, 0, false}}), Panel(1, {{0, 0, 0, false}})}));
    RecordingSurface page = s.Draw(0);
    EXPECT_EQ(page.CountText(U(" 910×1820")), 1);
    EXPECT_EQ(page.CountText(U("1220×2440")), 1);
}

TEST(ResultSession, IdenticalPanelsShareOneCellWithAStackMarker) {
    const PanelState a = Panel(0, {{0, 0, 0, false}, {0, 450, 0, false}});
    const PanelState b = Panel(0, {{0, 0, 0, false}});
    Session s(MakeJob({{910, 1820, 0, 0}}, 0, {{300, 450, 7}}),
              Result({a, Copy(a), Copy(a), b, Copy(b)}));
    ASSERT_EQ(s.session.groups().size(), 2u);
    EXPECT_EQ(s.session.groups()[0].count, 3);
    EXPECT_EQ(s.session.groups()[1].count, 2);
    EXPECT_EQ(s.session.groups()[1].cell, 1);
    RecordingSurface page = s.Draw(0);
    EXPECT_EQ(page.CountText(U("3枚")), 1);
    EXPECT_EQ(page.CountText(U("2枚")), 1);
    int outlined = 0;  // panels and parts; the offcut labels' white boxes are solid
    for (const RecordedOp& box : page.Boxes()) outlined += box.fill != gui::FillStyle::Solid;
    EXPECT_EQ(outlined, 2 + 3);
}

TEST(ResultSession, WithoutPriceDisplayNoPricesAppear) {
    PanelJob job = MakeJob({{910, 1820, 3000, 0}}, 0, {{300, 450, 1}});
    job.cutsell = true;
    Session s(std::move(job), Result({Panel(0, {{0, 0, 0, false}})}));
    EXPECT_TRUE(s.session.priceDisplay());
    RecordingSurface on = s.Draw(0);
    EXPECT_TRUE(on.AnyTextContains(U("合計金額 3,000円")));
    EXPECT_TRUE(on.AnyTextContains(U("円/枚")));
    s.session.TogglePriceDisplay();
    RecordingSurface off = s.Draw(0);
    EXPECT_FALSE(off.AnyTextContains(U("円")));
    EXPECT_FALSE(off.AnyTextContains(U("合計金額")));
}

TEST(ResultSession, ClickingAPanelTogglesItAndItsIdenticalFollowers) {
    const PanelState a = Panel(0, {{0, 0, 0, false}});
    const PanelState b = Panel(0, {{0, 0, 0, true}});
    PanelJob job = MakeJob({{1000, 1000, 1000, 0}}, 0, {{500, 500, 5}});
    job.cutsell = true;
    Session s(std::move(job), Result({a, Copy(a), Copy(a), b, Copy(b)}));
    // 25 % used: charged by use at first, 250 per panel.
    for (const PanelState& p : s.session.result().panels) EXPECT_FALSE(p.wholePanel);
    EXPECT_EQ(s.session.UpdateCutSalePrices().cutSaleTotal, 1250);
    RecordingSurface before = s.Draw(0);
    EXPECT_EQ(before.Boxes()[0].lineStyle, LineStyle::Dotted);
    EXPECT_TRUE(before.AnyTextContains(U("  5枚（250円/枚）")));

    const CellEntry& cell = s.session.cells().cells[0];
    ASSERT_TRUE(s.session.ToggleChargingAt(cell.x0 + 5, cell.y0 + 5));
    EXPECT_TRUE(s.session.result().panels[0].wholePanel);
    EXPECT_TRUE(s.session.result().panels[1].wholePanel);
    EXPECT_TRUE(s.session.result().panels[2].wholePanel);
    EXPECT_FALSE(s.session.result().panels[3].wholePanel);  // a different panel stops the copy
    EXPECT_EQ(s.session.UpdateCutSalePrices().cutSaleTotal, 3500);
    RecordingSurface after = s.Draw(0);
    EXPECT_EQ(after.Boxes()[0].lineStyle, LineStyle::Solid);
    EXPECT_TRUE(after.AnyTextContains(U("  5枚（700円/枚）")));
    EXPECT_TRUE(after.AnyTextContains(U(" 合計   3,500円")));
}

TEST(ResultSession, ChargingTogglesOnlyOnAPanelWhileCutSalePricesAreShown) {
    PanelJob job = MakeJob({{1000, 1000, 1000, 0}}, 0, {{500, 500, 5}});
    job.cutsell = true;
    Session s(std::move(job), Result({Panel(0, {{0, 0, 0, false}})}));
    s.Draw(0);
    const CellEntry& cell = s.session.cells().cells[0];
    EXPECT_FALSE(s.session.ToggleChargingAt(-100, -100));
    s.session.TogglePriceDisplay();
    EXPECT_FALSE(s.session.ToggleChargingAt(cell.x0 + 5, cell.y0 + 5));
    EXPECT_FALSE(s.session.result().panels[0].wholePanel);
}

TEST(ResultSession, ManyPanelsPageOnAndTheSummaryFollowsTheLastDiagram) {
    std::vector<PanelState> panels;
    for (int i = 0; i < 30; ++i) {
        panels.push_back(Panel(0, {{0, 0, 0, i % 2 == 1}}));  // alternate: no stacking
    }
    PanelJob job = MakeJob({{910, 1820, 0, 0}}, 0, {{300, 400, 30}});
    job.rotateAll = true;
    PanelLayoutResult r;
    r.panels = panels;
    Session s(std::move(job), std::move(r));
    const int perPage = s.session.view().CellsPerPage();
    ASSERT_LT(perPage, 30);
    const int pages = (30 + perPage - 1) / perPage;
    int drawnCells = 0;
    for (int page = 0; page < pages; ++page) {
        PageOutcome o;
        RecordingSurface surface = s.Draw(page, &o);
        EXPECT_EQ(o.previousEnabled, page > 0);
        for (const CellEntry& c : s.session.cells().cells) drawnCells += c.panel >= 0;
        EXPECT_NE(surface.FindText(U("－") + QString::number(page + 1) + U("－")), nullptr);
        if (page + 1 < pages) {
            EXPECT_TRUE(o.nextEnabled);
            EXPECT_EQ(o.summary, SummaryForm::None);
        }
    }
    EXPECT_EQ(drawnCells, 30);
    // The yield line mentions the free orientation.
    RecordingSurface last = s.Draw(pages - 1);
    RecordingSurface after = s.Draw(pages);
    EXPECT_TRUE(last.AnyTextContains(U("縦横自由")) || after.AnyTextContains(U("縦横自由")));
}

TEST(ResultSession, HintLineAndInitialState) {
    PanelJob job = MakeJob({{910, 1820, 0, 0}}, 0, {{300, 400, 1}});
    job.cutsell = true;
    Session s(std::move(job), Result({Panel(0, {{0, 0, 0, false}})}));
    EXPECT_EQ(s.session.hint(), U(kHintSetPrices));
    EXPECT_FALSE(s.session.priceDisplay());
    EXPECT_EQ(s.session.view().zoom, 28);
    EXPECT_LE(s.session.titleFontSize(), 19);
    RecordingSurface measure;
    s.session.Initialise(measure, true);
    EXPECT_EQ(s.session.hint(), U(kHintUnplaced));
}

TEST(ResultSession, ZoomReturnsToTheFirstPage) {
    PanelJob job = MakeJob({{910, 1820, 0, 0}}, 0, {{300, 400, 1}});
    Session s(std::move(job), Result({Panel(0, {{0, 0, 0, false}})}));
    s.session.SetPage(2);
    s.session.ZoomOut();
    EXPECT_EQ(s.session.page(), 0);
    EXPECT_EQ(s.session.view().zoom, 33);
    s.session.SetPage(1);
    s.session.ZoomIn();
    EXPECT_EQ(s.session.page(), 0);
}

}  // namespace
}  // namespace tvx::panel
