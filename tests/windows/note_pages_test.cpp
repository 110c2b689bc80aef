#include "core/rtf.h"
#include "main_window_rig.h"
#include "test_files.h"

#include <QAction>
#include <QProcess>
#include <QTextCursor>
#include <gtest/gtest.h>

using test::lines;
using test::MainWindowRig;

namespace {

// A title with what typing or a word processor puts in one: accents, RTF's own signs, the euro
// sign, a no-break space before the colon.
const std::string kTape =
    lines({"12 + 3 =  15", " ------- Épicerie {€} \\ 100%\u00a0:", "1,5 x 2 =  3"});

void start(MainWindowRig& rig, const char* item) {
    rig.window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
}

// The event loop until the page is read or written.
void finish(MainWindowRig& rig) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.window->notePageBusy(); }, 60000));
}

void trigger(MainWindowRig& rig, const char* item) {
    start(rig, item);
    finish(rig);
}

// Saved as RTF under the name as typed (overwriting without a question), loaded back whole;
// Cancel and a load that fails leave the tape as it was. A save that fails half-way is the disk
// fault tests' case.
TEST(NotePages, SaveLoadCancelAndFailedLoad) {
    MainWindowRig rig;
    rig.window->tape().setText(kTape);
    const QString folder = rig.folder.path();
    const auto at = [&](const char* name) { return (folder + name).toStdString(); };
    test::writeBytes(folder + "/sans_extension", "ancienne page");
    test::writeBytes(folder + "/notes.txt", "12 + 3 = 15\n");
    rig.files.answers = {std::nullopt,         at("/sans_extension"), std::nullopt,
                         at("/notes.txt"),     at("/absent.cxt"),     at(""),
                         at("/sans_extension")};
    trigger(rig, "save");
    trigger(rig, "save");
    EXPECT_TRUE(test::readBytes(folder + "/sans_extension").startsWith("{\\rtf1"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"notes.txt", "sans_extension"}));
    rig.window->tape().setText("autre chose");
    for (int i = 0; i < 4; ++i)
        trigger(rig, "load");
    EXPECT_EQ(rig.tape(), "autre chose");
    const QFont font = rig.find<QPlainTextEdit>("blocnote")->document()->defaultFont();
    trigger(rig, "load");
    EXPECT_EQ(rig.tape(), kTape);
    // The page is in a document of its own, set as the tape's was.
    const QTextDocument* after = rig.find<QPlainTextEdit>("blocnote")->document();
    EXPECT_EQ(after->defaultFont(), font);
    EXPECT_FALSE(after->isUndoRedoEnabled());
    EXPECT_TRUE(rig.dialogs.messages.empty());
    ASSERT_EQ(rig.files.shown.size(), 7u);
    EXPECT_EQ(rig.files.shown[0].filterPattern, "*.cxt");
    EXPECT_EQ(rig.files.shown[6].initialFolder, folder.toStdString());
}

const char* const kBusy = "Une page de note est déjà en cours de lecture ou d'écriture.";

// While a page is written, another save or a load is refused with a message; the page written is
// the tape as it was when the save was asked for, even if the tape changes meanwhile or the window
// is closed before the end.
TEST(NotePages, OnePageAtATimeAndTheTapeAsItWas) {
    for (const bool closeAtOnce : {false, true}) {
        MainWindowRig rig;
        std::string tape;
        for (int i = 0; i < 200000; ++i)
            tape += "1234,5 + 6789 =  8023,5\r\n";
        rig.window->tape().setText(tape);
        const QString page = rig.folder.path() + "/page.cxt";
        test::writeBytes(page, "{\\rtf1 ancienne page}");
        rig.files.answers = {page.toStdString(), page.toStdString(), page.toStdString()};
        start(rig, "save");
        rig.window->tape().append("12 + 3 =  15\r\n");
        if (closeAtOnce) {
            rig.window.reset();
        } else {
            start(rig, "save");
            trigger(rig, "load");
            EXPECT_EQ(rig.files.shown.size(), 1u);
            ASSERT_EQ(rig.dialogs.messages.size(), 2u);
            EXPECT_EQ(rig.dialogs.messages[1].text, kBusy);
            // A long tape is cleared into a new document, the old one freed on the side.
            rig.click("Command5");
            rig.window->tape().append("1");
            EXPECT_EQ(rig.tape(), "1");
        }
        EXPECT_EQ(calc::ReadRtf(test::readBytes(page).toStdString()).text, tape);
    }
}

// A page the tape can show loads whole, however many lines it has; one with a line or a word no
// tape has is refused as a too big file is, and leaves the tape as it was. What the calculator
// writes while the page is read goes below it.
TEST(NotePages, BigPagesLoadWholeOrNotAtAll) {
    std::string line;
    while (line.size() < 16 * 1024)
        line += "1234567 ";
    const std::string word(2 * 1024, '7');
    std::string empties;
    for (int i = 0; i < 300000; ++i)
        empties += "\r\n";
    const struct {
        std::string text;
        bool loads;
    } pages[] = {{empties, true},
                 {line + "\r\n" + line, true},
                 {"x" + line + "\r\n", false},
                 {"1\r\n" + line + "y", false},
                 {"1 " + word + " 2", true},
                 {"1 " + word + "7 2", false}};
    MainWindowRig rig;
    const QString path = rig.folder.path() + "/big.cxt";
    for (const auto& p : pages) {
        test::writeBytes(path, QByteArray::fromStdString(calc::WriteRtf(p.text)));
        rig.window->tape().setText("avant");
        rig.files.answers = {path.toStdString()};
        start(rig, "load");
        rig.window->tape().append("1 + 2 =  3\r\n");
        finish(rig);
        EXPECT_EQ(rig.tape(), (p.loads ? p.text : "avant") + "1 + 2 =  3\r\n") << p.text.size();
    }
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // Closing while a page is read, or goes into the tape, or the old tape is freed.
    test::writeBytes(path, QByteArray::fromStdString(calc::WriteRtf(pages[0].text)));
    for (const int turns : {0, 2, 6}) {
        MainWindowRig closing;
        closing.window->tape().setText(pages[0].text);
        closing.files.answers = {path.toStdString()};
        start(closing, "load");
        QTest::qWait(turns * 50);
        closing.window.reset();
    }
}

class NoPrinter final : public ui::Printer {
  public:
    bool available() override { return false; }
    bool printText(const std::string&) override { return false; }
};

// The whole tape, whatever is selected, after a question; without a printer, what became of it.
TEST(NotePages, PrintAsksThenPrintsTheWholeTape) {
    QTemporaryDir out;
    const QString pdf = out.path() + "/ticket.pdf";
    ui::QtPrinter toPdf(pdf);
    MainWindowRig rig(nullptr, &toPdf);
    rig.window->tape().setText(kTape);
    auto* tape = rig.find<QPlainTextEdit>("blocnote");
    QTextCursor cursor(tape->document());
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    tape->setTextCursor(cursor);

    rig.dialogs.yesNoAnswer = ui::Answer::No;
    trigger(rig, "imprimante");
    EXPECT_EQ(rig.dialogs.messages.at(0).buttons, ui::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(pdf));
    rig.dialogs.yesNoAnswer = ui::Answer::Yes;
    trigger(rig, "imprimante");
    EXPECT_EQ(rig.dialogs.messages.size(), 2u);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(20000);
    // Text extraction does not keep runs of blanks.
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput())
                    .simplified()
                    .contains(QString::fromStdString(kTape).simplified()));

    NoPrinter none;
    MainWindowRig without(nullptr, &none);
    trigger(without, "imprimante");
    ASSERT_EQ(without.dialogs.messages.size(), 2u);
    EXPECT_NE(without.dialogs.messages[1].text.find("Aucune imprimante"), std::string::npos);
}

} // namespace
