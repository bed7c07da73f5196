#pragma once
// Reading bar job files into the job. The reader is tolerant: it also takes a bare list of
// rows, lines with trailing commas, UTF-8 and LF-only files. Anything it cannot take ends the
// reading, keeping what was read so far; the result says where and why. The caller resets the job
// first when a file is opened from the dialog; a file named on the command line is read into the
// job as it is.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar {

// Why the reading ended.
enum class BarReadEnd {
    EndOfFile,        // every line was taken in (or the plan section began)
    ValueOutOfRange,  // a number beyond its field (single precision, 16 bits), NaN or infinite
    RowLimit,         // the cut list was full (kMaxRows rows); the lines after it were left unread
    UnexpectedLine,   // a line that has no place where it stands (a section out of order)
    NotAJobFile,      // empty, binary, or nothing in it but a title
    CannotRead,       // the file or stream could not be read; the job was not touched
};

struct BarReadResult {
    BarReadEnd end = BarReadEnd::EndOfFile;
    int stopLine = 0;  // 1-based line where the reading stopped; 0 when complete
    // 1-based lines of rows that were read but take no part in a calculation although they
    // hold something (no length above 0, or fewer than one piece).
    std::vector<int> invalidRowLines;
    std::string error;  // why the file could not be read (CannotRead)

    bool complete() const { return end == BarReadEnd::EndOfFile; }
    bool jobChanged() const { return end != BarReadEnd::CannotRead; }
    // True when the file could be read at all (as the reader's callers used to test).
    explicit operator bool() const { return jobChanged(); }
};

// Reads the file's bytes (Shift-JIS or UTF-8) into the job.
BarReadResult ReadBarJob(std::string_view bytes, BarJob& job);

// Reads a whole stream; CannotRead (job untouched) when the stream cannot be read.
BarReadResult ReadBarJob(std::istream& in, BarJob& job);

// Reads a file; CannotRead (job untouched, message in `error` and the result) when it cannot
// be opened or read.
BarReadResult ReadBarJobFile(const std::string& path, BarJob& job, std::string* error = nullptr);

// A short Japanese description of an incomplete reading for a message line; empty when the
// file was read completely.
std::string DescribeIncompleteRead(const BarReadResult& result);

// "12行目, 15行目": the invalid rows' lines for a message; empty without any.
std::string DescribeInvalidRows(const BarReadResult& result);

}  // namespace tvx::bar
