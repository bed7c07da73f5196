#include "bar/model/bar_job_writer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "bar/model/bar_job_reader.h"
#include "common/encoding.h"
#include "support/failing_stream.h"

namespace tvx::bar {
namespace {

BarJob SampleJob() {
    BarJob job = StartupBarJob(3, false);
    job.stock.stockEntryCountInUse = 1;
    job.stock.stockEntryLength[0] = 6000;
    AppendRow(job.cutList, 1500, 4, "");
    AppendRow(job.cutList, 820, 10, "");
    return job;
}

TEST(BarJobWriter, WritesTheDocumentedLayoutInShiftJisWithCrLf) {
    const std::string expected = Utf8ToShiftJis(
        "\"棒材サイズ\"\r\n6000,0,0\r\n\"切断幅\"\r\n3\r\n\"カットサイズ\"\r\n1500,4\r\n820,"
        "10\r\n");
    EXPECT_EQ(BarJobFileBytes(SampleJob()), expected);
    EXPECT_FALSE(IsValidUtf8(expected));  // really Shift-JIS bytes
}

TEST(BarJobWriter, WritesTitlePricesFractionsAndOnlyValidRows) {
    BarJob job = SampleJob();
    job.jobTitle = "手すり";
    job.kerf = 2.5f;
    job.stock.stockEntryCountInUse = 2;
    job.stock.stockEntryLength[1] = 5500;
    job.stock.stockEntryPrice[1] = 2450.5f;
    job.stock.stockEntryCount[1] = 12;
    AppendRow(job.cutList, 0, 3, "");
    AppendRow(job.cutList, 700, 0, "");
    AppendRow(job.cutList, 0.1f, 1, "");
    EXPECT_EQ(BarJobFileTextUtf8(job),
              "\"手すり\"\r\n\"棒材サイズ\"\r\n6000,0,0\r\n5500,2450.5,12\r\n\"切断幅\"\r\n2.5\r\n"
              "\"カットサイズ\"\r\n1500,4\r\n820,10\r\n0.1,1\r\n");
}

TEST(BarJobWriter, PartCodesAreQuotedWithCommasAsSpacesAndComeBackFromTheFile) {
    BarJob job = SampleJob();
    job.showPartCodes = true;
    job.cutList.cutComment[0] = "A,1 \"x\"";
    job.cutList.cutComment[1] = "柱,梁,,";
    AppendRow(job.cutList, 640, 2, "line\r\nbreak");
    const std::string text = BarJobFileTextUtf8(job);
    EXPECT_NE(
        text.find("\r\n\"A 1 ＂x＂\",1500,4\r\n\"柱 梁  \",820,10\r\n\"line break\",640,2\r\n"),
        std::string::npos)
        << text;

    // Every row keeps its three fields, and so its code, length and quantity.
    BarJob back = StartupBarJob(0, false);
    EXPECT_TRUE(ReadBarJob(BarJobFileBytes(job), back).complete());
    EXPECT_TRUE(back.showPartCodes);
    ASSERT_EQ(back.cutList.rowCount, 3);
    EXPECT_EQ(back.cutList.cutComment[0], "A 1 ＂x＂");
    EXPECT_EQ(back.cutList.cutLength[0], 1500.0f);
    EXPECT_EQ(back.cutList.cutQuantity[0], 4);
    EXPECT_EQ(back.cutList.cutComment[1], "柱 梁  ");
    EXPECT_EQ(back.cutList.cutQuantity[1], 10);
    EXPECT_EQ(back.cutList.cutComment[2], "line break");
    // A second round trip changes nothing more.
    EXPECT_EQ(BarJobFileBytes(back), BarJobFileBytes(job));
}

TEST(BarJobWriter, TitlesWithCommasQuotesOrAMarkersTextStayTitles) {
    for (const std::string title : {"架台, A-1 \"改\"", "棒材サイズ", "切断幅", "カットサイズ"}) {
        SCOPED_TRACE(title);
        BarJob job = SampleJob();
        job.jobTitle = title;
        BarJob back = StartupBarJob(0, false);
        EXPECT_TRUE(ReadBarJob(BarJobFileBytes(job), back).complete());
        EXPECT_NE(back.jobTitle.find(title.substr(0, 6)), std::string::npos) << back.jobTitle;
        EXPECT_EQ(back.stock.stockEntryCountInUse, 1);
        EXPECT_EQ(back.stock.stockEntryLength[0], 6000.0f);
        EXPECT_EQ(back.kerf, 3.0f);
        EXPECT_EQ(back.cutList.rowCount, 2);
    }
    BarJob job = SampleJob();
    job.jobTitle = "架台, A-1 \"改\"";
    EXPECT_TRUE(BarJobFileTextUtf8(job).starts_with("\"架台, A-1 ＂改＂\"\r\n\"棒材サイズ\"\r\n"));
}

TEST(BarJobWriter, TextShiftJisCannotHoldBecomesAQuestionMark) {
    BarJob job = SampleJob();
    job.jobTitle = "rack 😀";
    EXPECT_EQ(BarJobFileBytes(job).substr(0, 9), "\"rack ?\"\r");
}

TEST(BarJobWriter, ThePlanFollowsWithLengthsWithoutKerf) {
    BarJob job = SampleJob();
    BarPlan& plan = job.plan;
    plan.kerf = 3;
    plan.stockLength = {4003, 6003};
    plan.pieceLength = {1503, 823};
    plan.resultBars = {{1, {0, 0, 0, 1}, 2}, {0, {1, 1}, 1}};
    plan.resultBarCount = 3;
    plan.found = true;
    plan.bestCost = 16000;
    const std::string text = BarJobFileTextUtf8(job);
    const std::string tail =
        "\"計算結果\"\r\n6000,1500,1500,1500,820\r\n"
        "6000,1500,1500,1500,820\r\n4000,820,820\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);

    plan.found = false;  // a failed calculation writes no plan
    EXPECT_EQ(BarJobFileTextUtf8(job).find("計算結果"), std::string::npos);
}

TEST(BarJobWriter, SaveAndReloadGiveTheSameJob) {
    BarJob job = SampleJob();
    job.jobTitle = "鉄骨 架台";
    job.showPartCodes = true;
    job.cutList.cutComment[0] = "C-1";
    job.stock.stockEntryCountInUse = 3;
    for (int s = 1; s < 3; ++s) {
        job.stock.stockEntryLength[s] = 1000.25f * s;
        job.stock.stockEntryPrice[s] = 99.5f * s;
        job.stock.stockEntryCount[s] = static_cast<std::int16_t>(s);
    }
    job.kerf = 0.3f;
    const auto dir =
        std::filesystem::temp_directory_path() / ("tvx-bar-writer-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "job.csv").string();
    std::string error;
    ASSERT_TRUE(SaveBarJobFile(job, path, &error)) << error;
    BarJob back = StartupBarJob(0, false);
    ASSERT_TRUE(ReadBarJobFile(path, back));
    std::filesystem::remove_all(dir);

    EXPECT_EQ(back.jobTitle, job.jobTitle);
    EXPECT_EQ(back.kerf, job.kerf);
    EXPECT_TRUE(back.showPartCodes);
    EXPECT_EQ(back.stock.stockEntryCountInUse, 3);
    EXPECT_EQ(back.stock.stockEntryLength, job.stock.stockEntryLength);
    EXPECT_EQ(back.stock.stockEntryPrice, job.stock.stockEntryPrice);
    EXPECT_EQ(back.stock.stockEntryCount, job.stock.stockEntryCount);
    EXPECT_EQ(back.cutList.rowCount, 2);
    EXPECT_EQ(back.cutList.cutLength, job.cutList.cutLength);
    EXPECT_EQ(back.cutList.cutQuantity, job.cutList.cutQuantity);
    EXPECT_EQ(back.cutList.cutComment, job.cutList.cutComment);
}

TEST(BarJobWriter, AFailingStreamIsReported) {
    test::FailingOStream out(10);
    EXPECT_FALSE(WriteBarJob(SampleJob(), out));
    std::ostringstream good;
    EXPECT_TRUE(WriteBarJob(SampleJob(), good));
    EXPECT_EQ(good.str(), BarJobFileBytes(SampleJob()));
}

TEST(BarJobWriter, KeepsPartCodesWhileTheirDisplayIsOff) {
    BarJob job = SampleJob();
    job.cutList.cutComment[1] = "B-2";
    ASSERT_FALSE(job.showPartCodes);
    const std::string text = BarJobFileTextUtf8(job);
    EXPECT_NE(text.find("\"\",1500,4\r\n\"B-2\",820,10\r\n"), std::string::npos) << text;
    // Read back, the codes are there and the display is on.
    BarJob back = StartupBarJob(0, false);
    EXPECT_TRUE(ReadBarJob(BarJobFileBytes(job), back));
    EXPECT_TRUE(back.showPartCodes);
    EXPECT_EQ(back.cutList.cutComment[1], "B-2");
    // Without any code the two-field form stays.
    EXPECT_NE(BarJobFileTextUtf8(SampleJob()).find("\r\n1500,4\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tvx::bar
