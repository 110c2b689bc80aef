// The entry's status, the results' pattern and the rate to within a cent are numbers_fuzz's
// (its corpus holds the entries of every form); here the exact cent, digit by digit.
#include "core/converter.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

using calc::ConversionStatus;
using calc::ConvertAmount;

TEST(ConvertAmount, EveryTypedDigitAndTheLengthLimitCount) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // Exact halves of a cent go away from zero (the sweep below has many); a double
        // holding the amount would round these the other way.
        {"499,99999999999999999999", "3 279,78", "76,22"},
        {"0,032797849999999999999", "0,22", "0,00"},
        {"99999.995", "655 956,97", "15 244,90"},
        // At most 254 characters are taken.
        {std::string(251, ' ') + "100", "655,96", "15,24"},
        {std::string(252, ' ') + "100", "0", "0"},
        // The result boxes' own figures, digit groups spaced as French figures are, a currency
        // mark after; the groups must be whole (the refusals after the table).
        {"8 097,79", "53 118,02", "1 234,50"},
        {"-1\u00A0234\u202F567.5\t", "-8 098 231,94", "-188 208,60"},
        {"12,50 €", "81,99", "1,91"},
        {"1\u00A0000FF", "6 559,57", "152,45"},
    };
    for (const auto& [entry, francs, euros] : cases) {
        const calc::Conversion got = ConvertAmount(entry);
        EXPECT_EQ(got.status,
                  francs == "0" ? ConversionStatus::NotNumeric : ConversionStatus::Converted);
        EXPECT_EQ(got.francs + " | " + got.euros, francs + " | " + euros) << entry;
    }
    for (const char* refused :
         {"12 34", "1234 567", "1 234 5", "1 234,567 8", "1  234", "- 123", "€", "12 € F", "F12"})
        EXPECT_EQ(ConvertAmount(refused).status, ConversionStatus::NotNumeric) << refused;
    // Amounts near the top of the double range are converted in full, digit by digit.
    const calc::Conversion top = ConvertAmount("-1E308");
    EXPECT_EQ(top.francs.size(), 415u);
    EXPECT_TRUE(top.francs.starts_with("-655 957 000 000 ") && top.francs.ends_with(" 000,00"));
    EXPECT_EQ(top.euros.size(), 414u);
    EXPECT_TRUE(top.euros.starts_with("-15 244 901 723 741") && top.euros.ends_with(" 744 042,67"));
    const calc::Conversion longest = ConvertAmount("1" + std::string(253, '0'));
    EXPECT_EQ(longest.francs.size(), 341u);
    EXPECT_TRUE(longest.euros.ends_with(" 642 738 777,08")) << longest.euros;
}

std::int64_t cents(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != ',')
            digits += c;
    return std::stoll(digits);
}

std::int64_t power10(int n) {
    return n == 0 ? 1 : 10 * power10(n - 1);
}

// Nearest integer to num / den, halves away from zero; den > 0.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den) {
    const std::int64_t q = (2 * std::llabs(num) + den) / (2 * den);
    return num < 0 ? -q : q;
}

// Against integer arithmetic on n / 10^d typed with a comma or a point: francs in cents are
// n * 655957 / 10^(d+3), euros n * 10^7 / (655957 * 10^d). Steps land on exact half cents too.
TEST(ConvertAmount, MatchesIntegerArithmetic) {
    const std::tuple<int, std::int64_t, std::int64_t> sweeps[] = {
        {2, 2'000'000, 997},
        {3, 20'000'000, 500'000},
        {8, 10'000'000'000, 999'983},
        {8, 3'279'785 * 41, 3'279'785},
    };
    for (const auto& [d, limit, step] : sweeps) {
        for (std::int64_t n = -limit; n <= limit; n += step) {
            const std::int64_t a = std::llabs(n);
            const std::string entry = (n < 0 ? "-" : "") + std::to_string(a / power10(d)) +
                                      ((n & 1) != 0 ? '.' : ',') +
                                      std::to_string(a % power10(d) + power10(d)).substr(1);
            const std::int64_t francs = roundedQuotient(n * 655957, power10(d + 3));
            const std::int64_t euros = d <= 7 ? roundedQuotient(n * power10(7 - d), 655957)
                                              : roundedQuotient(n, 655957 * power10(d - 7));
            const calc::Conversion got = ConvertAmount(entry);
            ASSERT_EQ(got.status, ConversionStatus::Converted) << entry;
            EXPECT_EQ(cents(got.francs), francs) << entry << " " << got.francs;
            EXPECT_EQ(cents(got.euros), euros) << entry << " " << got.euros;
        }
    }
}

} // namespace
