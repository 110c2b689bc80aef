// The calculator driven by any key stream: each byte is a character typed in the keyboard box,
// except a few bytes from 0xF0 up that stand for the mouse-only commands (CT with or without a
// title, focus of the box, a paste-back of the tape's end, clearing the notes). Whatever the
// order, nothing crashes, the display never shows inf or nan, every result written is canonical
// number text and the tape only ever changes at its end.
#include "calculator_rig.h"
#include "core/number_text.h"
#include "core/texts.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string>

using fuzz::check;

namespace {

void checkState(const test::CalculatorRig& rig) {
    const std::string display = rig.display.text();
    check(!display.empty(), "the display is never empty");
    check(!fuzz::containsInfOrNan(display), "the display never shows inf or nan", display);
    // An entry may end in a comma typed onto a shown fraction ("0,5,"); anything else reads.
    const std::string_view number(display.data(), display.size() - (display.back() == ','));
    check(calc::ReadNumber(display).ok() || calc::ReadNumber(number).ok(),
          "the display holds a number or an entry in progress", display);
    check(std::isfinite(rig.calc.Accumulator), "the accumulator stays finite");
    for (const ui::Message& m : rig.dialogs.messages) {
        const bool known = m.text == calc::kOverflowMessage ||
                           m.text == calc::kDivisionByZeroMessage ||
                           m.text.starts_with(calc::kNotNumericPastePrefix) ||
                           m.text.starts_with(calc::kInvalidPastePrefix);
        check(known, "only the calculator's own messages", m.text);
    }
}

// Whole CR LF line ends only, and each result after " =  " in canonical number text.
void checkTape(std::string_view tape) {
    check(!fuzz::containsInfOrNan(tape), "the tape never shows inf or nan", tape);
    for (std::size_t start = 0; start < tape.size();) {
        const std::size_t end = std::min(tape.find('\n', start), tape.size());
        std::string_view line = tape.substr(start, end - start);
        if (end < tape.size()) {
            check(line.ends_with('\r'), "line ends come whole", tape);
            line.remove_suffix(1);
        }
        check(line.find('\r') == std::string_view::npos, "no CR alone", tape);
        if (const auto at = line.find(calc::kEqualsText); at != std::string_view::npos) {
            const std::string_view result = line.substr(at + calc::kEqualsText.size());
            const calc::ReadResult read = calc::ReadNumber(result);
            check(read.ok() && calc::NumberText(read.value) == result,
                  "a result is written in canonical number text", line);
        }
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::CalculatorRig rig;
    for (std::size_t i = 0; i < size; ++i) {
        std::string before = rig.tape.text();
        switch (const std::uint8_t key = data[i]) {
        case 0xF0: // CT, title cancelled
            rig.calc.Command2_Click();
            break;
        case 0xF1: // CT, with a title
            rig.dialogs.answers.push_back("Courses");
            rig.calc.Command2_Click();
            break;
        case 0xF2:
            rig.calc.Text2_GotFocus();
            break;
        case 0xF3: { // select the tape's last n bytes, press "M"
            const std::size_t n = i + 1 < size ? data[++i] % 32 : 12;
            const std::size_t length = rig.tape.size();
            rig.calc.blocnote_Click();
            rig.tape.select(length - std::min(n, length), n);
            rig.calc.blocnote_LostFocus();
            rig.calc.Command3_Click();
            break;
        }
        case 0xF4: // clear the notes; the keyboard box takes the focus
            checkTape(before);
            before.clear();
            rig.calc.Command5_Click();
            check(rig.tape.empty(), "clearing the notes empties the tape");
            rig.calc.Text2_GotFocus();
            break;
        default:
            rig.type(std::u16string(1, key));
            break;
        }
        checkState(rig);
        rig.dialogs.messages.clear(); // each key's messages are checked once
        // Only a closing line end may be taken off before the tape grows.
        const std::string tape = rig.tape.text();
        const std::size_t kept =
            before.ends_with(calc::kLineBreak) ? before.size() - 2 : before.size();
        check(tape.compare(0, kept, before, 0, kept) == 0, "the tape changes only at its end",
              tape);
    }
    checkTape(rig.tape.text());
    return 0;
}
