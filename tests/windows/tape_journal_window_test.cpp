// The Ticket Note's journal in the real main window: a journal left by a run that ended
// abnormally puts the tape back and says so once; a normal quit leaves none.
#include "core/tape_journal.h"
#include "main_window_rig.h"
#include "platform/files.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

std::optional<std::string> replayed(const QString& path) {
    const auto bytes = ui::ReadWholeFile(path, 1 << 20);
    return bytes ? calc::ReplayJournal(*bytes) : std::nullopt;
}

TEST(TapeJournalWindow, ALeftJournalIsRestoredOnceAndANormalQuitRemovesIt) {
    const std::string tape = "12 + 3 =  15\r\n x 4";
    const std::pair<std::string, std::string> cases[] = {
        {calc::JournalOf("12 + 3 =  15\r\n") + calc::JournalAppend(" x 4") + "a3:tor", tape},
        {calc::JournalOf(""), ""}, // nothing to say
        {"", ""},                  // no journal
        {"-", ""}};                // a folder the journal cannot be written to
    for (const auto& [left, restored] : cases) {
        test::MainWindowRig rig;
        rig.shared.programFolder = rig.folder.filePath(left == "-" ? "gone" : "");
        const QString path = rig.shared.programFolder + "/blocnote.jnl";
        if (left != "-" && !left.empty())
            ui::WriteFileAtomically(path, left);
        rig.show();
        EXPECT_EQ(rig.tape(), restored) << left;
        rig.focus("Text2");
        QTest::keyClicks(rig.box("Text2"), "5+6\r");
        EXPECT_EQ(replayed(path), left == "-" ? std::nullopt : std::optional(rig.tape()));
        ASSERT_EQ(rig.dialogs.messages.size(), restored.empty() ? 0u : 1u) << left;
        for (const ui::Message& message : rig.dialogs.messages)
            EXPECT_EQ(message.text, calc::kTapeRestoredMessage);
        rig.window->close();
        EXPECT_FALSE(QFileInfo::exists(path)) << left;
    }
}

// What the user types into the tape itself reaches the journal at its next flush.
TEST(TapeJournalWindow, TextTypedIntoTheTapeIsJournaled) {
    test::MainWindowRig rig;
    rig.show();
    rig.click("Num_7");
    QTest::keyClicks(rig.find<QPlainTextEdit>("blocnote"), " loyer");
    const QString path = rig.folder.filePath("blocnote.jnl");
    EXPECT_TRUE(QTest::qWaitFor([&] { return replayed(path) == rig.tape(); }, 10000));
    EXPECT_NE(rig.tape().find("loyer"), std::string::npos);
}

} // namespace
