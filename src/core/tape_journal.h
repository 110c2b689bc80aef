// The Ticket Note's journal: every change of the tape as a record, written as the key is
// pressed, so that a run that ends abnormally (a crash, a kill, a power cut) leaves the tape
// behind for the next start.
//
// A journal is a header line and records: "a<bytes>:<text>\n" appends, "c<count>\n" chops
// `count` characters, "s<bytes>:<text>\n" replaces the whole text.
#pragma once

#include "core/desktop.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

inline constexpr std::string_view kTapeRestoredMessage =
    "Le Ticket Note de la dernière séance a été restauré après un arrêt anormal.";

std::string JournalAppend(std::string_view text);
std::string JournalChop(std::size_t count);
// A whole journal: the header and one record of the whole text.
std::string JournalOf(std::string_view text);

// The tape a journal leaves, nullopt when the bytes are not a journal. A torn or garbled
// record ends the replay: the tape is what the records before it made.
std::optional<std::string> ReplayJournal(std::string_view journal);

class JournalSink {
  public:
    virtual ~JournalSink() = default;
    // Adds records at the end; false when they could not be written whole.
    virtual bool append(std::string_view records) = 0;
    // Replaces the whole journal, atomically; false when the old one is left.
    virtual bool replace(std::string_view journal) = 0;
    // The journal has fallen behind the tape: a rewrite() is wanted, later, not on this key.
    virtual void needsRewrite() = 0;
};

// The tape with every change also written to the journal, once a sink is attached. The first
// change writes the whole journal; it is rewritten as one record when it has grown far past
// the tape, so that it stays a few times the tape's size.
class JournaledTape final : public ui::Tape {
  public:
    explicit JournaledTape(ui::Tape& tape) : tape_(tape) {}

    void attach(JournalSink* sink);
    // Writes the whole tape as the journal; false, and a rewrite wanted, when it failed.
    bool rewrite();
    // The tape changed behind the journal's back (typed into by the user).
    void markStale();
    // True while one of the tape's own changes is being made.
    bool changing() const { return changing_; }

    // A note page goes into the tape underneath in slices, over many turns of the event loop.
    // startPage() begins the journal again with the tape as it will be once they are all in (the
    // text of `parts`, in order), without reading the tape back; each slice goes in through
    // beneath(), which the journal does not take for a change behind its back; endPage() ends
    // it. A rewrite asked for meanwhile waits for the end: the tape is not whole before.
    void startPage(const std::vector<std::string_view>& parts);
    template <class Change> void beneath(Change&& change) {
        changing_ = true;
        change();
        changing_ = false;
    }
    void endPage();

    bool empty() const override { return tape_.empty(); }
    std::string tail(std::size_t count) const override { return tape_.tail(count); }
    void append(std::string_view text) override;
    void chop(std::size_t count) override;
    void moveCaretToEnd() override { tape_.moveCaretToEnd(); }
    std::string text() const override { return tape_.text(); }
    void setText(std::string_view text) override;
    std::string selectedText(std::size_t count) const override { return tape_.selectedText(count); }

  private:
    void record(const std::string& records);

    ui::Tape& tape_;
    JournalSink* sink_ = nullptr;
    bool written_ = false;
    bool stale_ = false;
    bool changing_ = false;
    bool pageGoingIn_ = false;
    std::size_t journalBytes_ = 0;
    // At least the tape's size in bytes: a chop's count is in characters.
    std::size_t tapeBytes_ = 0;
};

} // namespace calc
