#include "core/rtf.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace calc {
namespace {

// Code page 1252 keeps the accents and the euro sign readable in the file and in any viewer
// that ignores \u; everything else goes out as \u with a '?' for such viewers.
constexpr std::string_view kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036"
                                     "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";

constexpr std::string_view kTrailer = "}\r\n";

constexpr char32_t kReplacement = 0xFFFD;

// Bytes copied to the file as they are.
constexpr std::array<bool, 256> MakePlainTable() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x7F; ++c) {
        t[static_cast<std::size_t>(c)] = true;
    }
    t['\\'] = t['{'] = t['}'] = false;
    return t;
}
constexpr std::array<bool, 256> kPlain = MakePlainTable();

// The code page 1252 byte of `c`, or 0 when 1252 has none. Its five unassigned bytes are
// left out: those characters go out as \u so that every reader agrees on them.
unsigned char Cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) {
        return static_cast<unsigned char>(c);
    }
    switch (c) {
    case 0x20AC:
        return 0x80;
    case 0x201A:
        return 0x82;
    case 0x0192:
        return 0x83;
    case 0x201E:
        return 0x84;
    case 0x2026:
        return 0x85;
    case 0x2020:
        return 0x86;
    case 0x2021:
        return 0x87;
    case 0x02C6:
        return 0x88;
    case 0x2030:
        return 0x89;
    case 0x0160:
        return 0x8A;
    case 0x2039:
        return 0x8B;
    case 0x0152:
        return 0x8C;
    case 0x017D:
        return 0x8E;
    case 0x2018:
        return 0x91;
    case 0x2019:
        return 0x92;
    case 0x201C:
        return 0x93;
    case 0x201D:
        return 0x94;
    case 0x2022:
        return 0x95;
    case 0x2013:
        return 0x96;
    case 0x2014:
        return 0x97;
    case 0x02DC:
        return 0x98;
    case 0x2122:
        return 0x99;
    case 0x0161:
        return 0x9A;
    case 0x203A:
        return 0x9B;
    case 0x0153:
        return 0x9C;
    case 0x017E:
        return 0x9E;
    case 0x0178:
        return 0x9F;
    default:
        return 0;
    }
}

// Decodes the UTF-8 sequence at text[i] (its first byte is not ASCII) into `c` and returns
// its length. A malformed sequence gives U+FFFD for its longest valid-looking prefix, at least
// one byte, as Unicode recommends, so that one bad byte never swallows the text after it.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t len = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        c = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        c = b0 & 0x0Fu;
        if (b0 == 0xE0)
            lo = 0xA0; // overlong
        if (b0 == 0xED)
            hi = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        c = b0 & 0x07u;
        if (b0 == 0xF0)
            lo = 0x90; // overlong
        if (b0 == 0xF4)
            hi = 0x8F; // beyond U+10FFFF
    } else {
        c = kReplacement;
        return 1;
    }
    for (std::size_t k = 1; k < len; ++k) {
        if (i + k >= text.size()) {
            c = kReplacement;
            return k;
        }
        const unsigned char b = byte(i + k);
        if (b < lo || b > hi) {
            c = kReplacement;
            return k;
        }
        lo = 0x80;
        hi = 0xBF;
        c = (c << 6) | (b & 0x3Fu);
    }
    return len;
}

// \u takes a signed 16-bit value; the '?' is the fallback that \uc1 makes readers skip.
void AppendUnicodeWord(std::string& out, char32_t unit) {
    int value = static_cast<int>(unit);
    if (value > 0x7FFF) {
        value -= 0x10000;
    }
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out += "\\u";
    out.append(digits, end);
    out += '?';
}

void AppendCharacter(std::string& out, char32_t c) {
    if (const unsigned char b = Cp1252Byte(c)) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\'";
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
    } else if (c <= 0xFFFF) {
        AppendUnicodeWord(out, c);
    } else {
        const char32_t v = c - 0x10000;
        AppendUnicodeWord(out, 0xD800 + (v >> 10));
        AppendUnicodeWord(out, 0xDC00 + (v & 0x3FF));
    }
}

} // namespace

std::string WriteRtf(std::string_view text) {
    std::string out;
    out.reserve(kHeader.size() + text.size() + text.size() / 4 + kTrailer.size());
    out += kHeader;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = i;
        while (run < n && kPlain[static_cast<unsigned char>(text[run])]) {
            ++run;
        }
        out.append(text.data() + i, run - i);
        i = run;
        if (i == n) {
            break;
        }
        const unsigned char b = static_cast<unsigned char>(text[i]);
        switch (b) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += static_cast<char>(b);
            ++i;
            continue;
        case '\t':
            // The space ends the word, so a following letter, digit or '-' stays text.
            out += "\\tab ";
            ++i;
            continue;
        case '\r':
            if (i + 1 < n && text[i + 1] == '\n') {
                // Readers ignore raw line ends; they only keep the file readable.
                out += "\\par\r\n";
                i += 2;
                continue;
            }
            break;
        default:
            break;
        }
        if (b < 0x80) {
            // A lone CR or LF or another control character: readers drop these raw.
            AppendUnicodeWord(out, b);
            ++i;
            continue;
        }
        char32_t c = 0;
        i += DecodeUtf8(text, i, c);
        AppendCharacter(out, c);
    }
    out += kTrailer;
    return out;
}

} // namespace calc
