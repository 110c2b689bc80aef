// The desktop seam over Qt: message and input boxes, the clipboard, text boxes and the tape.
#pragma once

#include "core/desktop.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ui {

class QtDialogs final : public Dialogs {
  public:
    // Boxes are centred on `parent` and modal to the program.
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    Answer messageBox(const Message& message) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;

  private:
    QWidget* owner() const;
    QWidget* parent_;
};

class QtClipboard final : public Clipboard {
  public:
    std::optional<std::string> text() override;
    void setText(const std::string& text) override;
    void clear() override;
};

class LineEditBox final : public TextBox {
  public:
    explicit LineEditBox(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override;
    void setText(std::string_view text) override;

  private:
    QLineEdit* edit_;
};

// The Ticket Note over a QPlainTextEdit. A paragraph break of the document is CR LF to the
// calculator. Every change is made at the end of the document through a cursor, so a key never
// re-sets (or re-lays out) the whole tape.
class PlainTextTape final : public Tape {
  public:
    explicit PlainTextTape(QPlainTextEdit* edit);
    bool empty() const override;
    std::string tail(std::size_t count) const override;
    void append(std::string_view text) override;
    void chop(std::size_t count) override;
    void moveCaretToEnd() override;
    std::string text() const override;
    void setText(std::string_view text) override;
    std::string selectedText(std::size_t count) const override;

  private:
    QPlainTextEdit* edit_;
};

} // namespace ui
