// The calculator through its keypad, the keyboard box and paste-back ("M"), on recording fakes.
// Paste-back of any clipboard text is numbers_fuzz's; any key stream is keys_fuzz's.
#include "calculator_rig.h"
#include "core/texts.h"

#include <gtest/gtest.h>

using test::CalculatorRig;
using test::kDashes;
using test::lines;

namespace {

const std::string kOverflow(calc::kOverflowMessage);
const std::string k16 = "1234567890123456";

// Keypad captions; 'M' pastes `clipboard`, the keyboard box holding "12+" until then; 'T'
// asks for a line title once and is given `title` (none: Cancel).
struct KeyCase {
    std::string keys, display, tape, message = {}, clipboard = {};
    std::optional<std::string> title = {};
};

TEST(Calculator, KeypadDisplayTapeAndMessages) {
    const KeyCase cases[] = {
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
        {"200+10%=", "200,1", lines({"200 + 10%  =  200,1"})},
        {"200-50%=", "199,5", lines({"200 - 50%  =  199,5"})},
        {"50%", "50", "50% "},
        {k16, "1,23456789012346E+15", k16},
        {k16 + "7", "1,23456789012346E+157", k16 + "7"},
        {k16 + "7x" + k16 + "7=", "0", lines({k16 + "7 x " + k16 + "7", kDashes}), kOverflow},
        {"5/0+2=", "2", lines({"5 / 0", kDashes, "", " + 2 =  2"}),
         std::string(calc::kDivisionByZeroMessage)},
        {"12+3C", "0", lines({"12 + 3", kDashes})},
        // Fractions keep their zeros and never collapse into an exponent while typed.
        {"0,00", "0,00", "0,00"},
        {"0,000015", "0,000015", "0,000015"},
        {"1,234567890123456", "1,23456789012346", "1,234567890123456"},
        {"1,000000000000001", "1,00000000000000", "1,000000000000001"},
        {"1,0000000000000015+1=", "2,00000000000001",
         lines({"1,0000000000000015 + 1 =  2,00000000000001"})},
        {"5x50%,+", "0", lines({"5 x 50% ,", kDashes}), kOverflow},
        {"5x50%,3", "0,5,", "5 x 50% ,"},
        {"1,5M", "42", "1,542", "", "42"}, // from zero whatever the entry state
        {"1+1=M", "0", lines({"1 + 1 =  2", kDashes}),
         std::string(calc::kNotNumericPastePrefix) + "abc", "abc"},
        {"1+1=TC", "0", lines({"1 + 1 =  2", " -------   Épicerie € ", kDashes}), "", "",
         "  Épicerie € "},
        {"1+1=TC", "0", lines({"1 + 1 =  2", kDashes, kDashes})},
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
        ASSERT_EQ(rig.dialogs.messages.size(), c.message.empty() ? 0u : 1u);
        for (const auto& m : rig.dialogs.messages)
            EXPECT_TRUE(m.text == c.message && m.title == "Tirelix" &&
                        m.buttons == ui::Buttons::Ok && m.icon == ui::Icon::None)
                << m.text;
        const bool titled = c.keys.find('T') != std::string::npos;
        EXPECT_EQ(rig.dialogs.prompts,
                  std::vector<std::string>(titled, "Entrez un titre de ligne ...|Tirelix|"));
        // Reset and paste-back both empty the keyboard box.
        if (c.keys.find_first_of("CM") != std::string::npos) {
            EXPECT_EQ(rig.keyboardBox.text(), "");
        }
    }
}

TEST(Keyboard, EchoDisplayAndTape) {
    const std::tuple<std::u16string, std::string, std::string, std::string> cases[] = {
        {u"1,5+.5", "1.5+.5", "0,5", "1,5 + ,5"},
        {u"8/2*3-1+4%", "8/2*3-1+4%", "0,04",
         lines({"8 / 2 =  4", " x 3 =  12", " - 1 =  11"}) + " + 4% "},
        {u"6*/", "6*/", "36", "6 x " + lines({" =  36"}) + " / "},
        {u"12+\b+", "", "0", lines({"12 + ", kDashes}) + " + "}, // backspace keeps the last key
    };
    for (const auto& [typed, box, display, tape] : cases) {
        CalculatorRig rig;
        rig.type(typed);
        EXPECT_EQ(rig.keyboardBox.text(), box);
        EXPECT_EQ(rig.display.text(), display) << box;
        EXPECT_EQ(rig.tape.text(), tape) << box;
    }
}

// Selecting on the tape offers the figure, clicking or an empty selection withdraws it, an
// unreadable clipboard is refused, and clearing the notes empties all three.
TEST(TicketNote, SelectionClipboardAndClearing) {
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
    rig.clipboard.readable = false;
    rig.press("M");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, calc::kInvalidPastePrefix);
    EXPECT_EQ(rig.tape.text(), lines({"12 + 3 =  15", kDashes}));
    rig.press("12+3");
    rig.keyboardBox.setText("12+3");
    rig.clipboard.content = "15";
    rig.calc.Command5_Click();
    rig.calc.Text2_GotFocus();
    EXPECT_EQ(rig.tape.text() + rig.keyboardBox.text() + rig.clipboard.content, "");
    EXPECT_EQ(rig.display.text(), "0");
}

} // namespace
