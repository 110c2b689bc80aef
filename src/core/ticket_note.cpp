// The Ticket Note side of the calculator: paste-back of a selected figure, clearing the tape,
// and the clipboard as the channel between the tape and the "M" key.
#include "core/calculator.h"
#include "core/number_text.h"
#include "core/texts.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace calc {

namespace {

// Paste-back reads no further than a figure can go: 255 characters or more are never one.
constexpr std::size_t kFigureLimit = 255;

std::string trimSpaces(const std::string& text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    const auto end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

} // namespace

void Calculator::Command3_Click() {
    io_.display.setText("0");
    io_.keyboardBox.setText("");

    // What the tape shows selected at the press, whatever the timers did to the focus since the
    // selection was made; without one, what the tape's focus left on the clipboard (or another
    // program put there).
    std::string source = io_.tape.selectedText(kFigureLimit);
    if (source.empty()) {
        const auto clipboardText = io_.clipboard.text();
        if (!clipboardText) {
            failAndReset(std::string(kInvalidPastePrefix));
            return;
        }
        source = clipboardText->substr(0, Utf8PrefixBytes(*clipboardText, kFigureLimit));
    }
    // A text as long as the limit is no figure: it is not read any further.
    const bool tooLong = Utf8PrefixBytes(source, kFigureLimit - 1) < source.size();
    const std::string s = trimSpaces(source);

    const ReadResult read = tooLong ? ReadResult{ReadStatus::NotANumber, 0.0} : ReadNumber(s);
    if (read.status == ReadStatus::Overflow) {
        failAndReset(std::string(kOverflowMessage));
        return;
    }
    if (!read.ok()) {
        // The no-number branch: the selection is dropped and the keyboard box's focus resets
        // the calculator again.
        io_.clipboard.clear();
        Pasted = false;
        failAndReset(std::string(kNotNumericPastePrefix) + QuotedLine(s));
        return;
    }

    // Nearest integer, halves to even ("12,5" gives 12, "3,5" gives 4).
    const double rounded = std::nearbyint(read.value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        failAndReset(std::string(kOverflowMessage));
        return;
    }
    const std::string digits = std::to_string(static_cast<std::int32_t>(rounded));
    for (char c : digits) {
        if (c < '0' || c > '9') {
            // A negative figure cannot be typed with digit keys.
            failAndReset(std::string(kNotNumericPastePrefix) + QuotedLine(s));
            return;
        }
        Num_Click(c - '0');
    }
    Pasted = true;
}

void Calculator::Command5_Click() {
    io_.tape.setText("");
    io_.keyboardBox.setText("");
    io_.clipboard.clear();
}

void Calculator::blocnote_LostFocus() {
    io_.clipboard.setText(io_.tape.selectedText(std::string::npos));
}

void Calculator::blocnote_Click() {
    io_.clipboard.clear();
}

} // namespace calc
