// The RTF reader's state, shared by its two halves: rtf_reader.cpp reads groups and control
// words, rtf_decoding.cpp turns bytes and \u values into UTF-8.
#pragma once

#include "core/rtf.h"

#include <cstddef>
#include <cstdint>
#include <iconv.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace calc::rtf_detail {

constexpr char32_t kReplacement = 0xFFFD;

// Code pages carry their Windows numbers; the Symbol font has none.
constexpr int kCpSymbol = -2;
constexpr int kCpDefault = 1252;
constexpr int kCpMacRoman = 10000;

void AppendUtf8(std::string& out, char32_t c);

// iconv handles opened during one read, closed with it. Looked up by hash: a hostile page can
// name a new code page every few bytes.
class Converters {
  public:
    Converters() = default;
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
    ~Converters();

    // The handle decoding `cp` to UTF-8, or nullptr when iconv does not know it.
    iconv_t get(int cp);

  private:
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

} // namespace calc::rtf_detail
