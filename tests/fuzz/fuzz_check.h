// What every fuzz target shares: a failed property aborts, so libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline void check(bool holds, const char* property, std::string_view detail = {}) {
    if (holds)
        return;
    std::fprintf(stderr, "\nproperty broken: %s\n  [%.*s]\n", property,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline bool containsInfOrNan(std::string_view s) {
    return s.find("inf") != std::string_view::npos || s.find("nan") != std::string_view::npos;
}

// Strict UTF-8: no overlongs, no surrogates, nothing past U+10FFFF.
inline bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80   ? 1
                                : b < 0xC2 ? 0
                                : b < 0xE0 ? 2
                                : b < 0xF0 ? 3
                                : b < 0xF5 ? 4
                                           : 0;
        if (len == 0 || i + len > s.size())
            return false;
        // The second byte's range narrows after E0, ED, F0 and F4.
        unsigned char lo = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        unsigned char hi = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        for (std::size_t k = 1; k < len; ++k, lo = 0x80, hi = 0xBF) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (c < lo || c > hi)
                return false;
        }
        i += len;
    }
    return true;
}

} // namespace fuzz
