// A calculator wired to recording fakes of the desktop, driven by key strings.
#pragma once

#include "core/calculator.h"
#include "core/desktop.h"
#include "core/string_tape.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct FakeTextBox final : ui::TextBox {
    explicit FakeTextBox(std::string initial = {}) : value(std::move(initial)) {}
    std::string text() const override { return value; }
    void setText(std::string_view text) override { value.assign(text); }
    std::string value;
};

class FakeDialogs final : public ui::Dialogs {
  public:
    ui::Answer messageBox(const ui::Message& message) override {
        messages.push_back(message);
        return message.buttons == ui::Buttons::YesNo ? yesNoAnswer : ui::Answer::Ok;
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override {
        prompts.push_back(prompt + "|" + title + "|" + defaultText);
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ui::Message> messages;
    std::vector<std::string> prompts;
    std::deque<std::optional<std::string>> answers; // nullopt, or none left, plays Cancel
    ui::Answer yesNoAnswer = ui::Answer::Yes;
};

class FakeClipboard final : public ui::Clipboard {
  public:
    std::optional<std::string> text() override {
        return readable ? std::optional(content) : std::nullopt;
    }
    void setText(const std::string& text) override { content = text; }
    void clear() override { content.clear(); }

    std::string content;
    bool readable = true;
};

struct CalculatorRig {
    FakeTextBox display{"0"};
    FakeTextBox keyboardBox;
    calc::StringTape tape;
    FakeDialogs dialogs;
    FakeClipboard clipboard;
    calc::Calculator calc{{display, keyboardBox, tape, dialogs, clipboard}};

    // Keypad by caption: digits, ',', '+', '-', 'x', '/', '=', '%', 'C' (reset), 'T' (CT),
    // 'M' (paste-back).
    void press(std::string_view keys) {
        for (char k : keys) {
            if (const auto op = std::string_view("+-x/=").find(k); op != std::string_view::npos)
                calc.CmdOperation_Click(static_cast<int>(op));
            else if (k == ',')
                calc.NumVirg_Click();
            else if (k == '%')
                calc.pourcent_Click();
            else if (k == 'C')
                calc.CmdReset_Click();
            else if (k == 'T')
                calc.Command2_Click();
            else if (k == 'M')
                calc.Command3_Click();
            else
                calc.Num_Click(k - '0');
        }
    }

    // Types into the keyboard box as the box would: the returned code is inserted when it is
    // a printable character; Backspace deletes the last one.
    void type(std::u16string_view chars) {
        for (char16_t c : chars) {
            const char16_t code = calc.Text2_KeyPress(c);
            std::string box = keyboardBox.text();
            if (code == 8 && !box.empty())
                box.pop_back();
            else if (code >= 32 && code < 127)
                box += static_cast<char>(code);
            keyboardBox.setText(box);
        }
    }
};

// Lines joined with CR LF, for readable expectations.
inline std::string lines(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (auto p : parts)
        out.append(p).append("\r\n");
    return out;
}

inline const std::string kDashes(" ---------------------------------------------------------");

} // namespace test
