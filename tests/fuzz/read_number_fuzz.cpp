// ReadNumber against an independent reading of the same grammar (C's strtod on the text with a
// point), and the canonical NumberText of every value it gives, which must read back to itself.
#include "core/number_text.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <regex>

using calc::NumberText;
using calc::ReadNumber;
using calc::ReadResult;
using calc::ReadStatus;
using fuzz::check;

namespace {

// The grammar, rebuilt for strtod: blanks around, sign, digits with one comma, exponent.
ReadResult expectedReading(std::string_view text) {
    const std::size_t b = text.find_first_not_of(" \t");
    const std::string_view s =
        b == std::string_view::npos ? "" : text.substr(b, text.find_last_not_of(" \t") - b + 1);
    const auto digitsFrom = [&](std::size_t& i) {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i - from;
    };
    std::size_t i = s.starts_with('+') || s.starts_with('-') ? 1 : 0;
    std::size_t digits = digitsFrom(i);
    if (i < s.size() && s[i] == ',')
        digits += digitsFrom(++i);
    bool exponentOk = true;
    if (digits > 0 && i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        i += i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') ? 2 : 1;
        exponentOk = digitsFrom(i) > 0;
    }
    if (digits == 0 || !exponentOk || i != s.size())
        return {ReadStatus::NotANumber, 0.0};
    std::string c(s);
    std::replace(c.begin(), c.end(), ',', '.');
    const double v = std::strtod(c.c_str(), nullptr);
    return std::isinf(v) ? ReadResult{ReadStatus::Overflow, 0.0} : ReadResult{ReadStatus::Ok, v};
}

// Plain digits for decimal exponents -4..14, "d,dddE+XX" otherwise; at most 15 significant
// digits, no trailing fraction zero, no grouping.
void checkCanonical(const std::string& t) {
    static const std::regex plain(R"(-?(0|[1-9]\d*)(,\d*[1-9])?)");
    static const std::regex exponent(R"(-?[1-9](,\d*[1-9])?E[+-]\d{2,3})");
    const bool isPlain = std::regex_match(t, plain);
    check(isPlain || std::regex_match(t, exponent), "NumberText is canonical", t);
    const std::size_t first = t.find_first_of("123456789");
    const std::size_t end = std::min(t.find('E'), t.size());
    check(std::count_if(t.begin() + static_cast<std::ptrdiff_t>(first),
                        t.begin() + static_cast<std::ptrdiff_t>(end),
                        [](char c) { return c != ','; }) <= 15,
          "at most 15 significant digits", t);
    int power = 0;
    if (isPlain) {
        const std::size_t comma = std::min(t.find(','), t.size());
        power =
            first < comma ? static_cast<int>(comma - first) - 1 : -static_cast<int>(first - comma);
    } else {
        power = std::stoi(t.substr(end + 1));
    }
    check(isPlain == (power >= -4 && power <= 14), "plain form exactly for exponents -4..14", t);
}

// The 15-digit text of values from here up rounds past the largest double.
constexpr double kRoundsPastRange = 1.797693134862315e308;

void checkWrittenReadsBack(double v) {
    if (!std::isfinite(v))
        return; // callers never show these
    const std::string t = NumberText(v);
    if (v == 0.0) {
        check(t == "0", "zero is \"0\"", t);
        return;
    }
    checkCanonical(t);
    check(t.starts_with('-') == (v < 0), "NumberText carries the sign", t);
    const ReadResult back = ReadNumber(t);
    if (back.status == ReadStatus::Overflow) {
        check(std::fabs(v) >= kRoundsPastRange, "only the top 15-digit step overflows", t);
        return;
    }
    check(back.ok() && NumberText(back.value) == t, "NumberText reads back to the same text", t);
    // Within half a 15-digit step, plus the read-back's own rounding to a double (which
    // matters among the subnormals, where doubles are sparser than 15-digit texts).
    check(std::fabs(back.value - v) <= std::fabs(v) * (5e-15 + DBL_EPSILON) + DBL_TRUE_MIN,
          "reads back within 15 digits", t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    const ReadResult got = ReadNumber(text);
    const ReadResult want = expectedReading(text);
    check(got.status == want.status, "ReadNumber status agrees with strtod's reading", text);
    check(got.value == want.value && std::signbit(got.value) == std::signbit(want.value),
          "ReadNumber gives the nearest double, and no value on failure", text);
    if (got.ok())
        checkWrittenReadsBack(got.value);
    // The same bytes as a raw double reach values no short text does.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkWrittenReadsBack(raw);
    }
    return 0;
}
