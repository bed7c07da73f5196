#include "cli.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "common/encoding.h"
#include "job_report.h"
#include "layout_report.h"
#include "panel/engine/check_job.h"
#include "panel/model/job_file_reader.h"
#include "panel/output/result_figures.h"
#include "support/source_dir.h"

namespace tvx::panel::cli {
namespace {

std::string Example(const std::string& name) {
    return test::SourceDir() + "/examples/panel/" + name;
}
std::string Fixture(const std::string& name) {
    return test::SourceDir() + "/tests/apps/data/" + name;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args, const PdfPlanWriter& pdfWriter = {}) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = RunTavolexCli(args, out, err, pdfWriter);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(TavolexCliShow, PrintsTheJobAsReadInJson) {
    const Outcome shown = RunCli({"show", Example("desk-row-turning.csv"), "--json"});
    EXPECT_EQ(shown.status, kExitOk);
    EXPECT_EQ(shown.err, "");
    EXPECT_EQ(
        shown.out,
        R"({"cutCount": 7, "kerf": 3, "ktyFree": 1, "lastSizeIndex": 0, "priceMode": true, )"
        R"("rotateAll": 0, "rows": [)"
        R"({"comment": "天板（木目方向）", "height": 1200, "quantity": 1, "turnFlag": 0, "width": 700}, )"
        R"({"comment": "側板（木目方向）", "height": 680, "quantity": 2, "turnFlag": 0, "width": 550}, )"
        R"({"comment": "幕板", "height": 1100, "quantity": 1, "turnFlag": 1, "width": 400}, )"
        R"({"comment": "引出し側板", "height": 650, "quantity": 2, "turnFlag": 1, "width": 380}, )"
        R"({"comment": "引出し前板（木目方向）", "height": 360, "quantity": 2, "turnFlag": 0, "width": 130}, )"
        R"({"comment": "棚板", "height": 1100, "quantity": 1, "turnFlag": 1, "width": 330}, )"
        R"({"comment": "引出し底板", "height": 350, "quantity": 2, "turnFlag": 1, "width": 240}], )"
        R"("sizes": [{"height": 1820, "limit": 0, "price": 4500, "width": 910}], )"
        R"("title": "学習机 木目指定あり"})"
        "\n");

    const Outcome text = RunCli({"show", Example("kitchen.csv")});
    EXPECT_EQ(text.status, kExitOk);
    EXPECT_NE(text.out.find("システムキッチン"), std::string::npos);
    EXPECT_NE(text.out.find("(12) 450.5 × 280"), std::string::npos);
}

TEST(TavolexCliShow, WarnsAboutAnIncompleteReadingAndShowsWhatWasRead) {
    const Outcome shown = RunCli({"show", Fixture("panel_stopped.csv"), "--json"});
    EXPECT_EQ(shown.status, kExitOk);
    EXPECT_NE(shown.err.find("5行目"), std::string::npos) << shown.err;
    EXPECT_NE(shown.out.find(R"("cutCount": 1)"), std::string::npos) << shown.out;
}

TEST(TavolexCli, BadArgumentsExitWithTwoAndTheFirstProblemFollowedByTheUsage) {
    const std::string job = Example("kitchen.csv");
    const std::string timeLimit = "--time-limit の後に秒数を指定してください。";
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, "コマンドがありません。"},
             {{"plan", job}, "不明なコマンドです: plan"},
             {{"--version", job}, "不明なコマンドです: --version"},
             {{"layout"}, "ファイルを指定してください。"},
             {{"layout", job, "--fast"}, "不明なオプションです: --fast"},
             {{"show", job, "--ktyfree"}, "不明なオプションです: --ktyfree"},
             {{"show", job, "--pdf", "out.pdf"}, "不明なオプションです: --pdf"},
             {{"layout", job, job}, "ファイルは一つだけ指定してください。"},
             {{"layout", job, "--time-limit"}, timeLimit},
             {{"layout", job, "--time-limit", "--json"}, timeLimit},
             {{"layout", job, "--paper"}, "--paper の後に値を指定してください。"},
             {{"layout", job, "--pdf", "out.pdf", "--fast"}, "不明なオプションです: --fast"},
             {{"layout", job, "--pdf", "out.pdf"}, "この tavolex-cli は PDF を出力できません。"},
         }) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.status, kExitBadInput);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err.rfind("tavolex-cli: " + message + "\n使い方:\n", 0), 0u)
            << outcome.err;
    }
    const Outcome missing = RunCli({"layout", "/nonexistent/job.csv", "--json"});
    EXPECT_EQ(missing.status, kExitBadInput);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err.rfind("tavolex-cli: ", 0), 0u) << missing.err;
    EXPECT_EQ(missing.err.find("使い方"), std::string::npos) << missing.err;

    const Outcome help = RunCli({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out.rfind("使い方:\n", 0), 0u);
    EXPECT_EQ(help.err, "");
}

// What the PDF writer the program passes in is asked to draw.
struct PdfCall {
    std::string path;
    std::string paper;
    std::size_t panels = 0;
};

PdfPlanWriter RecordingWriter(std::vector<PdfCall>& calls, int pages, std::string error = {}) {
    return [&calls, pages, error](const PanelJob&, const LayoutInput&,
                                  const PanelLayoutResult& result, const std::string& path,
                                  const std::string& paper, std::string& failure) {
        calls.push_back({path, paper, static_cast<std::size_t>(result.lastPanel + 1)});
        failure = error;
        return pages;
    };
}

TEST(TavolexCliPdf, TheWriterGetsTheLayoutThePathAndThePaper) {
    std::vector<PdfCall> calls;
    const Outcome plain = RunCli({"layout", Example("kitchen.csv")});
    const Outcome written = RunCli(
        {"layout", Example("kitchen.csv"), "--pdf", "a.pdf", "--paper", "A3", "--pdf", "b.pdf"},
        RecordingWriter(calls, 3));
    EXPECT_EQ(written.status, kExitOk) << written.err;
    EXPECT_EQ(written.out, plain.out);
    RunCli({"layout", Example("kitchen.csv"), "--pdf", "c.pdf"}, RecordingWriter(calls, 3));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].path, "b.pdf");
    EXPECT_EQ(calls[0].paper, "A3");
    EXPECT_GT(calls[0].panels, 0u);
    EXPECT_EQ(calls[1].paper, "A4");

    const Outcome failed = RunCli({"layout", Example("kitchen.csv"), "--pdf", "out.pdf"},
                                  RecordingWriter(calls, 0, "書き込めません"));
    EXPECT_EQ(failed.status, kExitBadInput);
    EXPECT_EQ(failed.err, "tavolex-cli: out.pdf: 書き込めません\n");
}

// A job file of the test's own in a scratch folder.
class TavolexCliFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tvx-panel-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string WriteBytes(const std::string& bytes) {
        const std::string path = (dir_ / "job.csv").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }
    std::string Write(const std::string& utf8Text) { return WriteBytes(Utf8ToShiftJis(utf8Text)); }
    std::filesystem::path dir_;
};

TEST_F(TavolexCliFile, ANegativeOrHugeKerfIsRefused) {
    // Two 900 x 450 parts side by side on a 1820 x 910 panel.
    const std::string rows = "900,450,2,\"扉\"\r\n";
    const Outcome negative =
        RunCli({"layout", Write("\"パネルサイズ\"\r\n1820,910,0,0\r\n\"パネルサイズ\"\r\n"
                                "-50,0\r\n" +
                                rows)});
    EXPECT_EQ(negative.status, kExitNoLayout) << negative.out;
    EXPECT_EQ(negative.out, "");
    EXPECT_NE(negative.err.find(kNegativeKerfMessage), std::string::npos) << negative.err;

    const Outcome shown = RunCli({"show", Write("1820,910\r\n-50,0\r\n" + rows), "--json"});
    EXPECT_NE(shown.out.find(R"("kerf": -50)"), std::string::npos) << "kept as read";

    const Outcome huge = RunCli({"layout", Write("1820,910\r\n32767,0\r\n" + rows), "--json"});
    EXPECT_EQ(huge.status, kExitNoLayout);
    EXPECT_NE(huge.out.find(R"("ok": false)"), std::string::npos) << huge.out;
    EXPECT_NE(huge.err.find(kKerfTooLargeMessage), std::string::npos) << huge.err;

    const Outcome fine = RunCli({"layout", Write("1820,910\r\n3,0\r\n" + rows), "--json"});
    EXPECT_EQ(fine.status, kExitOk) << fine.err;
}

TEST_F(TavolexCliFile, FilesThatAreNoJobFilesAreUnreadableInput) {
    for (const std::string& bytes :
         {std::string(), std::string("\r\n\r\n"), std::string("\x89PNG\r\n\x1a\n\0\0\0\r", 12),
          std::string("Dear Sir\r\nhello\r\n")}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        for (const char* command : {"show", "layout"}) {
            const Outcome run = RunCli({command, WriteBytes(bytes), "--json"});
            EXPECT_EQ(run.status, kExitBadInput);
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("カットデータのファイルではありません。"), std::string::npos)
                << run.err;
            EXPECT_EQ(run.err.find(kRangeMessage), std::string::npos) << run.err;
        }
    }
}

TEST_F(TavolexCliFile, RowsIgnoredAsInvalidAreListedWithTheirLines) {
    const Outcome run =
        RunCli({"layout",
                Write("1820,910\r\n3,0\r\n450,300,2,\"棚\"\r\n１２００,300,1,\"全角\"\r\n"
                      "450,300,-2,\"\"\r\n\r\nnan,300,1,\"\"\r\n450,inf,1,\"\"\r\n"),
                "--json"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_NE(run.err.find("無効な行を4行無視しました: 4行目, 5行目, 7行目, 8行目"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(RunCli({"layout", Example("kitchen.csv")}).err, "");
}

TEST(TavolexCliLayout, RefusedJobsExitWithOneAndSayWhy) {
    const Outcome tooLarge = RunCli({"layout", Fixture("panel_too_large.csv"), "--json"});
    EXPECT_EQ(tooLarge.status, kExitNoLayout);
    EXPECT_EQ(tooLarge.out,
              R"({"kerf": 3, "lastSizeIndex": 0, "message": "パネルサイズを超えています。", )"
              R"("ok": false, "panels": [], "priceMode": false, "score": null, )"
              R"("sizes": [{"height": 1820, "limit": 0, "price": 0, "width": 910}], )"
              R"("utilisation": []})"
              "\n");
    EXPECT_NE(tooLarge.err.find(kTooLargeMessage), std::string::npos);

    const Outcome range = RunCli({"layout", Fixture("panel_out_of_range.csv")});
    EXPECT_EQ(range.status, kExitNoLayout);
    EXPECT_EQ(range.out, "");
    EXPECT_NE(range.err.find(kRangeMessage), std::string::npos);

    // No valid row: the check refuses without a message of its own.
    const Outcome empty = RunCli({"layout", Fixture("panel_no_valid_rows.csv"), "--json"});
    EXPECT_EQ(empty.status, kExitNoLayout);
    EXPECT_NE(empty.out.find(R"("message": "", "ok": false)"), std::string::npos) << empty.out;
}

// Whatever the engine chooses, a plan places every piece once, inside its panel, without
// overlaps, and turns only rows that may be turned.
void ExpectSoundPlan(const PanelJob& job, const LayoutRun& run) {
    ASSERT_TRUE(run.found) << run.message();
    std::map<int, int> placed;
    int usedPanels = 0;
    for (const PanelState& panel : run.result.panels) {
        if (!panel.used()) continue;
        ++usedPanels;
        ASSERT_GE(panel.sizeIndex, 0);
        ASSERT_LE(panel.sizeIndex, run.input.lastSizeIndex);
        const StockSize& size = run.input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
        for (std::size_t i = 0; i < panel.placements.size(); ++i) {
            const Placement& p = panel.placements[i];
            ++placed[p.row];
            if (p.turned) {
                EXPECT_EQ(run.check.derived.turnFlag[static_cast<std::size_t>(p.row)], 1) << p.row;
            }
            const PlacedBox box = BoxOf(run.input, p);
            EXPECT_GE(box.x, 0);
            EXPECT_GE(box.y, 0);
            EXPECT_LE(box.x + box.width, size.enlargedWidth);
            EXPECT_LE(box.y + box.height, size.enlargedHeight);
            for (std::size_t j = 0; j < i; ++j) {
                const PlacedBox other = BoxOf(run.input, panel.placements[j]);
                const bool apart = box.x + box.width <= other.x || other.x + other.width <= box.x ||
                                   box.y + box.height <= other.y || other.y + other.height <= box.y;
                EXPECT_TRUE(apart) << "placements " << j << " and " << i << " overlap";
            }
        }
    }
    EXPECT_GT(usedPanels, 0);
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        EXPECT_EQ(placed[r], IsValidRow(item) ? item.quantity : 0) << "row " << r;
    }
    const int yield = ComputeFigures(run.input, run.result).yield;
    EXPECT_GT(yield, 0);
    EXPECT_LE(yield, 100);
}

TEST(TavolexCliLayout, ExamplePlansAreSound) {
    for (const char* name : {"kitchen.csv", "shelves-three-sizes.csv", "desk-row-turning.csv"}) {
        SCOPED_TRACE(name);
        PanelJob job;
        ASSERT_TRUE(LoadJobFile(job, Example(name)).complete());
        const SearchControl control;
        const LayoutRun run = RunLayout(job, control);
        ExpectSoundPlan(job, run);
        const std::string json = LayoutJson(job, run).Dump();
        EXPECT_EQ(json.rfind(R"({"kerf": 3, "lastSizeIndex": )", 0), 0u) << json;
        EXPECT_NE(json.find(R"("message": "", "ok": true)"), std::string::npos);
    }
}

TEST(TavolexCliLayout, PlanForPeopleListsPanelsYieldAndTotal) {
    const Outcome plan = RunCli({"layout", Example("shelves-three-sizes.csv"), "--cutsell"});
    EXPECT_EQ(plan.status, kExitOk) << plan.err;
    EXPECT_NE(plan.out.find("パネル 1: "), std::string::npos);
    EXPECT_NE(plan.out.find("歩留り "), std::string::npos);
    EXPECT_NE(plan.out.find("合計金額 "), std::string::npos);

    const Outcome json = RunCli({"layout", Example("kitchen.csv"), "--json", "--ktyfree"});
    EXPECT_EQ(json.status, kExitOk) << json.err;
    // Exactly one JSON object on one line.
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);
    EXPECT_EQ(json.out.find(R"("score": null)"), std::string::npos);
}

TEST(TavolexCliLayout, OptimizeGivesSoundPlansNoDearerThanTheStandard) {
    for (const char* name : {"kitchen.csv", "shelves-three-sizes.csv", "desk-row-turning.csv"}) {
        SCOPED_TRACE(name);
        PanelJob job;
        ASSERT_TRUE(LoadJobFile(job, Example(name)).complete());
        const LayoutRun standard = RunLayout(job, SearchControl{});
        const LayoutRun optimised = RunLayout(job, SearchControl{}, OptimizeRequest{2.0});
        ExpectSoundPlan(job, optimised);
        ASSERT_TRUE(optimised.optimize.has_value());
        EXPECT_GE(optimised.optimize->seconds, 0.0);
        auto stock = [&](const LayoutRun& run) {
            double total = 0;
            for (const PanelState& panel : run.result.panels) {
                if (!panel.used()) continue;
                const StockSize& size = run.input.sizes[static_cast<std::size_t>(panel.sizeIndex)];
                total += job.priceMode
                             ? size.price
                             : static_cast<double>(size.enlargedWidth) * size.enlargedHeight;
            }
            return total;
        };
        EXPECT_LE(stock(optimised), stock(standard));
    }
}

TEST(TavolexCliLayout, OptimizeAddsTheBoundToTheJsonAndThePlan) {
    const Outcome plain = RunCli({"layout", Example("kitchen.csv"), "--json"});
    EXPECT_EQ(plain.out.find(R"("optimal")"), std::string::npos);
    EXPECT_EQ(plain.out.find(R"("lowerBound")"), std::string::npos);

    const Outcome json =
        RunCli({"layout", Example("kitchen.csv"), "--json", "--optimize", "--time-limit", "2"});
    EXPECT_EQ(json.status, kExitOk) << json.err;
    EXPECT_NE(json.out.find(R"("lowerBound": )"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(R"("optimal": )"), std::string::npos);
    EXPECT_NE(json.out.find(R"("seconds": )"), std::string::npos);

    const Outcome plan = RunCli({"layout", Example("kitchen.csv"), "--optimize"});
    EXPECT_EQ(plan.status, kExitOk) << plan.err;
    const bool verdict = plan.out.find("\n最適\n") != std::string::npos ||
                         plan.out.find("\n下限との差 ") != std::string::npos;
    EXPECT_TRUE(verdict) << plan.out;
}

TEST(TavolexCliLayout, OptimizeTimeLimitNeedsPositiveSeconds) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"layout", Example("kitchen.csv"), "--optimize", "--time-limit"},
             {"layout", Example("kitchen.csv"), "--optimize", "--time-limit", "0"},
             {"layout", Example("kitchen.csv"), "--optimize", "--time-limit", "2s"},
             {"layout", Example("kitchen.csv"), "--optimize", "--time-limit", "nan"}}) {
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.status, kExitBadInput) << args.back();
        EXPECT_NE(outcome.err.find("--time-limit"), std::string::npos) << outcome.err;
    }
}

// A job whose search over five unlimited sizes runs for minutes.
std::string WriteLongJob(const std::string& dir) {
    std::string text = "\"パネルサイズ\"\r\n";
    for (const char* size : {"1820,910,3500,0", "2430,1220,5800,0", "2130,1000,4600,0",
                             "3030,1520,9800,0", "1220,910,2600,0"})
        text += std::string(size) + "\r\n";
    text += "\"パネルサイズ\"\r\n3,0\r\n";
    for (int r = 0; r < 50; ++r)
        text += std::to_string(80 + (r * 37) % 800) + "," + std::to_string(60 + (r * 53) % 540) +
                ",30,\"\"\r\n";
    const std::string path = dir + "/long.csv";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(TavolexCliLayout, ATimeLimitStopsTheSearchAndSaysSo) {
    const std::string dir = ::testing::TempDir();
    const Outcome run = RunCli({"layout", WriteLongJob(dir), "--json", "--time-limit", "0.5"});
    // Whether a mix was complete by then depends on the machine's load; the engine tests
    // check that the best complete layout is kept.
    EXPECT_TRUE(run.status == kExitOk || run.status == kExitNoLayout) << run.err;
    EXPECT_NE(run.err.find("制限時間"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find(R"("stopped": true)"), std::string::npos);

    // A search that ends by itself says nothing about a stop, with or without a limit.
    for (const bool limited : {false, true}) {
        std::vector<std::string> args{"layout", Example("kitchen.csv"), "--json"};
        if (limited) args.insert(args.end(), {"--time-limit", "600"});
        const Outcome quick = RunCli(args);
        EXPECT_EQ(quick.status, kExitOk);
        EXPECT_EQ(quick.err, "");
        EXPECT_EQ(quick.out.find("stopped"), std::string::npos);
    }
}

TEST(TavolexCliLayout, ATimeLimitMustBeAPositiveNumberOfSeconds) {
    for (const char* bad : {"0", "-1", "x", "1s", "nan", "inf"}) {
        const Outcome run = RunCli({"layout", Example("kitchen.csv"), "--time-limit", bad});
        EXPECT_EQ(run.status, kExitBadInput) << bad;
    }
    EXPECT_EQ(RunCli({"layout", Example("kitchen.csv"), "--time-limit"}).status, kExitBadInput);
    EXPECT_EQ(RunCli({"show", Example("kitchen.csv"), "--time-limit", "5"}).status, kExitBadInput);
}

}  // namespace
}  // namespace tvx::panel::cli
