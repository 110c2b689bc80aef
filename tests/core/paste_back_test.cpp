#include "calculator_rig.h"

#include <gtest/gtest.h>

using test::CalculatorRig;
using test::kDashes;
using test::lines;

namespace {

const std::string kOverflow = "Dépassement de capacité !";

struct PasteCase {
    const char* name;
    std::string tapeBefore; // keys pressed first
    std::string clipboard;
    std::string display;
    std::string tapeAfter;
    std::vector<std::string> messages;
    bool pasted;
};

class PasteBack : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteBack, ReplaysTheFigureOrReportsAndResets) {
    const PasteCase& c = GetParam();
    CalculatorRig rig;
    rig.press(c.tapeBefore);
    rig.clipboard.content = c.clipboard;
    rig.keyboardBox.setText("12+");
    rig.press("M");
    EXPECT_EQ(rig.display.text(), c.display);
    EXPECT_EQ(rig.tape.text(), c.tapeAfter);
    EXPECT_EQ(rig.messageTexts(), c.messages);
    EXPECT_EQ(rig.calc.Pasted, c.pasted);
    EXPECT_EQ(rig.keyboardBox.text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    TicketNote, PasteBack,
    ::testing::Values(
        PasteCase{"Figure", "", "15", "15", "15", {}, true},
        PasteCase{"FigureWithSpaces", "", " 15 ", "15", "15", {}, true},
        PasteCase{"HalfGoesToEvenDown", "", "12,5", "12", "12", {}, true},
        PasteCase{"HalfGoesToEvenUp", "", "3,5", "4", "4", {}, true},
        PasteCase{"TwoAndAHalf", "", "2,5", "2", "2", {}, true},
        PasteCase{"Zero", "", "0", "0", "0", {}, true},
        PasteCase{"LargestInteger", "", "2147483647", "2147483647", "2147483647", {}, true},
        PasteCase{"ExponentFigure", "", "1E3", "1000", "1000", {}, true},
        PasteCase{"ContinuesALine", "7+", "15", "15", "7 + 15", {}, true},
        PasteCase{"Nothing", "", "", "0", "", {"Valeur non numérique >>>  "}, false},
        PasteCase{"OnlySpaces", "", "   ", "0", "", {"Valeur non numérique >>>  "}, false},
        PasteCase{"Words",
                  "1+1=",
                  "abc",
                  "0",
                  lines({"1 + 1 =  2", kDashes}),
                  {"Valeur non numérique >>>  abc"},
                  false},
        PasteCase{"WholeLine",
                  "",
                  "12 + 3 =  15",
                  "0",
                  "",
                  {"Valeur non numérique >>>  12 + 3 =  15"},
                  false},
        PasteCase{"Negative", "", "-5", "0", "", {"Valeur non numérique >>>  -5"}, false},
        PasteCase{"NegativeRoundsToZero", "", "-0,4", "0", "0", {}, true},
        PasteCase{"TooLarge", "", "3000000000", "0", "", {kOverflow}, false},
        PasteCase{"HalfPastLargest", "", "2147483647,5", "0", "", {kOverflow}, false},
        PasteCase{"BeyondDoubles", "5", "1E999", "0", lines({"5", kDashes}), {kOverflow}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PasteBack, ThenCalculationCarriesOn) {
    CalculatorRig rig;
    rig.clipboard.content = "15";
    rig.press("M+5=");
    EXPECT_EQ(rig.tape.text(), lines({"15 + 5 =  20"}));
    EXPECT_EQ(rig.display.text(), "20");
}

TEST(PasteBack, NoNumberClearsTheClipboardAndPastedOtherFailuresKeepIt) {
    CalculatorRig rig;
    rig.clipboard.content = "15";
    rig.press("M");
    ASSERT_TRUE(rig.calc.Pasted);

    rig.clipboard.content = "3000000000";
    rig.press("M");
    EXPECT_TRUE(rig.calc.Pasted);
    EXPECT_EQ(rig.clipboard.content, "3000000000");

    rig.clipboard.content = "x";
    rig.press("M");
    EXPECT_FALSE(rig.calc.Pasted);
    EXPECT_EQ(rig.clipboard.content, "");
}

TEST(PasteBack, UnreadableClipboardIsNotValid) {
    CalculatorRig rig;
    rig.press("1+1=");
    rig.clipboard.readable = false;
    rig.press("M");
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{"Valeur non valide >>>  "});
    EXPECT_EQ(rig.tape.text(), lines({"1 + 1 =  2", kDashes}));
}

TEST(PasteBack, StartsFromZeroWhateverTheEntryState) {
    CalculatorRig rig;
    rig.press("1,5"); // a comma typed in the current entry
    rig.clipboard.content = "42";
    rig.press("M");
    EXPECT_EQ(rig.display.text(), "42");
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
    EXPECT_TRUE(rig.calc.PendingOperator.empty());
}

} // namespace
