#include "text_file.h"

#include "system_error_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>

namespace tvx {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> SplitTabFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool ReadAllBytes(std::istream& in, std::string& bytes) {
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        // A failing stream buffer may throw (a folder opened as a file does).
        in.setstate(std::ios::badbit);
        return false;
    }
    return !in.bad();
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        if (error) *error = path + ": " + SystemErrorText(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = path + ": " + SystemErrorText(errno);
        return false;
    }
    if (!ReadAllBytes(in, bytes)) {
        if (error) *error = path + ": " + SystemErrorText(EIO);
        return false;
    }
    return true;
}

std::string FolderOf(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\");
    if (last == std::string_view::npos) return {};
    return std::string(path.substr(0, last + 1));
}

}  // namespace tvx
