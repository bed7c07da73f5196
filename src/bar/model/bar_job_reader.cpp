#include "bar/model/bar_job_reader.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <vector>

#include "bar/model/bar_job_file_lines.h"
#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::bar {
namespace {

// Hands out the prepared lines one after another.
class LineSource {
  public:
    explicit LineSource(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // The next line, trailing commas removed; false past the end of the file.
    bool Next(std::string& line) {
        if (next_ >= lines_.size()) return false;
        line = PrepareLine(lines_[next_++]);
        return true;
    }

    // 1-based number of the line handed out last.
    int LineNumber() const { return static_cast<int>(next_); }

    // True when a line after the current one holds more than blanks.
    bool AnyTextAfter() const {
        for (std::size_t i = next_; i < lines_.size(); ++i)
            if (lines_[i].find_first_not_of(" \t,") != std::string::npos) return true;
        return false;
    }

  private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

std::optional<float> FieldSingle(const std::vector<double>& numbers, std::size_t index) {
    return ToSingle(index < numbers.size() ? numbers[index] : 0.0);
}
std::optional<std::int16_t> FieldCount(const std::vector<double>& numbers, std::size_t index) {
    return ToInt16(index < numbers.size() ? numbers[index] : 0.0);
}

bool HoldsSomething(std::string_view line) {
    return line.find_first_not_of(" \t,") != std::string_view::npos;
}

// The reading steps of a job file. Every step returns false when the reading ends (past the
// end of the file, or stopped with the reason in the result).
class JobFileReader {
  public:
    JobFileReader(LineSource& source, BarJob& job, BarReadResult& result)
        : source_(source), job_(job), result_(result) {}

    void Run() {
        Steps();
        // Nothing but (at most) a title: whatever the file is, it is no bar job.
        if (!recognised_) {
            result_.end = BarReadEnd::NotAJobFile;
            if (result_.stopLine == 0) result_.stopLine = 1;
        }
    }

  private:
    void Steps() {
        if (!source_.Next(line_)) return;
        if (CountFields(line_) > 1) {
            ReadRows();
            return;
        }
        if (!ReadTitleAndStock()) return;
        if (!ReadKerf()) return;
        if (!ReadCutsMarker()) return;
        ReadRows();
    }

    // Ends the reading at the line handed out last.
    bool Stop(BarReadEnd why) {
        result_.end = why;
        result_.stopLine = source_.LineNumber();
        return false;
    }

    bool ReadTitleAndStock() {
        ValueLine value = ReadValueLine(line_);
        if (value.isText && value.text != kStockMarker) {
            if (value.text == kKerfMarker) return true;  // straight to the kerf
            if (value.text == kCutsMarker) return true;  // the kerf step passes it on
            job_.jobTitle = value.text;
            if (!source_.Next(line_)) return false;
            value = ReadValueLine(line_);
        }
        if (value.IsText(kStockMarker)) {
            recognised_ = true;
            if (!source_.Next(line_)) return false;
        } else if (value.isText) {
            return true;
        }
        return ReadStock();
    }

    bool ReadStock() {
        BarStock& stock = job_.stock;
        stock.stockEntryCountInUse = 0;
        ValueLine value = ReadValueLine(line_);
        while (value.IsThreeNumbers() && stock.stockEntryCountInUse < kMaxStockEntries) {
            const auto length = FieldSingle(value.numbers, 0);
            const auto price = FieldSingle(value.numbers, 1);
            const auto count = FieldCount(value.numbers, 2);
            if (!length || !price || !count) return Stop(BarReadEnd::ValueOutOfRange);
            recognised_ = true;
            const auto s = static_cast<std::size_t>(stock.stockEntryCountInUse);
            stock.stockEntryLength[s] = *length;
            stock.stockEntryPrice[s] = *price;
            stock.stockEntryCount[s] = *count;
            ++stock.stockEntryCountInUse;
            if (!source_.Next(line_)) return false;
            value = ReadValueLine(line_);
        }
        if (value.IsThreeNumbers()) {  // a seventh entry has no place in the table
            if (!source_.Next(line_)) return false;
        }
        return true;
    }

    bool ReadKerf() {
        ValueLine value = ReadValueLine(line_);
        if (value.isText && value.text != kKerfMarker) return true;
        if (value.isText) {
            recognised_ = true;
            if (!source_.Next(line_)) return false;
            value = ReadValueLine(line_);
        }
        if (value.IsSingleNumber()) {
            const std::optional<float> kerf = ToSingle(value.numbers[0]);
            if (!kerf) return Stop(BarReadEnd::ValueOutOfRange);
            recognised_ = true;
            // The kerf is never negative; a negative value in a file means no kerf.
            job_.kerf = *kerf > 0.0f ? *kerf : 0.0f;
            if (!source_.Next(line_)) return false;
        }
        return true;
    }

    bool ReadCutsMarker() {
        const ValueLine value = ReadValueLine(line_);
        if (!value.isText) return true;  // the first row
        if (value.text != kCutsMarker) return Stop(BarReadEnd::UnexpectedLine);
        recognised_ = true;
        return source_.Next(line_);
    }

    // The cut list. The first row says that the rows begin (two or three fields); after it,
    // every line is read by its own field count: three or more give part code, length and
    // quantity, two give length and quantity, one a length.
    void ReadRows() {
        const int fields = CountFields(line_);
        if (fields != 2 && fields != 3) {
            Stop(BarReadEnd::UnexpectedLine);
            return;
        }
        recognised_ = true;
        ClearCutList(job_.cutList);
        do {
            if (CountFields(line_) == 1 && ReadValueLine(line_).IsText(kPlanMarker)) break;
            if (!AppendRowLine()) return;
        } while (source_.Next(line_));
        job_.cutList.pageTop = 0;
    }

    bool AppendRowLine() {
        std::vector<std::string> fields = SplitFields(line_);
        const bool withCode = fields.size() >= 3;
        // A file with part codes shows them.
        if (withCode) job_.showPartCodes = true;
        const std::size_t first = withCode ? 1 : 0;
        auto number = [&](std::size_t index) {
            return index < fields.size() ? LeadingNumber(fields[index]) : 0.0;
        };
        const std::optional<float> length = ToSingle(number(first));
        const std::optional<std::int16_t> quantity = ToInt16(number(first + 1));
        if (!length || !quantity) return Stop(BarReadEnd::ValueOutOfRange);
        if (job_.cutList.rowCount >= kMaxRows) {
            // The list is full; only lines with something in them count as lost.
            if (HoldsSomething(line_) || source_.AnyTextAfter()) Stop(BarReadEnd::RowLimit);
            return false;
        }
        if (!IsValidBarRow(*length, *quantity) && HoldsSomething(line_))
            result_.invalidRowLines.push_back(source_.LineNumber());
        std::string code = withCode ? std::move(fields[0]) : std::string();
        return AppendRow(job_.cutList, *length, *quantity, std::move(code));
    }

    LineSource& source_;
    BarJob& job_;
    BarReadResult& result_;
    std::string line_;
    bool recognised_ = false;  // a marker, a stock entry, a kerf or a row was taken in
};

// Job files are text: a NUL byte means some other kind of file.
bool LooksBinary(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos;
}

}  // namespace

BarReadResult ReadBarJob(std::string_view bytes, BarJob& job) {
    BarReadResult result;
    if (LooksBinary(bytes)) {
        result.end = BarReadEnd::NotAJobFile;
        result.stopLine = 1;
        return result;
    }
    LineSource source(SplitLines(DecodeFileText(bytes)));
    JobFileReader(source, job, result).Run();
    return result;
}

BarReadResult ReadBarJob(std::istream& in, BarJob& job) {
    std::string bytes;
    if (!ReadAllBytes(in, bytes)) {
        BarReadResult result;
        result.end = BarReadEnd::CannotRead;
        result.error = "read error";
        return result;
    }
    return ReadBarJob(bytes, job);
}

BarReadResult ReadBarJobFile(const std::string& path, BarJob& job, std::string* error) {
    std::string bytes;
    std::string why;
    if (!ReadFileBytes(path, bytes, &why)) {
        if (error) *error = why;
        BarReadResult result;
        result.end = BarReadEnd::CannotRead;
        result.error = why;
        return result;
    }
    return ReadBarJob(bytes, job);
}

std::string DescribeIncompleteRead(const BarReadResult& result) {
    const std::string at =
        result.stopLine > 0 ? std::to_string(result.stopLine) + "行目で" : std::string();
    switch (result.end) {
        case BarReadEnd::EndOfFile:
            return {};
        case BarReadEnd::ValueOutOfRange:
            return "ファイルの" + at + "読み込みを中止しました（数値が範囲外です）。";
        case BarReadEnd::RowLimit:
            return std::to_string(kMaxRows) + "行を超える部分は読み込みませんでした。";
        case BarReadEnd::UnexpectedLine:
            return "ファイルの" + at + "読み込みを中止しました（この位置に置けない行です）。";
        case BarReadEnd::NotAJobFile:
            return "カットデータのファイルではありません。";
        case BarReadEnd::CannotRead:
            return "ファイルを開けませんでした。";
    }
    return {};
}

std::string DescribeInvalidRows(const BarReadResult& result) {
    std::string text;
    for (const int line : result.invalidRowLines) {
        if (!text.empty()) text += ", ";
        text += std::to_string(line) + "行目";
    }
    return text;
}

}  // namespace tvx::bar
