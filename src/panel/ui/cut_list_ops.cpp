#include "panel/ui/cut_list_ops.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "common/number_entry.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::panel {
namespace {

std::size_t Index(int k) {
    return static_cast<std::size_t>(k);
}

// A numeric field's value: number text as a number box reads it ("1,200" is 1200), otherwise
// its leading number.
double FieldNumber(std::string_view text) {
    if (const std::optional<double> value = NumberEntryValue(text)) return *value;
    return LeadingNumber(text);
}

float SingleOf(std::string_view text) {
    const double value = FieldNumber(text);
    if (auto single = ToSingle(value)) return *single;
    return value > 0 ? std::numeric_limits<float>::max() : std::numeric_limits<float>::lowest();
}

// The first four tab-separated fields of a line; missing ones are empty.
std::vector<std::string> FirstFourFields(std::string_view line) {
    std::vector<std::string> fields = SplitTabFields(line);
    fields.resize(4);
    return fields;
}

// Line `n` (0-based) of the split text; a line beyond the text is empty.
std::string_view LineOrEmpty(const std::vector<std::string>& lines, int n) {
    const auto index = static_cast<std::size_t>(n);
    return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
}

}  // namespace

bool InsertBlankRow(PanelJob& job, int k) {
    if (k < 0 || k >= job.cutCount || job.cutCount >= kMaxRows) return false;
    for (int r = job.cutCount - 1; r >= k; --r) {
        job.cutList[Index(r + 1)] = job.cutList[Index(r)];
        job.turnFlag[Index(r + 1)] = job.turnFlag[Index(r)];
    }
    job.cutList[Index(k)] = CutItem{};
    job.turnFlag[Index(k)] = 0;
    ++job.cutCount;
    return true;
}

bool DeleteRow(PanelJob& job, int k) {
    if (k < 0 || k >= job.cutCount) return false;
    for (int r = k; r < job.cutCount - 1; ++r) {
        job.cutList[Index(r)] = job.cutList[Index(r + 1)];
        job.turnFlag[Index(r)] = job.turnFlag[Index(r + 1)];
    }
    job.cutList[Index(job.cutCount - 1)] = CutItem{};
    job.turnFlag[Index(job.cutCount - 1)] = 0;
    --job.cutCount;
    return true;
}

ClipboardShape MeasureClipboard(std::string_view text) {
    ClipboardShape shape;
    if (text.empty()) return shape;
    shape.lines = static_cast<int>(SplitLines(text).size());

    const std::string first = FirstLine(text);
    std::size_t afterLastTab = 0;
    for (std::size_t j = 0; j < first.size(); ++j) {
        if (first[j] == '\t') {
            ++shape.fields;
            afterLastTab = j + 1;
        }
    }
    if (afterLastTab < first.size()) ++shape.fields;
    return shape;
}

std::string FirstLine(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    return std::string(text.substr(0, end));
}

void PasteRows(PanelJob& job, std::string_view text, int first, int last) {
    const std::vector<std::string> lines = SplitLines(text);
    int lastWritten = -1;
    for (int k = first; k <= last; ++k) {
        if (k < 0 || k >= kMaxRows) continue;
        const std::vector<std::string> fields = FirstFourFields(LineOrEmpty(lines, k - first));
        CutItem& item = job.cutList[Index(k)];
        item.height = SingleOf(fields[0]);
        item.width = SingleOf(fields[1]);
        item.quantity = ClampToInt16(FieldNumber(fields[2]));
        item.comment = fields[3];
        lastWritten = k;
    }
    if (lastWritten >= job.cutCount) job.cutCount = static_cast<std::int16_t>(lastWritten + 1);
}

int FirstUnpastableLine(std::string_view text, int lines) {
    const std::vector<std::string> split = SplitLines(text);
    for (int n = 1; n <= lines; ++n) {
        const std::vector<std::string> fields = FirstFourFields(LineOrEmpty(split, n - 1));
        for (int f = 0; f < 3; ++f) {
            const std::optional<double> value = NumberEntryValue(fields[f]);
            if (!value || (f == 2 && *value != std::floor(*value))) return n;
        }
    }
    return 0;
}

bool BlockPasteFits(const PanelJob& job, int firstRow, int lines) {
    return std::max<int>(job.cutCount, firstRow) + lines <= kMaxRows;
}

std::string CellText(const CutItem& item, int column) {
    switch (column) {
        case 0:
            return item.height > 0.0f ? FormatSingle(item.height) : std::string();
        case 1:
            return item.width > 0.0f ? FormatSingle(item.width) : std::string();
        case 2:
            return item.quantity != 0 ? std::to_string(item.quantity) : std::string();
        default:
            return item.comment;
    }
}

bool StoreCellText(CutItem& item, int column, std::string_view text) {
    switch (column) {
        case 0: {
            const float value = SingleOf(text);
            if (value == item.height) return false;
            item.height = value;
            return true;
        }
        case 1: {
            const float value = SingleOf(text);
            if (value == item.width) return false;
            item.width = value;
            return true;
        }
        case 2: {
            const std::int16_t value = ClampToInt16(FieldNumber(text));
            if (value == item.quantity) return false;
            item.quantity = value;
            return true;
        }
        default:
            if (item.comment == text) return false;
            item.comment = std::string(text);
            return true;
    }
}

void SyncSingleStockSize(PanelJob& job) {
    if (job.lastSizeIndex == 0) TakeTypedPanelSize(job);
}

}  // namespace tvx::panel
