// Saves one file over and over, for the tests and the soak script that kill a save:
//
//   atomic_write_helper PATH BYTES [SAVES] [FIRST]
//
// Save k writes the contents of generation FIRST + k (generation_file.h). Without SAVES it
// saves until it is killed. Exit status 1 when a save fails.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/text_file.h"
#include "generation_file.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: atomic_write_helper PATH BYTES [SAVES] [FIRST]\n");
        return 2;
    }
    const std::string path = argv[1];
    const auto bytes = static_cast<std::size_t>(std::strtoul(argv[2], nullptr, 10));
    const long saves = argc > 3 ? std::strtol(argv[3], nullptr, 10) : -1;
    const long first = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 1;
    for (long k = 0; saves < 0 || k < saves; ++k) {
        std::string error;
        if (!tvx::WriteFileAtomically(path, tvx::test::GenerationContents(first + k, bytes),
                                      &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
