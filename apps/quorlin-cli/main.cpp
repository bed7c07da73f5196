// quorlin-cli: plans a bar job file from the command line.
//
//   quorlin-cli plan JOBFILE [--json] [--codes] [--mode 1] [--pdf OUT.pdf [--paper A4]]
//                    [--optimal] [--time-limit SECONDS]
//   quorlin-cli show JOBFILE [--json]
//   quorlin-cli --help | --version
//
// Exit status: 0 with a plan (or for show), 1 when the job is refused or has no plan, 2 for
// an unreadable file, a file that is no job file, or bad arguments. An incomplete reading and
// rows ignored as invalid are reported on stderr, and the job is used as read.

#include <iostream>
#include <string>
#include <vector>

#include "bar/model/bar_job_reader.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "cli_report.h"
#include "common/number_text.h"
#include "common/version_text.h"
#ifdef TVX_CLI_PDF
#include "pdf_plan.h"
#endif

namespace {

constexpr int kExitPlanned = 0;
constexpr int kExitNoPlan = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsageText =
    "usage: quorlin-cli plan JOBFILE [--json] [--codes] [--mode 1] [--pdf OUT.pdf [--paper A4]]\n"
    "                        [--optimal] [--time-limit SECONDS]\n"
    "       quorlin-cli show JOBFILE [--json]\n"
    "       quorlin-cli --help | --version\n";

int Usage(const std::string& problem) {
    std::cerr << "quorlin-cli: " << problem << "\n" << kUsageText;
    return kExitUsage;
}

struct Arguments {
    std::string command;
    std::string path;
    bool json = false;
    bool codes = false;
    bool optimal = false;  // the optimising calculation
    bool grouped = false;  // "--mode 1": identical bars as one row in the printed plan
    std::string pdfPath;
    std::string paper = "A4";
    double timeLimit = 0.0;  // seconds; 0 = none (the optimising calculation: its default)
};

bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& problem) {
    if (args.empty()) {
        problem = "no command given";
        return false;
    }
    parsed.command = args[0];
    if (parsed.command != "plan" && parsed.command != "show") {
        problem = "unknown command '" + parsed.command + "'";
        return false;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--codes" && parsed.command == "plan") {
            parsed.codes = true;
        } else if (arg == "--optimal" && parsed.command == "plan") {
            parsed.optimal = true;
        } else if (parsed.command == "plan" &&
                   (arg == "--pdf" || arg == "--paper" || arg == "--mode")) {
            if (i + 1 >= args.size()) {
                problem = "option '" + arg + "' needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--pdf") {
                parsed.pdfPath = value;
            } else if (arg == "--paper") {
                parsed.paper = value;
            } else if (value == "0" || value == "1") {
                parsed.grouped = value == "1";
            } else {
                problem = "display mode must be 0 or 1";
                return false;
            }
        } else if (arg == "--time-limit" && parsed.command == "plan") {
            if (i + 1 >= args.size() || !tvx::ParsePositiveSeconds(args[i + 1])) {
                problem = "--time-limit needs a number of seconds greater than 0";
                return false;
            }
            parsed.timeLimit = *tvx::ParsePositiveSeconds(args[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option '" + arg + "'";
            return false;
        } else if (parsed.path.empty()) {
            parsed.path = arg;
        } else {
            problem = "more than one job file given";
            return false;
        }
    }
    if (parsed.path.empty()) {
        problem = "no job file given";
        return false;
    }
#ifndef TVX_CLI_PDF
    if (!parsed.pdfPath.empty()) {
        problem = "this quorlin-cli was built without PDF output";
        return false;
    }
#endif
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tvx::bar;
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        std::cout << kUsageText;
        return kExitPlanned;
    }
    if (words.size() == 1 && words[0] == "--version") {
        std::cout << tvx::VersionLine("quorlin-cli") << "\n";
        return kExitPlanned;
    }
    Arguments args;
    std::string problem;
    if (!ParseArguments(words, args, problem)) return Usage(problem);

    // A fresh job, as after "リセット", with the part-code display as asked.
    BarJob job = StartupBarJob(0.0f, args.codes);
    const BarReadResult read = ReadBarJobFile(args.path, job);
    if (!read.jobChanged()) {
        std::cerr << "quorlin-cli: cannot read " << read.error << "\n";
        return kExitUsage;
    }
    if (read.end == BarReadEnd::NotAJobFile) {
        std::cerr << "quorlin-cli: " << args.path << ": " << DescribeIncompleteRead(read) << "\n";
        return kExitUsage;
    }
    if (!read.complete())
        std::cerr << "quorlin-cli: 警告: " << args.path << ": " << DescribeIncompleteRead(read)
                  << "\n";
    if (!read.invalidRowLines.empty())
        std::cerr << "quorlin-cli: 警告: " << args.path << ": 無効な行を"
                  << read.invalidRowLines.size() << "行無視しました: " << DescribeInvalidRows(read)
                  << "\n";

    if (args.command == "show") {
        std::cout << (args.json ? cli::ShowJson(job) : cli::ShowText(job));
        return kExitPlanned;
    }

    tvx::SearchControl control;
    cli::PlanOutcome outcome;
    if (args.optimal) {
        const double limit = args.timeLimit > 0.0 ? args.timeLimit : kDefaultOptimalTimeLimit;
        outcome = cli::CalculateJobOptimally(job, limit, control);
    } else {
        if (args.timeLimit > 0.0) control.SetTimeLimit(args.timeLimit);
        outcome = cli::CalculateJob(job, control);
        if (outcome.stopped)
            std::cerr << "quorlin-cli: time limit reached; the best plan found so far is shown\n";
    }
    if (args.json) {
        std::cout << cli::PlanJson(job, outcome);
    } else if (outcome.ok) {
        std::cout << cli::PlanText(job, outcome);
    }
#ifdef TVX_CLI_PDF
    if (outcome.ok && !args.pdfPath.empty()) {
        job.plan = outcome.plan;
        job.resultDisplayMode = args.grouped ? 1 : 0;
        std::string pdfError;
        if (cli::WritePdfPlanOffscreen(job, args.pdfPath, args.paper, pdfError) == 0) {
            std::cerr << "quorlin-cli: " << args.pdfPath << ": " << pdfError << "\n";
            return kExitUsage;
        }
    }
#endif
    if (outcome.ok) return kExitPlanned;
    {
        using Verdict = CalculationCheck::Verdict;
        std::string why = outcome.message;
        if (outcome.check.verdict == Verdict::RowTooLong)
            why += " (row " + std::to_string(outcome.check.row + 1) + ")";
        if (outcome.check.verdict == Verdict::EmptyList) why = "the cut list is empty";
        if (outcome.check.Proceed() && outcome.plan.pieceLength.empty())
            why = "no row has both a length and a quantity";
        std::cerr << "quorlin-cli: " << why << "\n";
    }
    return kExitNoPlan;
}
