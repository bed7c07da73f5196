#include "common/job_file_names.h"

namespace tvx {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string CommandLinePath(std::string_view commandLine) {
    std::string_view path = Trimmed(commandLine);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = Trimmed(path.substr(1, path.size() - 2));
    return std::string(path);
}

std::string WithDefaultExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string_view::npos) return std::string(path);
    return std::string(path) + ".csv";
}

}  // namespace tvx
