#pragma once
// The program keeps its texts as UTF-8; these turn them into Qt strings.

#include <QString>

#include <string>

namespace tvx {

inline QString U(const char* text) {
    return QString::fromUtf8(text);
}
inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace tvx
