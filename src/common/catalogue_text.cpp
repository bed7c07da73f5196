#include "common/catalogue_text.h"

#include <algorithm>

#include "common/encoding.h"
#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx {
namespace {

// Byte length of the UTF-8 sequence that starts with `lead`.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

char32_t Decode(const std::string& c) {
    const auto b = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(c[i]));
    };
    if (c.size() == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    if (c.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    return c.size() == 1 ? b(0) : 0;
}

std::string Encode(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// Full-width katakana ァ (U+30A1) .. ヶ (U+30F6) as half-width: the base character and, for
// voiced and semi-voiced ones, the sound mark. 0 where there is no half-width form.
struct HalfKana {
    char16_t base;
    char16_t mark;
};
constexpr char16_t kVoiced = 0xFF9E;
constexpr char16_t kSemiVoiced = 0xFF9F;
constexpr HalfKana kKatakana[] = {
    {0xFF67, 0},
    {0xFF71, 0},
    {0xFF68, 0},
    {0xFF72, 0},
    {0xFF69, 0},  // ァアィイゥ
    {0xFF73, 0},
    {0xFF6A, 0},
    {0xFF74, 0},
    {0xFF6B, 0},
    {0xFF75, 0},  // ウェエォオ
    {0xFF76, 0},
    {0xFF76, kVoiced},
    {0xFF77, 0},
    {0xFF77, kVoiced},  // カガキギ
    {0xFF78, 0},
    {0xFF78, kVoiced},
    {0xFF79, 0},
    {0xFF79, kVoiced},  // クグケゲ
    {0xFF7A, 0},
    {0xFF7A, kVoiced},
    {0xFF7B, 0},
    {0xFF7B, kVoiced},  // コゴサザ
    {0xFF7C, 0},
    {0xFF7C, kVoiced},
    {0xFF7D, 0},
    {0xFF7D, kVoiced},  // シジスズ
    {0xFF7E, 0},
    {0xFF7E, kVoiced},
    {0xFF7F, 0},
    {0xFF7F, kVoiced},  // セゼソゾ
    {0xFF80, 0},
    {0xFF80, kVoiced},
    {0xFF81, 0},
    {0xFF81, kVoiced},  // タダチヂ
    {0xFF6F, 0},
    {0xFF82, 0},
    {0xFF82, kVoiced},
    {0xFF83, 0},
    {0xFF83, kVoiced},  // ッツヅテデ
    {0xFF84, 0},
    {0xFF84, kVoiced},
    {0xFF85, 0},
    {0xFF86, 0},
    {0xFF87, 0},  // トドナニヌ
    {0xFF88, 0},
    {0xFF89, 0},
    {0xFF8A, 0},
    {0xFF8A, kVoiced},
    {0xFF8A, kSemiVoiced},  // ネノハバパ
    {0xFF8B, 0},
    {0xFF8B, kVoiced},
    {0xFF8B, kSemiVoiced},  // ヒビピ
    {0xFF8C, 0},
    {0xFF8C, kVoiced},
    {0xFF8C, kSemiVoiced},  // フブプ
    {0xFF8D, 0},
    {0xFF8D, kVoiced},
    {0xFF8D, kSemiVoiced},  // ヘベペ
    {0xFF8E, 0},
    {0xFF8E, kVoiced},
    {0xFF8E, kSemiVoiced},  // ホボポ
    {0xFF8F, 0},
    {0xFF90, 0},
    {0xFF91, 0},
    {0xFF92, 0},
    {0xFF93, 0},  // マミムメモ
    {0xFF6C, 0},
    {0xFF94, 0},
    {0xFF6D, 0},
    {0xFF95, 0},
    {0xFF6E, 0},  // ャヤュユョ
    {0xFF96, 0},
    {0xFF97, 0},
    {0xFF98, 0},
    {0xFF99, 0},
    {0xFF9A, 0},  // ヨラリルレ
    {0xFF9B, 0},
    {0, 0},
    {0xFF9C, 0},
    {0, 0},
    {0, 0},  // ロヮワヰヱ
    {0xFF66, 0},
    {0xFF9D, 0},
    {0xFF73, kVoiced},
    {0, 0},
    {0, 0},  // ヲンヴヵヶ
};

static_assert(sizeof kKatakana / sizeof kKatakana[0] == 0x30F6 - 0x30A1 + 1);

std::string HalfWidthOf(char32_t code) {
    if (code == 0x3000) return " ";
    if (code >= 0xFF01 && code <= 0xFF5E) return Encode(code - 0xFF01 + 0x21);
    if (code >= 0x30A1 && code <= 0x30F6) {
        const HalfKana kana = kKatakana[code - 0x30A1];
        if (kana.base == 0) return {};
        return Encode(kana.base) + (kana.mark != 0 ? Encode(kana.mark) : std::string());
    }
    switch (code) {
        case 0x3002:
            return Encode(0xFF61);  // 。
        case 0x300C:
            return Encode(0xFF62);  // 「
        case 0x300D:
            return Encode(0xFF63);  // 」
        case 0x3001:
            return Encode(0xFF64);  // 、
        case 0x30FB:
            return Encode(0xFF65);  // ・
        case 0x30FC:
            return Encode(0xFF70);  // ー
        case 0x309B:
            return Encode(kVoiced);
        case 0x309C:
            return Encode(kSemiVoiced);
        default:
            return {};
    }
}

}  // namespace

std::vector<std::string> Utf8Characters(std::string_view utf8) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        characters.emplace_back(utf8.substr(i, n));
        i += n;
    }
    return characters;
}

std::string ShiftJisFitted(std::string_view utf8, std::size_t bytes) {
    std::vector<std::string> characters = Utf8Characters(utf8);
    std::string sjis;
    for (;;) {
        std::string joined;
        for (const std::string& c : characters) joined += c;
        sjis = Utf8ToShiftJis(joined);
        if (sjis.size() <= bytes || characters.empty()) break;
        characters.pop_back();
    }
    sjis.append(bytes - std::min(bytes, sjis.size()), ' ');
    return sjis;
}

std::string ToHalfWidth(std::string_view utf8) {
    std::string out;
    for (const std::string& c : Utf8Characters(utf8)) {
        const std::string half = HalfWidthOf(Decode(c));
        out += half.empty() ? c : half;
    }
    return out;
}

std::string CataloguePriceText(std::int64_t price) {
    return price == 0 ? std::string() : Grouped(price);
}

std::string_view ByteRange(std::string_view line, std::size_t first, std::size_t last) {
    if (first == 0 || first > line.size() || last < first) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

CatalogueText ParseCatalogueText(std::string_view bytes, std::size_t oldLineBytes,
                                 const std::function<std::string(std::string_view)>& convert) {
    CatalogueText text;
    bool highByte = false;
    for (const char c : bytes) highByte = highByte || static_cast<unsigned char>(c) >= 0x80;
    const bool utf8 = (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") ||
                      (highByte && IsValidUtf8(bytes));
    const std::string sjis = utf8 ? Utf8ToShiftJis(DecodeFileText(bytes)) : std::string(bytes);
    for (std::string& line : SplitLines(sjis)) {
        if (line.size() == oldLineBytes) {
            line = convert(line);
            text.converted = true;
        }
        text.lines.push_back(std::move(line));
    }
    return text;
}

std::string CatalogueFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace tvx
