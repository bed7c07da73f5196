#include "encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tvx {
namespace {

// One iconv conversion descriptor for the duration of a conversion.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of [in, in+inLeft) as possible; returns false at an invalid or
    // incomplete sequence (with `in` pointing at it), true when everything was converted.
    bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
        while (inLeft > 0) {
            char buffer[256];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            char* inPtr = const_cast<char*>(in);
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            in = inPtr;
            if (rc == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
                return false;
            }
        }
        return true;
    }

  private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence starting with byte `lead`, 0 when it cannot start one.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Length of the valid UTF-8 character at bytes[i], 0 when it is not one.
std::size_t ValidUtf8CharAt(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 0 || i + length > bytes.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return 0;
    if (length >= 3) {
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (lead == 0xE0 && second < 0xA0) return 0;   // overlong
        if (lead == 0xED && second >= 0xA0) return 0;  // surrogate
        if (lead == 0xF0 && second < 0x90) return 0;   // overlong
        if (lead == 0xF4 && second >= 0x90) return 0;  // beyond U+10FFFF
    }
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = ValidUtf8CharAt(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string ShiftJisToUtf8(std::string_view sjis) {
    Converter converter("UTF-8", "CP932");
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    const char* in = sjis.data();
    std::size_t left = sjis.size();
    while (!converter.Convert(in, left, out)) {
        out += "\xEF\xBF\xBD";  // U+FFFD for the byte that does not convert
        ++in;
        --left;
    }
    return out;
}

std::string Utf8ToShiftJis(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = ValidUtf8CharAt(utf8, i);
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        const char* in = utf8.data() + i;
        std::size_t left = length;
        std::string converted;
        if (converter.Convert(in, left, converted))
            out += converted;
        else
            out += '?';
        i += length;
    }
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        return IsValidUtf8(bytes) ? std::string(bytes) : ShiftJisToUtf8(bytes);
    }
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return ShiftJisToUtf8(bytes);
}

std::size_t ShiftJisLength(std::string_view utf8) {
    return Utf8ToShiftJis(utf8).size();
}

}  // namespace tvx
