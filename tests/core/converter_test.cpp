#include "core/converter.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

using calc::ConversionStatus;
using calc::ConvertAmount;

struct Case {
    std::string entry;
    std::string francs; // "0" when refused, or empty for "" and "0"
    std::string euros;
};

TEST(ConvertAmount, GivesBothResultTexts) {
    const Case cases[] = {
        {"", "0", "0"},
        {"0", "0", "0"}, // the only empty entries: other zeros convert
        {"00", "0,00", "0,00"},
        {"-0", "0,00", "0,00"},
        {" 0", "0,00", "0,00"},
        {"123456789.12", "809 823 450,21", "18 820 866,17"},
        {"152,449017", "1 000,00", "23,24"},
        // Exact halves of a cent go away from zero (the sweep below has many), and every typed
        // decimal counts.
        {"499,99999999999999999999", "3 279,78", "76,22"},
        {"0,032797849999999999999", "0,22", "0,00"},
        {"99999.995", "655 956,97", "15 244,90"},
        {" 12 ", "78,71", "1,83"},
        {"\t+12.", "78,71", "1,83"},
        {",5", "3,28", "0,08"},
        {"0000000100", "655,96", "15,24"},
        {"1e+3", "6 559,57", "152,45"},
        {"15E-1", "9,84", "0,23"},
        // Magnitude comes from digits and exponent together, not the exponent alone.
        {"0,00000000000000000000000000000000000000000000000000001E53", "6,56", "0,15"},
        {"100000000000000000000000000000000000000000000000000000E-51", "655,96", "15,24"},
        // Results that round to zero never show a minus sign.
        {"-0,001", "-0,01", "0,00"},
        {"-0,000762", "0,00", "0,00"},
        {"1E-99999999999999999999999999", "0,00", "0,00"},
        {"0E999999999", "0,00", "0,00"},
        // At most 254 characters are taken.
        {std::string(251, ' ') + "100", "655,96", "15,24"},
        {std::string(252, ' ') + "100", "0", "0"},
        {std::string(255, '1'), "0", "0"},
        {"0," + std::string(251, '0') + "1", "0,00", "0,00"},
        {"0," + std::string(252, '0') + "1", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE('"' + c.entry + '"');
        const calc::Conversion got = ConvertAmount(c.entry);
        const auto status = c.francs != "0"                     ? ConversionStatus::Converted
                            : c.entry.empty() || c.entry == "0" ? ConversionStatus::Empty
                                                                : ConversionStatus::NotNumeric;
        EXPECT_EQ(got.status, status);
        EXPECT_EQ(got.francs, c.francs);
        EXPECT_EQ(got.euros, c.euros);
    }
    for (const char* entry : {"12a", "-", "+", ",", ".", " ", "1,2,3", "1.2,3", "1 000", "--1",
                              "E5", "1E+", "1e5e5", "12€", "-1E309", "1,8E308"}) {
        const calc::Conversion got = ConvertAmount(entry);
        EXPECT_EQ(got.status, ConversionStatus::NotNumeric) << entry;
        EXPECT_EQ(got.francs + got.euros, "00") << entry;
    }
}

// Amounts near the top of the double range are converted in full, digit by digit.
TEST(ConvertAmount, WideResults) {
    const calc::Conversion top = ConvertAmount("-1E308");
    ASSERT_EQ(top.status, ConversionStatus::Converted);
    EXPECT_EQ(top.francs.size(), 415u);
    EXPECT_TRUE(top.francs.starts_with("-655 957 000 000 ") && top.francs.ends_with(" 000,00"));
    EXPECT_EQ(top.euros.size(), 414u);
    EXPECT_TRUE(top.euros.starts_with("-15 244 901 723 741") && top.euros.ends_with(" 744 042,67"));
    const calc::Conversion longest = ConvertAmount("1" + std::string(253, '0'));
    EXPECT_EQ(longest.francs.size(), 341u);
    EXPECT_TRUE(longest.euros.ends_with(" 642 738 777,08")) << longest.euros;
}

// Reads back a result text after checking its shape; nullopt for a malformed one.
std::optional<std::int64_t> centsOf(const std::string& text) {
    static const std::regex shape(R"(-?(0|[1-9]\d{0,2})( \d{3})*,\d\d)");
    if (!std::regex_match(text, shape) || text == "-0,00")
        return std::nullopt;
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != ',')
            digits += c;
    return std::stoll(digits);
}

std::int64_t power10(int n) {
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Nearest integer to num / den, halves away from zero; den > 0.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den) {
    const std::int64_t q = (2 * std::llabs(num) + den) / (2 * den);
    return num < 0 ? -q : q;
}

// n / 10^decimals written the way a user would type it, with a comma or a point.
std::string typed(std::int64_t n, int decimals, char separator) {
    std::string digits = std::to_string(std::llabs(n));
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, separator);
    return (n < 0 ? "-" : "") + digits;
}

struct Sweep {
    int decimals;
    std::int64_t from, to, step;
};

// Against integer arithmetic on the same amounts: francs in cents are n * 655957 / 10^(d+3),
// euros in cents n * 10^7 / (655957 * 10^d). Steps land on exact half cents as well.
TEST(ConvertAmountSweep, MatchesIntegerArithmetic) {
    const Sweep sweeps[] = {
        {2, -2'000'000, 2'000'000, 997},
        {2, -2'000'000, 2'000'000, 50'000},
        {3, -20'000'000, 20'000'000, 9'973},
        {3, -20'000'000, 20'000'000, 500'000},
        {8, -10'000'000'000, 10'000'000'000, 999'983},
        {8, -3'279'785 * 41, 3'279'785 * 41, 3'279'785},
    };
    int checked = 0;
    for (const Sweep& s : sweeps) {
        for (std::int64_t n = s.from; n <= s.to; n += s.step) {
            const std::string entry = typed(n, s.decimals, (n & 1) != 0 ? '.' : ',');
            SCOPED_TRACE(entry);
            const std::int64_t francs = roundedQuotient(n * 655957, power10(s.decimals + 3));
            const std::int64_t euros = s.decimals <= 7
                                           ? roundedQuotient(n * power10(7 - s.decimals), 655957)
                                           : roundedQuotient(n, 655957 * power10(s.decimals - 7));
            const calc::Conversion got = ConvertAmount(entry);
            ASSERT_EQ(got.status, ConversionStatus::Converted);
            EXPECT_EQ(centsOf(got.francs), francs) << got.francs;
            EXPECT_EQ(centsOf(got.euros), euros) << got.euros;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10'000);
}

} // namespace
