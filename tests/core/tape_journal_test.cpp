// The Ticket Note's journal: what the records replay to, whole, torn at any byte, or garbled.
#include "core/string_tape.h"
#include "core/tape_journal.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Journaled final : calc::JournalSink {
    bool append(std::string_view r) override { return !failNext && (bytes += r, true); }
    bool replace(std::string_view j) override { return !failNext && (bytes = j, true); }
    void needsRewrite() override { ++rewritesWanted; }
    std::string bytes;
    bool failNext = false;
    int rewritesWanted = 0;
    calc::StringTape tape;
    calc::JournaledTape journaled{tape};
    Journaled() { journaled.attach(this); }
    // a(ppend), c(hop), s(et text), r(ewrite), u(ser types behind the journal's back), p(age
    // goes in beneath the journal, which is told the whole text); a leading "!" fails the write.
    void run(std::string op) {
        if ((failNext = op[0] == '!'))
            op.erase(0, 1);
        const std::string arg = op.substr(1);
        if (op[0] == 'a')
            journaled.append(arg);
        else if (op[0] == 'c')
            journaled.chop(std::stoul(arg));
        else if (op[0] == 's')
            journaled.setText(arg);
        else if (op[0] == 'r')
            journaled.rewrite();
        else if (op[0] == 'u') {
            tape.append(arg);
            journaled.markStale();
        } else {
            journaled.startPage({arg.substr(0, 2), "", arg.substr(2)});
            journaled.beneath([&] { tape.setText(arg); });
            journaled.endPage();
        }
        failNext = false;
    }
};

const std::vector<std::string> kKeys = {
    "a1", "a2", "a + ", "a3", "a =  15\r\n", "c2", "a\r\n ---\r\n", "aé€😀", "c2"};

// After every change, and torn at any byte of its records: the tape before it.
TEST(TapeJournal, ReplaysToTheTapeUnlessAWriteFailedAndNoRewriteFollowed) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {kKeys, 0},
        {{"a12", "c5", "a3"}, 0},
        {{"a1", "sPage chargée\r\nligne", "a + ", "s", "a7"}, 0},
        {{"a1", "!a2", "a3", "r", "a4"}, 2},
        {{"a1", "!r", "a2", "r", "c1"}, 2},
        {{"a1", "uX", "a2", "r", "a3"}, 2},
        {{"pPage\r\nlue", "a + ", "!pAutre", "a2", "r", "pXYZ", "c1"}, 3},
    };
    for (const auto& [ops, rewritesWanted] : cases) {
        Journaled j;
        bool behind = false;
        for (const std::string& op : ops) {
            const std::string before = j.bytes, tape = j.tape.text();
            j.run(op);
            behind = (behind || op[0] == '!' || op[0] == 'u') && op != "r";
            EXPECT_TRUE(behind || calc::ReplayJournal(j.bytes) == j.tape.text()) << ops[0] << op;
            for (std::size_t cut = before.size();
                 !behind && !before.empty() && j.bytes.starts_with(before) && cut < j.bytes.size();
                 ++cut)
                EXPECT_EQ(calc::ReplayJournal(j.bytes.substr(0, cut)), tape) << op << cut;
        }
        EXPECT_EQ(j.rewritesWanted, rewritesWanted) << ops[1];
    }
}

// Typed into while a page goes in: the journal is rewritten from the tape once it is whole.
TEST(TapeJournal, ARewriteWaitsForThePageGoingIn) {
    Journaled j;
    j.journaled.startPage({"Page", " lue"});
    j.journaled.beneath([&] { j.tape.setText("Page"); });
    j.run("uX");
    EXPECT_FALSE(j.journaled.rewrite());
    j.journaled.beneath([&] { j.tape.setText("Page lueX"); });
    j.journaled.endPage();
    EXPECT_EQ(j.rewritesWanted, 2);
    j.run("r");
    EXPECT_EQ(calc::ReplayJournal(j.bytes), "Page lueX");
}

TEST(TapeJournal, GarbageEndsTheReplay) {
    const std::string head = calc::JournalOf("ab");
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt},
        {head.substr(0, head.size() - 7), std::nullopt},
        {head.substr(0, head.size() - 6), ""},
        {"Tirelix\n" + calc::JournalAppend("x"), std::nullopt},
        {head + "x9\n" + calc::JournalAppend("c"), "ab"},
        {head + "a1:cX" + calc::JournalAppend("d"), "ab"},
        {head + "a18446744073709551615:c\n", "ab"},
        {head + "c\n" + calc::JournalChop(1), "ab"},
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
    EXPECT_LT(j.bytes.size(), 512u * 1024);
    EXPECT_EQ(calc::ReplayJournal(j.bytes), "\r\n");
}

} // namespace
