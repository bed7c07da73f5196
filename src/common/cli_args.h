#pragma once
// The command-line syntax both planners share: a command, one job file and options, some of
// which take the word after them as their value. The parser only finds the first problem; each
// program words its own messages (in its own language) from what the parser reports.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tvx::cli {

struct OptionSyntax {
    std::string name;                   // as typed: "--json"
    std::vector<std::string> commands;  // the commands that take it; empty: every command
    bool takesValue = false;            // the next word is its value, whatever it looks like
    std::function<bool(const std::string&)> valueIsValid;  // none: any value
};

struct CommandLineSyntax {
    std::vector<std::string> commands;
    std::vector<OptionSyntax> options;
};

enum class ArgumentProblem {
    None,
    NoCommand,       // no words at all
    UnknownCommand,  // `word` is the first word
    UnknownOption,   // `word` starts with '-' (and is longer than that) and is no option here
    MissingValue,    // `word` is the option whose value is missing
    InvalidValue,    // `word` is the option whose value was refused
    SecondFile,      // `word` is the second file named
    NoFile,          // every word was read and none named the job file
};

struct ParsedCommandLine {
    std::string command;
    std::string file;
    std::map<std::string, std::string> given;  // option -> value ("" for a flag); last one wins
    ArgumentProblem problem = ArgumentProblem::None;
    std::string word;  // what the problem is about

    bool ok() const { return problem == ArgumentProblem::None; }
    bool Has(const std::string& option) const { return given.count(option) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
};

// Reads the words after the program name from left to right and stops at the first problem.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const CommandLineSyntax& syntax);

// True when the command line is exactly one of `words` ("--help" or "-h", "--version").
bool IsOnly(const std::vector<std::string>& args, const std::vector<std::string>& words);

}  // namespace tvx::cli
