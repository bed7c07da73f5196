#pragma once
// Contents that tell whether a file was written completely: a header naming the generation
// and the length, a filler depending on the generation, and a closing line. The crash tests
// of the atomic writer save these and check what a killed save left behind.

#include <cstdio>
#include <string>

namespace tvx::test {

inline std::string GenerationContents(long generation, std::size_t bytes) {
    std::string text =
        "generation " + std::to_string(generation) + " " + std::to_string(bytes) + "\n";
    const char filler = static_cast<char>('a' + generation % 26);
    if (text.size() + 4 < bytes) text.append(bytes - text.size() - 4, filler);
    return text + "end\n";
}

// The generation of complete contents; -1 for anything else (torn, empty, foreign).
inline long CompleteGeneration(const std::string& bytes) {
    long generation = -1;
    unsigned long length = 0;
    if (std::sscanf(bytes.c_str(), "generation %ld %lu", &generation, &length) != 2) return -1;
    if (generation < 0 || GenerationContents(generation, length) != bytes) return -1;
    return generation;
}

}  // namespace tvx::test
