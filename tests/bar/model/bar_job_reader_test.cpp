#include "bar/model/bar_job_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "bar/model/bar_job_writer.h"
#include "common/encoding.h"
#include "common/text_file.h"
#include "support/source_dir.h"

namespace tvx::bar {
namespace {

// The lines as a Shift-JIS file with CR LF.
std::string SjisFile(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return Utf8ToShiftJis(text);
}

BarJob Read(const std::string& bytes, BarJob job = StartupBarJob(0, false)) {
    ReadBarJob(bytes, job);
    return job;
}

void ExpectRow(const BarJob& job, int row, float length, int quantity,
               const std::string& code = "") {
    SCOPED_TRACE("row " + std::to_string(row));
    ASSERT_LT(row, job.cutList.rowCount);
    EXPECT_EQ(job.cutList.cutLength[row], length);
    EXPECT_EQ(job.cutList.cutQuantity[row], quantity);
    EXPECT_EQ(job.cutList.cutComment[row], code);
}

TEST(BarJobReader, ReadsAJobWithoutTitle) {
    const BarJob job = Read(SjisFile(
        {"\"棒材サイズ\"", "6000,0,0", "\"切断幅\"", "3", "\"カットサイズ\"", "1500,4", "820,10"}));
    EXPECT_EQ(job.jobTitle, "");
    EXPECT_EQ(job.stock.stockEntryCountInUse, 1);
    EXPECT_EQ(job.stock.stockEntryLength[0], 6000.0f);
    EXPECT_EQ(job.kerf, 3.0f);
    EXPECT_FALSE(job.showPartCodes);
    EXPECT_EQ(job.cutList.rowCount, 2);
    ExpectRow(job, 0, 1500, 4);
    ExpectRow(job, 1, 820, 10);
}

TEST(BarJobReader, ThreeFieldRowsCarryPartCodesAndSwitchTheDisplayOn) {
    const BarJob job = Read(SjisFile(
        {"\"架台 A\"", "\"棒材サイズ\"", "4000,1850,0", "5500,2450.5,12", "\"切断幅\"", "2.5",
         "\"カットサイズ\"", "\"F-101 支柱\",1800,8", "\"F-102\",1200,2.5", "\"F-103\",1200,3.5"}));
    EXPECT_EQ(job.jobTitle, "架台 A");
    EXPECT_EQ(job.stock.stockEntryCountInUse, 2);
    EXPECT_EQ(job.stock.stockEntryPrice[1], 2450.5f);
    EXPECT_EQ(job.stock.stockEntryCount[1], 12);
    EXPECT_EQ(job.kerf, 2.5f);
    EXPECT_TRUE(job.showPartCodes);
    ExpectRow(job, 0, 1800, 8, "F-101 支柱");
    ExpectRow(job, 1, 1200, 2, "F-102");  // quantities round half to even
    ExpectRow(job, 2, 1200, 4, "F-103");
}

TEST(BarJobReader, EachRowIsReadByItsOwnFieldsAndQuotedFieldsAreWhole) {
    BarJob job = StartupBarJob(0, false);
    const BarReadResult read = ReadBarJob(
        SjisFile({"\"カットサイズ\"", "\"A,1\",1500,4", "820,10", "\"B \"\"2\"\"\",640,2",
                  "\"C\"-3,700,1,ignored", "5\" pipe,300,6", "\"open,900,7", "\"\",450,3"}),
        job);
    EXPECT_TRUE(read.complete());
    EXPECT_TRUE(job.showPartCodes);
    ASSERT_EQ(job.cutList.rowCount, 7);
    ExpectRow(job, 0, 1500, 4, "A,1");
    ExpectRow(job, 1, 820, 10);             // two fields: no code
    ExpectRow(job, 2, 640, 2, "B \"2\"");   // "" inside quotes is one quote
    ExpectRow(job, 3, 700, 1, "C-3");       // text after the closing quote belongs to the field
    ExpectRow(job, 4, 300, 6, "5\" pipe");  // a quote inside a field is a character
    ExpectRow(job, 5, 900, 7, "\"open");    // a quote never closed is a character
    ExpectRow(job, 6, 450, 3);

    // A first row of two fields does not hide the codes of later rows.
    const BarJob mixed = Read(SjisFile({"1500,4", "\"X,Y\",820,10"}));
    EXPECT_TRUE(mixed.showPartCodes);
    ExpectRow(mixed, 0, 1500, 4);
    ExpectRow(mixed, 1, 820, 10, "X,Y");
    // A title may hold commas and doubled quotes, as spreadsheets write them.
    const BarJob titled = Read(SjisFile({"\"架台, \"\"A\"\"\"", "\"カットサイズ\"", "1500,4"}));
    EXPECT_EQ(titled.jobTitle, "架台, \"A\"");
    ExpectRow(titled, 0, 1500, 4);
    // A bare list whose first line has a quoted comma is still a list of rows.
    const BarJob bare = Read(SjisFile({"\"K,1\",1200,2"}));
    ExpectRow(bare, 0, 1200, 2, "K,1");
}

TEST(BarJobReader, TrailingCommasUpToFourAreDropped) {
    const BarJob job = Read(SjisFile({"\"棒材サイズ\",", "6000,0,0,,,,", "\"切断幅\",,", "3,",
                                      "\"カットサイズ\",,,,", "1500,4,,", "820,10"}));
    EXPECT_EQ(job.stock.stockEntryCountInUse, 1);
    EXPECT_EQ(job.kerf, 3.0f);
    ExpectRow(job, 0, 1500, 4);
    ExpectRow(job, 1, 820, 10);
    // A fifth trailing comma stays: the line then has three fields.
    const BarJob five = Read(SjisFile({"1500,4,,,,,"}));
    EXPECT_TRUE(five.showPartCodes);
    ExpectRow(five, 0, 4, 0, "1500");
}

TEST(BarJobReader, ABareListOfRowsLeavesTheRestOfTheJob) {
    BarJob job = StartupBarJob(3, false);
    job.jobTitle = "前の表題";
    job.stock.stockEntryCountInUse = 1;
    job.stock.stockEntryLength[0] = 5000;
    AppendRow(job.cutList, 999, 9, "");
    AppendRow(job.cutList, 998, 9, "");
    job = Read("1500,4\n820,10\n", job);
    EXPECT_EQ(job.jobTitle, "前の表題");
    EXPECT_EQ(job.kerf, 3.0f);
    EXPECT_EQ(job.stock.stockEntryLength[0], 5000.0f);
    EXPECT_EQ(job.cutList.rowCount, 2);
    ExpectRow(job, 0, 1500, 4);
    ExpectRow(job, 1, 820, 10);
}

TEST(BarJobReader, ASeventhStockLineIsSkipped) {
    const BarJob job =
        Read(SjisFile({"\"棒材サイズ\"", "1000,1,0", "2000,2,0", "3000,3,0", "4000,4,0", "5000,5,0",
                       "6000,6,0", "7000,7,0", "\"切断幅\"", "2", "\"カットサイズ\"", "500,1"}));
    EXPECT_EQ(job.stock.stockEntryCountInUse, 6);
    EXPECT_EQ(job.stock.stockEntryLength[5], 6000.0f);
    EXPECT_EQ(job.stock.stockEntryLength[6], 0.0f);
    EXPECT_EQ(job.kerf, 2.0f);
    ExpectRow(job, 0, 500, 1);
}

TEST(BarJobReader, EveryLineUpToThePlanIsARowAndThePlanIsNeverRead) {
    const BarJob job = Read(SjisFile({"\"カットサイズ\"", "\"A\",1500,4", "", "abc",
                                      "\"計算結果\",10,1", "\"計算結果\"", "6000,1500", "99,99"}));
    EXPECT_EQ(job.cutList.rowCount, 4);
    ExpectRow(job, 0, 1500, 4, "A");
    ExpectRow(job, 1, 0, 0);
    ExpectRow(job, 2, 0, 0);               // one field: a length, and "abc" is none
    ExpectRow(job, 3, 10, 1, "計算結果");  // a part code, not the plan section
}

TEST(BarJobReader, SectionsOutOfOrderEndTheReading) {
    const BarJob job = Read(
        SjisFile({"\"切断幅\"", "4", "\"棒材サイズ\"", "6000,0,0", "\"カットサイズ\"", "1500,4"}));
    EXPECT_EQ(job.kerf, 4.0f);
    EXPECT_EQ(job.stock.stockEntryCountInUse, 0);
    EXPECT_EQ(job.cutList.rowCount, 0);
}

TEST(BarJobReader, ValuesBeyondTheirWidthEndTheReadingKeepingWhatWasRead) {
    const BarJob rows = Read(SjisFile({"\"カットサイズ\"", "1500,4", "820,40000", "700,1"}));
    EXPECT_EQ(rows.cutList.rowCount, 1);
    ExpectRow(rows, 0, 1500, 4);

    const BarJob stock =
        Read(SjisFile({"\"棒材サイズ\"", "6000,0,0", "5000,0,70000", "\"切断幅\"", "3"}));
    EXPECT_EQ(stock.stock.stockEntryCountInUse, 1);
    EXPECT_EQ(stock.kerf, 0.0f);

    const BarJob length = Read(SjisFile({"1500,4", "1e39,1"}));
    EXPECT_EQ(length.cutList.rowCount, 1);
    const BarJob kerf = Read(SjisFile({"\"切断幅\"", "-2", "\"カットサイズ\"", "10,1"}));
    EXPECT_EQ(kerf.kerf, 0.0f);  // never negative
    EXPECT_EQ(kerf.cutList.rowCount, 1);
}

TEST(BarJobReader, TheFileMayEndAfterAnySection) {
    const BarJob title = Read(SjisFile({"\"表題だけ\""}));
    EXPECT_EQ(title.jobTitle, "表題だけ");
    const BarJob stock = Read(SjisFile({"\"棒材サイズ\"", "6000,0,0", "4000,0,0"}));
    EXPECT_EQ(stock.stock.stockEntryCountInUse, 2);
    const BarJob cuts =
        Read(SjisFile({"\"棒材サイズ\"", "6000,0,0", "\"切断幅\"", "3", "\"カットサイズ\""}));
    EXPECT_EQ(cuts.kerf, 3.0f);
    EXPECT_EQ(cuts.cutList.rowCount, 0);
    EXPECT_EQ(Read("").cutList.rowCount, 0);
}

TEST(BarJobReader, AcceptsUtf8AndEveryLineEnd) {
    const std::string utf8 =
        "\xEF\xBB\xBF\"鉄骨\"\n\"棒材サイズ\"\n6000,0,0\n\"切断幅\"\n3\n\"カットサイズ\"\n1500,4\n";
    const BarJob bom = Read(utf8);
    EXPECT_EQ(bom.jobTitle, "鉄骨");
    EXPECT_EQ(bom.kerf, 3.0f);
    ExpectRow(bom, 0, 1500, 4);
    const BarJob cr = Read("\"棒材サイズ\"\r6000,0,0\r\"切断幅\"\r3\r\"カットサイズ\"\r1500,4\r");
    EXPECT_EQ(cr.stock.stockEntryCountInUse, 1);
    ExpectRow(cr, 0, 1500, 4);
}

TEST(BarJobReader, ManyRowsGrowTheListAndStopAtItsLimit) {
    std::string text;
    for (int r = 0; r < 32800; ++r) text += "100,1\n";
    const BarJob job = Read(text);
    EXPECT_EQ(job.cutList.rowCount, kMaxRows);
}

BarReadResult ReadInto(const std::string& bytes, BarJob& job) {
    return ReadBarJob(bytes, job);
}

TEST(BarJobReader, TheResultSaysWhereAndWhyTheReadingStopped) {
    struct Case {
        const char* label;
        std::string bytes;
        BarReadEnd end;
        int stopLine;
        int rows;
    };
    const std::string stock = "\"棒材サイズ\"\r\n6000,0,0\r\n";
    std::string full;
    for (int r = 0; r < 32800; ++r) full += "100,1\n";
    std::string exactly;
    for (int r = 0; r < kMaxRows; ++r) exactly += "100,1\n";
    for (const Case& c : std::vector<Case>{
             {"complete",
              SjisFile({"\"棒材サイズ\"", "6000,0,0", "\"切断幅\"", "3", "\"カットサイズ\"",
                        "1500,4", "\"計算結果\"", "6000,1500"}),
              BarReadEnd::EndOfFile, 0, 1},
             {"huge length", "1000,2\n1e39,1\n2000,5\n", BarReadEnd::ValueOutOfRange, 2, 1},
             {"huge quantity", "1000,2\n2000,40000\n", BarReadEnd::ValueOutOfRange, 2, 1},
             {"huge stock", stock + "1e39,0,0\r\n", BarReadEnd::ValueOutOfRange, 3, 0},
             {"kerf nan",
              SjisFile({"\"棒材サイズ\"", "6000,0,0", "\"切断幅\"", "nan", "\"カットサイズ\"",
                        "1500,4"}),
              BarReadEnd::UnexpectedLine, 4, 0},
             {"kerf huge", SjisFile({"\"切断幅\"", "1e39", "\"カットサイズ\"", "1500,4"}),
              BarReadEnd::ValueOutOfRange, 2, 0},
             {"four fields", SjisFile({"\"カットサイズ\"", "1,2,3,4"}), BarReadEnd::UnexpectedLine,
              2, 0},
             {"row limit", full, BarReadEnd::RowLimit, kMaxRows + 1, kMaxRows},
             {"just full", exactly + "\n\n", BarReadEnd::EndOfFile, 0, kMaxRows},
         }) {
        SCOPED_TRACE(c.label);
        BarJob job = StartupBarJob(0, false);
        const BarReadResult result = ReadInto(c.bytes, job);
        EXPECT_EQ(result.end, c.end);
        EXPECT_EQ(result.stopLine, c.stopLine);
        EXPECT_EQ(job.cutList.rowCount, c.rows);
        EXPECT_EQ(result.complete(), DescribeIncompleteRead(result).empty());
        if (c.end == BarReadEnd::ValueOutOfRange || c.end == BarReadEnd::UnexpectedLine) {
            EXPECT_NE(DescribeIncompleteRead(result).find(std::to_string(c.stopLine) + "行目"),
                      std::string::npos)
                << DescribeIncompleteRead(result);
        }
    }
}

TEST(BarJobReader, EmptyBinaryAndForeignFilesAreNoJobFiles) {
    for (const std::string& bytes :
         {std::string(), std::string("\r\n  \r\n"),
          std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), std::string("1500,4\r\n\0", 9),
          std::string("Dear Sir\nhello\nworld\n"), std::string("just a title\n"),
          std::string("a,b,c,d\n1,2,3,4\n")}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        BarJob job = StartupBarJob(2, false);
        const BarReadResult result = ReadInto(bytes, job);
        EXPECT_EQ(result.end, BarReadEnd::NotAJobFile);
        EXPECT_TRUE(result.jobChanged());
        EXPECT_EQ(DescribeIncompleteRead(result), "カットデータのファイルではありません。");
    }
    // A bare list of rows and a job with a title and stock only are job files.
    BarJob job = StartupBarJob(0, false);
    EXPECT_TRUE(ReadInto("1500,4\r\n", job).complete());
    EXPECT_TRUE(ReadInto(SjisFile({"\"棚\"", "\"棒材サイズ\"", "6000,0,0"}), job).complete());
}

TEST(BarJobReader, RowsThatHoldSomethingButAreInvalidAreListedByLine) {
    BarJob job = StartupBarJob(0, false);
    const BarReadResult result =
        ReadInto(SjisFile({"\"カットサイズ\"", "１２００,2", "1200,-2", "nan,1", "inf,3", "1500,4",
                           "", ",", "0,0", "1200,0.4"}),
                 job);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(job.cutList.rowCount, 9);
    EXPECT_EQ(result.invalidRowLines, (std::vector<int>{2, 3, 4, 5, 9, 10}));
    EXPECT_EQ(DescribeInvalidRows(result), "2行目, 3行目, 4行目, 5行目, 9行目, 10行目");
}

TEST(BarJobReader, AnUnreadableFileLeavesTheJobAlone) {
    BarJob job = StartupBarJob(2, false);
    job.jobTitle = "keep";
    std::string error;
    const BarReadResult missing = ReadBarJobFile("/nonexistent/dir/job.csv", job, &error);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.end, BarReadEnd::CannotRead);
    EXPECT_EQ(missing.error, error);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(job.jobTitle, "keep");
    std::istringstream stream("1500,4\r\n");
    EXPECT_TRUE(ReadBarJob(stream, job));
    EXPECT_EQ(job.cutList.rowCount, 1);
}

}  // namespace
}  // namespace tvx::bar

namespace tvx::bar {
namespace {

TEST(BarExamples, AreShiftJisWithCrLfAndReadCompletely) {
    struct Expected {
        const char* name;
        int stock;
        int rows;
        bool codes;
    };
    for (const Expected& e :
         {Expected{"steel_frame.csv", 1, 6, false}, Expected{"three_lengths.csv", 3, 6, false},
          Expected{"part_codes.csv", 1, 6, true}}) {
        SCOPED_TRACE(e.name);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(test::SourceDir() + "/examples/bar/" + e.name, bytes));
        EXPECT_FALSE(IsValidUtf8(bytes));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const bool lone = (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ||
                              (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
            ASSERT_FALSE(lone) << "line end at byte " << i;
        }
        BarJob job = StartupBarJob(0, false);
        ReadBarJob(bytes, job);
        EXPECT_FALSE(job.jobTitle.empty());
        EXPECT_EQ(job.stock.stockEntryCountInUse, e.stock);
        EXPECT_EQ(job.cutList.rowCount, e.rows);
        EXPECT_EQ(job.showPartCodes, e.codes);
        EXPECT_EQ(BarJobFileBytes(job), bytes);  // written back byte for byte
    }
}

TEST(BarJobReader, SaysWhetherTheWholeFileWasRead) {
    BarJob job;
    EXPECT_TRUE(ReadBarJob("\"棒材サイズ\"\r\n6000,0,0\r\n\"切断幅\"\r\n3\r\n\"カットサイズ\"\r\n"
                           "1500,4\r\n\"計算結果\"\r\n6000,1500\r\n",
                           job)
                    .complete());
    BarJob stock;
    EXPECT_TRUE(ReadBarJob("\"棒材サイズ\"\r\n6000,0,0\r\n", stock).complete());
    // A value out of range stops the reading after the rows before it.
    BarJob range;
    EXPECT_FALSE(ReadBarJob("1000,2\r\n1e39,1\r\n2000,5\r\n", range).complete());
    EXPECT_EQ(range.cutList.rowCount, 1);
    BarJob order;
    EXPECT_FALSE(ReadBarJob("\"棒材サイズ\"\r\n6000,0,0\r\n\"切断幅\"\r\n3\r\n\"何か\"\r\n", order)
                     .complete());
    std::string many;
    for (int r = 0; r < kMaxRows + 1; ++r) many += "100,1\n";
    BarJob full;
    EXPECT_FALSE(ReadBarJob(many, full).complete());
    EXPECT_EQ(full.cutList.rowCount, kMaxRows);
}

}  // namespace
}  // namespace tvx::bar
