#include "bar/output/print_plan.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "bar/output/bar_picture.h"
#include "bar/output/plan_text.h"
#include "common/gui/paper_names.h"
#include "common/gui/recording_surface.h"
#include "plan_fixture.h"

namespace tvx::bar {
namespace {

using gui::testing::RecordedOp;
using gui::testing::RecordingSurface;
using testing::Bars;
using testing::MakeView;
using testing::PlanShape;

constexpr double kPageWidth = 11000;
constexpr double kPageHeight = 15000;

// A printer page of 11000 x 15000 twips; the device refuses new pages after `maxPages`.
class PrinterPage : public RecordingSurface {
  public:
    explicit PrinterPage(int maxPages = 100000)
        : RecordingSurface(true, 800, 1100), max_(maxPages) {
        SetScale(0, 0, kPageWidth, kPageHeight);
    }
    bool NewPage() override {
        if (pages_ >= max_) return false;
        ++pages_;
        return RecordingSurface::NewPage();
    }

  private:
    int max_;
    int pages_ = 1;
};

// Texts per page, split at the recorded page breaks.
std::vector<std::vector<RecordedOp>> TextsByPage(const RecordingSurface& s) {
    std::vector<std::vector<RecordedOp>> pages(1);
    for (const RecordedOp& op : s.ops) {
        if (op.kind == RecordedOp::kNewPage) pages.emplace_back();
        if (op.kind == RecordedOp::kText) pages.back().push_back(op);
    }
    return pages;
}

BarPlanView ManyBars(int bars, bool codes) {
    PlanShape shape{
        {6000},
        {5000},
        {1200, 950, 600, 450, 300, 200, 150, 100},
        {"柱-01", "梁-02", "ブレース-03", "束-04", "根太-05", "胴縁-06", "母屋-07", "間柱-08"},
        3,
        {}};
    for (int i = 0; i < bars; ++i) shape.bars.push_back(Bars(0, {0, 1, 2, 3, 4, 5, 6, 7}, 1));
    BarPlanView view = MakeView(shape, 0, codes);
    view.title = "鉄骨架台 フレームA";
    for (int r = 0; r < 120; ++r)
        view.rows.push_back({100.0f + static_cast<float>(r), 2, "code" + std::to_string(r)});
    return view;
}

TEST(PrintBarPlan, ContentInOrderWithTheTitleOnEveryPage) {
    const BarPlanView view = ManyBars(150, true);
    PrinterPage page;
    bool ok = false;
    const int pages = PrintBarPlanPages(page, view, &ok);
    EXPECT_TRUE(ok);
    const auto byPage = TextsByPage(page);
    ASSERT_EQ(static_cast<int>(byPage.size()), pages);
    ASSERT_GE(pages, 4);
    for (const auto& texts : byPage) {
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front().text, QString::fromStdString(view.title));
        EXPECT_DOUBLE_EQ(texts.front().fontSize, 18);
        // Every line lies on its page.
        for (const RecordedOp& op : texts) {
            EXPECT_GE(op.y1, 0);
            EXPECT_LE(op.y1 + page.TextHeight(op.text), kPageHeight + 1e-6)
                << op.text.toStdString();
            EXPECT_LE(op.x1, kPageWidth);
        }
    }
    // The bars with numbers 1 .. 150, "合計", the summary, and the cut list on a page of its own.
    EXPECT_NE(page.FindText("150"), nullptr);
    // 6000 - 3950 of pieces - 7 kerfs between them - the kerf of the last cut.
    EXPECT_NE(page.FindText("残り 2026"), nullptr);
    const RecordedOp* total = page.FindText(QString::fromStdString(PrintedBarTotalLine(view.plan)));
    ASSERT_NE(total, nullptr);
    const RecordedOp* heading = page.FindText("棒材の長さ，必要本数");
    ASSERT_NE(heading, nullptr);
    EXPECT_DOUBLE_EQ(heading->fontSize, 12);
    EXPECT_TRUE(page.AnyTextContains("750,000円"));
    int cutListPage = -1;
    int summaryPage = -1;
    for (std::size_t p = 0; p < byPage.size(); ++p) {
        for (const RecordedOp& op : byPage[p]) {
            if (op.text == "カットする長さ") cutListPage = static_cast<int>(p);
            if (op.text == "棒材の長さ，必要本数") summaryPage = static_cast<int>(p);
        }
    }
    ASSERT_GT(cutListPage, summaryPage);
    EXPECT_EQ(byPage[static_cast<std::size_t>(cutListPage)][1].text, "カットする長さ");
    EXPECT_TRUE(page.AnyTextContains("code119"));
}

TEST(PrintBarPlan, PartCodeListsWrapWithinThePage) {
    const BarPlanView view = ManyBars(1, true);
    PrinterPage page;
    PrintBarPlanPages(page, view);
    std::vector<RecordedOp> codeLines;
    for (const RecordedOp& op : page.Texts())
        if (op.color == kDarkRed) codeLines.push_back(op);
    ASSERT_GE(codeLines.size(), 2u);
    for (const RecordedOp& op : codeLines) {
        EXPECT_DOUBLE_EQ(op.x1, kPrintBarLeft + kPrintCodesOffset);
        page.SetFontSize(op.fontSize);
        EXPECT_LE(op.x1 + page.TextWidth(op.text), kPageWidth + 1e-6);
    }
    EXPECT_GT(codeLines[1].y1, codeLines[0].y1);
    EXPECT_TRUE(codeLines.back().text.contains("間柱-08"));
}

TEST(PrintBarPlan, BarsAreScaledToThreeThousandUnits) {
    const BarPlanView view =
        MakeView({{3000, 6000}, {}, {1000}, {}, 0, {Bars(1, {0}), Bars(0, {0})}});
    PrinterPage page;
    PrintBarPlanPages(page, view);
    std::vector<RecordedOp> bars;
    for (const RecordedOp& op : page.Lines())
        if (op.y1 == op.y2) bars.push_back(op);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_DOUBLE_EQ(bars[0].x1, 1000);
    EXPECT_DOUBLE_EQ(bars[0].x2, 4000);
    EXPECT_DOUBLE_EQ(bars[1].x2, 2500);
}

TEST(PrintBarPlan, ARefusedPageIsReported) {
    PrinterPage page(2);
    bool ok = true;
    PrintBarPlanPages(page, ManyBars(150, false), &ok);
    EXPECT_FALSE(ok);
}

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"));
}

TEST(WriteBarPlanPdf, WritesEveryPageAndReportsFailures) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.pdf");
    std::string error;
    const int pages =
        WriteBarPlanPdf(ManyBars(150, true), path.toStdString(), gui::PageSizeByName("A4"), &error);
    EXPECT_EQ(error, "");
    EXPECT_GE(pages, 3);
    EXPECT_EQ(PdfPages(path), pages);

    error.clear();
    EXPECT_EQ(
        WriteBarPlanPdf(ManyBars(1, false), dir.filePath("no/such/folder/x.pdf").toStdString(),
                        gui::PageSizeByName("A4"), &error),
        0);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(WriteBarPlanPdf(ManyBars(1, false), path.toStdString(),
                              gui::PageSizeByName("nonsense"), &error),
              0);
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tvx::bar
