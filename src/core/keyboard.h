// What each character typed in the keyboard box means to the calculator.
#pragma once

namespace calc {

enum class KeyAction { None, Reset, Digit, Comma, Operator, Percent };

struct KeyMeaning {
    KeyAction action = KeyAction::None;
    int argument = 0;  // the digit, or the operator index (4 is equals)
    char16_t echo = 0; // the character the box shows; 0 for none
};

KeyMeaning MapKey(char16_t keyAscii);

} // namespace calc
