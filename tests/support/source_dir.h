#pragma once
// Where the repository lies, for tests that read the example jobs.

#include <cstdlib>
#include <string>

namespace tvx::test {

inline std::string SourceDir() {
    const char* dir = std::getenv("TVX_SOURCE_DIR");
    return dir ? std::string(dir) : std::string(TVX_DEFAULT_SOURCE_DIR);
}

}  // namespace tvx::test
