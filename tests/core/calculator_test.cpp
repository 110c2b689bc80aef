// The calculator through its keypad, the keyboard box and paste-back ("M"), on recording fakes.
#include "calculator_rig.h"

#include <gtest/gtest.h>

using test::CalculatorRig;
using test::kDashes;
using test::lines;

namespace {

const std::string kOverflow = "Dépassement de capacité !";
const std::string kDivZero = "ERREUR : Division par zero.";
const std::string kNotNumeric = "Valeur non numérique >>>  ";
const std::string k16 = "1234567890123456";

// Keypad captions; 'M' pastes `clipboard`, the keyboard box holding "12+" until then.
struct KeyCase {
    const char* name;
    std::string keys;
    std::string display;
    std::string tape;
    std::vector<std::string> messages = {};
    std::string clipboard = {};
};

class Keypad : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Keypad, DisplayTapeAndMessages) {
    const KeyCase& c = GetParam();
    CalculatorRig rig;
    rig.clipboard.content = c.clipboard;
    rig.keyboardBox.setText("12+");
    rig.press(c.keys);
    EXPECT_EQ(rig.display.text(), c.display);
    EXPECT_EQ(rig.tape.text(), c.tape);
    EXPECT_EQ(rig.messageTexts(), c.messages);
    for (const auto& m : rig.dialogs.messages) {
        EXPECT_EQ(m.title, "Tirelix");
        EXPECT_EQ(m.buttons, ui::Buttons::Ok);
        EXPECT_EQ(m.icon, ui::Icon::None);
    }
    // Reset and paste-back both empty the keyboard box.
    if (c.keys.find_first_of("CM") != std::string::npos) {
        EXPECT_EQ(rig.keyboardBox.text(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, Keypad,
    ::testing::Values(
        KeyCase{"WorkedExample", "12+3x4=C", "0", lines({"12 + 3 =  15", " x 4 =  60", kDashes})},
        KeyCase{"LeadingZerosVanishOnDisplayOnly", "005", "5", "005"},
        KeyCase{"SecondCommaDoesNothing", "5+,,", "0,", "5 + ,"},
        KeyCase{"CommaAcceptedInEachNumber", "1,5+2,5=", "4", lines({"1,5 + 2,5 =  4"})},
        KeyCase{"RepeatedOperatorEvaluatesWithShownNumber", "12++", "24",
                "12 + " + lines({" =  24"}) + " + "},
        KeyCase{"SecondEqualsDoesNothing", "12+==", "24", lines({"12 +  =  24"})},
        KeyCase{"EqualsAloneDoesNothing", "7=", "7", "7"},
        KeyCase{"OperatorContinuesFromResult", "2+3=x4=", "20",
                lines({"2 + 3 =  5", " x 4 =  20"})},
        KeyCase{"DigitAfterEqualsStartsAgain", "2+3=7x2=", "14",
                lines({"2 + 3 =  5", "7 x 2 =  14"})},
        KeyCase{"Subtraction", "5-8=", "-3", lines({"5 - 8 =  -3"})},
        // A chain is cut to 15 significant digits at each step.
        KeyCase{"ChainKeepsFifteenDigits", "10/3x3=", "9,99999999999999",
                lines({"10 / 3 =  3,33333333333333", " x 3 =  9,99999999999999"})},
        KeyCase{"PercentOfProduct", "200x10%=", "20", lines({"200 x 10%  =  20"})},
        KeyCase{"PercentOfQuotient", "200/10%=", "2000", lines({"200 / 10%  =  2000"})},
        KeyCase{"PercentWhileAdding", "200+10%=", "200,1", lines({"200 + 10%  =  200,1"})},
        KeyCase{"PercentWhileSubtracting", "200-50%=", "199,5", lines({"200 - 50%  =  199,5"})},
        KeyCase{"PercentWithoutOperator", "50%", "50", "50% "},
        KeyCase{"SixteenDigitsTurnToExponent", k16, "1,23456789012346E+15", k16},
        KeyCase{"SeventeenthDigitExtendsExponent", k16 + "7", "1,23456789012346E+157", k16 + "7"},
        KeyCase{
            "EighteenthDigitOverflows", k16 + "78", "0", lines({k16 + "7", kDashes}), {kOverflow}},
        KeyCase{"OverflowAfterOperatorWritesSeparator",
                "2+" + k16 + "78",
                "0",
                lines({"2 + " + k16 + "7", kDashes}),
                {kOverflow}},
        KeyCase{"DivisionByZeroThenOperatorCarriesOn",
                "5/0+2=",
                "2",
                lines({"5 / 0", kDashes, "", " + 2 =  2"}),
                {kDivZero}},
        KeyCase{"ResetOnEmptyTapeWritesNothing", "C", "0", ""},
        KeyCase{"ResetMidLine", "12+3C", "0", lines({"12 + 3", kDashes})},
        KeyCase{"TwoResets", "1C2C", "0", lines({"1", kDashes, "2", kDashes})},
        // Fractions keep their zeros and never collapse into an exponent while typed.
        KeyCase{"ZeroThenDigitAfterComma", "1,05", "1,05", "1,05"},
        KeyCase{"AllZerosShow", "0,00", "0,00", "0,00"},
        KeyCase{"SmallFractionStaysAsTyped", "0,000015", "0,000015", "0,000015"},
        KeyCase{"SmallFractionComputes", "0,000015x2=", "3E-05", lines({"0,000015 x 2 =  3E-05"})},
        KeyCase{"FractionRoundsPastFifteenDigits", "1,234567890123456", "1,23456789012346",
                "1,234567890123456"},
        KeyCase{"FractionPastPrecisionKeepsComma", "1,000000000000001", "1,00000000000000",
                "1,000000000000001"},
        KeyCase{"TypingGoesOnAfterPrecision", "1,0000000000000015+1=", "2,00000000000001",
                lines({"1,0000000000000015 + 1 =  2,00000000000001"})},
        KeyCase{"CommaOnPercentResultThenOperator",
                "5x50%,+",
                "0",
                lines({"5 x 50% ,", kDashes}),
                {kOverflow}},
        KeyCase{"DigitsAfterCommaOnFractionAreIgnored", "5x50%,3", "0,5,", "5 x 50% ,"},
        // Paste-back: the nearest whole figure, halves to even, typed in as digits.
        KeyCase{"PasteFigureWithSpaces", "M", "15", "15", {}, " 15 "},
        KeyCase{"PasteHalfGoesToEvenDown", "M", "12", "12", {}, "12,5"},
        KeyCase{"PasteHalfGoesToEvenUp", "M", "4", "4", {}, "3,5"},
        KeyCase{"PasteLargestInteger", "M", "2147483647", "2147483647", {}, "2147483647"},
        KeyCase{"PasteExponentFigure", "M", "1000", "1000", {}, "1E3"},
        KeyCase{"PasteNegativeRoundsToZero", "M", "0", "0", {}, "-0,4"},
        KeyCase{"PasteContinuesALine", "7+M", "15", "7 + 15", {}, "15"},
        KeyCase{"PasteThenCalculationCarriesOn", "M+5=", "20", lines({"15 + 5 =  20"}), {}, "15"},
        KeyCase{"PasteStartsFromZeroAfterAComma", "1,5M", "42", "1,542", {}, "42"},
        KeyCase{"PasteOnlySpaces", "M", "0", "", {kNotNumeric}, "   "},
        KeyCase{"PasteWordsResetsTheLine",
                "1+1=M",
                "0",
                lines({"1 + 1 =  2", kDashes}),
                {kNotNumeric + "abc"},
                "abc"},
        KeyCase{"PasteNegative", "M", "0", "", {kNotNumeric + "-5"}, "-5"},
        KeyCase{"PasteTooLarge", "M", "0", "", {kOverflow}, "3000000000"},
        KeyCase{"PasteHalfPastLargest", "M", "0", "", {kOverflow}, "2147483647,5"},
        KeyCase{"PasteBeyondDoubles", "5M", "0", lines({"5", kDashes}), {kOverflow}, "1E999"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypingCase {
    const char* name;
    std::u16string typed;
    std::string box;
    std::string display;
    std::string tape;
};

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, EchoDisplayAndTape) {
    const TypingCase& c = GetParam();
    CalculatorRig rig;
    rig.type(c.typed);
    EXPECT_EQ(rig.keyboardBox.text(), c.box);
    EXPECT_EQ(rig.display.text(), c.display);
    EXPECT_EQ(rig.tape.text(), c.tape);
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, Typing,
    ::testing::Values(
        TypingCase{"RepeatedPlusActsTwiceShowsOnce", u"12++", "12+", "24",
                   "12 + " + lines({" =  24"}) + " + "},
        TypingCase{"CommaAndPointShowAsPoint", u"1,5+.5", "1.5+.5", "0,5", "1,5 + ,5"},
        TypingCase{"AllOperators", u"8/2*3-1+4%", "8/2*3-1+4%", "0,04",
                   "8 / 2 =  4\r\n x 3 =  12\r\n - 1 =  11\r\n + 4% "},
        TypingCase{"DifferentOperatorsEachShow", u"6*/", "6*/", "36",
                   "6 x " + lines({" =  36"}) + " / "},
        TypingCase{"EnterTwice", u"2+2\r\r", "", "4", lines({"2 + 2 =  4"})},
        TypingCase{"OtherKeysDoNothing", u"a =Z\u00e9\n", "", "0", ""},
        TypingCase{"BackspaceResets", u"12+3\b", "", "0", lines({"12 + 3", kDashes})},
        TypingCase{"BackspaceKeepsLastKey", u"12+\b+", "", "0", lines({"12 + ", kDashes}) + " + "},
        TypingCase{"DigitResetsLastKey", u"1++2+", "1+2+", "4",
                   "1 + " + lines({" =  2"}) + " + 2" + lines({" =  4"}) + " + "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculator, ResultsBeyondTheRangeGiveTheOverflowMessage) {
    CalculatorRig rig;
    for (int i = 0; i < 21; ++i)
        rig.press("1" + std::string(15, '0') + "x");
    EXPECT_EQ(rig.display.text(), "0");
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{kOverflow});
    EXPECT_TRUE(rig.calc.PendingOperator.empty());
    EXPECT_TRUE(rig.tape.text().ends_with(kDashes + "\r\n"));
    EXPECT_EQ(rig.tape.text().find("inf"), std::string::npos);
}

TEST(Calculator, LongTapeOnlyItsEndChanges) {
    CalculatorRig rig;
    for (int i = 0; i < 1000; ++i)
        rig.press("12+3=");
    const std::string before = rig.tape.text();
    rig.press("C");
    EXPECT_EQ(rig.tape.text(), before + kDashes + "\r\n");
    EXPECT_EQ(rig.tape.caret(), rig.tape.text().size());
}

struct TitleCase {
    const char* keysBefore;
    std::optional<std::string> answer;
    std::string tape;
};

TEST(Calculator, TitleAskedOnceForOneLine) {
    const TitleCase cases[] = {
        {"1+1=", "  Épicerie € ", lines({"1 + 1 =  2", " -------   Épicerie € "})},
        {"1+1=", "", lines({"1 + 1 =  2", kDashes})},
        {"5", std::nullopt, lines({"5", kDashes})}, // Cancel
        {"", "Courses", ""},                        // nothing to close on an empty tape
    };
    for (const auto& c : cases) {
        CalculatorRig rig;
        rig.press(c.keysBefore);
        rig.dialogs.answers.push_back(c.answer);
        rig.press("TC"); // the reset after it asks nothing
        EXPECT_EQ(rig.dialogs.prompts,
                  std::vector<std::string>{"Entrez un titre de ligne ...|Tirelix|"});
        EXPECT_EQ(rig.tape.text(), c.tape + (c.tape.empty() ? "" : kDashes + "\r\n"));
    }
}

TEST(PasteBack, NoNumberClearsTheClipboardAndPastedOtherFailuresKeepIt) {
    CalculatorRig rig;
    const std::pair<std::string, bool> steps[] = {{"15", true}, {"3000000000", true}, {"x", false}};
    for (const auto& [clip, pasted] : steps) {
        rig.clipboard.content = clip;
        rig.press("M");
        EXPECT_EQ(rig.calc.Pasted, pasted) << clip;
        EXPECT_EQ(rig.clipboard.content, pasted ? clip : "") << clip;
    }
    rig.press("1+1=");
    rig.clipboard.readable = false;
    rig.press("M");
    EXPECT_EQ(rig.messageTexts().back(), "Valeur non valide >>>  ");
    EXPECT_TRUE(rig.tape.text().ends_with(lines({"1 + 1 =  2", kDashes})));
}

TEST(TicketNote, SelectionReachesTheClipboardAndClickEmptiesIt) {
    CalculatorRig rig;
    rig.press("12+3=");
    rig.tape.select(10, 2);
    rig.calc.blocnote_LostFocus();
    EXPECT_EQ(rig.clipboard.content, "15");
    rig.calc.blocnote_Click();
    EXPECT_EQ(rig.clipboard.content, "");
    rig.tape.select(0, 0);
    rig.clipboard.content = "other program";
    rig.calc.blocnote_LostFocus();
    EXPECT_EQ(rig.clipboard.content, "");
}

TEST(TicketNote, ClearNotesThenKeyboardFocusResetsEverything) {
    CalculatorRig rig;
    rig.press("12+3");
    rig.keyboardBox.setText("12+3");
    rig.clipboard.content = "15";
    rig.calc.Command5_Click();
    EXPECT_EQ(rig.tape.text(), "");
    EXPECT_EQ(rig.keyboardBox.text(), "");
    EXPECT_EQ(rig.clipboard.content, "");
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.display.text(), "0");
    EXPECT_EQ(rig.tape.text(), "");
}

TEST(Keyboard, FocusResetsUnlessAFigureWasPasted) {
    CalculatorRig rig;
    rig.type(u"12+");
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.keyboardBox.text(), "");
    EXPECT_EQ(rig.display.text(), "0");
    rig.type(u"+"); // the last key is forgotten too
    EXPECT_EQ(rig.keyboardBox.text(), "+");
    EXPECT_EQ(rig.tape.text(), lines({"12 + ", kDashes}) + " + ");

    CalculatorRig pasted;
    pasted.clipboard.content = "15";
    pasted.press("M");
    pasted.keyboardBox.setText("typed before");
    pasted.calc.Text2_GotFocus();
    // No reset, and the first-focus clearing waits for the next unpasted focus.
    EXPECT_EQ(pasted.keyboardBox.text(), "typed before");
    pasted.type(u"+5\r");
    EXPECT_EQ(pasted.tape.text(), lines({"15 + 5 =  20"}));
}

} // namespace
