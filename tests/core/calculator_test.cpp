#include "calculator_rig.h"

#include <gtest/gtest.h>

using test::CalculatorRig;
using test::kDashes;
using test::lines;

namespace {

const std::string kOverflow = "Dépassement de capacité !";
const std::string kDivZero = "ERREUR : Division par zero.";

struct KeyCase {
    const char* name;
    const char* keys;
    std::string display;
    std::string tape;
    std::vector<std::string> messages = {};
};

class KeySequences : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequences, DisplayTapeAndMessages) {
    const KeyCase& c = GetParam();
    CalculatorRig rig;
    rig.press(c.keys);
    EXPECT_EQ(rig.display.text(), c.display);
    EXPECT_EQ(rig.tape.text(), c.tape);
    EXPECT_EQ(rig.messageTexts(), c.messages);
    for (const auto& m : rig.dialogs.messages) {
        EXPECT_EQ(m.title, "Tirelix");
        EXPECT_EQ(m.buttons, ui::Buttons::Ok);
        EXPECT_EQ(m.icon, ui::Icon::None);
    }
}

const std::string k16 = "1234567890123456";

INSTANTIATE_TEST_SUITE_P(
    Calculator, KeySequences,
    ::testing::Values(
        KeyCase{"WorkedExample", "12+3x4=C", "0", lines({"12 + 3 =  15", " x 4 =  60", kDashes})},
        KeyCase{"WorkedExampleBeforeReset", "12+3x4=", "60", lines({"12 + 3 =  15", " x 4 =  60"})},
        KeyCase{"LeadingZerosVanishOnDisplayOnly", "00", "0", "00"},
        KeyCase{"ZeroThenFive", "05", "5", "05"},
        KeyCase{"CommaAfterOperator", "5+,", "0,", "5 + ,"},
        KeyCase{"SecondCommaDoesNothing", "5+,,", "0,", "5 + ,"},
        KeyCase{"CommaAcceptedInEachNumber", "1,5+2,5=", "4", lines({"1,5 + 2,5 =  4"})},
        KeyCase{"DecimalResult", "1,5+2=", "3,5", lines({"1,5 + 2 =  3,5"})},
        KeyCase{"RepeatedOperatorEvaluatesWithShownNumber", "12++", "24",
                "12 + " + lines({" =  24"}) + " + "},
        KeyCase{"OperatorThenEqualsLikewise", "12+=", "24", lines({"12 +  =  24"})},
        KeyCase{"SecondEqualsDoesNothing", "12+==", "24", lines({"12 +  =  24"})},
        KeyCase{"EqualsAloneDoesNothing", "7=", "7", "7"},
        KeyCase{"OperatorContinuesFromResult", "2+3=x4=", "20",
                lines({"2 + 3 =  5", " x 4 =  20"})},
        KeyCase{"DigitAfterEqualsStartsAgain", "2+3=7x2=", "14",
                lines({"2 + 3 =  5"}) + lines({"7 x 2 =  14"})},
        KeyCase{"Subtraction", "5-8=", "-3", lines({"5 - 8 =  -3"})},
        KeyCase{"ThirdOfTen", "10/3=", "3,33333333333333", lines({"10 / 3 =  3,33333333333333"})},
        // A chain is cut to 15 significant digits at each step.
        KeyCase{"ChainKeepsFifteenDigits", "10/3x3=", "9,99999999999999",
                lines({"10 / 3 =  3,33333333333333", " x 3 =  9,99999999999999"})},
        KeyCase{"PercentOfProduct", "200x10%=", "20", lines({"200 x 10%  =  20"})},
        KeyCase{"PercentOfQuotient", "200/10%=", "2000", lines({"200 / 10%  =  2000"})},
        KeyCase{"PercentWhileAdding", "200+10%=", "200,1", lines({"200 + 10%  =  200,1"})},
        KeyCase{"PercentWhileSubtracting", "200-50%=", "199,5", lines({"200 - 50%  =  199,5"})},
        KeyCase{"PercentWithoutOperator", "50%", "50", "50% "},
        KeyCase{"SixteenDigitsTurnToExponent", "1234567890123456", "1,23456789012346E+15", k16},
        KeyCase{"SeventeenthDigitExtendsExponent", "12345678901234567", "1,23456789012346E+157",
                k16 + "7"},
        KeyCase{"EighteenthDigitOverflows",
                "123456789012345678",
                "0",
                lines({k16 + "7", kDashes}),
                {kOverflow}},
        KeyCase{"OverflowAfterOperatorWritesSeparator",
                "2+123456789012345678",
                "0",
                "2 + " + k16 + "7" + "\r\n" + kDashes + "\r\n",
                {kOverflow}},
        KeyCase{"DivisionByZero", "5/0=", "0", lines({"5 / 0", kDashes, ""}), {kDivZero}},
        KeyCase{"DivisionByZeroThenOperatorCarriesOn",
                "5/0+2=",
                "2",
                lines({"5 / 0", kDashes, ""}) + lines({" + 2 =  2"}),
                {kDivZero}},
        KeyCase{"ResetOnEmptyTapeWritesNothing", "C", "0", ""},
        KeyCase{"ResetAfterResultHasNoBlankLine", "1+1=C", "0", lines({"1 + 1 =  2", kDashes})},
        KeyCase{"ResetMidLine", "12+3C", "0", "12 + 3\r\n" + kDashes + "\r\n"},
        KeyCase{"TwoResets", "1C2C", "0", lines({"1", kDashes, "2", kDashes})},
        // Fractions keep their zeros and never collapse into an exponent while typed.
        KeyCase{"ZeroAfterComma", "1,0", "1,0", "1,0"},
        KeyCase{"ZeroThenDigitAfterComma", "1,05", "1,05", "1,05"},
        KeyCase{"AllZerosShow", "0,00", "0,00", "0,00"},
        KeyCase{"SmallFractionStaysAsTyped", "0,000015", "0,000015", "0,000015"},
        KeyCase{"SmallFractionComputes", "0,000015x2=", "3E-05", lines({"0,000015 x 2 =  3E-05"})},
        KeyCase{"TinyResultInExponentForm", "0,00001/10=", "1E-06",
                lines({"0,00001 / 10 =  1E-06"})},
        KeyCase{"FractionRoundsPastFifteenDigits", "1,234567890123456", "1,23456789012346",
                "1,234567890123456"},
        KeyCase{"FractionPastPrecisionKeepsComma", "1,000000000000001", "1,00000000000000",
                "1,000000000000001"},
        KeyCase{"TypingGoesOnAfterPrecision", "1,0000000000000015+1=", "2,00000000000001",
                lines({"1,0000000000000015 + 1 =  2,00000000000001"})},
        KeyCase{"CommaOnPercentResultThenOperator",
                "5x50%,+",
                "0",
                "5 x 50% ," + std::string("\r\n") + kDashes + "\r\n",
                {kOverflow}},
        KeyCase{"DigitsAfterCommaOnFractionAreIgnored", "5x50%,3", "0,5,", "5 x 50% ,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculator, ResultsBeyondTheRangeGiveTheOverflowMessage) {
    CalculatorRig rig;
    // 1E+300 from the keys: 1 then 300 zeros would overflow the entry, so build it by products.
    rig.press("1" + std::string(15, '0') + "x");
    for (int i = 0; i < 20; ++i)
        rig.press(std::string("1") + std::string(15, '0') + "x");
    EXPECT_EQ(rig.display.text(), "0");
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{kOverflow});
    EXPECT_TRUE(rig.calc.PendingOperator.empty());
    EXPECT_EQ(rig.calc.Accumulator, 0.0);
    EXPECT_TRUE(rig.tape.text().ends_with(kDashes + "\r\n"));
    EXPECT_EQ(rig.tape.text().find("inf"), std::string::npos);
}

TEST(Calculator, StateAfterOperatorAndReset) {
    CalculatorRig rig;
    rig.press("1,5+");
    EXPECT_EQ(rig.calc.Accumulator, 1.5);
    EXPECT_EQ(rig.calc.PendingOperator, "+");
    EXPECT_TRUE(rig.calc.NewEntry);
    EXPECT_FALSE(rig.calc.DecimalTyped);
    EXPECT_EQ(rig.tape.caret(), rig.tape.text().size());
    rig.press(",5C");
    EXPECT_EQ(rig.calc.Accumulator, 0.0);
    EXPECT_TRUE(rig.calc.PendingOperator.empty());
    EXPECT_FALSE(rig.calc.NewEntry);
    EXPECT_FALSE(rig.calc.DecimalTyped);
    EXPECT_EQ(rig.tape.caret(), rig.tape.text().size());
}

TEST(Calculator, ResetEmptiesTheKeyboardBox) {
    CalculatorRig rig;
    rig.keyboardBox.setText("12+");
    rig.press("C");
    EXPECT_EQ(rig.keyboardBox.text(), "");
}

struct TitleCase {
    const char* name;
    const char* keysBefore;
    std::optional<std::string> answer;
    std::string tape;
};

class TitleLines : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleLines, AskedOnceAndWritten) {
    const TitleCase& c = GetParam();
    CalculatorRig rig;
    rig.press(c.keysBefore);
    rig.dialogs.answers.push_back(c.answer);
    rig.press("T");
    ASSERT_EQ(rig.dialogs.prompts.size(), 1u);
    EXPECT_EQ(rig.dialogs.prompts[0], "Entrez un titre de ligne ...|Tirelix|");
    EXPECT_EQ(rig.tape.text(), c.tape);
    EXPECT_FALSE(rig.calc.TitleRequested);
    rig.press("C"); // the request was for one line only
    EXPECT_EQ(rig.dialogs.prompts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, TitleLines,
    ::testing::Values(
        TitleCase{"Courses", "1+1=", "Courses", lines({"1 + 1 =  2", " ------- Courses"})},
        TitleCase{"KeepsBlanksAsTyped", "1+1=", "  Loyer ",
                  lines({"1 + 1 =  2", " -------   Loyer "})},
        TitleCase{"Accents", "5", "Épicerie €", lines({"5", " ------- Épicerie €"})},
        TitleCase{"EmptyAnswerGivesDashes", "1+1=", "", lines({"1 + 1 =  2", kDashes})},
        TitleCase{"CancelGivesDashes", "1+1=", std::nullopt, lines({"1 + 1 =  2", kDashes})},
        TitleCase{"EmptyTapeDropsTheTitle", "", "Courses", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculator, LongTapeOnlyItsEndChanges) {
    CalculatorRig rig;
    for (int i = 0; i < 1000; ++i)
        rig.press("12+3=");
    const std::string before = rig.tape.text();
    rig.press("C");
    EXPECT_EQ(rig.tape.text(), before + kDashes + "\r\n");
}

} // namespace
