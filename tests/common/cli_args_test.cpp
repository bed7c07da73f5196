// The command-line syntax both planners share.

#include "common/cli_args.h"

#include <gtest/gtest.h>

namespace tvx::cli {
namespace {

const CommandLineSyntax kSyntax{
    {"plan", "show"},
    {
        {"--json", {}, false, {}},
        {"--codes", {"plan"}, false, {}},
        {"--pdf", {"plan"}, true, {}},
        {"--mode", {"plan"}, true, [](const std::string& v) { return v == "0" || v == "1"; }},
    }};

TEST(CommandLine, ReadsTheCommandTheFileAndTheOptionsInAnyOrder) {
    const ParsedCommandLine line =
        ParseCommandLine({"plan", "--pdf", "--json", "-", "--mode", "1", "--codes"}, kSyntax);
    ASSERT_TRUE(line.ok()) << line.word;
    EXPECT_EQ(line.command, "plan");
    EXPECT_EQ(line.file, "-") << "a lone dash is a file name";
    EXPECT_EQ(line.Value("--pdf"), "--json") << "a value is the next word, whatever it is";
    EXPECT_FALSE(line.Has("--json"));
    EXPECT_EQ(line.Value("--mode"), "1");
    EXPECT_EQ(line.Value("--codes"), "");
    EXPECT_EQ(line.Value("--missing"), std::nullopt);

    const ParsedCommandLine twice =
        ParseCommandLine({"plan", "--pdf", "a.pdf", "job", "--pdf", "b.pdf"}, kSyntax);
    EXPECT_EQ(twice.Value("--pdf"), "b.pdf");
    EXPECT_EQ(twice.file, "job");
}

TEST(CommandLine, ReportsTheFirstProblemAndTheWordItIsAbout) {
    struct Case {
        std::vector<std::string> args;
        ArgumentProblem problem;
        std::string word;
    };
    for (const Case& c : std::vector<Case>{
             {{}, ArgumentProblem::NoCommand, ""},
             {{"--json"}, ArgumentProblem::UnknownCommand, "--json"},
             {{"show", "job", "--codes"}, ArgumentProblem::UnknownOption, "--codes"},
             {{"plan", "job", "--"}, ArgumentProblem::UnknownOption, "--"},
             {{"plan", "job", "--pdf"}, ArgumentProblem::MissingValue, "--pdf"},
             {{"plan", "--mode", "2", "--bad"}, ArgumentProblem::InvalidValue, "--mode"},
             {{"plan", "--bad", "--mode", "2"}, ArgumentProblem::UnknownOption, "--bad"},
             {{"plan", "a", "b", "--bad"}, ArgumentProblem::SecondFile, "b"},
             {{"show", "--json"}, ArgumentProblem::NoFile, ""},
         }) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ParsedCommandLine line = ParseCommandLine(c.args, kSyntax);
        EXPECT_FALSE(line.ok());
        EXPECT_EQ(line.problem, c.problem);
        EXPECT_EQ(line.word, c.word);
    }
}

TEST(CommandLine, IsOnlyMatchesALoneWord) {
    EXPECT_TRUE(IsOnly({"-h"}, {"--help", "-h"}));
    EXPECT_FALSE(IsOnly({"--help", "x"}, {"--help", "-h"}));
    EXPECT_FALSE(IsOnly({}, {"--help"}));
}

}  // namespace
}  // namespace tvx::cli
