// The note-page reader on any bytes, and the writer and reader together: whatever text the
// reader gives is valid UTF-8 within three bytes per input byte, and it survives being saved as
// a page and loaded again, as every text the tape can hold does.
#include "core/rtf.h"
#include "fuzz_check.h"

#include <algorithm>
#include <string>

using fuzz::check;

namespace {

// Strict UTF-8: no overlongs, no surrogates, nothing past U+10FFFF.
bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len =
            (b < 0x80) + (b >= 0xC2 && b < 0xF5) * (2 + (b >= 0xE0) + (b >= 0xF0));
        // The second byte's range narrows after E0, ED, F0 and F4.
        unsigned char lo = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        unsigned char hi = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        if (len == 0 || i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k, lo = 0x80, hi = 0xBF)
            if (const auto c = static_cast<unsigned char>(s[i + k]); c < lo || c > hi)
                return false;
        i += len;
    }
    return true;
}

std::string asciiOnly(std::string s) {
    std::erase_if(s, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return s;
}

// A page written from `text` is 7-bit ASCII and loads back as `text` when it is valid UTF-8;
// other bytes become U+FFFD, and ASCII is never taken into a replacement.
void checkSavedAndLoaded(std::string_view text) {
    const std::string page = calc::WriteRtf(text);
    check(asciiOnly(page) == page, "a written page is 7-bit ASCII", text);
    const calc::RtfReadResult back = calc::ReadRtf(page);
    check(back.ok && !back.truncated && (!validUtf8(text) || back.text == text),
          "a written page reads, and back to the saved text", text);
    check(validUtf8(back.text) && asciiOnly(back.text) == asciiOnly(std::string(text)),
          "bad UTF-8 is replaced, leaving ASCII alone", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const calc::RtfReadResult r = calc::ReadRtf(bytes);
    check(r.ok == r.error.empty() && (r.ok || !r.truncated),
          "a failure, and only a failure, gives a reason; a cut-off page still reads", bytes);
    check(validUtf8(r.text) && r.text.size() <= 3 * size,
          "the text read is valid UTF-8, at most three bytes a byte", bytes);
    if (r.ok)
        checkSavedAndLoaded(r.text);
    checkSavedAndLoaded(bytes); // the same bytes as a tape
    return 0;
}
