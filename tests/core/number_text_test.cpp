#include "core/number_text.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using calc::NumberText;
using calc::ReadNumber;
using calc::ReadStatus;

namespace {

TEST(NumberText, CanonicalForms) {
    // Texts that read and write back as they are: plain for exponents -4..14, else E+XX.
    for (const char* text :
         {"0,5", "-2,5", "100", "0,00012345", "1E-05", "1,5E-07", "999999999999999", "1E+15",
          "-1,23456789012346E+15", "1E+100", "1E-100"})
        EXPECT_EQ(NumberText(ReadNumber(text).value), text);
    // Rounding to 15 digits, which can carry into the next decade and change the form.
    const std::pair<double, const char*> cases[] = {
        {-0.0, "0"},
        {0.1 + 0.2, "0,3"},
        {2.0 / 3.0, "0,666666666666667"},
        {9999999999999999.0, "1E+16"},
        {99999.99999999999, "100000"},
        {0.000099999999999999999, "0,0001"},
        {DBL_MAX, "1,79769313486232E+308"},
        {4.9406564584124654e-324, "4,94065645841247E-324"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumberText(value), text) << value;
}

TEST(ReadNumber, AcceptsFrenchNotationAndReportsTwoFailures) {
    const std::pair<std::string, double> ok[] = {
        {"12,", 12.0},
        {",5", 0.5},
        {"  -3,5  ", -3.5},
        {"\t+8\t", 8.0},
        {"1e+3", 1000.0},
        {"2,5E-2", 0.025},
        {"1,23456789012346E+157", 1.23456789012346e157},
        {"1,7976931348623157E+308", DBL_MAX},
        {"-1E-400", -0.0},
        {"1E-99999999999999999999999", 0.0},
        {"0E+99999999999", 0.0},
        // 0,1 then many zeros and a 1: only a correctly rounded reader lands on 0.1.
        {"0,1" + std::string(400, '0') + "1", 0.1}};
    for (const auto& [text, value] : ok) {
        const auto r = ReadNumber(text);
        EXPECT_EQ(r.status, ReadStatus::Ok) << text;
        EXPECT_EQ(r.value, value) << text;
        EXPECT_EQ(std::signbit(r.value), std::signbit(value)) << text;
    }
    for (const char* text :
         {"1,23456789012346E+1578", "1,8E+308", "-1E309", "1E+99999999999999999999999"})
        EXPECT_EQ(ReadNumber(text).status, ReadStatus::Overflow) << text;
    EXPECT_EQ(ReadNumber(std::string(310, '9')).status, ReadStatus::Overflow);
    for (const char* text : {"", "   ", ",", "-", "12.5", "1,2,3", "0,5,", "1E", "E5", "1E+15,",
                             "12a", "1 2", "--1", "inf", "nan", "0x10"}) {
        EXPECT_EQ(ReadNumber(text).status, ReadStatus::NotANumber) << text;
        EXPECT_EQ(ReadNumber(text).value, 0.0) << text;
    }
}

// Any text of at most 15 significant digits reads to a double that writes it back (random
// doubles are read_number_fuzz's).
TEST(NumberTextRoundTrip, FifteenDigitTextsSurvive) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<long long> mantissa(1, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-330, 300);
    for (int i = 0; i < 20000; ++i) {
        const double v =
            ReadNumber(std::to_string(mantissa(rng)) + "E" + std::to_string(exponent(rng))).value;
        if (std::fabs(v) >= DBL_MIN) {
            EXPECT_EQ(ReadNumber(NumberText(v)).value, v) << NumberText(v);
        }
    }
}

} // namespace
