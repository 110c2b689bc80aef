// ReadNumber against strtod, and NumberText's form, are numbers_fuzz's (its corpus holds
// the reader's edge cases); here the rounding to 15 digits that its tolerance lets through.
#include "core/number_text.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using calc::NumberText;
using calc::ReadNumber;

namespace {

// Rounding to 15 digits, which can carry into the next decade and change the form.
TEST(NumberText, RoundsToFifteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {2.0 / 3.0, "0,666666666666667"},   {9999999999999999.0, "1E+16"},
        {99999.99999999999, "100000"},      {0.000099999999999999999, "0,0001"},
        {DBL_MAX, "1,79769313486232E+308"}, {4.9406564584124654e-324, "4,94065645841247E-324"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumberText(value), text) << value;
}

// Any text of at most 15 significant digits reads to a double that writes it back.
TEST(NumberText, FifteenDigitTextsSurvive) {
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
