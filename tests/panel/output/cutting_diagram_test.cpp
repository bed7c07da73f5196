#include <gtest/gtest.h>

#include "common/gui/recording_surface.h"
#include "layout_fixture.h"
#include "panel/engine/geometry.h"
#include "panel/output/cutting_diagram.h"

namespace tvx::panel {
namespace {

using gui::FillStyle;
using gui::LineStyle;
using gui::testing::RecordedOp;
using gui::testing::RecordingSurface;
using testing::MakeJob;
using testing::Panel;
using testing::Result;

// Draws panel 0 of a one-panel result in cell 0 and returns what was recorded.
struct Drawn {
    PanelJob job;
    LayoutInput input;
    PanelLayoutResult result;
    ViewGeometry view;
    RecordingSurface surface;
    PageCells cells;

    Drawn(PanelJob j, std::initializer_list<Placement> placements, bool printer = false,
          bool chargingShown = false, bool wholePanel = true)
        : job(std::move(j)),
          input(testing::InputOf(job)),
          result(Result({Panel(0, placements)})),
          surface(printer) {
        result.panels[0].wholePanel = wholePanel;
        RecomputeFreeRects(input, result.panels[0]);
        view = InitialView(input.sizes[0].enlargedWidth, input.sizes[0].enlargedHeight);
        surface.SetScale(0, 0, view.VW, view.VH);
        cells.Reset(view.CellsPerPage());
        const DiagramContext c{input, result, view, false, chargingShown};
        DrawPanelDiagram(surface, c, 0, 0, cells);
    }
};

TEST(CuttingDiagram, EqualHeightsInARowShowTheirHeightOnceOnTheLeftmost) {
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 3}}),
            {{0, 0, 0, false}, {0, 500, 0, false}, {0, 1000, 0, false}});
    EXPECT_EQ(d.surface.CountText("300"), 1);
    const RecordedOp* height = d.surface.FindText("300");
    ASSERT_NE(height, nullptr);
    EXPECT_NEAR(height->x1, d.view.ML + 10, 1e-6);  // ten units in from the leftmost part
    EXPECT_EQ(d.surface.CountText("500"), 3);       // widths are not stacked: all shown
    EXPECT_FALSE(HeightLabelSuppressed(d.input, d.result.panels[0], 0));
    EXPECT_TRUE(HeightLabelSuppressed(d.input, d.result.panels[0], 2));
}

TEST(CuttingDiagram, EqualWidthsStackedShowTheirWidthOnceOnTheTopmost) {
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 0, {{250, 400, 2}, {250, 300, 1}}),
            {{0, 0, 0, false}, {0, 0, 250, false}, {1, 0, 500, false}});
    EXPECT_EQ(d.surface.CountText("400"), 1);
    EXPECT_EQ(d.surface.CountText("250"), 3);  // heights of three parts
    EXPECT_EQ(d.surface.CountText("300"), 1);  // a narrower part below still shows its width
}

TEST(CuttingDiagram, AMisalignedNeighbourDoesNotSuppressTheLabel) {
    // Same height, but the right part starts lower: both heights are shown.
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 2}}),
            {{0, 0, 0, false}, {0, 500, 100, false}});
    EXPECT_EQ(d.surface.CountText("300"), 2);
}

TEST(CuttingDiagram, TurnedPartsSwapTheirExtentsAndLabels) {
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 3, {{600.5f, 250, 1}}), {{0, 0, 0, true}});
    // Turned: the width along X is the typed height.
    const auto boxes = d.surface.Boxes();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_NEAR(boxes[1].x2 - boxes[1].x1, d.input.rows[0].enlargedHeight - 1, 1e-6);
    EXPECT_NE(d.surface.FindText("600.5"), nullptr);
    EXPECT_NE(d.surface.FindText("250"), nullptr);
}

TEST(CuttingDiagram, TheScreenPartIsAWhiteHatchAndThePrinterPartSolidWhite) {
    Drawn screen(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}}), {{0, 0, 0, false}});
    auto boxes = screen.surface.Boxes();
    ASSERT_GE(boxes.size(), 2u);  // panel, part, then the offcut labels' white boxes
    EXPECT_EQ(boxes[0].fill, FillStyle::UpwardDiagonal);
    EXPECT_EQ(boxes[0].fillColor, QColor(Qt::black));
    EXPECT_EQ(boxes[1].fill, FillStyle::UpwardDiagonal);
    EXPECT_EQ(boxes[1].fillColor, QColor(Qt::white));
    Drawn paper(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}}), {{0, 0, 0, false}}, true);
    boxes = paper.surface.Boxes();
    EXPECT_EQ(boxes[1].fill, FillStyle::Solid);
    EXPECT_EQ(boxes[1].fillColor, QColor(Qt::white));
}

TEST(CuttingDiagram, APanelChargedByUseIsDottedOnScreenAndUnoutlinedOnPaper) {
    Drawn screen(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}}), {{0, 0, 0, false}}, false, true,
                 false);
    EXPECT_EQ(screen.surface.Boxes()[0].lineStyle, LineStyle::Dotted);
    EXPECT_EQ(screen.surface.Boxes()[1].lineStyle, LineStyle::Solid);
    Drawn paper(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}}), {{0, 0, 0, false}}, true, true,
                false);
    const auto lines = paper.surface.Lines();
    ASSERT_EQ(lines.size(), 4u);
    for (const RecordedOp& l : lines) EXPECT_EQ(l.color, QColor(Qt::white));
    Drawn whole(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}}), {{0, 0, 0, false}}, false, true,
                true);
    EXPECT_EQ(whole.surface.Boxes()[0].lineStyle, LineStyle::Solid);
}

TEST(CuttingDiagram, TheCellAndTheLowestEdgeAreRecorded) {
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 5, {{300, 500, 1}}), {{0, 0, 0, false}});
    const CellEntry& cell = d.cells.cells[0];
    EXPECT_EQ(cell.panel, 0);
    EXPECT_DOUBLE_EQ(cell.x0, d.view.ML);
    EXPECT_DOUBLE_EQ(cell.x1, d.view.ML + 2005 - 1);
    EXPECT_DOUBLE_EQ(d.cells.lowestEdge, d.view.MT + 1005);
    EXPECT_EQ(d.cells.PanelAt(d.view.ML + 10, d.view.MT + 10), 0);
    EXPECT_EQ(d.cells.PanelAt(d.view.ML - 10, d.view.MT + 10), -1);
}

TEST(CuttingDiagram, OnlyOffcutsLargerThan30PercentAreLabelled) {
    // 1000 x 1000, part 1000 high x 700 wide: the offcut is exactly 30 % -> no label.
    Drawn exact(MakeJob({{1000, 1000, 0, 0}}, 0, {{1000, 700, 1}}), {{0, 0, 0, false}});
    EXPECT_EQ(exact.surface.FindText("300"), nullptr);
    // 690 wide: a 310 x 1000 offcut, as tall as the panel, so only its width is written.
    Drawn larger(MakeJob({{1000, 1000, 0, 0}}, 0, {{1000, 690, 1}}), {{0, 0, 0, false}});
    const RecordedOp* label = larger.surface.FindText("310");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->y1, larger.view.MT + larger.view.u, 1e-6);  // top row: Y + u
    EXPECT_EQ(label->fontSize, 6);
    EXPECT_EQ(larger.surface.CountText("1000"), 1);  // the part's height only
    // Each label sits on a white box drawn just before it.
    bool whiteBoxBefore = false;
    for (std::size_t i = 1; i < larger.surface.ops.size(); ++i) {
        if (larger.surface.ops[i].text == "310") {
            const RecordedOp& box = larger.surface.ops[i - 1];
            whiteBoxBefore = box.kind == RecordedOp::kBox && box.fill == FillStyle::Solid &&
                             box.fillColor == QColor(Qt::white);
        }
    }
    EXPECT_TRUE(whiteBoxBefore);
}

TEST(CuttingDiagram, OffcutLabelsReachingTheRightEdgeAreRightAligned) {
    // A 400 x 1000 part at the top leaves a 600-high offcut across the whole width.
    PanelJob job = MakeJob({{1000, 1000, 0, 0}}, 0, {{400, 1000, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelState panel = Panel(0, {{0, 0, 0, false}});
    RecomputeFreeRects(in, panel);
    RecordingSurface s;
    s.SetScale(0, 0, 5000, 5000);
    s.SetFontSize(6);
    const auto labels = FreeRectLabels(s, in, panel, 10);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "600");
    EXPECT_DOUBLE_EQ(labels[0].left, 10);        // X < 1: left = X + u
    EXPECT_DOUBLE_EQ(labels[0].top, 400 + 300);  // middle line of the offcut
}

TEST(CuttingDiagram, TheLabelFontLadderStepsDownWithThePart) {
    RecordingSurface s;
    s.SetScale(0, 0, 7000, 9600);  // 10 units per device pixel
    const QString t = "1234";
    EXPECT_EQ(FitLabelFont(s, t, 1e6, 1e6, 28), 10);
    EXPECT_EQ(FitLabelFont(s, t, 1e6, 1e6, 30), 8);
    s.SetFontSize(8);
    const double th8 = s.TextHeight(t);
    s.SetFontSize(6);
    const double th6 = s.TextHeight(t);
    s.SetFontSize(4);
    const double tw4 = s.TextWidth(t);
    EXPECT_EQ(FitLabelFont(s, t, 1e6, 2 * th8 + 1, 28), 8);
    EXPECT_EQ(FitLabelFont(s, t, 1e6, 2 * th6 + 1, 28), 6);
    EXPECT_EQ(FitLabelFont(s, t, 1e6, th6 - 1, 28), 4);
    EXPECT_EQ(FitLabelFont(s, t, tw4, 1e6, 28), 4);
}

TEST(CuttingDiagram, RowNumbersSitInTheBottomRightCornerAndShrinkWhenCramped) {
    RecordingSurface screen;
    screen.SetScale(0, 0, 7000, 9600);
    screen.SetFontSize(8);
    const double th8 = screen.TextHeight("12"), tw8 = screen.TextWidth("12");
    TextPlace p = PlaceRowNumber(screen, "12", 100, 200, 500, 400);
    EXPECT_EQ(p.fontSize, 8);
    EXPECT_DOUBLE_EQ(p.left, 100 + 500 - tw8);
    EXPECT_DOUBLE_EQ(p.top, 200 + 400 - th8);

    screen.SetFontSize(5);
    const double th5 = screen.TextHeight("12"), tw5 = screen.TextWidth("12");
    p = PlaceRowNumber(screen, "12", 100, 200, tw5, th5);  // low and narrow
    EXPECT_EQ(p.fontSize, 5);
    EXPECT_DOUBLE_EQ(p.top, 200 + th5 - th5 * 1.1);
    EXPECT_DOUBLE_EQ(p.left, 100 + tw5 - tw5 * 1.3);

    RecordingSurface paper(true);
    paper.SetScale(0, 0, 7000, 9600);
    p = PlaceRowNumber(paper, "12", 100, 200, 500, 400);
    EXPECT_EQ(p.fontSize, 10);
    p = PlaceRowNumber(paper, "12", 100, 200, tw5, th5);
    EXPECT_EQ(p.fontSize, 5);
    EXPECT_DOUBLE_EQ(p.top, 200 + th5 - th5 * 1.2);
    EXPECT_DOUBLE_EQ(p.left, 100 + tw5 - tw5 * 1.7);
}

TEST(CuttingDiagram, TheRowNumberIsWrittenInItalicsAndItalicsEndAfterwards) {
    Drawn d(MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}, {200, 200, 1}}), {{1, 0, 0, false}});
    const RecordedOp* number = d.surface.FindText("2");
    ASSERT_NE(number, nullptr);
    EXPECT_TRUE(number->italic);
    EXPECT_FALSE(d.surface.FindText("200")->italic);
    EXPECT_FALSE(d.surface.italic());
}

TEST(CuttingDiagram, AnEmptyPanelIsOnlyItsHatchedOutline) {
    PanelJob job = MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {})});
    const ViewGeometry v = InitialView(2000, 1000);
    RecordingSurface s;
    s.SetScale(0, 0, v.VW, v.VH);
    PageCells cells;
    cells.Reset(v.CellsPerPage());
    DrawPanelDiagram(s, {in, r, v, true, false}, 0, 0, cells);
    ASSERT_EQ(s.Boxes().size(), 1u);
    EXPECT_EQ(s.Boxes()[0].fill, FillStyle::UpwardDiagonal);
    ASSERT_EQ(s.Texts().size(), 1u);  // the size label only
    EXPECT_EQ(s.Texts()[0].text, QString::fromUtf8("1000×2000"));
    EXPECT_EQ(s.fillStyle(), FillStyle::Transparent);
}

TEST(CuttingDiagram, TheStackMarkerDrawsTwoEdgesAndTheCount) {
    PanelJob job = MakeJob({{1000, 2000, 0, 0}}, 0, {{300, 500, 1}});
    LayoutInput in = testing::InputOf(job);
    PanelLayoutResult r = Result({Panel(0, {{0, 0, 0, false}})});
    const ViewGeometry v = InitialView(2000, 1000);
    RecordingSurface s;
    s.SetScale(0, 0, v.VW, v.VH);
    DrawStackMarker(s, {in, r, v, false, false}, 0, 0, 3);
    ASSERT_EQ(s.Lines().size(), 4u);
    EXPECT_DOUBLE_EQ(s.Lines()[0].y1, v.MT - 2 * v.u);
    EXPECT_DOUBLE_EQ(s.Lines()[1].x1, v.ML + 2000 + 2 * v.u);
    const RecordedOp* count = s.FindText(QString::fromUtf8("3枚"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->fontSize, 8);
    EXPECT_DOUBLE_EQ(count->x1, v.ML + 2000 / 3.0);
    EXPECT_DOUBLE_EQ(count->y1, v.MT + 1000 + v.u);
}

}  // namespace
}  // namespace tvx::panel
