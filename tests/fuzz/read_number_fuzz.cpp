// ReadNumber against an independent reading of the same grammar (C's strtod on the text with a
// point), and the canonical NumberText of every value it gives, which must read back to itself.
#include "core/number_text.h"
#include "fuzz_check.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

using calc::NumberText;
using calc::ReadNumber;
using calc::ReadResult;
using calc::ReadStatus;
using fuzz::check;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar, rebuilt for strtod: blanks around, sign, digits with one comma, exponent.
ReadResult expectedReading(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    const std::string_view s = text.substr(b, e - b);

    std::string c;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        c += s[i++];
    std::size_t mantissaDigits = 0;
    c += '0';
    for (; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits)
        c += s[i];
    if (i < s.size() && s[i] == ',') {
        c += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits)
            c += s[i];
    }
    if (mantissaDigits == 0)
        return {ReadStatus::NotANumber, 0.0};
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        c += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            c += s[i++];
        std::size_t expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
            c += s[i];
        if (expDigits == 0)
            return {ReadStatus::NotANumber, 0.0};
    }
    if (i != s.size())
        return {ReadStatus::NotANumber, 0.0};

    errno = 0;
    const double v = std::strtod(c.c_str(), nullptr);
    if (std::isinf(v))
        return {ReadStatus::Overflow, 0.0};
    return {ReadStatus::Ok, v};
}

// The canonical text: sign, then either plain digits for decimal exponents -4..14 or
// "d,dddE+XX"; at most 15 significant digits, no trailing fraction zero, no grouping.
void checkCanonical(const std::string& t, double v) {
    check(!t.empty(), "NumberText is never empty", t);
    std::size_t i = 0;
    const bool negative = t[0] == '-';
    if (negative)
        ++i;
    check(negative == (v < 0), "NumberText carries the sign of a non-zero value", t);
    const std::size_t ePos = t.find('E');
    const std::string_view mantissa(t.data() + i,
                                    (ePos == std::string::npos ? t.size() : ePos) - i);
    const std::size_t comma = mantissa.find(',');
    const std::string_view intPart = mantissa.substr(0, comma);
    const std::string_view fracPart =
        comma == std::string_view::npos ? std::string_view{} : mantissa.substr(comma + 1);

    check(!intPart.empty(), "an integer digit before the comma", t);
    for (char c : intPart)
        check(isDigit(c), "the integer part is digits only", t);
    for (char c : fracPart)
        check(isDigit(c), "the fraction is digits only", t);
    check(comma == std::string_view::npos || !fracPart.empty(), "no comma without a fraction", t);
    check(fracPart.empty() || fracPart.back() != '0', "no trailing fraction zero", t);
    check(intPart.size() == 1 || intPart[0] != '0', "no leading zero", t);

    int significant = 0;
    bool started = false;
    int leadPower = 0; // decimal exponent of the first significant digit, plain form
    int position = static_cast<int>(intPart.size()) - 1;
    for (char c : std::string(intPart) + std::string(fracPart)) {
        if (c != '0' && !started) {
            started = true;
            leadPower = position;
        }
        if (started)
            ++significant;
        --position;
    }
    check(significant <= 15, "at most 15 significant digits", t);

    if (ePos == std::string::npos) {
        check(v == 0.0 || (leadPower >= -4 && leadPower <= 14), "plain only for exponents -4..14",
              t);
        return;
    }
    check(intPart.size() == 1 && intPart[0] != '0', "one non-zero digit before an exponent", t);
    const std::string_view exp(t.data() + ePos + 1, t.size() - ePos - 1);
    check(exp.size() >= 3 && (exp[0] == '+' || exp[0] == '-'), "exponent sign and two digits", t);
    int power = 0;
    for (char c : exp.substr(1)) {
        check(isDigit(c), "exponent digits", t);
        power = power * 10 + (c - '0');
    }
    if (exp[0] == '-')
        power = -power;
    check(power < -4 || power > 14, "exponent form only outside -4..14", t);
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
    checkCanonical(t, v);
    const ReadResult back = ReadNumber(t);
    if (back.status == ReadStatus::Overflow) {
        check(std::fabs(v) >= kRoundsPastRange, "only the top 15-digit step overflows", t);
        return;
    }
    check(back.ok(), "NumberText reads back", t);
    check(NumberText(back.value) == t, "NumberText of the read-back value is the same text", t);
    check(std::signbit(back.value) == std::signbit(v), "the sign reads back", t);
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
    if (got.ok()) {
        check(got.value == want.value && std::signbit(got.value) == std::signbit(want.value),
              "ReadNumber gives the nearest double", text);
        checkWrittenReadsBack(got.value);
    } else {
        check(got.value == 0.0, "a failed reading holds no value", text);
    }

    // The same bytes as a raw double reach values no short text does.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkWrittenReadsBack(raw);
    }
    return 0;
}
