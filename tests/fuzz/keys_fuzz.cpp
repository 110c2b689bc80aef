// The calculator driven by any key stream: each byte is a character typed in the keyboard box,
// except a few bytes from 0xF0 up that stand for the mouse-only commands (CT with or without a
// title, focus of the box, a paste-back of the tape's end, clearing the notes). Whatever the
// order, nothing crashes, the display always holds a number (never inf or nan), every result
// written is canonical number text and the tape only ever changes at its end.
#include "calculator_rig.h"
#include "core/number_text.h"
#include "core/texts.h"
#include "fuzz_check.h"

#include <cmath>
#include <regex>
#include <string>

using fuzz::check;

namespace {

// Each result after " =  " in canonical number text.
void checkTape(const std::string& tape) {
    static const std::regex result(" =  ([^\r\n]*)");
    for (std::sregex_iterator it(tape.begin(), tape.end(), result), end; it != end; ++it)
        check(calc::NumberText(calc::ReadNumber((*it)[1].str()).value) == (*it)[1].str(),
              "a result is written in canonical number text", it->str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::CalculatorRig rig;
    for (std::size_t i = 0; i < size; ++i) {
        std::string before = rig.tape.text();
        switch (const std::uint8_t key = data[i]) {
        case 0xF1: // CT with a title; 0xF0 cancels it
            rig.dialogs.answers.push_back("Courses");
            [[fallthrough]];
        case 0xF0:
            rig.calc.Command2_Click();
            break;
        case 0xF3: { // select the tape's last n bytes, press "M"
            const std::size_t n = i + 1 < size ? data[++i] % 32 : 12;
            rig.calc.blocnote_Click();
            rig.tape.select(rig.tape.size() - std::min(n, rig.tape.size()), n);
            rig.calc.blocnote_LostFocus();
            rig.calc.Command3_Click();
            break;
        }
        case 0xF4: // clear the notes; the keyboard box takes the focus, as on its own with 0xF2
            checkTape(before);
            before.clear();
            rig.calc.Command5_Click();
            [[fallthrough]];
        case 0xF2:
            rig.calc.Text2_GotFocus();
            break;
        default:
            rig.type(std::u16string(1, key));
        }
        const std::string display = rig.display.text();
        // An entry may end in a comma typed onto a shown fraction ("0,5,"); anything else reads.
        const std::string_view number(display.data(), display.size() - display.ends_with(','));
        check(!display.empty() && calc::ReadNumber(number).ok() &&
                  std::isfinite(rig.calc.Accumulator),
              "the display holds a number or an entry in progress, the accumulator stays finite",
              display);
        // Only a closing line end may be taken off before the tape grows.
        const std::size_t kept = before.size() - (before.ends_with(calc::kLineBreak) ? 2 : 0);
        check(rig.tape.text().compare(0, kept, before, 0, kept) == 0,
              "the tape changes only at its end", rig.tape.text());
    }
    checkTape(rig.tape.text());
    return 0;
}
