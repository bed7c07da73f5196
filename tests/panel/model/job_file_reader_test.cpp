#include "panel/model/job_file_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "common/encoding.h"

namespace tvx::panel {
namespace {

// The lines as a job file on disk: Shift-JIS with CR LF.
std::string SjisFile(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return Utf8ToShiftJis(text);
}

PanelJob Read(const std::vector<std::string>& lines, JobReadResult* result = nullptr) {
    PanelJob job;
    const JobReadResult r = ReadJob(job, SjisFile(lines));
    if (result) *result = r;
    return job;
}

std::vector<std::string> Rows(int count) {
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) rows.push_back(std::to_string(100 + i) + ",50,1,\"\"");
    return rows;
}

TEST(ReadJob, SinglePanelLineWithoutTitle) {
    JobReadResult result;
    const PanelJob job =
        Read({"1820,910", "3,1", "450,300,4,\"側板\"", "600.5,280,2,\"\""}, &result);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(result.stopLine, 0);
    EXPECT_EQ(job.jobTitle, "");
    EXPECT_EQ(job.lastSizeIndex, 0);
    EXPECT_EQ(job.stock[0], (StockEntry{1820, 910, 0, 0}));
    EXPECT_FALSE(job.priceMode);
    // The size boxes show the single size, so the typed values follow it.
    EXPECT_EQ(job.typedHeight, 1820);
    EXPECT_EQ(job.typedWidth, 910);
    EXPECT_EQ(job.kerf, 3);
    EXPECT_TRUE(job.rotateAll);
    ASSERT_EQ(job.cutCount, 2);
    EXPECT_EQ(job.cutList[0], (CutItem{450.0f, 300.0f, 4, "側板"}));
    EXPECT_EQ(job.cutList[1].height, 600.5f);
}

TEST(ReadJob, TitleAndStockBlock) {
    JobReadResult result;
    const PanelJob job = Read({"\"吊戸棚\"", "\"パネルサイズ\"", "1820,910,3500,0",
                               "2430,1220,5800,2", "\"パネルサイズ\"", "3,0", "450,300,4,\"\""},
                              &result);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(job.jobTitle, "吊戸棚");
    EXPECT_EQ(job.lastSizeIndex, 1);
    EXPECT_EQ(job.stock[1], (StockEntry{2430, 1220, 5800, 2}));
    EXPECT_TRUE(job.priceMode);
    // Several sizes are shown as a list; the size boxes stay empty.
    EXPECT_EQ(job.typedHeight, 0);
    EXPECT_EQ(job.kerf, 3);
    EXPECT_EQ(job.cutCount, 1);

    // One entry without price and limit switches price comparison off.
    const PanelJob mixed = Read({"\"パネルサイズ\"", "1820,910,3500,0", "2430,1220,0,0",
                                 "\"パネルサイズ\"", "3,0", "450,300,4,\"\""});
    EXPECT_FALSE(mixed.priceMode);
    EXPECT_EQ(mixed.lastSizeIndex, 1);
}

TEST(ReadJob, FullBlockOfFiveSizesPassesItsClosingLine) {
    std::vector<std::string> lines = {"\"パネルサイズ\""};
    for (int i = 0; i < 5; ++i) lines.push_back(std::to_string(1000 + i) + ",900,100,1");
    lines.insert(lines.end(), {"\"パネルサイズ\"", "5,1", "300,200,1,\"\""});
    JobReadResult result;
    const PanelJob job = Read(lines, &result);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(job.lastSizeIndex, 4);
    EXPECT_EQ(job.stock[4].height, 1004);
    EXPECT_EQ(job.kerf, 5);
    EXPECT_TRUE(job.rotateAll);
    EXPECT_EQ(job.cutCount, 1);
}

TEST(ReadJob, FileStartingWithRowsKeepsKerf) {
    PanelJob job;
    job.kerf = 4;
    job.rotateAll = true;
    const JobReadResult result = ReadJob(job, SjisFile({"450,300,4,\"棚板\"", "200,100,2"}));
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(job.lastSizeIndex, -1);
    EXPECT_EQ(job.kerf, 4);       // reset keeps the kerf, and no settings line changed it
    EXPECT_FALSE(job.rotateAll);  // reset cleared it
    EXPECT_EQ(job.cutCount, 2);
    EXPECT_EQ(job.cutList[1].quantity, 2);
}

TEST(ReadJob, ModeTwoTurnsPerRowFlagsOn) {
    PanelJob job;
    const JobReadResult result =
        ReadJob(job, SjisFile({"1820,910", "3,2", "450,300,4,\"\",1", "600,280,2,\"\",0"}));
    EXPECT_TRUE(result.perRowFlags);
    EXPECT_TRUE(result.ktyFreeSwitchedOn);
    EXPECT_TRUE(job.ktyFree);
    EXPECT_FALSE(job.rotateAll);
    EXPECT_EQ(job.turnFlag[0], 1);
    EXPECT_EQ(job.turnFlag[1], 0);

    // Already on: nothing to switch, flags still from the file.
    PanelJob on;
    on.ktyFree = true;
    const JobReadResult again =
        ReadJob(on, SjisFile({"1820,910", "3,2", "450,300,4,\"\",1", "600,280,2,\"\",0"}));
    EXPECT_FALSE(again.ktyFreeSwitchedOn);
    EXPECT_EQ(on.turnFlag[0], 1);
}

TEST(ReadJob, OtherModesDeriveRowFlagsWhilePerRowOrientationIsOn) {
    PanelJob all;
    all.ktyFree = true;
    ReadJob(all, SjisFile({"1820,910", "3,1", "450,300,4,\"\",0", "600,280,2,\"\",0"}));
    EXPECT_TRUE(all.ktyFree);
    EXPECT_EQ(all.turnFlag[0], 1);
    EXPECT_EQ(all.turnFlag[1], 1);
    EXPECT_EQ(all.turnFlag[2], 0);

    PanelJob none;
    none.ktyFree = true;
    ReadJob(none, SjisFile({"1820,910", "3,0", "450,300,4,\"\",1"}));
    EXPECT_EQ(none.turnFlag[0], 0);

    // Any non-zero mode other than 2 ticks "縦横自由", which holds 0 or 1.
    const PanelJob odd = Read({"1820,910", "3,-1", "450,300,4,\"\""});
    EXPECT_TRUE(odd.rotateAll);

    // With per-row flags on, only a mode of exactly 1 turns the rows; another non-zero mode
    // still ticks "縦横自由".
    PanelJob three;
    three.ktyFree = true;
    ReadJob(three, SjisFile({"1820,910", "3,3", "450,300,4,\"\"", "200,100,2,\"\""}));
    EXPECT_TRUE(three.rotateAll);
    EXPECT_EQ(three.turnFlag[0], 0);
    EXPECT_EQ(three.turnFlag[1], 0);
}

TEST(ReadJob, StopsAfterTwoHundredRows) {
    std::vector<std::string> lines = {"1820,910", "3,0"};
    auto rows = Rows(200);
    lines.insert(lines.end(), rows.begin(), rows.end());

    JobReadResult exact;
    EXPECT_EQ(Read(lines, &exact).cutCount, 200);
    EXPECT_TRUE(exact.complete());
    // Blank lines after the last row are no rows left unread.
    lines.push_back("");
    EXPECT_TRUE(Read(lines, &exact).cutCount == 200 && exact.complete());
    lines.pop_back();

    lines.push_back("999,99,9,\"\"");
    lines.push_back("998,98,8,\"\"");
    JobReadResult over;
    const PanelJob job = Read(lines, &over);
    EXPECT_EQ(job.cutCount, 200);
    EXPECT_EQ(job.cutList[199].height, 299.0f);
    EXPECT_EQ(over.end, JobReadEnd::RowLimit);
    EXPECT_EQ(over.stopLine, 203);
}

TEST(ReadJob, ValueBeyondItsWidthStopsKeepingWhatWasRead) {
    PanelJob job;
    job.ktyFree = true;
    const JobReadResult result =
        ReadJob(job, SjisFile({"\"戸棚\"", "1820,910", "3,1", "450,300,4,\"\"",
                               "600,280,40000,\"\"", "700,100,1,\"\""}));
    EXPECT_FALSE(result.complete());
    EXPECT_EQ(result.end, JobReadEnd::ValueTooLarge);
    EXPECT_EQ(result.stopLine, 5);
    EXPECT_EQ(job.jobTitle, "戸棚");
    EXPECT_EQ(job.kerf, 3);
    ASSERT_EQ(job.cutCount, 1);
    // The orientation is settled as after a complete reading.
    EXPECT_EQ(job.turnFlag[0], 1);
    EXPECT_EQ(job.typedHeight, 1820);
    EXPECT_FALSE(DescribeIncompleteRead(result).empty());

    // Inside the stock table: the entries before the bad one stay.
    JobReadResult inBlock;
    const PanelJob block =
        Read({"\"パネルサイズ\"", "1820,910,3500,1", "2430,1220,5800,99999"}, &inBlock);
    EXPECT_EQ(inBlock.end, JobReadEnd::ValueTooLarge);
    EXPECT_EQ(block.lastSizeIndex, 0);
    EXPECT_TRUE(block.priceMode);

    // A kerf beyond 16 bits.
    JobReadResult kerf;
    Read({"1820,910", "70000,0", "450,300,4,\"\""}, &kerf);
    EXPECT_EQ(kerf.end, JobReadEnd::ValueTooLarge);
}

TEST(ReadJob, EndOfFileAnywhereIsAnOrdinaryEnd) {
    JobReadResult settingsOnly;
    const PanelJob job = Read({"1820,910", "3,1"}, &settingsOnly);
    EXPECT_TRUE(settingsOnly.complete());
    EXPECT_EQ(job.cutCount, 0);
    EXPECT_TRUE(job.rotateAll);

    JobReadResult inBlock;
    const PanelJob block = Read({"\"パネルサイズ\"", "1820,910,0,0"}, &inBlock);
    EXPECT_TRUE(inBlock.complete());
    EXPECT_EQ(block.lastSizeIndex, 0);

    // A file without any text holds no job.
    JobReadResult empty;
    EXPECT_EQ(Read({}, &empty).lastSizeIndex, -1);
    EXPECT_EQ(empty.end, JobReadEnd::NotAJobFile);
}

TEST(ReadJob, EmptyAndBinaryFilesAreNoJobFiles) {
    for (const std::string& bytes :
         {std::string(), std::string(" \r\n\r\n"), std::string("1820,910\r\n\0\0", 12)}) {
        PanelJob job;
        job.jobTitle = "old";
        const JobReadResult result = ReadJob(job, bytes);
        EXPECT_EQ(result.end, JobReadEnd::NotAJobFile) << testing::PrintToString(bytes);
        EXPECT_EQ(job.jobTitle, "");  // reset, as by any reading
        EXPECT_EQ(DescribeIncompleteRead(result), "カットデータのファイルではありません。");
    }
}

TEST(ReadJob, RowsThatHoldSomethingButAreInvalidAreListedByLine) {
    JobReadResult result;
    const PanelJob job = Read({"1820,910", "3,0", "450,300,2,\"棚\"", "１２００,300,1,\"全角\"",
                               "450,300,-2,\"\"", "", "nan,300,1,\"\"", "450,inf,1", "450,0,2"},
                              &result);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(job.cutCount, 7);
    EXPECT_EQ(result.invalidRowLines, (std::vector<int>{4, 5, 7, 8, 9}));
    EXPECT_EQ(DescribeInvalidRows(result), "4行目, 5行目, 7行目, 8行目, 9行目");
}

TEST(ReadJob, TwoTextLinesAreNoJobFile) {
    JobReadResult result;
    const PanelJob job = Read({"\"メモ\"", "\"買い物リスト\"", "1820,910", "3,0"}, &result);
    EXPECT_EQ(result.end, JobReadEnd::NotAJobFile);
    EXPECT_EQ(result.stopLine, 2);
    EXPECT_EQ(job.jobTitle, "メモ");
    EXPECT_EQ(job.lastSizeIndex, -1);
    EXPECT_EQ(job.cutCount, 0);
}

TEST(ReadJob, TitleReadingAsTheMarkerOpensTheTable) {
    // The title line takes the table's place, the real header ends an empty table, and the
    // first stock line becomes the first row.
    JobReadResult result;
    const PanelJob job = Read({"\"パネルサイズ\"", "\"パネルサイズ\"", "1820,910,0,0",
                               "\"パネルサイズ\"", "3,0", "450,300,4,\"\""},
                              &result);
    EXPECT_EQ(job.jobTitle, "");
    EXPECT_EQ(job.lastSizeIndex, -1);
    EXPECT_EQ(job.kerf, 0);
    ASSERT_EQ(job.cutCount, 4);
    EXPECT_EQ(job.cutList[0].height, 1820.0f);
    EXPECT_EQ(job.cutList[3].quantity, 4);
}

TEST(ReadJob, AcceptsUtf8WithOrWithoutMarkAndLfLines) {
    const std::string text =
        "\"台所\"\n1820,910\n3,1\n450,300,4,\"扉, 左\"\n600.5,280,2,\"棚板\"\n";
    const PanelJob expected =
        Read({"\"台所\"", "1820,910", "3,1", "450,300,4,\"扉, 左\"", "600.5,280,2,\"棚板\""});
    for (const std::string& bytes : {text, "\xEF\xBB\xBF" + text, Utf8ToShiftJis(text)}) {
        PanelJob job;
        EXPECT_TRUE(ReadJob(job, bytes).complete());
        EXPECT_EQ(job.jobTitle, "台所");
        EXPECT_EQ(job.cutCount, 2);
        EXPECT_EQ(job.cutList[0], expected.cutList[0]);
        EXPECT_EQ(job.cutList[1], expected.cutList[1]);
    }
}

TEST(ReadJob, ResetsTheJobWithAnUndoSnapshot) {
    PanelJob job;
    job.cutList[0] = CutItem{10.0f, 20.0f, 1, "old"};
    job.cutCount = 1;
    job.jobTitle = "old";
    job.stock[3] = StockEntry{1, 2, 3, 4};
    std::istringstream in(SjisFile({"1820,910", "3,0"}));
    EXPECT_TRUE(ReadJob(job, in).complete());
    EXPECT_EQ(job.jobTitle, "");
    EXPECT_EQ(job.cutCount, 0);
    EXPECT_EQ(job.stock[3], StockEntry{});
    ASSERT_TRUE(job.undoReady);
    EXPECT_EQ(job.undoList.at(0).comment, "old");
}

// Hands out its text, then fails as a disk with a bad sector would.
class BrokenStreambuf : public std::streambuf {
  public:
    explicit BrokenStreambuf(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

  protected:
    int_type underflow() override { throw std::runtime_error("read error"); }

  private:
    std::string text_;
};

TEST(ReadJob, StreamFailingPartWayKeepsWhatArrived) {
    BrokenStreambuf buffer(SjisFile({"1820,910", "3,1", "450,300,4,\"\""}));
    std::istream in(&buffer);
    PanelJob job;
    const JobReadResult result = ReadJob(job, in);
    EXPECT_EQ(result.end, JobReadEnd::StreamError);
    EXPECT_FALSE(result.complete());
    EXPECT_EQ(job.cutCount, 1);
    EXPECT_EQ(job.kerf, 3);
}

TEST(LoadJobFile, MissingFileLeavesTheJobAlone) {
    PanelJob job;
    job.jobTitle = "keep";
    const JobReadResult result = LoadJobFile(job, "/nonexistent/folder/job.csv");
    EXPECT_EQ(result.end, JobReadEnd::CannotOpen);
    EXPECT_FALSE(result.jobChanged());
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(job.jobTitle, "keep");
    EXPECT_FALSE(job.undoReady);
}

}  // namespace
}  // namespace tvx::panel
