#include "common/file_safe_text.h"

namespace tvx {

std::string FileSafeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            out += "＂";
        } else if (c == '\r' || c == '\n') {
            out += ' ';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tvx
