#include "core/converter.h"

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <gmpxx.h>
#include <optional>
#include <string>

namespace calc {

namespace {

// Longer entries are refused outright, which also bounds the digit buffer below.
constexpr std::size_t kMaxEntryLength = 254;

// The rate 6.55957 as a fraction: 655957 / 100000.
constexpr unsigned long kRateNumerator = 655957;
constexpr int kRateDecimals = 5;

// Enough to tell "far too small" and "far too large" apart without overflowing the exponent;
// ReadNumber has already refused anything beyond the double range.
constexpr std::int64_t kExponentClamp = 1'000'000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The typed amount exactly: (negative ? -1 : 1) * digits * 10^scale.
struct ExactAmount {
    bool negative = false;
    std::array<char, kMaxEntryLength + 1> digits{}; // NUL-terminated, leading zeros dropped
    std::size_t digitCount = 0;
    std::int64_t scale = 0;
};

// Only called on text ReadNumber accepted, so the scan can be lenient about the blanks around:
// whatever precedes the sign or first digit and whatever follows the number is skipped.
ExactAmount scanAmount(std::string_view s) {
    ExactAmount a;
    std::size_t i = 0;
    while (i < s.size() && !isDigit(s[i]) && s[i] != '+' && s[i] != '-' && s[i] != ',')
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        a.negative = s[i++] == '-';

    std::int64_t fractionDigits = 0;
    bool inFraction = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ',' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (inFraction)
            ++fractionDigits;
        if (c != '0' || a.digitCount > 0)
            a.digits[a.digitCount++] = c;
    }

    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            expNegative = s[i++] == '-';
        for (; i < s.size() && isDigit(s[i]); ++i)
            if (exponent < kExponentClamp)
                exponent = exponent * 10 + (s[i] - '0');
        if (expNegative)
            exponent = -exponent;
    }
    a.scale = exponent - fractionDigits;
    return a;
}

// The spaces that part digit groups, as French figures are written: a space (the result boxes'),
// a no-break space, a narrow no-break space.
constexpr std::array<std::string_view, 3> kGroupSpaces = {" ", "\xC2\xA0", "\xE2\x80\xAF"};

// Bytes of the group space that `s` starts with, else 0.
std::size_t groupSpace(std::string_view s) {
    for (const std::string_view space : kGroupSpaces)
        if (s.starts_with(space))
            return space.size();
    return 0;
}

// Blanks too: a tab may end a pasted figure.
void dropSpacesAtEnd(std::string_view& s) {
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (const std::string_view space : kGroupSpaces) {
            if (s.ends_with(space)) {
                s.remove_suffix(space.size());
                dropped = true;
            }
        }
        if (s.ends_with('\t')) {
            s.remove_suffix(1);
            dropped = true;
        }
    }
}

// The entry as ReadNumber reads it: a currency mark at its end ("€", "F" or "FF", spaced or
// not) dropped, and the spaces between digit groups too. Groups stand only before the decimal
// comma: one to three digits, then groups of exactly three ("1 234 567,5"), so that a slip such
// as "12 34" is still refused rather than read as another amount. nullopt for a bad grouping.
std::optional<std::string> plainAmount(std::string_view s) {
    dropSpacesAtEnd(s);
    for (const std::string_view mark : {"\xE2\x82\xAC", "FF", "F"}) {
        if (s.ends_with(mark)) {
            s.remove_suffix(mark.size());
            dropSpacesAtEnd(s);
            break;
        }
    }

    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::string out(s.substr(0, i));
    std::size_t group = 0; // digits of the group being read
    bool grouped = false;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            out += s[i++];
            ++group;
            continue;
        }
        const std::size_t space = groupSpace(s.substr(i));
        if (space == 0 || i + space >= s.size() || !isDigit(s[i + space]))
            break;
        if (group == 0 || group > 3 || (grouped && group != 3))
            return std::nullopt;
        grouped = true;
        group = 0;
        i += space;
    }
    if (grouped && group != 3)
        return std::nullopt;
    out += s.substr(i);
    return out;
}

mpz_class powerOfTen(std::int64_t n) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(n));
    return p;
}

// numerator / denominator to the nearest integer, a half going up; both are positive.
mpz_class roundHalfUp(const mpz_class& numerator, const mpz_class& denominator) {
    mpz_class quotient, remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), numerator.get_mpz_t(),
                denominator.get_mpz_t());
    remainder *= 2;
    if (remainder >= denominator)
        ++quotient;
    return quotient;
}

// magnitude * 10^power, rounded: a negative power becomes a divisor so the result stays exact.
mpz_class scaledAndRounded(const mpz_class& magnitude, std::int64_t power,
                           const mpz_class& divisor) {
    if (power >= 0)
        return roundHalfUp(magnitude * powerOfTen(power), divisor);
    return roundHalfUp(magnitude, divisor * powerOfTen(-power));
}

// "##,##0.00" from a count of cents.
std::string centsText(bool negative, const mpz_class& cents) {
    if (cents == 0)
        return "0,00";
    std::string digits = cents.get_str();
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const std::size_t integerDigits = digits.size() - 2;

    std::string out;
    out.reserve(digits.size() + integerDigits / 3 + 2);
    if (negative)
        out += '-';
    for (std::size_t k = 0; k < integerDigits; ++k) {
        if (k > 0 && (integerDigits - k) % 3 == 0)
            out += ' ';
        out += digits[k];
    }
    out += ',';
    out.append(digits, integerDigits, 2);
    return out;
}

} // namespace

Conversion ConvertAmount(std::string_view entry) {
    Conversion result;
    if (entry.empty() || entry == "0")
        return result;
    if (entry.size() > kMaxEntryLength) {
        result.status = ConversionStatus::NotNumeric;
        return result;
    }

    std::optional<std::string> plain = plainAmount(entry);
    if (plain)
        std::replace(plain->begin(), plain->end(), '.', ',');
    const std::string_view text = plain ? std::string_view(*plain) : std::string_view();

    if (!plain || !ReadNumber(text).ok()) {
        result.status = ConversionStatus::NotNumeric;
        return result;
    }
    result.status = ConversionStatus::Converted;

    const ExactAmount amount = scanAmount(text);
    // Below 10^-4 even the franc result is under a tenth of a cent; skipping the arithmetic
    // also keeps entries like "1E-99999" from building huge powers of ten.
    const std::int64_t leadingPower =
        static_cast<std::int64_t>(amount.digitCount) - 1 + amount.scale;
    if (amount.digitCount == 0 || leadingPower < -4) {
        result.francs = centsText(false, 0);
        result.euros = centsText(false, 0);
        return result;
    }

    const mpz_class magnitude(amount.digits.data(), 10);
    // Cents of francs: x * 655957 / 10^5 * 10^2.
    const mpz_class francCents = scaledAndRounded(magnitude * kRateNumerator,
                                                  amount.scale + 2 - kRateDecimals, mpz_class(1));
    // Cents of euros: x * 10^5 / 655957 * 10^2.
    const mpz_class euroCents =
        scaledAndRounded(magnitude, amount.scale + 2 + kRateDecimals, mpz_class(kRateNumerator));
    result.francs = centsText(amount.negative, francCents);
    result.euros = centsText(amount.negative, euroCents);
    return result;
}

} // namespace calc
