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

bool containsInfOrNan(std::string_view s) {
    return s.find("inf") != std::string_view::npos || s.find("nan") != std::string_view::npos;
}

// Line ends come whole: a CR is always followed by LF and an LF always follows a CR.
bool wholeLineEnds(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))
            return false;
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r'))
            return false;
    }
    return true;
}

// The string tape of the tests, checking each change as it is made: appends of whole pieces,
// chops of a closing line end only, and a full rewrite only to clear the notes.
class WatchedTape final : public ui::Tape {
  public:
    bool empty() const override { return inner.empty(); }
    std::string tail(std::size_t count) const override { return inner.tail(count); }
    void append(std::string_view text) override {
        check(!text.empty(), "appends add something");
        check(wholeLineEnds(text), "appends carry whole line ends", text);
        check(!containsInfOrNan(text), "the tape never shows inf or nan", text);
        if (text.starts_with(calc::kEqualsText)) {
            const std::string_view result = text.substr(calc::kEqualsText.size());
            const calc::ReadResult read = calc::ReadNumber(result);
            check(read.ok() && std::isfinite(read.value) && calc::NumberText(read.value) == result,
                  "a result is written in canonical number text", text);
        }
        inner.append(text);
    }
    void chop(std::size_t count) override {
        check(count == 2 && inner.tail(2) == calc::kLineBreak,
              "only a closing line end is taken off");
        inner.chop(count);
    }
    void moveCaretToEnd() override { inner.moveCaretToEnd(); }
    std::string text() const override { return inner.text(); }
    void setText(std::string_view text) override {
        check(clearing && text.empty(), "the tape is rewritten only to clear the notes", text);
        inner.setText(text);
    }
    std::string selectedText() const override { return inner.selectedText(); }

    calc::StringTape inner;
    bool clearing = false;
};

struct Rig {
    test::FakeTextBox display{"0"};
    test::FakeTextBox keyboardBox;
    WatchedTape tape;
    test::FakeDialogs dialogs;
    test::FakeClipboard clipboard;
    calc::Calculator calc{{display, keyboardBox, tape, dialogs, clipboard}};
};

void checkState(const Rig& rig) {
    const std::string display = rig.display.text();
    check(!display.empty(), "the display is never empty");
    check(!containsInfOrNan(display), "the display never shows inf or nan", display);
    // An entry may end in a comma typed onto a shown fraction ("0,5,"); anything else reads.
    const bool reads =
        calc::ReadNumber(display).ok() ||
        (display.back() == ',' &&
         calc::ReadNumber(std::string_view(display).substr(0, display.size() - 1)).ok());
    check(reads, "the display holds a number or an entry in progress", display);
    check(std::isfinite(rig.calc.Accumulator), "the accumulator stays finite");
    for (const ui::Message& m : rig.dialogs.messages) {
        const bool known = m.text == calc::kOverflowMessage ||
                           m.text == calc::kDivisionByZeroMessage ||
                           m.text.starts_with(calc::kNotNumericPastePrefix) ||
                           m.text.starts_with(calc::kInvalidPastePrefix);
        check(known, "only the calculator's own messages", m.text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Rig rig;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t key = data[i];
        switch (key) {
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
            const std::size_t length = rig.tape.inner.size();
            rig.calc.blocnote_Click();
            rig.tape.inner.select(length - std::min(n, length), n);
            rig.calc.blocnote_LostFocus();
            rig.calc.Command3_Click();
            break;
        }
        case 0xF4: // clear the notes; the keyboard box takes the focus
            rig.tape.clearing = true;
            rig.calc.Command5_Click();
            rig.tape.clearing = false;
            check(rig.tape.empty(), "clearing the notes empties the tape");
            rig.calc.Text2_GotFocus();
            break;
        default: {
            const char16_t code = rig.calc.Text2_KeyPress(key);
            std::string box = rig.keyboardBox.text();
            if (code == 8) {
                if (!box.empty())
                    box.pop_back();
            } else if (code >= 32 && code < 127) {
                box += static_cast<char>(code);
            }
            rig.keyboardBox.setText(box);
            break;
        }
        }
        checkState(rig);
        rig.dialogs.messages.clear(); // each key's messages are checked once
    }
    const std::string tape = rig.tape.text();
    check(wholeLineEnds(tape), "the whole tape has whole line ends", tape);
    return 0;
}
