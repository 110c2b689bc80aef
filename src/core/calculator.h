// The desk calculator behind the keypad, the keyboard box and the Ticket Note. The display text
// is the working value: every key reads the current number back from it.
#pragma once

#include "core/desktop.h"

#include <string>

namespace calc {

struct CalculatorIo {
    ui::TextBox& display;     // TextChiffre
    ui::TextBox& keyboardBox; // Text2
    ui::Tape& tape;           // blocnote
    ui::Dialogs& dialogs;
    ui::Clipboard& clipboard;
};

class Calculator {
  public:
    explicit Calculator(CalculatorIo io) : io_(io) {}

    // Keypad.
    void Num_Click(int digit);
    void NumVirg_Click();
    // 0 "+", 1 "-", 2 "x", 3 "/", 4 equals.
    void CmdOperation_Click(int index);
    void pourcent_Click();
    void CmdReset_Click();
    void Command2_Click();

    // Ticket Note: paste-back ("M"), clearing, and the clipboard channel.
    void Command3_Click();
    // Clears the tape, the keyboard box and the clipboard; the window then focuses the
    // keyboard box, whose focus rule resets the calculator.
    void Command5_Click();
    void blocnote_LostFocus();
    void blocnote_Click();

    // Keyboard box. Returns the character code the box should insert (0: dropped).
    char16_t Text2_KeyPress(char16_t keyAscii);
    void Text2_GotFocus();

    double Accumulator = 0.0;
    std::string PendingOperator; // "+", "-", "x", "/" or empty
    bool NewEntry = false;
    bool DecimalTyped = false;
    bool TitleRequested = false;
    bool Pasted = false;
    unsigned char LastKey = 0;
    bool ClearText2OnFocus = true;

  private:
    // False when the calculation was abandoned with a message and a reset.
    bool Validation();
    void failAndReset(std::string message);
    // True when the display reads as a number; otherwise reports it and resets.
    bool displayReadable();

    CalculatorIo io_;
};

} // namespace calc
