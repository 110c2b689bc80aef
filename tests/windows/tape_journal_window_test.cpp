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
    const struct {
        std::string left; // no journal when empty
        std::string restored;
        bool folderMissing;
    } cases[] = {
        {calc::JournalOf("12 + 3 =  15\r\n") + calc::JournalAppend(" x 4") + "a3:tor", tape, false},
        {calc::JournalOf(""), "", false},
        {"Tirelix", "", false},
        {"", "", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        test::MainWindowRig rig;
        const QString folder = c.folderMissing ? rig.folder.filePath("gone") : rig.folder.path();
        const QString path = folder + "/blocnote.jnl";
        rig.shared.programFolder = folder;
        if (!c.left.empty())
            ui::WriteFileAtomically(path, c.left);
        rig.show();
        EXPECT_EQ(rig.tape(), c.restored) << c.left;
        ASSERT_EQ(rig.dialogs.messages.size(), c.restored.empty() ? 0u : 1u) << c.left;
        if (!c.restored.empty()) {
            EXPECT_EQ(rig.dialogs.messages[0].text, calc::kTapeRestoredMessage);
            EXPECT_EQ(rig.dialogs.messages[0].icon, ui::Icon::Information);
        }
        rig.focus("Text2");
        QTest::keyClicks(rig.box("Text2"), "5+6");
        QTest::keyClick(rig.box("Text2"), Qt::Key_Enter);
        EXPECT_EQ(replayed(path), c.folderMissing ? std::nullopt : std::optional(rig.tape()));
        EXPECT_EQ(rig.dialogs.messages.size(), c.restored.empty() ? 0u : 1u) << c.left;
        rig.window->close();
        EXPECT_FALSE(QFileInfo::exists(path)) << c.left;
    }
}

// What the user types into the tape itself reaches the journal at its next flush.
TEST(TapeJournalWindow, TextTypedIntoTheTapeIsJournaled) {
    test::MainWindowRig rig;
    const QString path = rig.folder.filePath("blocnote.jnl");
    rig.show();
    rig.click("Num_7");
    QTest::keyClicks(rig.find<QPlainTextEdit>("blocnote"), " loyer");
    EXPECT_TRUE(QTest::qWaitFor([&] { return replayed(path) == rig.tape(); }, 10000));
    EXPECT_NE(rig.tape().find("loyer"), std::string::npos);
}

} // namespace
