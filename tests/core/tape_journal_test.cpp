// The Ticket Note's journal: what the records replay to, whole, torn at any byte, or garbled.
#include "core/string_tape.h"
#include "core/tape_journal.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct StringSink final : calc::JournalSink {
    bool append(std::string_view r) override { return !failNext && (bytes += r, true); }
    bool replace(std::string_view j) override { return !failNext && (bytes = j, true); }
    void needsRewrite() override { ++rewritesWanted; }
    std::string bytes;
    bool failNext = false;
    int rewritesWanted = 0;
};

struct Journaled {
    calc::StringTape tape;
    calc::JournaledTape journaled{tape};
    StringSink sink;
    Journaled() { journaled.attach(&sink); }
    // "a" appends, "c" chops, "s" sets the text, "!" fails the next write, "r" rewrites, "u"
    // is the user typing behind the journal's back.
    void run(const std::string& op) {
        const std::string arg = op.substr(1);
        sink.failNext = op[0] == '!';
        const char tag = sink.failNext ? op[1] : op[0];
        if (tag == 'a')
            journaled.append(op.substr(sink.failNext ? 2 : 1));
        else if (tag == 'c')
            journaled.chop(std::stoul(arg));
        else if (tag == 's')
            journaled.setText(arg);
        else if (tag == 'r')
            journaled.rewrite();
        else if (tag == 'u')
            tape.append(arg), journaled.markStale();
        sink.failNext = false;
    }
};

struct Case {
    const char* name;
    std::vector<std::string> ops;
    int rewritesWanted;
};

const Case kCases[] = {
    {"keys", {"a1", "a2", "a + ", "a3", "a =  15\r\n", "c2", "a\r\n ---\r\n", "aé€😀", "c2"}, 0},
    {"chop past the start", {"a12", "c5", "a3"}, 0},
    {"page loaded then cleared", {"a1", "sPage chargée\r\nligne", "a + ", "s", "a7"}, 0},
    {"failed append", {"a1", "!a2", "a3", "r", "a4"}, 2},
    {"failed rewrite", {"a1", "!r", "a2", "r", "c1"}, 2},
    {"typed into", {"a1", "uX", "a2", "r", "a3"}, 2},
};

TEST(TapeJournal, ReplaysToTheTapeAfterEveryChange) {
    for (const Case& c : kCases) {
        Journaled j;
        bool behind = false;
        for (const std::string& op : c.ops) {
            j.run(op);
            behind = (behind || op[0] == '!' || op[0] == 'u') && op != "r";
            if (!behind) {
                EXPECT_EQ(calc::ReplayJournal(j.sink.bytes), j.tape.text()) << c.name << " " << op;
            }
        }
        EXPECT_EQ(j.sink.rewritesWanted, c.rewritesWanted) << c.name;
    }
}

TEST(TapeJournal, TornAtAnyByteReplaysTheWholeRecordsBeforeIt) {
    Journaled j;
    std::vector<std::pair<std::size_t, std::string>> states;
    for (const std::string& op : kCases[0].ops)
        j.run(op), states.emplace_back(j.sink.bytes.size(), j.tape.text());
    for (std::size_t cut = 0; cut <= j.sink.bytes.size(); ++cut) {
        const auto replayed = calc::ReplayJournal(j.sink.bytes.substr(0, cut));
        std::optional<std::string> expected;
        for (const auto& [size, text] : states)
            if (size <= cut)
                expected = text;
        if (cut >= calc::JournalOf("").size() - 4)
            expected = expected.value_or("");
        EXPECT_EQ(replayed, expected) << cut;
    }
}

TEST(TapeJournal, GarbageEndsTheReplay) {
    const std::string head = calc::JournalOf("ab");
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt},
        {"Tirelix\n" + calc::JournalAppend("x"), std::nullopt},
        {head + "x9\n" + calc::JournalAppend("c"), "ab"},
        {head + "a1:cX" + calc::JournalAppend("d"), "ab"},
        {head + "a99999999999999999999999:c\n", "ab"},
        {head + "a18446744073709551615:c\n", "ab"},
        {head + "c\n" + calc::JournalChop(1), "ab"},
        {head + "c1" + std::string(4096, '\0'), "ab"},
        {head + calc::JournalChop(1) + std::string(4096, '\0'), "a"},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(calc::ReplayJournal(bytes), expected) << bytes.substr(0, 64);
}

TEST(TapeJournal, StaysAFewTimesTheTapeOnALongRun) {
    Journaled j;
    for (int key = 0; key < 100000; ++key)
        j.run(key % 2 ? "c9" : "a123456789");
    j.run("a\r\n");
    EXPECT_LT(j.sink.bytes.size(), 512u * 1024);
    EXPECT_EQ(calc::ReplayJournal(j.sink.bytes), "\r\n");
}

} // namespace
