// What every fuzz target shares: a failed property aborts, so libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

[[noreturn]] inline void fail(const char* property, std::string_view detail) {
    std::fprintf(stderr, "\nproperty broken: %s\n  [%.*s]\n", property,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void check(bool holds, const char* property, std::string_view detail = {}) {
    if (!holds)
        fail(property, detail);
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Strict UTF-8: no overlongs, no surrogates, nothing past U+10FFFF.
inline bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            lo = b == 0xE0 ? 0xA0 : 0x80;
            hi = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            lo = b == 0xF0 ? 0x90 : 0x80;
            hi = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (c < lo || c > hi)
                return false;
            lo = 0x80;
            hi = 0xBF;
        }
        i += len;
    }
    return true;
}

} // namespace fuzz
