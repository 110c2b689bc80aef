#include "core/string_tape.h"

#include "core/texts.h"

#include <algorithm>

namespace calc {

namespace {
bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

std::size_t StringTape::tailStart(std::size_t count) const {
    // Walk back over whole code points so counts mean characters, as on screen.
    std::size_t pos = text_.size();
    while (count > 0 && pos > 0) {
        --pos;
        while (pos > 0 && isContinuationByte(text_[pos]))
            --pos;
        --count;
    }
    return pos;
}

std::string StringTape::tail(std::size_t count) const {
    return text_.substr(tailStart(count));
}

void StringTape::chop(std::size_t count) {
    text_.erase(tailStart(count));
    caret_ = std::min(caret_, text_.size());
    selectionLength_ = 0;
}

void StringTape::setText(std::string_view text) {
    text_.assign(text);
    caret_ = 0;
    selectionStart_ = selectionLength_ = 0;
}

std::string StringTape::selectedText(std::size_t count) const {
    if (selectionStart_ >= text_.size())
        return {};
    const std::string_view selected(text_.data() + selectionStart_, selectionLength_);
    return std::string(selected.substr(0, Utf8PrefixBytes(selected, count)));
}

void StringTape::select(std::size_t start, std::size_t length) {
    selectionStart_ = std::min(start, text_.size());
    selectionLength_ = std::min(length, text_.size() - selectionStart_);
    caret_ = selectionStart_ + selectionLength_;
}

} // namespace calc
