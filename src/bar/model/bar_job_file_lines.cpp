#include "bar/model/bar_job_file_lines.h"

#include "common/number_text.h"

namespace tvx::bar {

std::string PrepareLine(std::string_view line) {
    for (int i = 0; i < 4 && !line.empty() && line.back() == ','; ++i) line.remove_suffix(1);
    return std::string(line);
}

namespace {

// The end of the quoted field that opens at `open`: the index of its closing quote, or npos
// when it is never closed. `text` receives its content.
std::size_t ClosingQuote(std::string_view line, std::size_t open, std::string& text) {
    for (std::size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] != '"') {
            text += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            text += '"';
            ++i;
        } else {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::string field;
        std::size_t from = start;
        if (start < line.size() && line[start] == '"') {
            const std::size_t close = ClosingQuote(line, start, field);
            if (close != std::string_view::npos) {
                from = close + 1;
            } else {
                field.clear();
            }
        }
        const std::size_t comma = line.find(',', from);
        field += line.substr(from, comma == std::string_view::npos ? line.npos : comma - from);
        fields.push_back(std::move(field));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

int CountFields(std::string_view line) {
    return static_cast<int>(SplitFields(line).size());
}

ValueLine ReadValueLine(std::string_view line) {
    ValueLine value;
    if (!line.empty() && line.front() == '"') {
        value.isText = true;
        ClosingQuote(line, 0, value.text);  // a line without its closing quote gives the rest
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
    for (const std::string& field : SplitFields(line))
        value.numbers.push_back(LeadingNumber(field));
    return value;
}

}  // namespace tvx::bar
