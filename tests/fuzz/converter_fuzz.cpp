// The converter's amount parser on any bytes: the status follows ReadNumber's rule, the result
// texts keep the "##,##0.00" pattern and the rate, and blanks in front change nothing as long
// as the entry stays within the length the converter takes (also at 254, 255 and 256 bytes).
#include "core/converter.h"
#include "core/number_text.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <regex>
#include <string>

using calc::Conversion;
using calc::ConversionStatus;
using fuzz::check;

namespace {

// "-1 234,56" as cents (-123456); false when the text breaks the pattern.
bool patternCents(const std::string& t, long double& cents, bool& negative) {
    static const std::regex pattern(R"(-?(0|[1-9]\d{0,2})( \d{3})*,\d\d)");
    if (!std::regex_match(t, pattern))
        return false;
    std::string digits;
    std::copy_if(t.begin(), t.end(), std::back_inserter(digits),
                 [](char c) { return c != ' ' && c != ','; });
    cents = std::strtold(digits.c_str(), nullptr);
    negative = t.starts_with('-');
    return true;
}

std::string withComma(std::string_view entry) {
    std::string s(entry);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

void checkConversion(std::string_view entry, const Conversion& c) {
    check((c.status == ConversionStatus::Empty) == (entry.empty() || entry == "0"),
          "only \"\" and \"0\" are empty", entry);
    if (c.status != ConversionStatus::Converted) {
        check(c.francs == calc::kClearedResult && c.euros == calc::kClearedResult,
              "results stay cleared without a conversion", entry);
        if (c.status == ConversionStatus::NotNumeric && entry.size() <= 254)
            check(!calc::ReadNumber(withComma(entry)).ok(), "a number is never refused", entry);
        return;
    }
    const calc::ReadResult read = calc::ReadNumber(withComma(entry));
    check(read.ok(), "only numbers convert", entry);

    long double francCents = 0, euroCents = 0;
    bool francNegative = false, euroNegative = false;
    check(patternCents(c.francs, francCents, francNegative), "francs in ##,##0.00", c.francs);
    check(patternCents(c.euros, euroCents, euroNegative), "euros in ##,##0.00", c.euros);
    const std::size_t first = entry.find_first_not_of(" \t");
    const bool typedNegative = first != std::string_view::npos && entry[first] == '-';
    check(!(francNegative || euroNegative) ||
              (typedNegative && (!francNegative || francCents != 0) &&
               (!euroNegative || euroCents != 0)),
          "a minus only for a negative amount", entry);

    // Where a double still holds the amount to far better than a cent, the rate must show.
    const long double x = read.value;
    if (std::fabs(read.value) < 1e9) {
        check(std::fabs(francCents - x * 655.957L) <= 0.5L + 1e-3L, "francs = amount x 6.55957",
              entry);
        check(std::fabs(euroCents - x * 100.0L / 6.55957L) <= 0.5L + 1e-3L,
              "euros = amount / 6.55957", entry);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view entry = fuzz::asText(data, size);
    const Conversion c = calc::ConvertAmount(entry);
    checkConversion(entry, c);

    // Blanks in front, up to and past the longest entry taken.
    for (const std::size_t length : {std::size_t{254}, std::size_t{255}, std::size_t{256}}) {
        if (size >= length)
            continue;
        const std::string padded = std::string(length - size, ' ') + std::string(entry);
        const Conversion p = calc::ConvertAmount(padded);
        checkConversion(padded, p);
        if (length == 254 && c.status != ConversionStatus::Empty)
            check(c.status == p.status && c.francs == p.francs && c.euros == p.euros,
                  "blanks in front change nothing", padded);
    }
    return 0;
}
