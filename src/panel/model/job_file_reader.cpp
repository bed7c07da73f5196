#include "job_file_reader.h"

#include <istream>
#include <vector>

#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "panel/model/job_line.h"

namespace tvx::panel {
namespace {

bool HoldsSomething(std::string_view line) {
    return line.find_first_not_of(" \t,\"") != std::string_view::npos;
}

// Job files are text: a NUL byte means some other kind of file, and an empty one holds no job.
bool IsNoTextFile(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos ||
           bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The orientation mode of the settings line as the file writes it (a 16-bit number; the
// reader also meets values other than 0, 1 and 2). It stays 0 when the file has no such line.
struct FileOrientation {
    std::int16_t mode = 0;
};

// Walks the lines of one file into the job, in the order the writer puts them.
class JobFileParser {
  public:
    JobFileParser(PanelJob& job, const std::vector<std::string>& lines, JobReadResult& result,
                  FileOrientation& orientation)
        : job_(job), lines_(lines), result_(result), orientation_(orientation) {}

    void Run() {
        JobLine line;
        if (!Next(line)) return;
        bool stockBlock = false;
        if (line.count == 1) {
            stockBlock = line.text == kPanelSizeMarker;
            if (!stockBlock) {
                job_.jobTitle = line.text;
                if (!Next(line)) return;
                if (line.count == 1) {
                    if (line.text != kPanelSizeMarker) return Stop(JobReadEnd::NotAJobFile);
                    stockBlock = true;
                }
            }
        }
        if (stockBlock) {
            if (!ReadStockBlock()) return;
        } else if (line.count <= 2) {
            // The size of the single panel.
            const auto height = ToInt32(line.height);
            const auto width = ToInt32(line.width);
            if (!height || !width) return Stop(JobReadEnd::ValueTooLarge);
            job_.stock[0].height = *height;
            job_.stock[0].width = *width;
            job_.lastSizeIndex = 0;
        } else {
            // Rows from the first line on: no panel line, no settings line.
            return ReadRows(line);
        }
        if (!Next(line)) return;
        if (line.count <= 2) {
            if (!ReadSettings(line)) return;
            if (!Next(line)) return;
        }
        ReadRows(line);
    }

  private:
    // The next line, parsed; false at the end of the file or when a value is too large.
    bool Next(JobLine& line) {
        if (next_ >= lines_.size()) return false;
        auto parsed = ParseJobLine(lines_[next_]);
        ++next_;
        if (!parsed) {
            Stop(JobReadEnd::ValueTooLarge);
            return false;
        }
        line = std::move(*parsed);
        return true;
    }

    // True when a line from `first` on holds more than blanks.
    bool AnyTextFrom(std::size_t first) const {
        for (std::size_t i = first; i < lines_.size(); ++i) {
            if (lines_[i].find_first_not_of(" \t") != std::string::npos) return true;
        }
        return false;
    }

    // Ends the reading at the line read last.
    void Stop(JobReadEnd why) {
        result_.end = why;
        result_.stopLine = static_cast<int>(next_);
    }

    // Up to five lines of height, width, price, limit; the first line with another field
    // count ends the table (and is taken for its closing marker).
    bool ReadStockBlock() {
        int entries = 0;
        bool go = true;
        JobLine line;
        while (entries < kMaxStockSizes) {
            if (!Next(line)) {
                go = false;
                break;
            }
            if (line.count != 4) break;
            const auto height = ToInt32(line.height);
            const auto width = ToInt32(line.width);
            const auto limit = ToInt16(LeadingNumber(line.comment));
            if (!height || !width || !limit) {
                Stop(JobReadEnd::ValueTooLarge);
                go = false;
                break;
            }
            StockEntry& entry = job_.stock[static_cast<std::size_t>(entries)];
            entry.height = *height;
            entry.width = *width;
            entry.price = line.amount;
            entry.limit = *limit;
            ++entries;
        }
        job_.priceMode = true;
        job_.lastSizeIndex = static_cast<std::int16_t>(entries - 1);
        for (int i = 0; i < entries; ++i) {
            const StockEntry& entry = job_.stock[static_cast<std::size_t>(i)];
            if (entry.limit == 0 && entry.price == 0) job_.priceMode = false;
        }
        // After a full table the closing marker still has to be passed.
        if (go && entries == kMaxStockSizes) go = Next(line);
        return go;
    }

    // Kerf and orientation mode: 2 announces per-row flags, anything else is rotateAll.
    bool ReadSettings(const JobLine& line) {
        const auto kerf = ToInt16(line.height);
        if (!kerf) {
            Stop(JobReadEnd::ValueTooLarge);
            return false;
        }
        job_.kerf = *kerf;
        if (line.width == 2.0f) {
            result_.perRowFlags = true;
        } else {
            const auto rotate = ToInt16(line.width);
            if (!rotate) {
                Stop(JobReadEnd::ValueTooLarge);
                return false;
            }
            orientation_.mode = *rotate;
        }
        return true;
    }

    // Every further line is a row, up to 200 rows.
    void ReadRows(JobLine line) {
        job_.cutCount = 0;
        for (;;) {
            const auto quantity = ToInt16(line.amount);
            if (!quantity) return Stop(JobReadEnd::ValueTooLarge);
            const auto r = static_cast<std::size_t>(job_.cutCount);
            job_.cutList[r] = CutItem{line.height, line.width, *quantity, std::move(line.comment)};
            if (!IsValidRow(job_.cutList[r]) && HoldsSomething(lines_[next_ - 1]))
                result_.invalidRowLines.push_back(static_cast<int>(next_));
            job_.turnFlag[r] = line.turnFlag;
            ++job_.cutCount;
            if (job_.cutCount >= kMaxRows) {
                if (AnyTextFrom(next_)) {
                    result_.end = JobReadEnd::RowLimit;
                    result_.stopLine = static_cast<int>(next_) + 1;
                }
                return;
            }
            if (!Next(line)) return;
        }
    }

    PanelJob& job_;
    const std::vector<std::string>& lines_;
    JobReadResult& result_;
    FileOrientation& orientation_;
    std::size_t next_ = 0;
};

// What the window does with the model once a file has been read: the row flags follow the
// orientation mode (only a mode of exactly 1 sets them), "縦横自由" is on for any mode other
// than 0, and a single stock size stands in the size boxes.
void SettleLoadedJob(PanelJob& job, JobReadResult& result, FileOrientation orientation) {
    if (job.ktyFree && !result.perRowFlags) {
        job.turnFlag.fill(0);
        if (orientation.mode == 1) {
            for (int r = 0; r < job.cutCount; ++r) job.turnFlag[static_cast<std::size_t>(r)] = 1;
        }
    }
    if (!job.ktyFree && result.perRowFlags) {
        job.ktyFree = true;
        result.ktyFreeSwitchedOn = true;
    }
    job.rotateAll = orientation.mode != 0;
    if (job.lastSizeIndex == 0) {
        job.typedHeight = job.stock[0].height;
        job.typedWidth = job.stock[0].width;
        job.typedPrice = job.stock[0].price;
    }
}

}  // namespace

JobReadResult ReadJob(PanelJob& job, std::string_view bytes) {
    JobReadResult result;
    ResetJob(job);
    if (IsNoTextFile(bytes)) {
        result.end = JobReadEnd::NotAJobFile;
        result.stopLine = 1;
        SettleLoadedJob(job, result, FileOrientation{});
        return result;
    }
    const std::vector<std::string> lines = SplitLines(DecodeFileText(bytes));
    FileOrientation orientation;
    JobFileParser(job, lines, result, orientation).Run();
    SettleLoadedJob(job, result, orientation);
    return result;
}

JobReadResult ReadJob(PanelJob& job, std::istream& in) {
    // Character by character, so that the bytes before a failure are kept (a job file is
    // a few kilobytes).
    std::string bytes;
    for (char c; in.get(c);) bytes.push_back(c);
    const bool whole = !in.bad();
    JobReadResult result = ReadJob(job, bytes);
    if (!whole && result.complete()) result.end = JobReadEnd::StreamError;
    return result;
}

JobReadResult LoadJobFile(PanelJob& job, const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, &error)) {
        JobReadResult result;
        result.end = JobReadEnd::CannotOpen;
        result.error = error;
        return result;
    }
    return ReadJob(job, bytes);
}

std::string DescribeIncompleteRead(const JobReadResult& result) {
    const std::string at =
        result.stopLine > 0 ? std::to_string(result.stopLine) + "行目で" : std::string();
    switch (result.end) {
        case JobReadEnd::EndOfFile:
            return {};
        case JobReadEnd::ValueTooLarge:
            return "ファイルの" + at + "読み込みを中止しました（数値が大きすぎます）。";
        case JobReadEnd::NotAJobFile:
            return "カットデータのファイルではありません。";
        case JobReadEnd::RowLimit:
            return "200行を超える部分は読み込みませんでした。";
        case JobReadEnd::StreamError:
            return "ファイルを最後まで読み込めませんでした。";
        case JobReadEnd::CannotOpen:
            return "ファイルを開けませんでした。";
    }
    return {};
}

std::string DescribeInvalidRows(const JobReadResult& result) {
    std::string text;
    for (const int line : result.invalidRowLines) {
        if (!text.empty()) text += ", ";
        text += std::to_string(line) + "行目";
    }
    return text;
}

}  // namespace tvx::panel
