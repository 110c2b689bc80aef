// The note-page reader on any bytes, and the writer and reader together: whatever text the
// reader gives is valid UTF-8 within three bytes per input byte, and it survives being saved as
// a page and loaded again, as every text the tape can hold does.
#include "core/rtf.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

using fuzz::check;

namespace {

std::string asciiOnly(std::string_view s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
    return out;
}

// A page written from `text` loads back as `text` when it is valid UTF-8; other bytes become
// U+FFFD, and ASCII is never taken into a replacement.
void checkSavedAndLoaded(std::string_view text) {
    const std::string page = calc::WriteRtf(text);
    check(asciiOnly(page) == page, "a written page is 7-bit ASCII", text);
    const calc::RtfReadResult back = calc::ReadRtf(page);
    check(back.ok && !back.truncated, "a written page reads", back.error);
    if (fuzz::validUtf8(text)) {
        check(back.text == text, "a page loads back to the saved text", text);
        return;
    }
    check(fuzz::validUtf8(back.text), "bad UTF-8 is replaced, not copied", text);
    check(asciiOnly(back.text) == asciiOnly(text), "replacements leave ASCII alone", text);
    check(calc::ReadRtf(calc::WriteRtf(back.text)).text == back.text,
          "the replaced text is saved and loaded as it is", back.text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);

    const calc::RtfReadResult r = calc::ReadRtf(bytes);
    check(r.ok == r.error.empty(), "a failure, and only a failure, gives a reason", r.error);
    check(!r.truncated || r.ok, "a cut-off page still reads", bytes);
    check(fuzz::validUtf8(r.text), "the text read is valid UTF-8", r.text);
    check(r.text.size() <= 3 * size, "the text read is at most three bytes a byte", bytes);
    if (r.ok)
        checkSavedAndLoaded(r.text);

    // The same bytes as a tape.
    checkSavedAndLoaded(bytes);
    return 0;
}
