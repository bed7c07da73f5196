#include "cli.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>

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

PdfPlanWriter& PdfWriter() {
    static PdfPlanWriter writer;
    return writer;
}

// A positive number of seconds, written plainly ("2", "0.5").
bool ParseSeconds(const std::string& text, double& seconds) {
    if (text.empty() || text.size() > 20) return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value <= 0.0) return false;
    seconds = value;
    return true;
}

// False (with the reason in `error`) for anything but a command, one file and known flags.
bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& error) {
    if (args.empty()) {
        error = "コマンドがありません。";
        return false;
    }
    parsed.command = args[0];
    if (parsed.command != "show" && parsed.command != "layout") {
        error = "不明なコマンドです: " + parsed.command;
        return false;
    }
    const bool layout = parsed.command == "layout";
    bool havePath = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            parsed.json = true;
        } else if (layout && arg == "--ktyfree") {
            parsed.ktyFree = true;
        } else if (layout && arg == "--cutsell") {
            parsed.cutsell = true;
        } else if (layout && arg == "--optimize") {
            parsed.optimize = true;
        } else if (layout && arg == "--time-limit") {
            double seconds = 0.0;
            if (i + 1 >= args.size() || !ParseSeconds(args[i + 1], seconds)) {
                error = "--time-limit の後に秒数を指定してください。";
                return false;
            }
            parsed.timeLimit = seconds;
            ++i;
        } else if (layout && (arg == "--pdf" || arg == "--paper")) {
            if (i + 1 >= args.size()) {
                error = arg + " の後に値を指定してください。";
                return false;
            }
            (arg == "--pdf" ? parsed.pdfPath : parsed.paper) = args[++i];
        } else if (arg.size() > 1 && arg.front() == '-' && arg != "--") {
            error = "不明なオプションです: " + arg;
            return false;
        } else if (!havePath) {
            parsed.path = arg;
            havePath = true;
        } else {
            error = "ファイルは一つだけ指定してください。";
            return false;
        }
    }
    if (!havePath) {
        error = "ファイルを指定してください。";
        return false;
    }
    if (!parsed.pdfPath.empty() && !PdfWriter()) {
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

void SetPdfPlanWriter(PdfPlanWriter writer) {
    PdfWriter() = std::move(writer);
}

int RunTavolexCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << VersionLine("tavolex-cli") << "\n";
        return kExitOk;
    }
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, parsed, error)) {
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
        if (PdfWriter()(job, run.input, run.result, parsed.pdfPath, parsed.paper, pdfError) == 0) {
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
