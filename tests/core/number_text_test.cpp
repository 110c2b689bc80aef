#include "core/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using calc::NumberText;
using calc::ReadNumber;
using calc::ReadStatus;

namespace {

struct Written {
    double value;
    const char* text;
};

TEST(NumberText, CanonicalForms) {
    const Written cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {0.5, "0,5"},
        {-2.5, "-2,5"},
        {60.0, "60"},
        {100.0, "100"},
        {0.1 + 0.2, "0,3"},
        {10.0 / 3.0, "3,33333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {0.0001, "0,0001"},
        {0.00012345, "0,00012345"},
        {0.00001, "1E-05"},
        {0.000015, "1,5E-05"},
        {1.5e-7, "1,5E-07"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        // Rounding to 15 digits can carry into the next decade and change the form.
        {9999999999999999.0, "1E+16"},
        {99999.99999999999, "100000"},
        {0.000099999999999999999, "0,0001"},
        {1e15, "1E+15"},
        {1234567890123456.0, "1,23456789012346E+15"},
        {-1234567890123456.0, "-1,23456789012346E+15"},
        {1e100, "1E+100"},
        {1e-100, "1E-100"},
        {DBL_MAX, "1,79769313486232E+308"},
        {4.9406564584124654e-324, "4,94065645841247E-324"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

struct Read {
    const char* text;
    ReadStatus status;
    double value;
};

TEST(ReadNumber, AcceptsFrenchNotationAndReportsTwoFailures) {
    const Read cases[] = {
        {"0", ReadStatus::Ok, 0.0},
        {"12", ReadStatus::Ok, 12.0},
        {"12,", ReadStatus::Ok, 12.0},
        {",5", ReadStatus::Ok, 0.5},
        {"  -3,5  ", ReadStatus::Ok, -3.5},
        {"+7", ReadStatus::Ok, 7.0},
        {"\t8\t", ReadStatus::Ok, 8.0},
        {"1E3", ReadStatus::Ok, 1000.0},
        {"1e+3", ReadStatus::Ok, 1000.0},
        {"2,5E-2", ReadStatus::Ok, 0.025},
        {"1,23456789012346E+157", ReadStatus::Ok, 1.23456789012346e157},
        {"0,000015", ReadStatus::Ok, 0.000015},
        {"0,1", ReadStatus::Ok, 0.1},
        {"1,7976931348623157E+308", ReadStatus::Ok, DBL_MAX},
        {"1E-400", ReadStatus::Ok, 0.0},
        {"-1E-400", ReadStatus::Ok, -0.0},
        {"1E-99999999999999999999999", ReadStatus::Ok, 0.0},
        {"0E+99999999999", ReadStatus::Ok, 0.0},
        {"1,23456789012346E+1578", ReadStatus::Overflow, 0.0},
        {"1,8E+308", ReadStatus::Overflow, 0.0},
        {"-1E309", ReadStatus::Overflow, 0.0},
        {"1E+99999999999999999999999", ReadStatus::Overflow, 0.0},
        {"", ReadStatus::NotANumber, 0.0},
        {"   ", ReadStatus::NotANumber, 0.0},
        {",", ReadStatus::NotANumber, 0.0},
        {"-", ReadStatus::NotANumber, 0.0},
        {"12.5", ReadStatus::NotANumber, 0.0},
        {"1,2,3", ReadStatus::NotANumber, 0.0},
        {"0,5,", ReadStatus::NotANumber, 0.0},
        {"1E", ReadStatus::NotANumber, 0.0},
        {"E5", ReadStatus::NotANumber, 0.0},
        {"1E+15,", ReadStatus::NotANumber, 0.0},
        {"12a", ReadStatus::NotANumber, 0.0},
        {"1 2", ReadStatus::NotANumber, 0.0},
        {"--1", ReadStatus::NotANumber, 0.0},
        {"inf", ReadStatus::NotANumber, 0.0},
        {"nan", ReadStatus::NotANumber, 0.0},
        {"0x10", ReadStatus::NotANumber, 0.0},
    };
    for (const auto& c : cases) {
        const auto r = ReadNumber(c.text);
        EXPECT_EQ(r.status, c.status) << '"' << c.text << '"';
        if (c.status == ReadStatus::Ok) {
            EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
            EXPECT_EQ(std::signbit(r.value), std::signbit(c.value)) << '"' << c.text << '"';
        }
    }
}

TEST(ReadNumber, LongDigitStringsReadToTheNearestDouble) {
    // 0,1 followed by many zeros and a 1: only a correctly rounded reader lands on 0.1.
    std::string text = "0,1" + std::string(400, '0') + "1";
    EXPECT_EQ(ReadNumber(text).value, 0.1);
    EXPECT_EQ(ReadNumber(std::string(300, '9')).status, ReadStatus::Ok);
    EXPECT_EQ(ReadNumber(std::string(310, '9')).status, ReadStatus::Overflow);
    EXPECT_EQ(ReadNumber("0," + std::string(2000, '0') + "1").value, 0.0);
}

TEST(NumberTextRoundTrip, FifteenDigitDecimalsSurviveAndTextIsStable) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<long long> mantissa(1, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-330, 300);
    for (int i = 0; i < 20000; ++i) {
        // Any text of at most 15 significant digits reads to a double that writes back to it.
        const double v =
            ReadNumber(std::to_string(mantissa(rng)) + "E" + std::to_string(exponent(rng))).value;
        if (v == 0.0 || std::fabs(v) < DBL_MIN)
            continue;
        const std::string text = NumberText(v);
        const auto back = ReadNumber(text);
        ASSERT_TRUE(back.ok()) << text;
        EXPECT_EQ(NumberText(back.value), text);
        EXPECT_EQ(back.value, v) << text;
    }
}

TEST(NumberTextRoundTrip, AnyDoubleWritesATextThatReadsWithinFifteenDigits) {
    std::mt19937_64 rng(42);
    for (int i = 0; i < 20000; ++i) {
        double v;
        do {
            const std::uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } while (!std::isfinite(v) || v == DBL_MAX || v == -DBL_MAX);
        const std::string text = NumberText(v);
        ASSERT_EQ(text.find_first_of(".einaf"), std::string::npos) << text;
        const auto back = ReadNumber(text);
        if (back.status == ReadStatus::Overflow)
            continue; // within the last 15-digit step below the largest double
        ASSERT_TRUE(back.ok()) << text;
        EXPECT_EQ(NumberText(back.value), text);
        if (std::fabs(v) >= DBL_MIN) {
            EXPECT_LE(std::fabs(back.value - v), std::fabs(v) * 5e-15) << text;
        }
    }
}

} // namespace
