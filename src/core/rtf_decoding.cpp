// Character sets: bytes in the current font's or the document's code page, and \u values,
// decoded to UTF-8.
#include "core/rtf_reader_internal.h"

#include <array>
#include <cerrno>

namespace calc::rtf_detail {
namespace {

// Bytes for iconv are decoded in batches; the cap bounds the batch on files without breaks.
constexpr std::size_t kMaxPendingBytes = 4096;

const iconv_t kInvalid = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

// Windows reads the five unassigned bytes as the C1 controls of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252Char(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80u] : b;
}

// The length of the well-formed UTF-8 sequence at s[i], or 0 with `bad` set to the length of
// its ill-formed start (at least one byte, never a byte that could begin a character).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i, std::size_t& bad) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return 1;
    std::size_t len = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        lo = b0 == 0xE0 ? 0xA0 : 0x80; // overlong
        hi = b0 == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        lo = b0 == 0xF0 ? 0x90 : 0x80; // overlong
        hi = b0 == 0xF4 ? 0x8F : 0xBF; // beyond U+10FFFF
    } else {
        bad = 1;
        return 0;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
        if (b < lo || b > hi) {
            bad = k;
            return 0;
        }
        lo = 0x80;
        hi = 0xBF;
    }
    return len;
}

// Replaces each ill-formed part of out[from..] by U+FFFD. iconv's UTF-8 to UTF-8 copies
// ill-formed bytes (even five-byte forms) as they stand.
void RepairUtf8(std::string& out, std::size_t from) {
    std::size_t i = from;
    std::size_t bad = 0;
    while (i < out.size()) {
        const std::size_t n = Utf8SequenceLength(out, i, bad);
        if (n == 0)
            break;
        i += n;
    }
    if (i == out.size())
        return;
    const std::size_t firstBad = i;
    std::string repaired;
    repaired.reserve(out.size() - i + 16);
    while (i < out.size()) {
        if (const std::size_t n = Utf8SequenceLength(out, i, bad)) {
            repaired.append(out, i, n);
            i += n;
        } else {
            repaired += "\xEF\xBF\xBD";
            i += bad;
        }
    }
    out.resize(firstBad);
    out += repaired;
}

// Code page of a font's \fcharset, 0 when it names none (the document code page applies).
int CharsetCodePage(int charset) {
    struct Entry {
        int charset;
        int cp;
    };
    static constexpr Entry kTable[] = {{2, kCpSymbol}, {77, kCpMacRoman}, {128, 932},  {129, 949},
                                       {134, 936},     {136, 950},        {161, 1253}, {162, 1254},
                                       {163, 1258},    {177, 1255},       {178, 1256}, {186, 1257},
                                       {204, 1251},    {222, 874},        {238, 1250}};
    for (const Entry& e : kTable) {
        if (e.charset == charset) {
            return e.cp;
        }
    }
    return 0;
}

bool IsDoubleByteCodePage(int cp) {
    return cp == 932 || cp == 936 || cp == 949 || cp == 950;
}

bool IsLeadByte(int cp, unsigned char b) {
    if (cp == 932) {
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    }
    return b >= 0x81 && b <= 0xFE;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        const char s[2] = {static_cast<char>(0xC0 | (c >> 6)),
                           static_cast<char>(0x80 | (c & 0x3F))};
        out.append(s, 2);
    } else if (c < 0x10000) {
        const char s[3] = {static_cast<char>(0xE0 | (c >> 12)),
                           static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                           static_cast<char>(0x80 | (c & 0x3F))};
        out.append(s, 3);
    } else {
        const char s[4] = {
            static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        out.append(s, 4);
    }
}

Converters::~Converters() {
    for (const auto& [cp, handle] : handles_) {
        if (handle != kInvalid) {
            iconv_close(handle);
        }
    }
}

iconv_t Converters::get(int cp) {
    if (const auto it = handles_.find(cp); it != handles_.end()) {
        return it->second == kInvalid ? nullptr : it->second;
    }
    std::string name;
    if (cp == kCpMacRoman) {
        name = "MACINTOSH";
    } else if (cp == 65001) {
        name = "UTF-8";
    } else {
        name = "CP" + std::to_string(cp);
    }
    const iconv_t h = iconv_open("UTF-8", name.c_str());
    handles_.emplace(cp, h);
    return h == kInvalid ? nullptr : h;
}

void Reader::unicode(std::int32_t value) {
    std::int64_t v = value;
    if (v < 0)
        v += 0x10000;
    if (v < 0 || v > 0xFFFF) {
        emit(kReplacement);
        return;
    }
    const auto c = static_cast<char32_t>(v);
    if (c >= 0xD800 && c <= 0xDBFF) {
        settle();
        pendingHigh_ = c;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
        if (!pendingBytes_.empty())
            flushBytes();
        if (pendingHigh_ != 0) {
            AppendUtf8(out_, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (c - 0xDC00));
            pendingHigh_ = 0;
        } else {
            AppendUtf8(out_, kReplacement);
        }
    } else {
        emit(c);
    }
}

int Reader::currentCodePage() {
    const int font = cur().font >= 0 ? cur().font : deff_;
    if (cacheValid_ && font == cachedFont_) {
        return cachedCp_;
    }
    int cp = 0;
    if (auto it = fonts_.find(font); it != fonts_.end()) {
        cp = it->second.codePage > 0 ? it->second.codePage : CharsetCodePage(it->second.charset);
    }
    cacheValid_ = true;
    cachedFont_ = font;
    cachedCp_ = cp != 0 ? cp : docCp_;
    return cachedCp_;
}

void Reader::addByte(unsigned char b) {
    resolveHighSurrogate();
    int cp = currentCodePage();
    if (cp == kCpSymbol) {
        if (b == 0xB7) {
            // The bullet WordPad writes for lists, in the Symbol font.
            emit(0x2022);
            return;
        }
        cp = docCp_;
    }
    if (cp != kCpDefault && converters_.get(cp) != nullptr) {
        if (cp != pendingCp_ && !pendingBytes_.empty()) {
            flushBytes();
        }
        pendingCp_ = cp;
        pendingBytes_ += static_cast<char>(b);
        if (IsDoubleByteCodePage(cp)) {
            awaitingTrail_ = !awaitingTrail_ && IsLeadByte(cp, b);
        }
        if (pendingBytes_.size() >= kMaxPendingBytes && !awaitingTrail_) {
            flushBytes();
        }
        return;
    }
    // Code page 1252, and the fallback for code pages iconv does not know.
    emit(Cp1252Char(b));
}

void Reader::flushBytes() {
    const iconv_t h = converters_.get(pendingCp_);
    char* in = pendingBytes_.data();
    std::size_t inLeft = pendingBytes_.size();
    const std::size_t start = out_.size();
    std::size_t used = start;
    out_.resize(used + inLeft * 4 + 8);
    while (inLeft > 0) {
        char* outp = out_.data() + used;
        std::size_t outLeft = out_.size() - used;
        const std::size_t r = iconv(h, &in, &inLeft, &outp, &outLeft);
        used = static_cast<std::size_t>(outp - out_.data());
        if (r != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out_.resize(out_.size() + inLeft * 4 + 8);
            continue;
        }
        // An invalid or cut-off sequence: one replacement per bad byte, then go on.
        if (out_.size() - used < 3) {
            out_.resize(used + inLeft * 4 + 8);
        }
        out_.replace(used, 3, "\xEF\xBF\xBD");
        used += 3;
        ++in;
        --inLeft;
        iconv(h, nullptr, nullptr, nullptr, nullptr);
    }
    iconv(h, nullptr, nullptr, nullptr, nullptr);
    out_.resize(used);
    RepairUtf8(out_, start);
    pendingBytes_.clear();
    awaitingTrail_ = false;
}

} // namespace calc::rtf_detail
