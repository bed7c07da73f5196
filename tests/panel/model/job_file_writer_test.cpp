#include "panel/model/job_file_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/encoding.h"
#include "panel/model/job_file_reader.h"
#include "support/failing_stream.h"

namespace tvx::panel {
namespace {

PanelJob TwoSizeJob() {
    PanelJob job;
    job.lastSizeIndex = 1;
    job.stock[0] = StockEntry{1820, 910, 3500, 0};
    job.stock[1] = StockEntry{2430, 1220, 5800, 2};
    job.priceMode = true;
    job.kerf = 3;
    job.ktyFree = true;
    job.rotateAll = true;
    job.cutList[0] = CutItem{450.0f, 300.0f, 4, ""};
    job.cutList[1] = CutItem{600.5f, 280.0f, 2, ""};
    job.turnFlag[1] = 1;
    job.cutCount = 2;
    return job;
}

TEST(WriteJob, ByteExactShiftJisWithCrLf) {
    const std::string expected = Utf8ToShiftJis(
        "\"パネルサイズ\"\r\n1820,910,3500,0\r\n2430,1220,5800,2\r\n\"パネルサイズ\"\r\n"
        "3,2\r\n450,300,4,\"\",0\r\n600.5,280,2,\"\",1\r\n");
    std::ostringstream out;
    ASSERT_TRUE(WriteJob(TwoSizeJob(), out));
    EXPECT_EQ(out.str(), expected);
}

TEST(WriteJob, SingleTypedSizeTitleAndKeptRows) {
    PanelJob job;
    job.jobTitle = "吊戸棚";
    job.typedHeight = 1820;
    job.typedWidth = 910;
    job.kerf = 3;
    job.rotateAll = true;
    job.cutList[0] = CutItem{450.0f, 300.0f, 4, "扉, 左"};
    job.cutList[1] = CutItem{450.0f, 0.0f, 3, "幅なし"};  // kept: width may be 0
    job.cutList[2] = CutItem{450.0f, 300.0f, 0, "数量なし"};
    job.cutList[4] = CutItem{0.0f, 300.0f, 1, "高さなし"};
    job.cutList[5] = CutItem{0.1f, 1234.5f, 32767, ""};
    job.turnFlag[0] = 1;  // not written: the mode is 1
    job.cutCount = 6;
    EXPECT_EQ(JobFileText(job),
              "\"吊戸棚\"\r\n1820,910\r\n3,1\r\n450,300,4,\"扉, 左\"\r\n450,0,3,\"幅なし\"\r\n"
              "0.1,1234.5,32767,\"\"\r\n");
}

TEST(WriteJob, TextFieldsCannotBreakTheFormat) {
    EXPECT_EQ(FileSafeText("12\"棚\"\r\n2段目\n3\r4"), "12＂棚＂ 2段目 3 4");

    PanelJob job = TwoSizeJob();
    job.jobTitle = "パネルサイズ";
    job.cutList[0].comment = "\"引出\",前板\r\n下";
    PanelJob back;
    EXPECT_TRUE(ReadJob(back, JobFileBytes(job)).complete());
    // The title stays a title (with a space that keeps it apart from the table marker).
    EXPECT_EQ(back.jobTitle, "パネルサイズ ");
    EXPECT_EQ(back.lastSizeIndex, 1);
    EXPECT_EQ(back.cutList[0].comment, "＂引出＂,前板 下");
    EXPECT_EQ(back.cutCount, 2);

    // A UTF-8 file once read as Shift-JIS: the title's bytes on disk spell the marker in UTF-8.
    // With one typed size nothing else in the file is Shift-JIS, so it reads back as UTF-8; the
    // title must stay a title, and from there on writing and reading change nothing.
    PanelJob single;
    single.jobTitle = ShiftJisToUtf8("パネルサイズ");
    single.typedHeight = 1820;
    single.typedWidth = 910;
    single.cutList[0] = CutItem{450, 300, 4, "side"};
    single.cutCount = 1;
    PanelJob again;
    EXPECT_TRUE(ReadJob(again, JobFileBytes(single)).complete());
    EXPECT_EQ(again.jobTitle, "パネルサイズ ");
    EXPECT_EQ(again.typedHeight, 1820);
    EXPECT_EQ(again.cutCount, 1);
    PanelJob third;
    EXPECT_TRUE(ReadJob(third, JobFileBytes(again)).complete());
    EXPECT_EQ(JobFileBytes(third), JobFileBytes(again));
}

TEST(WriteJob, SaveAndReloadRoundTrip) {
    PanelJob job = TwoSizeJob();
    job.jobTitle = "キッチン 2026/12";
    job.cutList[0].comment = "側板, 左右";
    job.cutList[2] = CutItem{0.3f, 2.75f, 1, "端数"};
    job.cutList[3] = CutItem{-5.0f, 100.0f, 1, "dropped"};
    job.cutCount = 4;

    const std::string bytes = JobFileBytes(job);
    PanelJob back;
    back.ktyFree = false;
    const JobReadResult result = ReadJob(back, bytes);
    EXPECT_TRUE(result.complete());
    EXPECT_TRUE(result.ktyFreeSwitchedOn);
    EXPECT_EQ(back.jobTitle, job.jobTitle);
    EXPECT_EQ(back.lastSizeIndex, 1);
    EXPECT_EQ(back.stock[0], job.stock[0]);
    EXPECT_EQ(back.stock[1], job.stock[1]);
    EXPECT_TRUE(back.priceMode);
    EXPECT_EQ(back.kerf, 3);
    ASSERT_EQ(back.cutCount, 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(back.cutList[r], job.cutList[r]) << r;
        EXPECT_EQ(back.turnFlag[r], job.turnFlag[r]) << r;
    }
    // Writing again gives the same bytes.
    EXPECT_EQ(JobFileBytes(back), bytes);
}

TEST(WriteJob, TypedSizeComesBackAsOneEntryTable) {
    PanelJob job;
    job.typedHeight = 2430;
    job.typedWidth = 1220;
    job.cutList[0] = CutItem{450.0f, 300.0f, 4, ""};
    job.cutCount = 1;
    PanelJob back;
    ReadJob(back, JobFileBytes(job));
    EXPECT_EQ(back.lastSizeIndex, 0);
    EXPECT_EQ(back.stock[0], (StockEntry{2430, 1220, 0, 0}));
    EXPECT_EQ(JobFileText(back),
              "\"パネルサイズ\"\r\n2430,1220,0,0\r\n\"パネルサイズ\"\r\n0,0\r\n450,300,4,\"\"\r\n");
}

TEST(WriteJob, ReportsWriteFailures) {
    for (std::size_t accepted : {std::size_t{0}, std::size_t{10}}) {
        test::FailingOStream out(accepted);
        EXPECT_FALSE(WriteJob(TwoSizeJob(), out)) << accepted;
    }
    std::string error;
    EXPECT_FALSE(SaveJobFile(TwoSizeJob(), "/nonexistent/folder/job.csv", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tvx::panel
