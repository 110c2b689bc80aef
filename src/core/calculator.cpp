#include "core/calculator.h"

#include "core/number_text.h"
#include "core/texts.h"

#include <cmath>

namespace calc {

namespace {

// The display keeps what the value can hold: 15 significant digits.
constexpr int kMaxTypedDigits = 15;

constexpr const char* kOperators[] = {"+", "-", "x", "/"};
constexpr const char* kOperatorTapeTexts[] = {" + ", " - ", " x ", " / "};

// A result is shown only when its 15-digit text reads back: DBL_MAX rounds up past the range.
bool showable(double value) {
    return std::isfinite(value) && ReadNumber(NumberText(value)).ok();
}

} // namespace

void Calculator::failAndReset(std::string message) {
    io_.dialogs.messageBox({std::move(message), std::string(kProgramTitle)});
    CmdReset_Click();
}

bool Calculator::displayReadable() {
    if (ReadNumber(io_.display.text()).ok())
        return true;
    // A display such as "0,5," (a comma typed after a percent result) cannot take part in a
    // calculation: say so the way an entry that went out of range is reported.
    failAndReset(std::string(kOverflowMessage));
    return false;
}

void Calculator::Num_Click(int digit) {
    if (digit < 0 || digit > 9)
        return;
    if (NewEntry) {
        io_.display.setText("0");
        NewEntry = false;
    }
    const std::string current = io_.display.text();
    std::string typed = current;
    typed += static_cast<char>('0' + digit);

    const ReadResult read = ReadNumber(typed);
    if (read.status == ReadStatus::Overflow) {
        failAndReset(std::string(kOverflowMessage));
        return;
    }
    if (!read.ok())
        return;

    std::string shown;
    if (DecimalTyped && current.find(',') != std::string::npos) {
        // A fraction being typed keeps its zeros ("1,0", "0,00") and never collapses into an
        // exponent form that the next digit would extend ("0,000015", not "1E-055").
        if (SignificantDigits(typed) <= kMaxTypedDigits) {
            shown = std::move(typed);
        } else {
            // Past the value's precision the display rounds, as whole numbers do, but keeps
            // its comma so that typing can go on.
            std::string canonical = NumberText(read.value);
            const bool keepsComma =
                !IsExponentForm(canonical) && canonical.find(',') != std::string::npos;
            shown = keepsComma ? canonical : current;
        }
    } else {
        shown = NumberText(read.value);
    }
    io_.display.setText(shown);
    io_.tape.append(std::string(1, static_cast<char>('0' + digit)));
}

void Calculator::NumVirg_Click() {
    if (NewEntry) {
        io_.display.setText("0");
        NewEntry = false;
    }
    if (DecimalTyped)
        return;
    io_.display.setText(io_.display.text() + ",");
    DecimalTyped = true;
    io_.tape.append(",");
}

void Calculator::CmdOperation_Click(int index) {
    if (index < 0 || index > 4)
        return;
    const bool needsNumber = index != 4 || !PendingOperator.empty();
    if (needsNumber && !displayReadable())
        return;
    if (!PendingOperator.empty() && !Validation())
        return;
    if (index == 4) {
        PendingOperator.clear();
        return;
    }
    PendingOperator = kOperators[index];
    io_.tape.append(kOperatorTapeTexts[index]);
    // After an evaluation this reads the 15-digit result back, so a chain keeps 15 digits.
    Accumulator = ReadNumber(io_.display.text()).value;
    NewEntry = true;
    DecimalTyped = false;
    io_.tape.moveCaretToEnd();
}

bool Calculator::Validation() {
    const double x = ReadNumber(io_.display.text()).value;
    bool divisionByZero = false;
    double result = Accumulator;
    if (PendingOperator == "+") {
        result = x + Accumulator;
    } else if (PendingOperator == "-") {
        result = Accumulator - x;
    } else if (PendingOperator == "x") {
        result = x * Accumulator;
    } else if (PendingOperator == "/") {
        if (x == 0.0)
            divisionByZero = true;
        else
            result = Accumulator / x;
    }

    if (divisionByZero) {
        io_.dialogs.messageBox({std::string(kDivisionByZeroMessage), std::string(kProgramTitle)});
        CmdReset_Click();
    } else {
        if (!showable(result)) {
            failAndReset(std::string(kOverflowMessage));
            return false;
        }
        Accumulator = result;
        std::string line(kEqualsText);
        line += NumberText(Accumulator);
        io_.tape.append(line);
    }
    io_.display.setText(NumberText(Accumulator));
    NewEntry = true;
    PendingOperator.clear();
    DecimalTyped = false;
    io_.tape.append(kLineBreak);
    return true;
}

void Calculator::pourcent_Click() {
    if (!PendingOperator.empty()) {
        // With "+" or "-" pending the key works as with "x" and "/": the shown number becomes
        // its hundredth, and the accumulator is left alone.
        if (!displayReadable())
            return;
        const double value = ReadNumber(io_.display.text()).value / 100.0;
        io_.display.setText(NumberText(value));
    }
    io_.tape.append(kPercentText);
}

void Calculator::CmdReset_Click() {
    Accumulator = 0.0;
    NewEntry = false;
    PendingOperator.clear();
    DecimalTyped = false;
    io_.display.setText("0");

    const std::string last = io_.tape.tail(2);
    if (last.size() >= 2 && last[0] == '\r')
        io_.tape.chop(2);

    std::string separator(kDashedLine);
    if (TitleRequested) {
        const auto title =
            io_.dialogs.inputBox(std::string(kTitlePrompt), std::string(kProgramTitle), "");
        if (title && !title->empty()) {
            separator = kTitleLinePrefix;
            separator += *title;
        }
        TitleRequested = false;
    }
    if (!io_.tape.empty()) {
        std::string block(kLineBreak);
        block += separator;
        block += kLineBreak;
        io_.tape.append(block);
    }
    io_.tape.moveCaretToEnd();
    io_.keyboardBox.setText("");
}

void Calculator::Command2_Click() {
    TitleRequested = true;
    CmdReset_Click();
}

} // namespace calc
