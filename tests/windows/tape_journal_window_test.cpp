// The Ticket Note's journal in the real main window: a journal left by a run that ended
// abnormally puts the tape back and says so once; a normal quit leaves none.
#include "core/rtf.h"
#include "core/tape_journal.h"
#include "main_window_rig.h"
#include "platform/files.h"
#include "test_files.h"

#include <QAction>
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

// What the user types into the tape itself reaches the journal at its next flush, also after a
// note page or a long tape's clearing put a new document under the tape.
TEST(TapeJournalWindow, TextTypedIntoTheTapeIsJournaled) {
    std::string longTape;
    for (int i = 0; i < 20000; ++i)
        longTape += "1 + 1 =  2\r\n";
    for (const char* before : {"", "page", "clear"}) {
        test::MainWindowRig rig;
        rig.show();
        const QString page = rig.folder.filePath("page.cxt");
        if (before == std::string("page")) {
            test::writeBytes(page, QByteArray::fromStdString(calc::WriteRtf("7 x 6 =  42\r\n")));
            rig.files.answers = {page.toStdString()};
            rig.window->findChild<QAction*>(QStringLiteral("load"))->trigger();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.window->notePageBusy(); }, 10000));
            // The page is in the journal as soon as it goes in, without reading the tape back.
            EXPECT_EQ(replayed(rig.folder.filePath("blocnote.jnl")), rig.tape());
        } else if (before == std::string("clear")) {
            rig.window->tape().setText(longTape);
            rig.click("Command5");
        }
        rig.click("Num_7");
        QTest::keyClicks(rig.find<QPlainTextEdit>("blocnote"), " loyer");
        const QString path = rig.folder.filePath("blocnote.jnl");
        EXPECT_TRUE(QTest::qWaitFor([&] { return replayed(path) == rig.tape(); }, 10000)) << before;
        EXPECT_NE(rig.tape().find("loyer"), std::string::npos);
    }
}

} // namespace
