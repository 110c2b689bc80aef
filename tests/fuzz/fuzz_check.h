// What every fuzz target shares: a failed property aborts, so libFuzzer keeps the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace fuzz {

inline void check(bool holds, const char* property, std::string_view detail = {}) {
    if (holds)
        return;
    std::fprintf(stderr, "\nproperty broken: %s\n  [%.*s]\n", property,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

} // namespace fuzz
