#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "common/gui/printer_setup.h"
#include "common/gui/recording_surface.h"
#include "layout_fixture.h"
#include "panel/output/print_command.h"
#include "panel/output/print_result.h"
#include "panel/output/result_page.h"
#include "panel/output/result_session.h"

namespace tvx::panel {
namespace {

using gui::testing::RecordingSurface;
using testing::MakeJob;

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"));
}

// A laid-out job of many different parts: several pages of diagrams and a long list.
struct LaidOut {
    PanelJob job;
    LayoutInput input;
    PanelLayoutResult result;
    LaidOut() {
        job = MakeJob({{910, 1820, 0, 0}}, 3, {});
        for (int r = 0; r < 60; ++r) {
            job.cutList[static_cast<std::size_t>(r)] = {300.0f + r * 7, 400.0f + r * 5, 2,
                                                        "part " + std::to_string(r + 1)};
        }
        job.cutCount = 60;
        job.jobTitle = "棚板 サンプル";
        EXPECT_TRUE(testing::LayOut(job, input, result));
    }
};

// Pages the screen view shows: page on until "次ページ" is disabled.
int ScreenPages(PanelJob& job, LayoutInput& input, PanelLayoutResult& result) {
    ResultSession session(job, input, result);
    RecordingSurface measure;
    session.Initialise(measure);
    int pages = 0;
    for (int page = 0; page < 1000; ++page) {
        RecordingSurface s;
        ++pages;
        if (!DrawResultPage(s, session, page).nextEnabled) break;
    }
    return pages;
}

TEST(PrintResult, APdfPlanHasOnePagePerScreenPage) {
    LaidOut l;
    const int screenPages = ScreenPages(l.job, l.input, l.result);
    ASSERT_GE(screenPages, 3);
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.pdf");
    std::string error;
    const int pages =
        WritePlanPdf(l.job, l.input, l.result, path.toStdString(), PaperByName("A4"), &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(pages, screenPages);
    EXPECT_EQ(PdfPages(path), pages);
}

TEST(PrintResult, AOnePageResultPrintsOnePageWithHeadAndFooter) {
    PanelJob job = MakeJob({{910, 1820, 0, 0}}, 3, {{300, 400, 2}});
    job.jobTitle = "one";
    LayoutInput input;
    PanelLayoutResult result;
    ASSERT_TRUE(testing::LayOut(job, input, result));
    QTemporaryDir dir;
    const QString path = dir.filePath("one.pdf");
    EXPECT_EQ(WritePlanPdf(job, input, result, path.toStdString(), PaperByName("a3")), 1);
    EXPECT_EQ(PdfPages(path), 1);
}

TEST(PrintResult, PaperNamesAndUnknownPaper) {
    EXPECT_TRUE(PaperByName("A4").isEquivalentTo(QPageSize(QPageSize::A4)));
    EXPECT_TRUE(PaperByName("b4").isValid());
    EXPECT_TRUE(PaperByName("Letter").isEquivalentTo(QPageSize(QPageSize::Letter)));
    EXPECT_FALSE(PaperByName("napkin").isValid());
    PanelJob job = MakeJob({{910, 1820, 0, 0}}, 3, {{300, 400, 1}});
    LayoutInput input;
    PanelLayoutResult result;
    ASSERT_TRUE(testing::LayOut(job, input, result));
    QTemporaryDir dir;
    std::string error;
    EXPECT_EQ(WritePlanPdf(job, input, result, dir.filePath("x.pdf").toStdString(),
                           PaperByName("napkin"), &error),
              0);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
}

TEST(PrintResult, CancellingTheDialogPrintsNothingAndConfirmingPrintsAllPages) {
    LaidOut l;
    ResultSession session(l.job, l.input, l.result);
    RecordingSurface measure;
    session.Initialise(measure);
    session.SetPage(1);
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");
    gui::CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
    gui::CurrentPrinter().setOutputFileName(path);
    gui::RememberPrinter();
    const gui::RememberedPrinter before = gui::Remembered();

    gui::SetPrinterDialogRunner([](QPrinter& draft, QWidget*) {
        draft.setPageOrientation(QPageLayout::Landscape);
        return false;
    });
    EXPECT_FALSE(PrintResult(session, nullptr));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(gui::Remembered().orientation, before.orientation);

    gui::SetPrinterDialogRunner([](QPrinter&, QWidget*) { return true; });
    EXPECT_TRUE(PrintResult(session, nullptr));
    gui::SetPrinterDialogRunner({});
    EXPECT_EQ(PdfPages(path), ScreenPages(l.job, l.input, l.result));
    EXPECT_EQ(session.page(), 1);  // printing leaves the view's page alone
}

}  // namespace
}  // namespace tvx::panel
