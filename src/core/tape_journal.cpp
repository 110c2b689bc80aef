#include "core/tape_journal.h"

#include "core/string_tape.h"

#include <algorithm>
#include <charconv>

namespace calc {

namespace {

constexpr std::string_view kHeader = "Tirelix Ticket Note journal 1\n";

// Rewritten when the journal passes this many times the tape, plus the slack below: a short
// tape is not rewritten every few keys.
constexpr std::size_t kGrowthFactor = 4;
constexpr std::size_t kSlackBytes = 256 * 1024;

// What comes before a text of `bytes` bytes in its record; the record ends with a newline.
std::string recordHead(char tag, std::size_t bytes) {
    return tag + std::to_string(bytes) + ':';
}

std::string textRecord(char tag, std::string_view text) {
    std::string record = recordHead(tag, text.size());
    record += text;
    record += '\n';
    return record;
}

// Reads a decimal number at `pos`, moving past it; false when there is none.
bool readNumber(std::string_view bytes, std::size_t& pos, std::size_t& value) {
    const char* begin = bytes.data() + pos;
    const char* end = bytes.data() + bytes.size();
    const auto [next, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || next == begin)
        return false;
    pos += static_cast<std::size_t>(next - begin);
    return true;
}

} // namespace

std::string JournalAppend(std::string_view text) {
    return textRecord('a', text);
}

std::string JournalChop(std::size_t count) {
    return 'c' + std::to_string(count) + '\n';
}

std::string JournalOf(std::string_view text) {
    return std::string(kHeader) + textRecord('s', text);
}

std::optional<std::string> ReplayJournal(std::string_view journal) {
    if (journal.substr(0, kHeader.size()) != kHeader)
        return std::nullopt;
    StringTape tape;
    std::size_t pos = kHeader.size();
    while (pos < journal.size()) {
        const char tag = journal[pos++];
        std::size_t number = 0;
        if ((tag != 'a' && tag != 'c' && tag != 's') || !readNumber(journal, pos, number))
            break;
        if (tag == 'c') {
            if (pos >= journal.size() || journal[pos] != '\n')
                break;
            tape.chop(number);
            ++pos;
            continue;
        }
        if (pos >= journal.size() || journal[pos] != ':' || number >= journal.size() - pos - 1 ||
            journal[pos + 1 + number] != '\n')
            break;
        const std::string_view text = journal.substr(pos + 1, number);
        if (tag == 'a')
            tape.append(text);
        else
            tape.setText(text);
        pos += number + 2;
    }
    return tape.text();
}

void JournaledTape::attach(JournalSink* sink) {
    sink_ = sink;
    written_ = stale_ = false;
}

bool JournaledTape::rewrite() {
    if (!sink_)
        return false;
    if (pageGoingIn_) {
        stale_ = true;
        return false;
    }
    const std::string text = tape_.text();
    const std::string journal = JournalOf(text);
    if (!sink_->replace(journal)) {
        markStale();
        return false;
    }
    written_ = true;
    stale_ = false;
    journalBytes_ = journal.size();
    tapeBytes_ = text.size();
    return true;
}

void JournaledTape::markStale() {
    stale_ = true;
    if (sink_)
        sink_->needsRewrite();
}

void JournaledTape::record(const std::string& records) {
    if (!sink_)
        return;
    // Records after a failed write would replay onto the wrong tape.
    if (stale_) {
        sink_->needsRewrite();
        return;
    }
    if (!written_) {
        rewrite();
        return;
    }
    if (!sink_->append(records)) {
        markStale();
        return;
    }
    journalBytes_ += records.size();
    if (journalBytes_ > kGrowthFactor * tapeBytes_ + kSlackBytes)
        rewrite();
}

void JournaledTape::startPage(const std::vector<std::string_view>& parts) {
    pageGoingIn_ = true;
    std::size_t bytes = 0;
    for (const std::string_view part : parts)
        bytes += part.size();
    tapeBytes_ = bytes;
    if (!sink_)
        return;
    // The record replaces all before it: the journal begins again with it.
    const std::string begun = JournalOf({});
    if (!sink_->replace(begun)) {
        markStale();
        return;
    }
    written_ = true;
    stale_ = false;
    // A record torn by a crash halfway is not replayed: the tape is then the one before it.
    const std::string head = recordHead('s', bytes);
    bool whole = sink_->append(head);
    for (auto part = parts.begin(); whole && part != parts.end(); ++part)
        whole = part->empty() || sink_->append(*part);
    if (!whole || !sink_->append("\n")) {
        markStale();
        return;
    }
    journalBytes_ = begun.size() + head.size() + bytes + 1;
}

void JournaledTape::endPage() {
    pageGoingIn_ = false;
    if (stale_)
        markStale();
}

void JournaledTape::append(std::string_view text) {
    changing_ = true;
    tape_.append(text);
    changing_ = false;
    tapeBytes_ += text.size();
    record(JournalAppend(text));
}

void JournaledTape::chop(std::size_t count) {
    changing_ = true;
    tape_.chop(count);
    changing_ = false;
    tapeBytes_ -= std::min(count, tapeBytes_);
    record(JournalChop(count));
}

void JournaledTape::setText(std::string_view text) {
    changing_ = true;
    tape_.setText(text);
    changing_ = false;
    // A new tape is a new journal: a cleared tape leaves a journal of a few bytes.
    rewrite();
}

} // namespace calc
