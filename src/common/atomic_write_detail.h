#pragma once
// A piece of the atomic file writer that its tests drive directly: creating a file under a
// name that is not taken yet.

#include <functional>
#include <string>

namespace tvx::detail {

// Creates and opens (write only, close-on-exec) a new file named `stem` followed by a part
// from `nextPart`; a name that exists already is tried again with the next part, up to 100
// times. Returns the descriptor and the name, or -1 with errno set.
int CreateNewFile(const std::string& stem, unsigned mode,
                  const std::function<std::string()>& nextPart, std::string& name);

}  // namespace tvx::detail
