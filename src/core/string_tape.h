// A tape kept in a string: what the calculator's tests and benchmarks drive, and the model of
// what the on-screen tape must do (every key touches only the end).
#pragma once

#include "core/desktop.h"

#include <string>

namespace calc {

class StringTape final : public ui::Tape {
  public:
    bool empty() const override { return text_.empty(); }
    std::string tail(std::size_t count) const override;
    void append(std::string_view text) override { text_.append(text); }
    void chop(std::size_t count) override;
    void moveCaretToEnd() override { caret_ = text_.size(); }
    std::string text() const override { return text_; }
    void setText(std::string_view text) override;
    std::string selectedText(std::size_t count) const override;

    // Byte offsets into the UTF-8 text; the selection is what paste-back reads.
    void select(std::size_t start, std::size_t length);
    std::size_t caret() const { return caret_; }
    std::size_t size() const { return text_.size(); } // bytes

  private:
    std::size_t tailStart(std::size_t count) const;

    std::string text_;
    std::size_t caret_ = 0;
    std::size_t selectionStart_ = 0;
    std::size_t selectionLength_ = 0;
};

} // namespace calc
