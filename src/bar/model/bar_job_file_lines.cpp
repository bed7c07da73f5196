#include "bar/model/bar_job_file_lines.h"

#include <algorithm>

#include "common/number_text.h"

namespace tvx::bar {

std::string PrepareLine(std::string_view line) {
    for (int i = 0; i < 4 && !line.empty() && line.back() == ','; ++i) line.remove_suffix(1);
    return std::string(line);
}

int CountFields(std::string_view line) {
    if (!line.empty() && line.front() == '"') {
        const std::size_t next = line.find('"', 1);
        if (next == line.size() - 1) return 1;
    }
    return 1 + static_cast<int>(std::count(line.begin(), line.end(), ','));
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

ValueLine ReadValueLine(std::string_view line) {
    ValueLine value;
    if (!line.empty() && line.front() == '"') {
        const std::size_t next = line.find('"', 1);
        value.isText = true;
        value.text =
            std::string(line.substr(1, next == std::string_view::npos ? line.npos : next - 1));
        return value;
    }
    if (line.find(',') == std::string_view::npos) {
        if (IsWholeNumberText(line)) {
            value.numbers.push_back(LeadingNumber(line));
        } else {
            value.isText = true;
            value.text = std::string(line);
        }
        return value;
    }
    for (const std::string_view field : SplitFields(line))
        value.numbers.push_back(LeadingNumber(field));
    return value;
}

}  // namespace tvx::bar
