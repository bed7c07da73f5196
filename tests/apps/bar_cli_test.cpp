// quorlin-cli in-process: its output and exit status on example jobs and small files.

#include "cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "support/source_dir.h"

namespace tvx::bar::cli {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args, const PdfPlanWriter& pdfWriter = {}) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunQuorlinCli(args, out, err, pdfWriter);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Example(const std::string& name) {
    return test::SourceDir() + "/examples/bar/" + name;
}

class BarCliFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tvx-bar-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& utf8Text) {
        const std::string path = (dir_ / "job.csv").string();
        std::ofstream(path, std::ios::binary) << Utf8ToShiftJis(utf8Text);
        return path;
    }
    std::filesystem::path dir_;
};

TEST(BarCli, PlansTheExamplesAsTextAndJson) {
    for (const char* name : {"steel_frame.csv", "three_lengths.csv", "part_codes.csv"}) {
        SCOPED_TRACE(name);
        const CliRun text = RunCli({"plan", Example(name)});
        EXPECT_EQ(text.status, 0);
        EXPECT_NE(text.out.find(" 合計"), std::string::npos);
        const CliRun json = RunCli({"plan", Example(name), "--json"});
        EXPECT_EQ(json.status, 0);
        EXPECT_EQ(json.out.rfind("{\"allPricesGiven\": ", 0), 0u) << json.out;
        EXPECT_NE(json.out.find("\"ok\": true"), std::string::npos);
        EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 1);
    }
}

TEST_F(BarCliFile, JsonGivesTheStockTableAndTheBarsWithoutKerf) {
    const std::string path = Write(
        "\"棒材サイズ\"\r\n1000,100,0\r\n2500,400,1\r\n\"切断幅\"\r\n2\r\n\"カットサイズ\"\r\n"
        "800,3\r\n");
    const CliRun run = RunCli({"plan", path, "--json"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"allPricesGiven\": true, \"bars\": [{\"pieces\": [800], \"stock\": 1000}, "
              "{\"pieces\": [800], \"stock\": 1000}, {\"pieces\": [800], \"stock\": 1000}], "
              "\"bestCost\": 300, \"message\": \"\", \"ok\": true, \"showPartCodes\": false, "
              "\"stock\": [{\"cost\": 100, \"count\": 3, \"length\": 1000, \"limit\": 0}, "
              "{\"cost\": 400, \"count\": 0, \"length\": 2500, \"limit\": 1}]}\n");
}

TEST_F(BarCliFile, RefusalsAndMissingPlansExitWithOne) {
    const CliRun range = RunCli(
        {"plan", Write("\"棒材サイズ\"\r\n99,0,0\r\n\"カットサイズ\"\r\n50,1\r\n"), "--json"});
    EXPECT_EQ(range.status, 1);
    EXPECT_NE(range.out.find("\"message\": \"棒材の長さを100から1000000の範囲で指定してください\""),
              std::string::npos);
    EXPECT_NE(range.out.find("\"bestCost\": null"), std::string::npos);

    const CliRun tooLong = RunCli({"plan",
                                   Write("\"棒材サイズ\"\r\n1000,0,0\r\n\"カットサイズ\"\r\n"
                                         "500,1\r\n1200,1\r\n"),
                                   "--json"});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.out.find("\"message\": \"割り当てられません。\""), std::string::npos);

    const CliRun limited = RunCli({"plan",
                                   Write("\"棒材サイズ\"\r\n1000,0,2\r\n\"カットサイズ\"\r\n"
                                         "600,3\r\n"),
                                   "--json"});
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.out.find("\"message\": \"割り当てられません。棒材数が不足です。\""),
              std::string::npos);
    EXPECT_NE(limited.out.find("\"bars\": []"), std::string::npos);

    const CliRun empty = RunCli({"plan", Write("\"棒材サイズ\"\r\n1000,0,0\r\n"), "--json"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.out.find("\"message\": \"\", \"ok\": false"), std::string::npos);

    const CliRun invalid = RunCli({"plan",
                                   Write("\"棒材サイズ\"\r\n1000,0,0\r\n\"カットサイズ\"\r\n"
                                         "600,0\r\n"),
                                   "--json"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_NE(invalid.out.find("\"bestCost\": null, \"message\": \"\", \"ok\": false"),
              std::string::npos);
}

TEST_F(BarCliFile, FilesThatAreNoJobFilesAreUnreadableInput) {
    const std::string path = (dir_ / "other.bin").string();
    for (const std::string& bytes : {std::string(),
                                     std::string("\x7f"
                                                 "ELF\x02\x01\x01\0\0\0",
                                                 10),
                                     std::string("Dear Sir\nhello\n")}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        for (const char* command : {"plan", "show"}) {
            const CliRun run = RunCli({command, path, "--json"});
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("カットデータのファイルではありません。"), std::string::npos)
                << run.err;
            EXPECT_EQ(run.err.find("範囲"), std::string::npos) << run.err;
        }
    }
}

TEST_F(BarCliFile, AnIncompleteReadingAndInvalidRowsAreReportedOnStderr) {
    const CliRun stopped = RunCli({"plan",
                                   Write("\"棒材サイズ\"\r\n6000,0,0\r\n\"カットサイズ\"\r\n"
                                         "1000,2\r\n1e39,1\r\n2000,5\r\n"),
                                   "--json"});
    EXPECT_EQ(stopped.status, 0);  // the job is planned as read
    EXPECT_NE(stopped.err.find("5行目で読み込みを中止しました"), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.out.find("\"bars\": [{\"pieces\": [1000, 1000], \"stock\": 6000}]"),
              std::string::npos)
        << stopped.out;

    const CliRun invalid =
        RunCli({"show", Write("\"棒材サイズ\"\r\n6000,0,0\r\n\"カットサイズ\"\r\n"
                              "１２００,2\r\n1500,4\r\n1200,-3\r\n\r\nnan,1\r\n")});
    EXPECT_EQ(invalid.status, 0);
    EXPECT_NE(invalid.err.find("無効な行を3行無視しました: 4行目, 6行目, 8行目"), std::string::npos)
        << invalid.err;

    const CliRun clean = RunCli({"plan", Example("steel_frame.csv")});
    EXPECT_EQ(clean.err, "");
}

TEST_F(BarCliFile, CodesKeepEqualLengthsApart) {
    const std::string path =
        Write("\"棒材サイズ\"\r\n1000,0,0\r\n\"カットサイズ\"\r\n400,1\r\n400,1\r\n");
    EXPECT_NE(RunCli({"plan", path, "--json"}).out.find("\"showPartCodes\": false"),
              std::string::npos);
    const CliRun codes = RunCli({"plan", path, "--json", "--codes"});
    EXPECT_EQ(codes.status, 0);
    EXPECT_NE(codes.out.find("\"showPartCodes\": true"), std::string::npos);
    EXPECT_NE(codes.out.find("{\"pieces\": [400, 400], \"stock\": 1000}"), std::string::npos);
}

TEST_F(BarCliFile, ShowListsTheJobAsRead) {
    const std::string path = Write(
        "\"棚\"\r\n\"棒材サイズ\"\r\n5500,0,0\r\n\"切断幅\"\r\n2.5\r\n\"カットサイズ\"\r\n"
        "\"F-1\",1800,8\r\n\"F-2\",0,3\r\n");
    const CliRun run = RunCli({"show", "--json", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"kerf\": 2.5, \"rowCount\": 2, \"rows\": [{\"code\": \"F-1\", \"length\": 1800, "
              "\"quantity\": 8}, {\"code\": \"F-2\", \"length\": 0, \"quantity\": 3}], "
              "\"showPartCodes\": true, \"stock\": [{\"count\": 0, \"length\": 5500, \"price\": "
              "0}], \"title\": \"棚\"}\n");
    EXPECT_EQ(RunCli({"show", path}).status, 0);
}

TEST(BarCli, OptimalAddsProofAndTimeAndLeavesTheStandardOutputAlone) {
    const std::string job = Example("steel_frame.csv");
    const CliRun standard = RunCli({"plan", job, "--json"});
    EXPECT_EQ(standard.out.find("\"optimal\""), std::string::npos);
    EXPECT_EQ(standard.out.find("\"lowerBound\""), std::string::npos);

    const CliRun optimal = RunCli({"plan", job, "--optimal", "--time-limit", "20", "--json"});
    EXPECT_EQ(optimal.status, 0);
    EXPECT_NE(optimal.out.find("\"optimal\": true"), std::string::npos) << optimal.out;
    EXPECT_NE(optimal.out.find("\"lowerBound\": "), std::string::npos);
    EXPECT_NE(optimal.out.find("\"seconds\": "), std::string::npos);
    EXPECT_EQ(std::count(optimal.out.begin(), optimal.out.end(), '\n'),
              1);  // nothing else on stdout

    const CliRun text = RunCli({"plan", job, "--optimal"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("\n最適\n"), std::string::npos) << text.out;
}

TEST_F(BarCliFile, OptimalNoPlanExitsWithOne) {
    const CliRun limited = RunCli({"plan",
                                   Write("\"棒材サイズ\"\r\n1000,0,2\r\n\"カットサイズ\"\r\n"
                                         "600,3\r\n"),
                                   "--optimal", "--json"});
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.out.find("\"message\": \"割り当てられません。棒材数が不足です。\""),
              std::string::npos);
    EXPECT_NE(limited.out.find("\"lowerBound\": null"), std::string::npos);
    EXPECT_NE(limited.out.find("\"optimal\": false"), std::string::npos);
}

TEST(BarCli, BadArgumentsExitWithTwoAndTheFirstProblemFollowedByTheUsage) {
    const std::string job = Example("steel_frame.csv");
    const std::string timeLimit = "--time-limit needs a number of seconds greater than 0";
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, "no command given"},
             {{"draw", job}, "unknown command 'draw'"},
             {{"--help", job}, "unknown command '--help'"},
             {{"plan"}, "no job file given"},
             {{"plan", "--json"}, "no job file given"},
             {{"plan", job, "--xml"}, "unknown option '--xml'"},
             {{"plan", job, "--"}, "unknown option '--'"},
             {{"show", job, "--codes"}, "unknown option '--codes'"},
             {{"show", job, "--time-limit", "5"}, "unknown option '--time-limit'"},
             {{"plan", job, job}, "more than one job file given"},
             {{"plan", job, "--optimal", "--time-limit"}, timeLimit},
             {{"plan", job, "--time-limit", "0"}, timeLimit},
             {{"plan", job, "--time-limit", "x"}, timeLimit},
             {{"plan", job, "--time-limit", "--json"}, timeLimit},
             {{"plan", job, "--pdf"}, "option '--pdf' needs a value"},
             {{"plan", job, "--mode"}, "option '--mode' needs a value"},
             {{"plan", job, "--mode", "2", "--xml"}, "display mode must be 0 or 1"},
             {{"plan", job, "--xml", "--mode", "2"}, "unknown option '--xml'"},
             {{"plan", job, "--pdf", "out.pdf"}, "this quorlin-cli was built without PDF output"},
         }) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("quorlin-cli: " + message + "\nusage: quorlin-cli plan JOBFILE", 0),
                  0u)
            << run.err;
    }
    const CliRun missing = RunCli({"plan", "/nonexistent/job.csv"});
    EXPECT_EQ(missing.status, kExitUsage);
    EXPECT_EQ(missing.err.rfind("quorlin-cli: cannot read ", 0), 0u) << missing.err;
    EXPECT_EQ(missing.err.find("usage:"), std::string::npos) << missing.err;

    const CliRun help = RunCli({"-h"});
    EXPECT_EQ(help.status, kExitPlanned);
    EXPECT_EQ(help.out.rfind("usage: quorlin-cli plan JOBFILE", 0), 0u);
    EXPECT_EQ(help.err, "");
}

TEST(BarCli, AGivenOptionCountsOnceAndItsLastValueWins) {
    const std::string job = Example("steel_frame.csv");
    const CliRun once = RunCli({"plan", job, "--json"});
    EXPECT_EQ(RunCli({"plan", "--json", job, "--json"}).out, once.out);
    EXPECT_EQ(RunCli({"plan", job, "--json", "--time-limit", "0.001", "--time-limit", "600"}).out,
              once.out);
}

// What the PDF writer the program passes in is asked to draw.
struct PdfCall {
    std::string path;
    std::string paper;
    int displayMode = -1;
    bool planned = false;
    bool codes = false;
};

PdfPlanWriter RecordingWriter(std::vector<PdfCall>& calls, int pages, std::string error = {}) {
    return [&calls, pages, error](const BarJob& job, const std::string& path,
                                  const std::string& paper, std::string& failure) {
        calls.push_back(
            {path, paper, job.resultDisplayMode, !job.plan.pieceLength.empty(), job.showPartCodes});
        failure = error;
        return pages;
    };
}

TEST(BarCliPdf, TheWriterDrawsThePlannedJobInTheAskedModeOnTheAskedPaper) {
    std::vector<PdfCall> calls;
    const CliRun grouped =
        RunCli({"plan", Example("part_codes.csv"), "--codes", "--mode", "1", "--pdf", "out.pdf"},
               RecordingWriter(calls, 2));
    EXPECT_EQ(grouped.status, kExitPlanned) << grouped.err;
    const CliRun plain = RunCli(
        {"plan", Example("steel_frame.csv"), "--pdf", "a.pdf", "--paper", "A3", "--pdf", "b.pdf"},
        RecordingWriter(calls, 1));
    EXPECT_EQ(plain.status, kExitPlanned) << plain.err;
    EXPECT_EQ(plain.out, RunCli({"plan", Example("steel_frame.csv")}).out);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].path, "out.pdf");
    EXPECT_EQ(calls[0].paper, "A4");
    EXPECT_EQ(calls[0].displayMode, 1);
    EXPECT_TRUE(calls[0].planned);
    EXPECT_TRUE(calls[0].codes);
    EXPECT_EQ(calls[1].path, "b.pdf");
    EXPECT_EQ(calls[1].paper, "A3");
    EXPECT_EQ(calls[1].displayMode, 0);
    EXPECT_FALSE(calls[1].codes);
}

TEST_F(BarCliFile, AFailedPdfExitsWithTwoAndNoPlanWritesNone) {
    std::vector<PdfCall> calls;
    const CliRun failed =
        RunCli({"plan", Example("steel_frame.csv"), "--pdf", "out.pdf", "--paper", "Z9"},
               RecordingWriter(calls, 0, "不明な用紙サイズです: Z9"));
    EXPECT_EQ(failed.status, kExitUsage);
    EXPECT_EQ(failed.err, "quorlin-cli: out.pdf: 不明な用紙サイズです: Z9\n");
    EXPECT_NE(failed.out.find(" 合計"), std::string::npos) << "the plan is printed first";

    const CliRun refused =
        RunCli({"plan", Write("\"棒材サイズ\"\r\n1000,0,2\r\n\"カットサイズ\"\r\n600,3\r\n"),
                "--pdf", "out.pdf"},
               RecordingWriter(calls, 1));
    EXPECT_EQ(refused.status, kExitNoPlan);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(BarCliFile, ATimeLimitStopsBetweenPassesAndSaysSo) {
    // Six priced and limited lengths and 400 pieces: tens of thousands of passes.
    std::string text = "\"棒材サイズ\"\r\n";
    for (const char* stock : {"2000,900,0", "3000,1300,40", "4000,1700,30", "4500,1900,0",
                              "5500,2300,20", "6000,2500,15"})
        text += std::string(stock) + "\r\n";
    text += "\"切断幅\"\r\n3\r\n\"カットサイズ\"\r\n";
    for (int k = 0; k < 25; ++k) text += std::to_string(1950 - 70 * k) + ",16\r\n";
    const std::string path = Write(text);
    const CliRun limited = RunCli({"plan", path, "--json", "--time-limit", "0.5"});
    EXPECT_NE(limited.out.find("\"stopped\": true"), std::string::npos) << limited.out;

    const CliRun quick =
        RunCli({"plan", Example("steel_frame.csv"), "--json", "--time-limit", "600"});
    EXPECT_EQ(quick.status, 0);
    EXPECT_EQ(quick.out.find("stopped"), std::string::npos);
    EXPECT_EQ(RunCli({"plan", path, "--time-limit", "0"}).status, 2);
    EXPECT_EQ(RunCli({"plan", path, "--time-limit"}).status, 2);
    EXPECT_EQ(RunCli({"show", path, "--time-limit", "5"}).status, 2);
}

}  // namespace
}  // namespace tvx::bar::cli
