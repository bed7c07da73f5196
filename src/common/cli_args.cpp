#include "common/cli_args.h"

#include <algorithm>

namespace tvx::cli {
namespace {

bool Contains(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

const OptionSyntax* FindOption(const CommandLineSyntax& syntax, const std::string& command,
                               const std::string& name) {
    for (const OptionSyntax& option : syntax.options) {
        if (option.name == name && (option.commands.empty() || Contains(option.commands, command)))
            return &option;
    }
    return nullptr;
}

ParsedCommandLine Problem(ParsedCommandLine parsed, ArgumentProblem problem, std::string word) {
    parsed.problem = problem;
    parsed.word = std::move(word);
    return parsed;
}

}  // namespace

std::optional<std::string> ParsedCommandLine::Value(const std::string& option) const {
    const auto found = given.find(option);
    if (found == given.end()) return std::nullopt;
    return found->second;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const CommandLineSyntax& syntax) {
    ParsedCommandLine parsed;
    if (args.empty()) return Problem(std::move(parsed), ArgumentProblem::NoCommand, "");
    parsed.command = args[0];
    if (!Contains(syntax.commands, parsed.command))
        return Problem(std::move(parsed), ArgumentProblem::UnknownCommand, args[0]);
    bool haveFile = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        // A lone "-" is a file name, as are words that do not start with '-'.
        if (word.size() > 1 && word.front() == '-') {
            const OptionSyntax* option = FindOption(syntax, parsed.command, word);
            if (option == nullptr)
                return Problem(std::move(parsed), ArgumentProblem::UnknownOption, word);
            if (!option->takesValue) {
                parsed.given[word].clear();
                continue;
            }
            if (i + 1 >= args.size())
                return Problem(std::move(parsed), ArgumentProblem::MissingValue, word);
            const std::string& value = args[++i];
            if (option->valueIsValid && !option->valueIsValid(value))
                return Problem(std::move(parsed), ArgumentProblem::InvalidValue, word);
            parsed.given[word] = value;
        } else if (!haveFile) {
            parsed.file = word;
            haveFile = true;
        } else {
            return Problem(std::move(parsed), ArgumentProblem::SecondFile, word);
        }
    }
    if (!haveFile) return Problem(std::move(parsed), ArgumentProblem::NoFile, "");
    return parsed;
}

bool IsOnly(const std::vector<std::string>& args, const std::vector<std::string>& words) {
    return args.size() == 1 && Contains(words, args[0]);
}

}  // namespace tvx::cli
