#pragma once
// Reading a panel job file into the job. The whole file is taken in first; the job is reset
// and filled line by line. The end of the file may come anywhere, and a value beyond its
// field's width ends the reading: either way the job keeps what was read, and the orientation
// flags are settled as after a complete reading.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "panel/model/panel_job.h"

namespace tvx::panel {

// Why the reading ended.
enum class JobReadEnd {
    EndOfFile,      // every line was taken in
    ValueTooLarge,  // a number beyond its field's width
    NotAJobFile,  // empty or binary, or two text lines at the top and neither is "パネルサイズ"
    RowLimit,     // lines beyond the 200th row were left unread
    StreamError,  // the stream failed; what arrived before was read
    CannotOpen,   // the file could not be read; the job was not touched
};

struct JobReadResult {
    JobReadEnd end = JobReadEnd::EndOfFile;
    int stopLine = 0;                // 1-based line where the reading stopped; 0 when complete
    bool perRowFlags = false;        // the settings line carried orientation mode 2
    bool ktyFreeSwitchedOn = false;  // per-row orientation was off and the file turned it on
    std::string error;               // why the file could not be read (CannotOpen)
    // 1-based lines of rows that were read but take no part in a layout although they hold
    // something (a size not above 0, or fewer than one piece).
    std::vector<int> invalidRowLines;

    bool complete() const { return end == JobReadEnd::EndOfFile; }
    bool jobChanged() const { return end != JobReadEnd::CannotOpen; }
};

// Replaces the job by the one in `bytes` (Shift-JIS or UTF-8 with or without a byte-order
// mark; CR LF, LF or CR line ends). The job is reset first (with an undo snapshot of its
// rows). Afterwards, besides the rows: while ktyFree is on the turn flags come from the file
// (mode 2) or from the mode (exactly 1 turns them on); mode 2 switches ktyFree on; rotateAll
// is on for a mode other than 0 and 2; and a single stock size stands in the typed panel
// values, as the size boxes show it.
JobReadResult ReadJob(PanelJob& job, std::string_view bytes);

// The same from a stream; a stream that fails part-way gives what arrived before it.
JobReadResult ReadJob(PanelJob& job, std::istream& in);

// The file at `path`. A file that cannot be read leaves the job as it was (CannotOpen).
JobReadResult LoadJobFile(PanelJob& job, const std::string& path);

// A short Japanese description of an incomplete reading for a message line; empty when the
// file was read completely.
std::string DescribeIncompleteRead(const JobReadResult& result);

// "12行目, 15行目": the invalid rows' lines for a message; empty without any.
std::string DescribeInvalidRows(const JobReadResult& result);

}  // namespace tvx::panel
