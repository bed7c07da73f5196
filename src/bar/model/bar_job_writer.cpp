#include "bar/model/bar_job_writer.h"

#include <algorithm>
#include <ostream>

#include "bar/model/bar_job_file_lines.h"
#include "common/encoding.h"
#include "common/file_safe_text.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::bar {
namespace {

// A marker line: the marker as a quoted text.
std::string Marker(const char* marker) {
    return "\"" + std::string(marker) + "\"";
}

// The title line, quoted as Tavolex writes its texts: commas inside a quoted line are part of
// it, while quotes and line breaks, which would end the text or the line, are made harmless.
// A title that reads as a section marker would make the reader take it for that section; a
// space after it keeps it a title.
std::string TitleField(const std::string& title) {
    std::string safe = FileSafeText(title);
    for (const char* marker : {kStockMarker, kKerfMarker, kCutsMarker})
        if (safe == marker) safe += ' ';
    return "\"" + safe + "\"";
}

// A part code, quoted. A row line is split at its commas by readers that count them, so a
// comma inside the code is written as a space, and quotes and line breaks as for the title:
// the row keeps its three fields and its code.
std::string PartCodeField(const std::string& code) {
    std::string safe = FileSafeText(code);
    std::replace(safe.begin(), safe.end(), ',', ' ');
    return "\"" + safe + "\"";
}

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

void AddPlan(std::string& text, const BarPlan& plan) {
    AddLine(text, Marker(kPlanMarker));
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
    if (!job.jobTitle.empty()) AddLine(text, TitleField(job.jobTitle));
    AddLine(text, Marker(kStockMarker));
    const BarStock& stock = job.stock;
    const int inUse = std::clamp<int>(stock.stockEntryCountInUse, 0, kMaxStockEntries);
    for (int s = 0; s < inUse; ++s) {
        const auto i = static_cast<std::size_t>(s);
        AddLine(text, FormatSingle(stock.stockEntryLength[i]) + "," +
                          FormatSingle(stock.stockEntryPrice[i]) + "," +
                          std::to_string(stock.stockEntryCount[i]));
    }
    AddLine(text, Marker(kKerfMarker));
    AddLine(text, FormatSingle(job.kerf));
    AddLine(text, Marker(kCutsMarker));
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
        if (withCodes) line = PartCodeField(list.cutComment[r]) + "," + line;
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
