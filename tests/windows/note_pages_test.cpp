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

void trigger(MainWindowRig& rig, const char* item) {
    rig.window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
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
    trigger(rig, "load");
    EXPECT_EQ(rig.tape(), kTape);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    ASSERT_EQ(rig.files.shown.size(), 7u);
    EXPECT_EQ(rig.files.shown[0].filterPattern, "*.cxt");
    EXPECT_EQ(rig.files.shown[6].initialFolder, folder.toStdString());
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
