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

// Keypad captions; 'M' pastes `clipboard`, the keyboard box holding "12+" until then; 'T'
// asks for a line title once and is given `title` (none: Cancel).
struct KeyCase {
    std::string keys;
    std::string display;
    std::string tape;
    std::string message = {};
    std::string clipboard = {};
    std::optional<std::string> title = {};
};

TEST(Calculator, KeypadDisplayTapeAndMessages) {
    const KeyCase cases[] = {
        {"12+3x4=C", "0", lines({"12 + 3 =  15", " x 4 =  60", kDashes})},
        {"005", "5", "005"}, // leading zeros vanish on the display only
        {"5+,,", "0,", "5 + ,"},
        {"1,5+2,5=", "4", lines({"1,5 + 2,5 =  4"})},
        // A repeated operator evaluates with the shown number; a second "=" does nothing.
        {"12++", "24", "12 + " + lines({" =  24"}) + " + "},
        {"12+==", "24", lines({"12 +  =  24"})},
        {"7=", "7", "7"},
        {"2+3=x4=", "20", lines({"2 + 3 =  5", " x 4 =  20"})},
        {"2+3=7x2=", "14", lines({"2 + 3 =  5", "7 x 2 =  14"})},
        {"5-8=", "-3", lines({"5 - 8 =  -3"})},
        // A chain is cut to 15 significant digits at each step.
        {"10/3x3=", "9,99999999999999",
         lines({"10 / 3 =  3,33333333333333", " x 3 =  9,99999999999999"})},
        {"200x10%=", "20", lines({"200 x 10%  =  20"})},
        {"200/10%=", "2000", lines({"200 / 10%  =  2000"})},
        {"200+10%=", "200,1", lines({"200 + 10%  =  200,1"})},
        {"200-50%=", "199,5", lines({"200 - 50%  =  199,5"})},
        {"50%", "50", "50% "},
        {k16, "1,23456789012346E+15", k16},
        {k16 + "7", "1,23456789012346E+157", k16 + "7"},
        {k16 + "78", "0", lines({k16 + "7", kDashes}), kOverflow},
        {"2+" + k16 + "78", "0", lines({"2 + " + k16 + "7", kDashes}), kOverflow},
        {"5/0+2=", "2", lines({"5 / 0", kDashes, "", " + 2 =  2"}), kDivZero},
        {"C", "0", ""},
        {"12+3C", "0", lines({"12 + 3", kDashes})},
        // Fractions keep their zeros and never collapse into an exponent while typed.
        {"1,05", "1,05", "1,05"},
        {"0,00", "0,00", "0,00"},
        {"0,000015", "0,000015", "0,000015"},
        {"0,000015x2=", "3E-05", lines({"0,000015 x 2 =  3E-05"})},
        {"1,234567890123456", "1,23456789012346", "1,234567890123456"},
        {"1,000000000000001", "1,00000000000000", "1,000000000000001"},
        {"1,0000000000000015+1=", "2,00000000000001",
         lines({"1,0000000000000015 + 1 =  2,00000000000001"})},
        {"5x50%,+", "0", lines({"5 x 50% ,", kDashes}), kOverflow},
        {"5x50%,3", "0,5,", "5 x 50% ,"},
        // Paste-back: the nearest whole figure, halves to even, typed in as digits.
        {"M", "15", "15", "", " 15 "},
        {"M", "12", "12", "", "12,5"},
        {"M", "4", "4", "", "3,5"},
        {"M", "2147483647", "2147483647", "", "2147483647"},
        {"M", "0", "0", "", "-0,4"},
        {"7+M", "15", "7 + 15", "", "15"},
        {"M+5=", "20", lines({"15 + 5 =  20"}), "", "15"},
        {"1,5M", "42", "1,542", "", "42"}, // from zero whatever the entry state
        {"M", "0", "", kNotNumeric, "   "},
        {"1+1=M", "0", lines({"1 + 1 =  2", kDashes}), kNotNumeric + "abc", "abc"},
        {"M", "0", "", kNotNumeric + "-5", "-5"},
        {"M", "0", "", kOverflow, "3000000000"},
        {"M", "0", "", kOverflow, "2147483647,5"},
        {"5M", "0", lines({"5", kDashes}), kOverflow, "1E999"},
        {"1+1=TC", "0", lines({"1 + 1 =  2", " -------   Épicerie € ", kDashes}), "", "",
         "  Épicerie € "},
        {"1+1=TC", "0", lines({"1 + 1 =  2", kDashes, kDashes}), "", "", ""},
        {"5TC", "0", lines({"5", kDashes, kDashes})},
        {"TC", "0", "", "", "", "Courses"}, // nothing to close on an empty tape
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.keys + " [" + c.clipboard + "]");
        CalculatorRig rig;
        rig.clipboard.content = c.clipboard;
        rig.keyboardBox.setText("12+");
        if (c.title)
            rig.dialogs.answers.push_back(c.title);
        rig.press(c.keys);
        EXPECT_EQ(rig.display.text(), c.display);
        EXPECT_EQ(rig.tape.text(), c.tape);
        EXPECT_EQ(rig.messageTexts(), c.message.empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{c.message});
        for (const auto& m : rig.dialogs.messages) {
            EXPECT_EQ(m.title, "Tirelix");
            EXPECT_EQ(m.buttons, ui::Buttons::Ok);
            EXPECT_EQ(m.icon, ui::Icon::None);
        }
        EXPECT_EQ(rig.dialogs.prompts.size(), c.keys.find('T') != std::string::npos ? 1u : 0u);
        if (!rig.dialogs.prompts.empty()) {
            EXPECT_EQ(rig.dialogs.prompts[0], "Entrez un titre de ligne ...|Tirelix|");
        }
        // Reset and paste-back both empty the keyboard box.
        if (c.keys.find_first_of("CM") != std::string::npos) {
            EXPECT_EQ(rig.keyboardBox.text(), "");
        }
    }
}

struct TypingCase {
    std::u16string typed;
    std::string box;
    std::string display;
    std::string tape;
};

TEST(Keyboard, EchoDisplayAndTape) {
    const TypingCase cases[] = {
        {u"1,5+.5", "1.5+.5", "0,5", "1,5 + ,5"},
        {u"8/2*3-1+4%", "8/2*3-1+4%", "0,04", "8 / 2 =  4\r\n x 3 =  12\r\n - 1 =  11\r\n + 4% "},
        {u"6*/", "6*/", "36", "6 x " + lines({" =  36"}) + " / "},
        {u"2+2\r\r", "", "4", lines({"2 + 2 =  4"})},
        {u"a =Z\u00e9\n", "", "0", ""},
        {u"12+\b+", "", "0", lines({"12 + ", kDashes}) + " + "}, // backspace keeps the last key
        {u"1++2+", "1+2+", "4", "1 + " + lines({" =  2"}) + " + 2" + lines({" =  4"}) + " + "},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.box + " -> " + c.tape);
        CalculatorRig rig;
        rig.type(c.typed);
        EXPECT_EQ(rig.keyboardBox.text(), c.box);
        EXPECT_EQ(rig.display.text(), c.display);
        EXPECT_EQ(rig.tape.text(), c.tape);
    }
}

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

TEST(TicketNote, SelectionReachesTheClipboardClickAndClearingEmptyIt) {
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
    // Clearing the notes empties the tape, the box and the clipboard; the focus resets.
    rig.press("12+3");
    rig.keyboardBox.setText("12+3");
    rig.clipboard.content = "15";
    rig.calc.Command5_Click();
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.tape.text() + rig.keyboardBox.text() + rig.clipboard.content, "");
    EXPECT_EQ(rig.display.text(), "0");
}

} // namespace
