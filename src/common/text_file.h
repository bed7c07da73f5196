#pragma once
// Line-oriented text files: reading whole files, splitting lines, writing atomically.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// Splits text into lines. CR LF, LF and a lone CR each end a line; a final line end does not
// make an extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Splits one line at its tabs, as a spreadsheet puts a row on the clipboard: n tabs make
// n + 1 fields, empty ones included.
std::vector<std::string> SplitTabFields(std::string_view line);

// Reads the whole stream into `bytes`; false when the stream failed.
bool ReadAllBytes(std::istream& in, std::string& bytes);

// Reads a whole file; false (with a message in `error`) when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to `path` through a temporary file in the same folder ("<name>.tmp-<pid>-...")
// that replaces the target only once it is completely written and flushed, so a failed save
// or a crash leaves the old file as it was; the folder is synced after the rename. A symbolic
// link is followed: its target gets the new contents. An existing file keeps its mode and, as
// far as allowed, its owner. Temporaries left by earlier saves of the same file whose process
// is gone are removed. False (with a message in `error`) when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// The folder part of a path, up to and including its last separator ("/" or "\"); empty when
// it has none.
std::string FolderOf(std::string_view path);

}  // namespace tvx
