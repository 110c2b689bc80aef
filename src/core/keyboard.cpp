#include "core/keyboard.h"

#include "core/calculator.h"

namespace calc {

KeyMeaning MapKey(char16_t keyAscii) {
    switch (keyAscii) {
    case 8:
        return {KeyAction::Reset, 0, 8};
    case u',': // the box shows a point for the comma
    case u'.':
        return {KeyAction::Comma, 0, u'.'};
    case u'/':
        return {KeyAction::Operator, 3, u'/'};
    case u'*':
        return {KeyAction::Operator, 2, u'*'};
    case u'-':
        return {KeyAction::Operator, 1, u'-'};
    case u'+':
        return {KeyAction::Operator, 0, u'+'};
    case u'%':
        return {KeyAction::Percent, 0, u'%'};
    case 13:
        return {KeyAction::Operator, 4, 13};
    default:
        if (keyAscii >= u'0' && keyAscii <= u'9')
            return {KeyAction::Digit, keyAscii - u'0', keyAscii};
        return {};
    }
}

char16_t Calculator::Text2_KeyPress(char16_t keyAscii) {
    const KeyMeaning key = MapKey(keyAscii);
    switch (key.action) {
    case KeyAction::None:
        return 0;
    case KeyAction::Reset:
        // Backspace clears everything, like "C"; it then reaches the emptied box.
        CmdReset_Click();
        return key.echo;
    case KeyAction::Digit:
        Num_Click(key.argument);
        LastKey = 0;
        return key.echo;
    case KeyAction::Comma:
        NumVirg_Click();
        break;
    case KeyAction::Operator:
        CmdOperation_Click(key.argument);
        break;
    case KeyAction::Percent:
        pourcent_Click();
        break;
    }
    // A repeated key still acts, but shows once.
    const auto code = static_cast<unsigned char>(key.echo);
    const bool repeated = LastKey == code;
    LastKey = code;
    if (key.echo == 13)
        io_.keyboardBox.setText("");
    return repeated ? char16_t{0} : key.echo;
}

void Calculator::Text2_GotFocus() {
    LastKey = 0;
    if (Pasted)
        return;
    if (ClearText2OnFocus) {
        io_.keyboardBox.setText("");
        ClearText2OnFocus = false;
    }
    CmdReset_Click();
}

} // namespace calc
