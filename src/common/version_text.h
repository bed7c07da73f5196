#pragma once
// The version as the programs show it: "2.93" on the command line, "Ver ２．９３" in full-width
// digits on Tavolex's window and "Tavolex　 Ｖｅｒ　２．93" in its version box. All of them are
// made from the one version in common/version.h. No Qt.

#include <string>
#include <string_view>

namespace tvx {

// ASCII digits and '.' turned into their full-width forms (UTF-8); other characters unchanged.
std::string FullWidthDigits(std::string_view ascii);

// "<program> <version>", the line "--version" prints.
std::string VersionLine(std::string_view program);

// "Ver " and the full-width version: "Ver ２．９３".
std::string FullWidthVersionLabel(std::string_view major, std::string_view minor);

// The first line of Tavolex's version box: the major number in full width, then the minor
// number in ASCII digits, as the box has always shown it ("Tavolex　 Ｖｅｒ　２．93").
std::string TavolexVersionBoxLine(std::string_view major, std::string_view minor);

// The two above for the program's own version.
std::string FullWidthVersionLabel();
std::string TavolexVersionBoxLine();

}  // namespace tvx
