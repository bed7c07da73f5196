#include "cli.h"

#include <optional>
#include <ostream>

#include "common/cli_args.h"
#include "common/number_text.h"
#include "common/version_text.h"
#include "job_report.h"
#include "layout_report.h"
#include "panel/model/job_file_reader.h"

namespace tvx::panel::cli {
namespace {

constexpr const char* kUsage =
    "使い方:\n"
    "  tavolex-cli show JOBFILE [--json]\n"
    "  tavolex-cli layout JOBFILE [--json] [--ktyfree] [--cutsell] [--pdf OUT.pdf [--paper A4]]\n"
    "                    [--optimize] [--time-limit 秒]\n"
    "  tavolex-cli --help | --version\n"
    "show は読み込んだカットデータを、layout は自動カットの結果を表示します。\n"
    "--optimize は最適化レイアウトで計算します（既定の時間上限 5 秒）。\n"
    "--time-limit を指定すると、その秒数で計算を打ち切り、それまでの最良の結果を表示します。\n";

struct Arguments {
    std::string command;
    std::string path;
    bool json = false;
    bool ktyFree = false;
    bool cutsell = false;
    std::string pdfPath;              // "--pdf": also write the printed plan there
    std::string paper = "A4";         // "--paper"
    bool optimize = false;            // "--optimize": the optimising layout
    std::optional<double> timeLimit;  // "--time-limit": seconds
};

const tvx::cli::CommandLineSyntax& Syntax() {
    static const tvx::cli::CommandLineSyntax syntax{
        {"show", "layout"},
        {
            {"--json", {}, false, {}},
            {"--ktyfree", {"layout"}, false, {}},
            {"--cutsell", {"layout"}, false, {}},
            {"--optimize", {"layout"}, false, {}},
            {"--time-limit",
             {"layout"},
             true,
             [](const std::string& value) { return ParsePositiveSeconds(value).has_value(); }},
            {"--pdf", {"layout"}, true, {}},
            {"--paper", {"layout"}, true, {}},
        }};
    return syntax;
}

// The message for what the parser found wrong.
std::string Problem(const tvx::cli::ParsedCommandLine& parsed) {
    using tvx::cli::ArgumentProblem;
    switch (parsed.problem) {
        case ArgumentProblem::None:
            break;
        case ArgumentProblem::NoCommand:
            return "コマンドがありません。";
        case ArgumentProblem::UnknownCommand:
            return "不明なコマンドです: " + parsed.word;
        case ArgumentProblem::UnknownOption:
            return "不明なオプションです: " + parsed.word;
        case ArgumentProblem::MissingValue:
        case ArgumentProblem::InvalidValue:
            if (parsed.word == "--time-limit") return "--time-limit の後に秒数を指定してください。";
            return parsed.word + " の後に値を指定してください。";
        case ArgumentProblem::SecondFile:
            return "ファイルは一つだけ指定してください。";
        case ArgumentProblem::NoFile:
            return "ファイルを指定してください。";
    }
    return {};
}

// False (with the reason in `error`) for anything but a command, one file and known flags.
bool ParseArguments(const std::vector<std::string>& args, bool canWritePdf, Arguments& parsed,
                    std::string& error) {
    const tvx::cli::ParsedCommandLine line = tvx::cli::ParseCommandLine(args, Syntax());
    if (!line.ok()) {
        error = Problem(line);
        return false;
    }
    parsed.command = line.command;
    parsed.path = line.file;
    parsed.json = line.Has("--json");
    parsed.ktyFree = line.Has("--ktyfree");
    parsed.cutsell = line.Has("--cutsell");
    parsed.optimize = line.Has("--optimize");
    if (const auto seconds = line.Value("--time-limit"))
        parsed.timeLimit = *ParsePositiveSeconds(*seconds);
    parsed.pdfPath = line.Value("--pdf").value_or("");
    parsed.paper = line.Value("--paper").value_or("A4");
    if (!parsed.pdfPath.empty() && !canWritePdf) {
        error = "この tavolex-cli は PDF を出力できません。";
        return false;
    }
    return true;
}

// Reads the job into a job started with the options of the flags; false when the file could
// not be read at all or is no job file. An incomplete reading and rows ignored as invalid are
// reported, and the job used as read.
bool LoadJob(const Arguments& args, PanelJob& job, std::ostream& err) {
    job = StartupJob(0, false, args.ktyFree, args.cutsell);
    const JobReadResult read = LoadJobFile(job, args.path);
    if (!read.jobChanged()) {
        err << "tavolex-cli: " << read.error << "\n";
        return false;
    }
    if (read.end == JobReadEnd::NotAJobFile) {
        err << "tavolex-cli: " << args.path << ": " << DescribeIncompleteRead(read) << "\n";
        return false;
    }
    if (!read.complete()) {
        err << "tavolex-cli: 警告: " << args.path << ": " << DescribeIncompleteRead(read) << "\n";
    }
    if (!read.invalidRowLines.empty()) {
        err << "tavolex-cli: 警告: " << args.path << ": 無効な行を" << read.invalidRowLines.size()
            << "行無視しました: " << DescribeInvalidRows(read) << "\n";
    }
    return true;
}

}  // namespace

int RunTavolexCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PdfPlanWriter& pdfWriter) {
    if (tvx::cli::IsOnly(args, {"--help", "-h"})) {
        out << kUsage;
        return kExitOk;
    }
    if (tvx::cli::IsOnly(args, {"--version"})) {
        out << VersionLine("tavolex-cli") << "\n";
        return kExitOk;
    }
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, static_cast<bool>(pdfWriter), parsed, error)) {
        err << "tavolex-cli: " << error << "\n" << kUsage;
        return kExitBadInput;
    }
    PanelJob job;
    if (!LoadJob(parsed, job, err)) return kExitBadInput;

    if (parsed.command == "show") {
        if (parsed.json) {
            out << JobJson(job).Dump() << "\n";
        } else {
            PrintJob(job, out);
        }
        return kExitOk;
    }

    SearchControl control;
    if (parsed.timeLimit) control.SetTimeLimit(*parsed.timeLimit);
    std::optional<OptimizeRequest> optimize;
    if (parsed.optimize) {
        optimize = OptimizeRequest{};
        if (parsed.timeLimit) optimize->timeLimitSeconds = *parsed.timeLimit;
    }
    LayoutRun run = RunLayout(job, control, optimize);
    if (run.stopped) err << "tavolex-cli: 制限時間に達したため計算を打ち切りました。\n";
    if (parsed.json) {
        Json json = LayoutJson(job, run);
        if (run.stopped) json["stopped"] = true;
        out << json.Dump() << "\n";
    } else if (run.found) {
        PrintPlan(job, run, out);
    }
    if (run.found && !parsed.pdfPath.empty()) {
        std::string pdfError;
        if (pdfWriter(job, run.input, run.result, parsed.pdfPath, parsed.paper, pdfError) == 0) {
            err << "tavolex-cli: " << parsed.pdfPath << ": " << pdfError << "\n";
            return kExitBadInput;
        }
    }
    if (run.found) return kExitOk;
    if (!run.message().empty()) {
        err << "tavolex-cli: " << run.message() << "\n";
    } else {
        err << "tavolex-cli: 有効なカットサイズがありません。\n";
    }
    return kExitNoLayout;
}

}  // namespace tvx::panel::cli
