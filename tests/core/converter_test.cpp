#include "core/converter.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

namespace {

using calc::ConversionStatus;
using calc::ConvertAmount;

struct Case {
    const char* entry;
    ConversionStatus status;
    const char* francs;
    const char* euros;
};

std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << '"' << c.entry << '"';
}

constexpr auto Ok = ConversionStatus::Converted;
constexpr auto Bad = ConversionStatus::NotNumeric;
constexpr auto None = ConversionStatus::Empty;

class ConvertTable : public ::testing::TestWithParam<Case> {};

TEST_P(ConvertTable, GivesBothResultTexts) {
    const Case& c = GetParam();
    const calc::Conversion got = ConvertAmount(c.entry);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.francs, c.francs);
    EXPECT_EQ(got.euros, c.euros);
}

INSTANTIATE_TEST_SUITE_P(
    Reference, ConvertTable,
    ::testing::Values(Case{"100", Ok, "655,96", "15,24"}, Case{"1", Ok, "6,56", "0,15"},
                      Case{"1000", Ok, "6 559,57", "152,45"}, Case{"1.5", Ok, "9,84", "0,23"},
                      Case{"1,5", Ok, "9,84", "0,23"}, Case{"0,0", Ok, "0,00", "0,00"},
                      Case{"1000000", Ok, "6 559 570,00", "152 449,02"},
                      Case{"123456789.12", Ok, "809 823 450,21", "18 820 866,17"},
                      Case{"152,449017", Ok, "1 000,00", "23,24"}));

// Only "" and "0" itself are empty; every other way of writing zero converts.
INSTANTIATE_TEST_SUITE_P(Empty, ConvertTable,
                         ::testing::Values(Case{"", None, "0", "0"}, Case{"0", None, "0", "0"},
                                           Case{"00", Ok, "0,00", "0,00"},
                                           Case{"0.0", Ok, "0,00", "0,00"},
                                           Case{"-0", Ok, "0,00", "0,00"},
                                           Case{" 0", Ok, "0,00", "0,00"}));

// Exact halves of a cent go away from zero; a binary double with half-even gets these wrong.
INSTANTIATE_TEST_SUITE_P(
    HalfCent, ConvertTable,
    ::testing::Values(Case{"500", Ok, "3 279,79", "76,22"}, Case{"-500", Ok, "-3 279,79", "-76,22"},
                      Case{"2500", Ok, "16 398,93", "381,12"},
                      Case{"1500", Ok, "9 839,36", "228,67"},
                      Case{"0,03279785", Ok, "0,22", "0,01"},
                      Case{"-0,03279785", Ok, "-0,22", "-0,01"},
                      Case{"0.16398925", Ok, "1,08", "0,03"},
                      // Just under the half: every typed decimal counts.
                      Case{"499,99999999999999999999", Ok, "3 279,78", "76,22"},
                      Case{"0,032797849999999999999", Ok, "0,22", "0,00"},
                      Case{"99999.995", Ok, "655 956,97", "15 244,90"}));

INSTANTIATE_TEST_SUITE_P(
    EntryForms, ConvertTable,
    ::testing::Values(
        Case{" 12 ", Ok, "78,71", "1,83"}, Case{"\t12", Ok, "78,71", "1,83"},
        Case{"+12", Ok, "78,71", "1,83"}, Case{"12,", Ok, "78,71", "1,83"},
        Case{"12.", Ok, "78,71", "1,83"}, Case{",5", Ok, "3,28", "0,08"},
        Case{"0000000100", Ok, "655,96", "15,24"}, Case{"1E3", Ok, "6 559,57", "152,45"},
        Case{"1e+3", Ok, "6 559,57", "152,45"}, Case{"15E-1", Ok, "9,84", "0,23"},
        Case{"0.15e1", Ok, "9,84", "0,23"}, Case{"-1234.56", Ok, "-8 098,18", "-188,21"},
        // Magnitude comes from digits and exponent together, not the exponent alone.
        Case{"0,00000000000000000000000000000000000000000000000000001E53", Ok, "6,56", "0,15"},
        Case{"100000000000000000000000000000000000000000000000000000E-51", Ok, "655,96", "15,24"}));

// Results that round to zero never show a minus sign.
INSTANTIATE_TEST_SUITE_P(
    Tiny, ConvertTable,
    ::testing::Values(Case{"1E-3", Ok, "0,01", "0,00"}, Case{"-0,001", Ok, "-0,01", "0,00"},
                      Case{"0,00076225", Ok, "0,01", "0,00"}, Case{"-0,000762", Ok, "0,00", "0,00"},
                      Case{"1E-4", Ok, "0,00", "0,00"}, Case{"1E-99999", Ok, "0,00", "0,00"},
                      Case{"-1E-99999", Ok, "0,00", "0,00"},
                      Case{"1E-99999999999999999999999999", Ok, "0,00", "0,00"},
                      Case{"0E999999999", Ok, "0,00", "0,00"}));

INSTANTIATE_TEST_SUITE_P(Refused, ConvertTable,
                         ::testing::Values(Case{"12a", Bad, "0", "0"}, Case{"-", Bad, "0", "0"},
                                           Case{"+", Bad, "0", "0"}, Case{",", Bad, "0", "0"},
                                           Case{".", Bad, "0", "0"}, Case{" ", Bad, "0", "0"},
                                           Case{"a", Bad, "0", "0"}, Case{"1,2,3", Bad, "0", "0"},
                                           Case{"1.2.3", Bad, "0", "0"},
                                           Case{"1.2,3", Bad, "0", "0"},
                                           Case{"1 000", Bad, "0", "0"}, Case{"--1", Bad, "0", "0"},
                                           Case{"E5", Bad, "0", "0"}, Case{"1E", Bad, "0", "0"},
                                           Case{"1E+", Bad, "0", "0"}, Case{"1e5e5", Bad, "0", "0"},
                                           Case{"12€", Bad, "0", "0"}, Case{"1E309", Bad, "0", "0"},
                                           Case{"-1E309", Bad, "0", "0"},
                                           Case{"1,8E308", Bad, "0", "0"}));

struct LongCase {
    std::string entry;
    ConversionStatus status;
    std::string francs;
    std::string euros;
};

TEST(ConvertAmountLimits, LengthAndRange) {
    const std::vector<LongCase> cases = {
        {std::string(251, ' ') + "100", Ok, "655,96", "15,24"},
        {std::string(252, ' ') + "100", Bad, "0", "0"},
        {std::string(255, '1'), Bad, "0", "0"},
        {std::string(1000, '1'), Bad, "0", "0"},
        {"0," + std::string(251, '0') + "1", Ok, "0,00", "0,00"},
        {"0," + std::string(252, '0') + "1", Bad, "0", "0"},
    };
    for (const LongCase& c : cases) {
        SCOPED_TRACE(c.entry.size());
        const calc::Conversion got = ConvertAmount(c.entry);
        EXPECT_EQ(got.status, c.status);
        EXPECT_EQ(got.francs, c.francs);
        EXPECT_EQ(got.euros, c.euros);
    }
}

struct WideCase {
    std::string entry;
    const char* francsHead;
    const char* francsTail;
    std::size_t francsLength;
    const char* eurosHead;
    const char* eurosTail;
    std::size_t eurosLength;
};

// Amounts near the top of the double range are converted in full, digit by digit.
TEST(ConvertAmountLimits, WideResults) {
    const WideCase cases[] = {
        {"1E308", "655 957 000 000 ", " 000,00", 414, "15 244 901 723 741", " 744 042,67", 413},
        {"-1E308", "-655 957 000 000 ", " 000,00", 415, "-15 244 901 723 741", " 744 042,67", 414},
        {"1" + std::string(253, '0'), "65 595 700 000 ", " 000,00", 341, "1 524 490 172 374 ",
         " 642 738 777,08", 340},
    };
    for (const WideCase& c : cases) {
        SCOPED_TRACE(c.entry);
        const calc::Conversion got = ConvertAmount(c.entry);
        ASSERT_EQ(got.status, Ok);
        EXPECT_EQ(got.francs.size(), c.francsLength);
        EXPECT_TRUE(got.francs.starts_with(c.francsHead)) << got.francs;
        EXPECT_TRUE(got.francs.ends_with(c.francsTail)) << got.francs;
        EXPECT_EQ(got.euros.size(), c.eurosLength);
        EXPECT_TRUE(got.euros.starts_with(c.eurosHead)) << got.euros;
        EXPECT_TRUE(got.euros.ends_with(c.eurosTail)) << got.euros;
    }
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
            ASSERT_EQ(got.status, Ok);
            EXPECT_EQ(centsOf(got.francs), francs) << got.francs;
            EXPECT_EQ(centsOf(got.euros), euros) << got.euros;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10'000);
}

// Shown byte for byte; a source saved in another encoding would break the "é".
TEST(ConvertAmountMessage, IsUtf8WithClosingSpace) {
    EXPECT_EQ(calc::kNonNumericMessage, "Saisie non num\xC3\xA9rique !!! ");
    EXPECT_EQ(calc::kNonNumericTitle, "ATTENTION");
}

} // namespace
