#include "calculator_rig.h"
#include "core/keyboard.h"

#include <gtest/gtest.h>

using test::CalculatorRig;
using test::kDashes;
using test::lines;

namespace {

struct TypingCase {
    const char* name;
    std::u16string typed;
    std::string box;
    std::string display;
    std::string tape;
    unsigned char lastKey;
};

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, EchoDisplayAndTape) {
    const TypingCase& c = GetParam();
    CalculatorRig rig;
    rig.type(c.typed);
    EXPECT_EQ(rig.keyboardBox.text(), c.box);
    EXPECT_EQ(rig.display.text(), c.display);
    EXPECT_EQ(rig.tape.text(), c.tape);
    EXPECT_EQ(rig.calc.LastKey, c.lastKey);
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, Typing,
    ::testing::Values(
        TypingCase{"SumWithEnter", u"12+3\r", "", "15", lines({"12 + 3 =  15"}), 13},
        TypingCase{"RepeatedPlusActsTwiceShowsOnce", u"12++", "12+", "24",
                   "12 + " + lines({" =  24"}) + " + ", 43},
        TypingCase{"CommaShowsAsPoint", u"1,5", "1.5", "1,5", "1,5", 0},
        TypingCase{"PointIsTheComma", u"1.5", "1.5", "1,5", "1,5", 0},
        TypingCase{"RepeatedCommaShowsOnce", u"1,,", "1.", "1,", "1,", 46},
        TypingCase{"AllOperators", u"8/2*3-1+4%", "8/2*3-1+4%", "0,04",
                   "8 / 2 =  4\r\n x 3 =  12\r\n - 1 =  11\r\n + 4% ", 37},
        TypingCase{"DifferentOperatorsEachShow", u"6*/", "6*/", "36",
                   "6 x " + lines({" =  36"}) + " / ", 47},
        TypingCase{"EnterTwice", u"2+2\r\r", "", "4", lines({"2 + 2 =  4"}), 13},
        TypingCase{"LettersSpacesAndEqualsDoNothing", u"a =Z", "", "0", "", 0},
        TypingCase{"BackspaceResets", u"12+3\b", "", "0", "12 + 3\r\n" + kDashes + "\r\n", 0},
        TypingCase{"BackspaceKeepsLastKey", u"12+\b+", "", "0", "12 + \r\n" + kDashes + "\r\n + ",
                   43},
        TypingCase{"DigitResetsLastKey", u"1++2+", "1+2+", "4",
                   "1 + " + lines({" =  2"}) + " + 2" + lines({" =  4"}) + " + ", 43}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Keyboard, MapCoversEveryKeyOfThePad) {
    struct Row {
        char16_t key;
        calc::KeyAction action;
        int argument;
        char16_t echo;
    };
    const Row rows[] = {
        {u'0', calc::KeyAction::Digit, 0, u'0'},    {u'9', calc::KeyAction::Digit, 9, u'9'},
        {u',', calc::KeyAction::Comma, 0, u'.'},    {u'.', calc::KeyAction::Comma, 0, u'.'},
        {u'+', calc::KeyAction::Operator, 0, u'+'}, {u'-', calc::KeyAction::Operator, 1, u'-'},
        {u'*', calc::KeyAction::Operator, 2, u'*'}, {u'/', calc::KeyAction::Operator, 3, u'/'},
        {13, calc::KeyAction::Operator, 4, 13},     {u'%', calc::KeyAction::Percent, 0, u'%'},
        {8, calc::KeyAction::Reset, 0, 8},          {u'=', calc::KeyAction::None, 0, 0},
        {u'x', calc::KeyAction::None, 0, 0},        {u' ', calc::KeyAction::None, 0, 0},
        {u'\u00e9', calc::KeyAction::None, 0, 0},   {10, calc::KeyAction::None, 0, 0},
    };
    for (const auto& r : rows) {
        const auto m = calc::MapKey(r.key);
        EXPECT_EQ(m.action, r.action) << int(r.key);
        EXPECT_EQ(m.argument, r.argument) << int(r.key);
        EXPECT_EQ(m.echo, r.echo) << int(r.key);
    }
}

TEST(Keyboard, FocusResetsUnlessAFigureWasPasted) {
    CalculatorRig rig;
    rig.keyboardBox.setText("left over");
    rig.press("12+3");
    rig.calc.LastKey = 43;
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.keyboardBox.text(), "");
    EXPECT_FALSE(rig.calc.ClearText2OnFocus);
    EXPECT_EQ(rig.calc.LastKey, 0);
    EXPECT_EQ(rig.display.text(), "0");
    EXPECT_EQ(rig.tape.text(), "12 + 3\r\n" + kDashes + "\r\n");

    rig.clipboard.content = "15";
    rig.press("M");
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.display.text(), "15");
    rig.type(u"+5\r");
    EXPECT_TRUE(rig.tape.text().ends_with("15 + 5 =  20\r\n"));
}

TEST(Keyboard, FirstFocusEmptiesTheBoxEvenAfterAPaste) {
    CalculatorRig rig;
    rig.clipboard.content = "7";
    rig.press("M");
    rig.keyboardBox.setText("typed before");
    rig.calc.Text2_GotFocus();
    // Pasted: no reset, and the first-focus clearing waits for the next unpasted focus.
    EXPECT_EQ(rig.keyboardBox.text(), "typed before");
    EXPECT_TRUE(rig.calc.ClearText2OnFocus);
}

} // namespace
