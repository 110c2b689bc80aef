// What tests/faults/atomic_write_child writes, so that the test knows the whole file it
// expects: a note page (a long tape as RTF) or the bytes of a download.
#pragma once

#include "core/rtf.h"

#include <string>
#include <string_view>

namespace test {

// `kind` is "page" or "download"; `version` tells two contents of one kind apart.
inline std::string ChildContent(std::string_view kind, std::size_t size, char version) {
    if (kind == "page") {
        std::string tape;
        const std::string line = std::string("1234 + 5678 =  691") + version + "\r\n";
        while (tape.size() < size)
            tape += line;
        return calc::WriteRtf(tape);
    }
    std::string bytes = "GIF89a";
    while (bytes.size() < size)
        bytes += version;
    return bytes;
}

} // namespace test
