#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace calc {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exponents are clamped well past the double range so that absurd exponent texts cannot
// overflow the integer, while still over- or underflowing the same way.
constexpr std::int64_t kExponentClamp = 1'000'000;

} // namespace

ReadResult ReadNumber(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string_view s = text.substr(b, e - b);

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t intBegin = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    const std::size_t intEnd = i;
    std::size_t fracBegin = i, fracEnd = i;
    if (i < s.size() && s[i] == ',') {
        ++i;
        fracBegin = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        fracEnd = i;
    }
    if (intEnd == intBegin && fracEnd == fracBegin)
        return {ReadStatus::NotANumber, 0.0};

    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            ++i;
        }
        const std::size_t expBegin = i;
        while (i < s.size() && isDigit(s[i])) {
            if (exponent < kExponentClamp)
                exponent = exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (i == expBegin)
            return {ReadStatus::NotANumber, 0.0};
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return {ReadStatus::NotANumber, 0.0};

    // Where the first significant digit stands, as a power of ten, decides between overflow and
    // underflow when the conversion reports the value out of range.
    std::int64_t leadPower = 0;
    bool allZero = true;
    {
        std::int64_t power = static_cast<std::int64_t>(intEnd - intBegin) - 1;
        for (std::size_t k = intBegin; k < intEnd; ++k, --power) {
            if (s[k] != '0') {
                leadPower = power;
                allZero = false;
                break;
            }
        }
        if (allZero) {
            power = -1;
            for (std::size_t k = fracBegin; k < fracEnd; ++k, --power) {
                if (s[k] != '0') {
                    leadPower = power;
                    allZero = false;
                    break;
                }
            }
        }
    }
    if (allZero)
        return {ReadStatus::Ok, negative ? -0.0 : 0.0};

    // Rebuild in the form std::from_chars takes: digits, a point, an exponent.
    std::array<char, 256> small{};
    std::string large;
    const std::size_t needed = (intEnd - intBegin) + (fracEnd - fracBegin) + 32;
    char* out = small.data();
    if (needed > small.size()) {
        large.resize(needed);
        out = large.data();
    }
    char* p = out;
    for (std::size_t k = intBegin; k < intEnd; ++k)
        *p++ = s[k];
    if (intEnd == intBegin)
        *p++ = '0';
    if (fracEnd > fracBegin) {
        *p++ = '.';
        for (std::size_t k = fracBegin; k < fracEnd; ++k)
            *p++ = s[k];
    }
    *p++ = 'e';
    p = std::to_chars(p, out + needed, exponent).ptr;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(out, p, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && std::isinf(value))) {
        if (leadPower + exponent > 0)
            return {ReadStatus::Overflow, 0.0};
        return {ReadStatus::Ok, negative ? -0.0 : 0.0};
    }
    if (ec != std::errc() || end != p)
        return {ReadStatus::NotANumber, 0.0};
    return {ReadStatus::Ok, negative ? -value : value};
}

std::string NumberText(double value) {
    if (!std::isfinite(value) || value == 0.0)
        return "0";

    // Correctly rounded 15 significant digits: "d.dddddddddddddde+XX".
    std::array<char, 40> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::scientific, 14);
    std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const std::size_t ePos = sci.find('e');

    std::array<char, 16> digits{};
    int count = 0;
    for (std::size_t k = 0; k < ePos; ++k)
        if (isDigit(sci[k]))
            digits[static_cast<std::size_t>(count++)] = sci[k];
    while (count > 1 && digits[static_cast<std::size_t>(count - 1)] == '0')
        --count;
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);

    std::string out;
    out.reserve(24);
    if (value < 0)
        out += '-';
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            out += "0,";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out.append(digits.data(), static_cast<std::size_t>(count));
        } else {
            const int intDigits = exponent + 1;
            for (int k = 0; k < intDigits; ++k)
                out += k < count ? digits[static_cast<std::size_t>(k)] : '0';
            if (count > intDigits) {
                out += ',';
                out.append(digits.data() + intDigits, static_cast<std::size_t>(count - intDigits));
            }
        }
        return out;
    }
    out += digits[0];
    if (count > 1) {
        out += ',';
        out.append(digits.data() + 1, static_cast<std::size_t>(count - 1));
    }
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        out += '0';
    out += std::to_string(magnitude);
    return out;
}

bool IsExponentForm(std::string_view text) {
    return text.find_first_of("Ee") != std::string_view::npos;
}

int SignificantDigits(std::string_view text) {
    int count = 0;
    bool started = false;
    for (char c : text) {
        if (c == 'E' || c == 'e')
            break;
        if (!isDigit(c))
            continue;
        if (c != '0')
            started = true;
        if (started)
            ++count;
    }
    return count;
}

} // namespace calc
