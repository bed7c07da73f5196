#include "bar/model/bar_job_writer.h"

#include <algorithm>
#include <ostream>

#include "bar/model/bar_job_file_lines.h"
#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::bar {
namespace {

// A text field: quoted. Quotes, commas and line breaks inside would break the line apart on
// reading, so they are written as spaces.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) out += (c == '"' || c == ',' || c == '\r' || c == '\n') ? ' ' : c;
    out += '"';
    return out;
}

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

void AddPlan(std::string& text, const BarPlan& plan) {
    AddLine(text, Quoted(kPlanMarker));
    for (const BarRun& run : plan.resultBars) {
        std::string line = FormatSingle(DisplayedStockLength(plan, run.stockType));
        for (const std::int16_t piece : run.pieces)
            line.append(",").append(FormatSingle(DisplayedPieceLength(plan, piece)));
        for (std::int64_t k = 0; k < run.count; ++k) AddLine(text, line);
    }
}

}  // namespace

std::string BarJobFileTextUtf8(const BarJob& job) {
    std::string text;
    if (!job.jobTitle.empty()) AddLine(text, Quoted(job.jobTitle));
    AddLine(text, Quoted(kStockMarker));
    const BarStock& stock = job.stock;
    const int inUse = std::clamp<int>(stock.stockEntryCountInUse, 0, kMaxStockEntries);
    for (int s = 0; s < inUse; ++s) {
        const auto i = static_cast<std::size_t>(s);
        AddLine(text, FormatSingle(stock.stockEntryLength[i]) + "," +
                          FormatSingle(stock.stockEntryPrice[i]) + "," +
                          std::to_string(stock.stockEntryCount[i]));
    }
    AddLine(text, Quoted(kKerfMarker));
    AddLine(text, FormatSingle(job.kerf));
    AddLine(text, Quoted(kCutsMarker));
    const BarCutList& list = job.cutList;
    const int rows = std::min<int>(list.rowCount, list.Capacity());
    // Part codes are kept even while the display is off: one row with a code is enough.
    bool withCodes = job.showPartCodes;
    for (int row = 0; row < rows && !withCodes; ++row)
        withCodes =
            IsValidBarRow(list, row) && !list.cutComment[static_cast<std::size_t>(row)].empty();
    for (int row = 0; row < rows; ++row) {
        if (!IsValidBarRow(list, row)) continue;
        const auto r = static_cast<std::size_t>(row);
        std::string line =
            FormatSingle(list.cutLength[r]) + "," + std::to_string(list.cutQuantity[r]);
        if (withCodes) line = Quoted(list.cutComment[r]) + "," + line;
        AddLine(text, line);
    }
    if (job.plan.HasPlan()) AddPlan(text, job.plan);
    return text;
}

std::string BarJobFileBytes(const BarJob& job) {
    return Utf8ToShiftJis(BarJobFileTextUtf8(job));
}

bool WriteBarJob(const BarJob& job, std::ostream& out) {
    const std::string bytes = BarJobFileBytes(job);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

bool SaveBarJobFile(const BarJob& job, const std::string& path, std::string* error) {
    return WriteFileAtomically(path, BarJobFileBytes(job), error);
}

}  // namespace tvx::bar
