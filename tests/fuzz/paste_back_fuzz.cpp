// Paste-back ("M") of any clipboard text, through the calculator and the string-backed fakes
// of its tests: a figure from 0 to 2147483647 is typed in as digits, everything else ends in
// exactly one of the three messages and a reset, and the tape only grows at its end.
#include "calculator_rig.h"
#include "core/number_text.h"
#include "core/texts.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using fuzz::check;

namespace {

std::string trimSpaces(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

// One paste on a calculator left in the state `keys` put it in.
void pasteAfter(std::string_view keys, std::string_view clipboard) {
    test::CalculatorRig rig;
    rig.clipboard.content = "15"; // what "M" in `keys` pastes
    rig.press(keys);
    const std::string tapeBefore = rig.tape.text();
    const bool pastedBefore = rig.calc.Pasted;
    rig.clipboard.content = std::string(clipboard);
    rig.keyboardBox.setText("12+");
    rig.calc.Command3_Click();

    const std::string s = trimSpaces(clipboard);
    const calc::ReadResult read = calc::ReadNumber(s);
    const double rounded = read.ok() ? std::nearbyint(read.value) : 0.0;
    const bool fits = rounded >= 0 && rounded <= std::numeric_limits<std::int32_t>::max();

    const std::string display = rig.display.text();
    const std::string tape = rig.tape.text();
    check(rig.keyboardBox.text().empty(), "paste-back empties the keyboard box", clipboard);

    if (read.ok() && fits) {
        const std::string digits = std::to_string(static_cast<std::int32_t>(rounded));
        check(rig.dialogs.messages.empty(), "a figure pastes without a message", clipboard);
        check(display == digits, "the display shows the nearest whole figure", clipboard);
        check(tape == tapeBefore + digits, "the tape receives the figure's digits", clipboard);
        check(rig.calc.Pasted, "a complete paste-back sets Pasted", clipboard);
        return;
    }

    check(rig.dialogs.messages.size() == 1, "a failed paste-back shows one message", clipboard);
    const ui::Message& m = rig.dialogs.messages.front();
    check(display == "0", "a failed paste-back leaves the display at 0", display);
    check(rig.calc.PendingOperator.empty() && rig.calc.Accumulator == 0.0,
          "a failed paste-back resets the calculation", clipboard);
    const bool notNumeric = !read.ok() && read.status != calc::ReadStatus::Overflow;
    const bool negative =
        read.ok() && rounded < 0 && rounded >= std::numeric_limits<std::int32_t>::min();
    if (notNumeric || negative) {
        check(m.text == std::string(calc::kNotNumericPastePrefix) + s,
              "no number: \"Valeur non numérique >>>  \" and the text", m.text);
    } else {
        check(m.text == calc::kOverflowMessage, "beyond 32 bits: the overflow message", m.text);
    }
    std::string reset = tapeBefore;
    if (reset.size() >= 2 && reset.compare(reset.size() - 2, 2, "\r\n") == 0)
        reset.resize(reset.size() - 2);
    if (!reset.empty())
        reset += "\r\n" + test::kDashes + "\r\n";
    check(tape == reset, "the reset closes the tape with the dashed line", tape);
    if (notNumeric) {
        check(!rig.calc.Pasted && rig.clipboard.content.empty(),
              "no number drops the selection and Pasted", clipboard);
    } else {
        check(rig.calc.Pasted == pastedBefore, "other failures keep Pasted", clipboard);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view clipboard = fuzz::asText(data, size);
    // A fresh calculator; one in the middle of a sum, with a typed fraction, after a result,
    // after a paste.
    for (std::string_view keys : {"", "7+", "1,5", "12x3=", "M"})
        pasteAfter(keys, clipboard);
    return 0;
}
