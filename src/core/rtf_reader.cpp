// Reading RTF: groups, control words and symbols, destinations and the font table.
#include "core/rtf_reader_internal.h"

#include <algorithm>
#include <array>
#include <limits>

namespace calc {
namespace rtf_detail {
namespace {

// Word nests a few dozen groups at most; the cap only stops hostile files.
constexpr std::size_t kMaxDepth = 1000;
// A hostile font table must not grow the map without bound.
constexpr std::size_t kMaxFonts = 4096;

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

} // namespace

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

} // namespace rtf_detail

RtfReadResult ReadRtf(std::string_view rtf) {
    return rtf_detail::Reader(rtf).run();
}

} // namespace calc
