#include "common/version_text.h"

#include "common/version.h"

namespace tvx {

std::string FullWidthDigits(std::string_view ascii) {
    std::string out;
    out.reserve(ascii.size() * 3);
    for (const char c : ascii) {
        if (c >= '0' && c <= '9') {
            // U+FF10..U+FF19 are EF BC 90..99 in UTF-8.
            out += "\xEF\xBC";
            out += static_cast<char>(0x90 + (c - '0'));
        } else if (c == '.') {
            out += "\xEF\xBC\x8E";  // U+FF0E "．"
        } else {
            out += c;
        }
    }
    return out;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + kProgramVersion;
}

std::string FullWidthVersionLabel(std::string_view major, std::string_view minor) {
    return "Ver " + FullWidthDigits(std::string(major) + "." + std::string(minor));
}

std::string TavolexVersionBoxLine(std::string_view major, std::string_view minor) {
    return "Tavolex　 Ｖｅｒ　" + FullWidthDigits(std::string(major) + ".") + std::string(minor);
}

std::string FullWidthVersionLabel() {
    return FullWidthVersionLabel(kProgramVersionMajor, kProgramVersionMinor);
}

std::string TavolexVersionBoxLine() {
    return TavolexVersionBoxLine(kProgramVersionMajor, kProgramVersionMinor);
}

}  // namespace tvx
