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

std::string WithoutQuotes(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != '"') out += c;
    return out;
}

// The reading steps of a job file. Every step returns false when the reading ends (past the
// end of the file, a value out of range, or a section out of order).
class JobFileReader {
  public:
    JobFileReader(LineSource& source, BarJob& job) : source_(source), job_(job) {}

    // False when the reading stopped before the end of the file (or its plan section).
    bool Run() {
        RunSteps();
        return !stopped_;
    }

  private:
    void RunSteps() {
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

    // Ends the reading before the end of the file.
    bool Stop() {
        stopped_ = true;
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
            if (!length || !price || !count) return Stop();
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
            if (!source_.Next(line_)) return false;
            value = ReadValueLine(line_);
        }
        if (value.IsSingleNumber()) {
            const std::optional<float> kerf = ToSingle(value.numbers[0]);
            if (!kerf) return Stop();
            // The kerf is never negative; a negative value in a file means no kerf.
            job_.kerf = *kerf > 0.0f ? *kerf : 0.0f;
            if (!source_.Next(line_)) return false;
        }
        return true;
    }

    bool ReadCutsMarker() {
        const ValueLine value = ReadValueLine(line_);
        if (!value.isText) return true;  // the first row
        if (value.text != kCutsMarker) return Stop();
        return source_.Next(line_);
    }

    void ReadRows() {
        const int fields = CountFields(line_);
        if (fields != 2 && fields != 3) {
            Stop();
            return;
        }
        const bool withCodes = fields == 3;
        if (withCodes) job_.showPartCodes = true;
        ClearCutList(job_.cutList);
        do {
            if (CountFields(line_) == 1 && ReadValueLine(line_).IsText(kPlanMarker)) break;
            if (!AppendRowLine(withCodes)) {
                Stop();
                return;
            }
        } while (source_.Next(line_));
        job_.cutList.pageTop = 0;
    }

    bool AppendRowLine(bool withCodes) {
        const std::vector<std::string_view> fields = SplitFields(line_);
        auto number = [&](std::size_t index) {
            return index < fields.size() ? LeadingNumber(fields[index]) : 0.0;
        };
        const std::size_t first = withCodes ? 1 : 0;
        const std::optional<float> length = ToSingle(number(first));
        const std::optional<std::int16_t> quantity = ToInt16(number(first + 1));
        if (!length || !quantity) return false;
        std::string code = withCodes ? WithoutQuotes(fields[0]) : std::string();
        return AppendRow(job_.cutList, *length, *quantity, std::move(code));
    }

    LineSource& source_;
    BarJob& job_;
    std::string line_;
    bool stopped_ = false;
};

}  // namespace

bool ReadBarJob(std::string_view bytes, BarJob& job) {
    LineSource source(SplitLines(DecodeFileText(bytes)));
    return JobFileReader(source, job).Run();
}

bool ReadBarJob(std::istream& in, BarJob& job) {
    std::string bytes;
    if (!ReadAllBytes(in, bytes)) return false;
    ReadBarJob(bytes, job);
    return true;
}

bool ReadBarJobFile(const std::string& path, BarJob& job, std::string* error, bool* complete) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    const bool whole = ReadBarJob(bytes, job);
    if (complete) *complete = whole;
    return true;
}

}  // namespace tvx::bar
