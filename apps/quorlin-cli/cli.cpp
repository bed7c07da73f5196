#include "cli.h"

#include <ostream>

#include "bar/model/bar_job_reader.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "cli_report.h"
#include "common/cli_args.h"
#include "common/number_text.h"
#include "common/version_text.h"

namespace tvx::bar::cli {
namespace {

constexpr const char* kUsageText =
    "usage: quorlin-cli plan JOBFILE [--json] [--codes] [--mode 1] [--pdf OUT.pdf [--paper A4]]\n"
    "                        [--optimal] [--time-limit SECONDS]\n"
    "       quorlin-cli show JOBFILE [--json]\n"
    "       quorlin-cli --help | --version\n";

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

const tvx::cli::CommandLineSyntax& Syntax() {
    static const tvx::cli::CommandLineSyntax syntax{
        {"plan", "show"},
        {
            {"--json", {}, false, {}},
            {"--codes", {"plan"}, false, {}},
            {"--optimal", {"plan"}, false, {}},
            {"--pdf", {"plan"}, true, {}},
            {"--paper", {"plan"}, true, {}},
            {"--mode",
             {"plan"},
             true,
             [](const std::string& value) { return value == "0" || value == "1"; }},
            {"--time-limit",
             {"plan"},
             true,
             [](const std::string& value) { return ParsePositiveSeconds(value).has_value(); }},
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
            return "no command given";
        case ArgumentProblem::UnknownCommand:
            return "unknown command '" + parsed.word + "'";
        case ArgumentProblem::UnknownOption:
            return "unknown option '" + parsed.word + "'";
        case ArgumentProblem::MissingValue:
        case ArgumentProblem::InvalidValue:
            if (parsed.word == "--time-limit")
                return "--time-limit needs a number of seconds greater than 0";
            if (parsed.problem == ArgumentProblem::InvalidValue)
                return "display mode must be 0 or 1";
            return "option '" + parsed.word + "' needs a value";
        case ArgumentProblem::SecondFile:
            return "more than one job file given";
        case ArgumentProblem::NoFile:
            return "no job file given";
    }
    return {};
}

// False (with the reason in `problem`) for anything but a command, one file and known options.
bool ParseArguments(const std::vector<std::string>& args, bool canWritePdf, Arguments& parsed,
                    std::string& problem) {
    const tvx::cli::ParsedCommandLine line = tvx::cli::ParseCommandLine(args, Syntax());
    if (!line.ok()) {
        problem = Problem(line);
        return false;
    }
    parsed.command = line.command;
    parsed.path = line.file;
    parsed.json = line.Has("--json");
    parsed.codes = line.Has("--codes");
    parsed.optimal = line.Has("--optimal");
    parsed.grouped = line.Value("--mode") == "1";
    parsed.pdfPath = line.Value("--pdf").value_or("");
    parsed.paper = line.Value("--paper").value_or("A4");
    if (const auto seconds = line.Value("--time-limit"))
        parsed.timeLimit = *ParsePositiveSeconds(*seconds);
    if (!parsed.pdfPath.empty() && !canWritePdf) {
        problem = "this quorlin-cli was built without PDF output";
        return false;
    }
    return true;
}

// Why no plan came out, for stderr.
std::string NoPlanReason(const PlanOutcome& outcome) {
    using Verdict = CalculationCheck::Verdict;
    std::string why = outcome.message;
    if (outcome.check.verdict == Verdict::RowTooLong)
        why += " (row " + std::to_string(outcome.check.row + 1) + ")";
    if (outcome.check.verdict == Verdict::EmptyList) why = "the cut list is empty";
    if (outcome.check.Proceed() && outcome.plan.pieceLength.empty())
        why = "no row has both a length and a quantity";
    return why;
}

}  // namespace

int RunQuorlinCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                  const PdfPlanWriter& pdfWriter) {
    if (tvx::cli::IsOnly(words, {"--help", "-h"})) {
        out << kUsageText;
        return kExitPlanned;
    }
    if (tvx::cli::IsOnly(words, {"--version"})) {
        out << VersionLine("quorlin-cli") << "\n";
        return kExitPlanned;
    }
    Arguments args;
    std::string problem;
    if (!ParseArguments(words, static_cast<bool>(pdfWriter), args, problem)) {
        err << "quorlin-cli: " << problem << "\n" << kUsageText;
        return kExitUsage;
    }

    // A fresh job, as after "リセット", with the part-code display as asked.
    BarJob job = StartupBarJob(0.0f, args.codes);
    const BarReadResult read = ReadBarJobFile(args.path, job);
    if (!read.jobChanged()) {
        err << "quorlin-cli: cannot read " << read.error << "\n";
        return kExitUsage;
    }
    if (read.end == BarReadEnd::NotAJobFile) {
        err << "quorlin-cli: " << args.path << ": " << DescribeIncompleteRead(read) << "\n";
        return kExitUsage;
    }
    if (!read.complete())
        err << "quorlin-cli: 警告: " << args.path << ": " << DescribeIncompleteRead(read) << "\n";
    if (!read.invalidRowLines.empty())
        err << "quorlin-cli: 警告: " << args.path << ": 無効な行を" << read.invalidRowLines.size()
            << "行無視しました: " << DescribeInvalidRows(read) << "\n";

    if (args.command == "show") {
        out << (args.json ? ShowJson(job) : ShowText(job));
        return kExitPlanned;
    }

    SearchControl control;
    PlanOutcome outcome;
    if (args.optimal) {
        const double limit = args.timeLimit > 0.0 ? args.timeLimit : kDefaultOptimalTimeLimit;
        outcome = CalculateJobOptimally(job, limit, control);
    } else {
        if (args.timeLimit > 0.0) control.SetTimeLimit(args.timeLimit);
        outcome = CalculateJob(job, control);
        if (outcome.stopped)
            err << "quorlin-cli: time limit reached; the best plan found so far is shown\n";
    }
    if (args.json) {
        out << PlanJson(job, outcome);
    } else if (outcome.ok) {
        out << PlanText(job, outcome);
    }
    if (outcome.ok && !args.pdfPath.empty()) {
        job.plan = outcome.plan;
        job.resultDisplayMode = args.grouped ? 1 : 0;
        std::string pdfError;
        if (pdfWriter(job, args.pdfPath, args.paper, pdfError) == 0) {
            err << "quorlin-cli: " << args.pdfPath << ": " << pdfError << "\n";
            return kExitUsage;
        }
    }
    if (outcome.ok) return kExitPlanned;
    err << "quorlin-cli: " << NoPlanReason(outcome) << "\n";
    return kExitNoPlan;
}

}  // namespace tvx::bar::cli
