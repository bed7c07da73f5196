#include "json.h"

#include <cmath>
#include <cstdio>

#include "number_text.h"

namespace tvx {
namespace {

void AppendString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

}  // namespace

std::string Json::Dump() const {
    std::string out;
    DumpTo(out);
    return out;
}

void Json::DumpTo(std::string& out) const {
    struct Visitor {
        std::string& out;
        void operator()(std::nullptr_t) const { out += "null"; }
        void operator()(bool b) const { out += b ? "true" : "false"; }
        void operator()(std::int64_t v) const { out += std::to_string(v); }
        void operator()(double v) const { out += std::isfinite(v) ? FormatDouble(v) : "null"; }
        void operator()(float v) const { out += std::isfinite(v) ? FormatSingle(v) : "null"; }
        void operator()(const std::string& s) const { AppendString(out, s); }
        void operator()(const Array& a) const {
            out += '[';
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (i) out += ", ";
                a[i].DumpTo(out);
            }
            out += ']';
        }
        void operator()(const Object& o) const {
            out += '{';
            bool first = true;
            for (const auto& [key, value] : o) {
                if (!first) out += ", ";
                first = false;
                AppendString(out, key);
                out += ": ";
                value.DumpTo(out);
            }
            out += '}';
        }
    };
    std::visit(Visitor{out}, value_);
}

}  // namespace tvx
