#include "core/rtf.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <limits>
#include <unordered_map>
#include <vector>

namespace calc {
namespace {

// Word nests a few dozen groups at most; the cap only stops hostile files.
constexpr std::size_t kMaxDepth = 1000;
// A hostile font table must not grow the map without bound.
constexpr std::size_t kMaxFonts = 4096;
// Bytes for iconv are decoded in batches; the cap bounds the batch on files without breaks.
constexpr std::size_t kMaxPendingBytes = 4096;

constexpr char32_t kReplacement = 0xFFFD;

// Code pages carry their Windows numbers; the Symbol font has none.
constexpr int kCpSymbol = -2;
constexpr int kCpDefault = 1252;
constexpr int kCpMacRoman = 10000;

// Windows reads the five unassigned bytes as the C1 controls of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252Char(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80u] : b;
}

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

bool IsAlpha(unsigned char b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}
bool IsDigit(unsigned char b) {
    return b >= '0' && b <= '9';
}

int HexValue(unsigned char b) {
    if (IsDigit(b))
        return b - '0';
    if (b >= 'a' && b <= 'f')
        return b - 'a' + 10;
    if (b >= 'A' && b <= 'F')
        return b - 'A' + 10;
    return -1;
}

// Printable ASCII that is text as it stands: runs of it are copied in one go.
constexpr std::array<bool, 256> MakeTextRunTable() {
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x7F; ++c) {
        t[static_cast<std::size_t>(c)] = true;
    }
    t['\\'] = t['{'] = t['}'] = false;
    return t;
}
constexpr std::array<bool, 256> kTextRun = MakeTextRunTable();

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

enum class Kw : unsigned char {
    Ansi,
    Ansicpg,
    Bin,
    Cpg,
    Deff,
    F,
    Fcharset,
    Fonttbl,
    Mac,
    Pc,
    Pca,
    Plain,
    Uc,
    U,
    SkipDest,
    Par,
    Page,
    Tab,
    Char,
};

struct Keyword {
    std::string_view name;
    Kw kw;
    char32_t ch = 0;
};

// Sorted by name for the binary search.
constexpr Keyword kKeywords[] = {
    {"aftncn", Kw::SkipDest},
    {"aftnsep", Kw::SkipDest},
    {"aftnsepc", Kw::SkipDest},
    {"ansi", Kw::Ansi},
    {"ansicpg", Kw::Ansicpg},
    {"bin", Kw::Bin},
    {"bkmkend", Kw::SkipDest},
    {"bkmkstart", Kw::SkipDest},
    {"bullet", Kw::Char, 0x2022},
    {"cell", Kw::Par},
    {"colortbl", Kw::SkipDest},
    {"column", Kw::Page},
    {"cpg", Kw::Cpg},
    {"datastore", Kw::SkipDest},
    {"deff", Kw::Deff},
    {"emdash", Kw::Char, 0x2014},
    {"emspace", Kw::Char, 0x2003},
    {"endash", Kw::Char, 0x2013},
    {"enspace", Kw::Char, 0x2002},
    {"f", Kw::F},
    {"fcharset", Kw::Fcharset},
    {"fldinst", Kw::SkipDest},
    {"fonttbl", Kw::Fonttbl},
    {"footer", Kw::SkipDest},
    {"footerf", Kw::SkipDest},
    {"footerl", Kw::SkipDest},
    {"footerr", Kw::SkipDest},
    {"footnote", Kw::SkipDest},
    {"ftncn", Kw::SkipDest},
    {"ftnsep", Kw::SkipDest},
    {"ftnsepc", Kw::SkipDest},
    {"header", Kw::SkipDest},
    {"headerf", Kw::SkipDest},
    {"headerl", Kw::SkipDest},
    {"headerr", Kw::SkipDest},
    {"info", Kw::SkipDest},
    {"ldblquote", Kw::Char, 0x201C},
    {"line", Kw::Par},
    {"listoverridetable", Kw::SkipDest},
    {"listtable", Kw::SkipDest},
    {"lquote", Kw::Char, 0x2018},
    {"mac", Kw::Mac},
    {"nestcell", Kw::Par},
    {"nonshppict", Kw::SkipDest},
    {"objdata", Kw::SkipDest},
    {"page", Kw::Page},
    {"par", Kw::Par},
    {"pc", Kw::Pc},
    {"pca", Kw::Pca},
    {"pict", Kw::SkipDest},
    {"plain", Kw::Plain},
    {"pn", Kw::SkipDest},
    {"rdblquote", Kw::Char, 0x201D},
    {"revtbl", Kw::SkipDest},
    {"rquote", Kw::Char, 0x2019},
    {"rsidtbl", Kw::SkipDest},
    {"sect", Kw::Par},
    {"sp", Kw::SkipDest},
    {"stylesheet", Kw::SkipDest},
    {"tab", Kw::Tab},
    {"tc", Kw::SkipDest},
    {"tcn", Kw::SkipDest},
    {"themedata", Kw::SkipDest},
    {"u", Kw::U},
    {"uc", Kw::Uc},
    {"xe", Kw::SkipDest},
};

constexpr bool KeywordsSorted() {
    for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
        if (!(kKeywords[i - 1].name < kKeywords[i].name)) {
            return false;
        }
    }
    return true;
}
static_assert(KeywordsSorted(), "kKeywords must stay sorted for the binary search");

const Keyword* FindKeyword(std::string_view name) {
    const auto* it =
        std::lower_bound(std::begin(kKeywords), std::end(kKeywords), name,
                         [](const Keyword& k, std::string_view n) { return k.name < n; });
    return (it != std::end(kKeywords) && it->name == name) ? it : nullptr;
}

// iconv handles opened during one read, closed with it. Looked up by hash: a hostile page can
// name a new code page every few bytes.
class Converters {
  public:
    Converters() = default;
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
    ~Converters() {
        for (const auto& [cp, handle] : handles_) {
            if (handle != kInvalid) {
                iconv_close(handle);
            }
        }
    }

    // The handle decoding `cp` to UTF-8, or nullptr when iconv does not know it.
    iconv_t get(int cp) {
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

  private:
    static inline const iconv_t kInvalid =
        reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
    std::unordered_map<int, iconv_t> handles_;
};

enum class Dest : unsigned char { Text, Skip, FontTable };

struct Group {
    Dest dest = Dest::Text;
    int uc = 1;
    int font = -1; // -1: the default font (\deff)
};

struct Font {
    int charset = -1;
    int codePage = 0;
};

class Reader {
  public:
    explicit Reader(std::string_view in) : in_(in) {}
    RtfReadResult run();

  private:
    Group& cur() { return stack_.back(); }
    void controlWord();
    void controlSymbol();
    void word(std::string_view name, bool hasParam, std::int32_t param);
    void rawText();
    void skipBinary(std::int32_t count);

    int currentCodePage();
    void invalidateCodePage() { cacheValid_ = false; }
    void addByte(unsigned char b);
    void flushBytes();
    void resolveHighSurrogate() {
        if (pendingHigh_ != 0) {
            AppendUtf8(out_, kReplacement);
            pendingHigh_ = 0;
        }
    }
    // Everything that goes out flushes what waits before it, in order.
    void settle() {
        if (!pendingBytes_.empty())
            flushBytes();
        resolveHighSurrogate();
    }
    void emit(char32_t c) {
        settle();
        AppendUtf8(out_, c);
    }
    void emitNewline() {
        settle();
        out_ += "\r\n";
    }
    void unicode(std::int32_t value);

    RtfReadResult finish(bool ok, std::string error);

    std::string_view in_;
    std::size_t pos_ = 0;
    std::string out_;
    std::vector<Group> stack_;
    int skip_ = 0; // \uc fallback characters still to skip

    int docCp_ = kCpDefault;
    int deff_ = 0;
    int definingFont_ = 0;
    std::unordered_map<int, Font> fonts_;
    bool cacheValid_ = false;
    int cachedFont_ = 0;
    int cachedCp_ = kCpDefault;

    std::string pendingBytes_;
    int pendingCp_ = 0;
    bool awaitingTrail_ = false;
    char32_t pendingHigh_ = 0;
    Converters converters_;
};

RtfReadResult Reader::finish(bool ok, std::string error) {
    settle();
    RtfReadResult r;
    r.ok = ok;
    r.text = std::move(out_);
    r.error = std::move(error);
    r.truncated = ok && !stack_.empty();
    return r;
}

RtfReadResult Reader::run() {
    std::size_t p = 0;
    if (in_.substr(0, 3) == "\xEF\xBB\xBF") {
        p = 3;
    }
    while (p < in_.size() &&
           (in_[p] == ' ' || in_[p] == '\t' || in_[p] == '\r' || in_[p] == '\n')) {
        ++p;
    }
    if (p == in_.size()) {
        return finish(false, "empty file");
    }
    if (in_.substr(p, 5) != "{\\rtf" ||
        (p + 5 < in_.size() && IsAlpha(static_cast<unsigned char>(in_[p + 5])))) {
        return finish(false, "not an RTF document");
    }
    pos_ = p;
    out_.reserve(std::min<std::size_t>(in_.size(), std::size_t{64} << 20));
    stack_.reserve(64);

    const std::size_t n = in_.size();
    while (pos_ < n) {
        const unsigned char b = static_cast<unsigned char>(in_[pos_]);
        if (b == '{') {
            ++pos_;
            skip_ = 0;
            if (stack_.size() >= kMaxDepth) {
                return finish(false, "groups nested too deeply");
            }
            stack_.push_back(stack_.empty() ? Group{} : stack_.back());
        } else if (b == '}') {
            ++pos_;
            skip_ = 0;
            stack_.pop_back();
            if (stack_.empty()) {
                break; // whatever follows the document is not part of it
            }
        } else if (b == '\\') {
            ++pos_;
            if (pos_ < n) {
                if (IsAlpha(static_cast<unsigned char>(in_[pos_]))) {
                    controlWord();
                } else {
                    controlSymbol();
                }
            }
        } else {
            rawText();
        }
    }
    return finish(true, {});
}

void Reader::rawText() {
    const unsigned char b = static_cast<unsigned char>(in_[pos_]);
    // Line ends only lay out the file; other control bytes (NUL above all) are noise.
    if ((b < 0x20 && b != '\t') || b == 0x7F) {
        ++pos_;
        return;
    }
    if (skip_ > 0) {
        --skip_;
        ++pos_;
        return;
    }
    if (cur().dest != Dest::Text) {
        ++pos_;
        while (pos_ < in_.size() && kTextRun[static_cast<unsigned char>(in_[pos_])]) {
            ++pos_;
        }
        return;
    }
    if (b == '\t') {
        emit('\t');
        ++pos_;
        return;
    }
    // A double-byte character may carry its second byte as plain ASCII.
    if (b >= 0x80 || (awaitingTrail_ && b >= 0x40)) {
        addByte(b);
        ++pos_;
        return;
    }
    std::size_t end = pos_ + 1;
    while (end < in_.size() && kTextRun[static_cast<unsigned char>(in_[end])]) {
        ++end;
    }
    settle();
    out_.append(in_.data() + pos_, end - pos_);
    pos_ = end;
}

void Reader::controlSymbol() {
    const unsigned char c = static_cast<unsigned char>(in_[pos_]);
    ++pos_;
    if (c == '\'') {
        // Two hex digits; a cut-off or malformed one stands for no byte at all.
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size()) {
            const int h = HexValue(static_cast<unsigned char>(in_[pos_]));
            if (h < 0)
                break;
            value = value * 16 + h;
            ++digits;
            ++pos_;
        }
        if (skip_ > 0) {
            --skip_;
        } else if (digits == 2 && cur().dest == Dest::Text) {
            addByte(static_cast<unsigned char>(value));
        }
        return;
    }
    if (skip_ > 0) {
        --skip_;
        return;
    }
    if (c == '*') {
        cur().dest = Dest::Skip;
        return;
    }
    if (cur().dest != Dest::Text) {
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        // Escaped, these are also valid second bytes of double-byte characters.
        if (awaitingTrail_) {
            addByte(c);
        } else {
            emit(c);
        }
        break;
    case '~':
        emit(0x00A0);
        break;
    case '-':
        emit(0x00AD);
        break;
    case '_':
        emit(0x2011);
        break;
    case '\n':
    case '\r':
        emitNewline();
        break;
    default:
        break;
    }
}

void Reader::controlWord() {
    const std::size_t n = in_.size();
    const std::size_t start = pos_;
    while (pos_ < n && IsAlpha(static_cast<unsigned char>(in_[pos_]))) {
        ++pos_;
    }
    const std::string_view name = in_.substr(start, pos_ - start);

    bool negative = false;
    if (pos_ + 1 < n && in_[pos_] == '-' && IsDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
        negative = true;
        ++pos_;
    }
    bool hasParam = false;
    std::int64_t value = 0;
    int digits = 0;
    while (pos_ < n && IsDigit(static_cast<unsigned char>(in_[pos_]))) {
        // Parameters are 32-bit: further digits cannot matter, only be read past.
        if (digits < 10) {
            value = value * 10 + (in_[pos_] - '0');
        }
        ++digits;
        ++pos_;
        hasParam = true;
    }
    if (negative) {
        value = -value;
    }
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    if (pos_ < n && in_[pos_] == ' ') {
        ++pos_;
    }
    word(name, hasParam, static_cast<std::int32_t>(value));
}

void Reader::skipBinary(std::int32_t count) {
    if (count > 0) {
        pos_ += std::min<std::size_t>(static_cast<std::size_t>(count), in_.size() - pos_);
    }
}

void Reader::word(std::string_view name, bool hasParam, std::int32_t param) {
    const Keyword* k = FindKeyword(name);
    if (k == nullptr) {
        if (skip_ > 0)
            --skip_;
        return;
    }
    if (k->kw == Kw::Bin) {
        // The data is never text, whether skipped as a fallback or not.
        skipBinary(hasParam ? param : 0);
        if (skip_ > 0)
            --skip_;
        return;
    }
    if (skip_ > 0) {
        --skip_;
        return;
    }
    Group& g = cur();
    if (g.dest == Dest::Skip) {
        return;
    }
    switch (k->kw) {
    case Kw::Fonttbl:
        g.dest = Dest::FontTable;
        return;
    case Kw::SkipDest:
        g.dest = Dest::Skip;
        return;
    case Kw::Uc:
        if (hasParam)
            g.uc = std::max(param, 0);
        return;
    case Kw::U:
        if (hasParam) {
            if (g.dest == Dest::Text)
                unicode(param);
            skip_ = g.uc;
        }
        return;
    default:
        break;
    }
    if (g.dest == Dest::FontTable) {
        switch (k->kw) {
        case Kw::F:
            definingFont_ = param;
            if (fonts_.size() < kMaxFonts)
                fonts_.try_emplace(param);
            invalidateCodePage();
            break;
        case Kw::Fcharset:
        case Kw::Cpg:
            if (auto it = fonts_.find(definingFont_); it != fonts_.end()) {
                (k->kw == Kw::Fcharset ? it->second.charset : it->second.codePage) = param;
                invalidateCodePage();
            }
            break;
        default:
            break;
        }
        return;
    }
    switch (k->kw) {
    case Kw::Ansi:
        docCp_ = kCpDefault;
        invalidateCodePage();
        break;
    case Kw::Mac:
        docCp_ = kCpMacRoman;
        invalidateCodePage();
        break;
    case Kw::Pc:
        docCp_ = 437;
        invalidateCodePage();
        break;
    case Kw::Pca:
        docCp_ = 850;
        invalidateCodePage();
        break;
    case Kw::Ansicpg:
        if (param > 0) {
            docCp_ = param;
            invalidateCodePage();
        }
        break;
    case Kw::Deff:
        deff_ = param;
        invalidateCodePage();
        break;
    case Kw::F:
        g.font = std::max(param, 0);
        break;
    case Kw::Plain:
        g.font = -1;
        break;
    case Kw::Par:
        emitNewline();
        break;
    case Kw::Page:
        settle();
        if (!out_.empty() && out_.back() != '\n')
            emitNewline();
        break;
    case Kw::Tab:
        emit('\t');
        break;
    case Kw::Char:
        emit(k->ch);
        break;
    default:
        break;
    }
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

} // namespace

RtfReadResult ReadRtf(std::string_view rtf) {
    return Reader(rtf).run();
}

} // namespace calc
