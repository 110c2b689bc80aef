#include "core/rtf.h"
#include "main_window_rig.h"
#include "platform/qt_documents.h"
#include "test_files.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QProcess>
#include <QTextCursor>
#include <QTimer>
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

// Types `name` into Qt's own file dialog once it is open and presses Enter (no name: Cancel),
// after checking its French face; records the folder it opened in. A dialog still open a
// second later did not take the name: closed, so that the test fails rather than hangs.
void typeWhenOpen(const char* name, const QString& folder, QString& openedIn) {
    QTimer::singleShot(20, [name, folder, &openedIn] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedIn = QDir::cleanPath(dialog->directory().absolutePath());
        EXPECT_EQ(
            dialog->findChild<QComboBox*>("fileTypeCombo")->currentText() + '|' +
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
            "Fichiers supportés|Annuler");
        auto* box = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!name)
            return dialog->reject();
        box->setText(QString::fromUtf8(name).replace("%P", folder));
        QTest::keyClick(box, Qt::Key_Return);
        // Gone with the dialog once it closes.
        QTimer::singleShot(1000, dialog,
                           [dialog] { ADD_FAILURE() << "left open", dialog->reject(); });
    });
}

// Through the real dialog: each page goes to exactly the name typed (quotes, spaces, relative
// paths; ".cxt" added to a name without an extension; a link chosen leads to its target),
// replacing a page without a question, and comes back from it whole; with the state kept per
// user, each dialog opens in the folder of the page chosen last. Cancel, and a load that fails,
// leave the tape as it was. A save that fails half-way is the disk fault tests' case.
TEST(NotePages, TypedNamesSaveAndLoadExactlyThere) {
    ui::QtFileDialogs qtFiles;
    MainWindowRig rig(nullptr, nullptr, nullptr, &qtFiles);
    const QDir program(rig.folder.path());
    test::writeBytes(program.filePath("Site.eff"), "\"https://old.example/\"\r\n");
    test::writeBytes(program.filePath("notes.txt"), "12 + 3 = 15\n");
    test::writeBytes(program.filePath("autre/mon memo.cxt"), "ancienne page");
    program.mkpath("sous");
    QFile::link(program.filePath("sous/cible.cxt"), program.filePath("lien.cxt"));
    rig.shared.notePageFolder = program.path(); // state kept per user, its pages here
    const QFont tapeFont = rig.find<QPlainTextEdit>("blocnote")->document()->defaultFont();
    QString openedIn;
    struct Step {
        bool save;
        const char *typed, *opensIn; // typed: null for Cancel, %P for the program folder
        bool loads;
    };
    for (const Step& s :
         {Step{true, nullptr, "", false},
          Step{true, "%P/autre/mon memo \"Site.eff\".cxt", "", false},
          Step{true, "q\"x.cxt", "autre", false}, Step{true, "mon memo", "autre", false},
          Step{true, "../sous/page", "autre", false}, Step{true, "%P/page.txt", "sous", false},
          Step{true, "%P/lien.cxt", "", false}, Step{false, nullptr, "", false},
          Step{false, "notes.txt", "", false}, Step{false, "absente.cxt", "", false},
          Step{false, "%P/autre/mon memo \"Site.eff\".cxt", "", true},
          Step{false, "q\"x.cxt", "autre", true}, Step{false, "../sous/page.cxt", "autre", true},
          Step{false, "%P/lien.cxt", "sous", true}}) {
        SCOPED_TRACE(s.typed ? s.typed : "Annuler");
        typeWhenOpen(s.typed, program.path(), openedIn);
        rig.window->tape().setText(s.save ? kTape : "autre chose");
        trigger(rig, s.save ? "save" : "load");
        EXPECT_EQ(openedIn, QDir::cleanPath(program.filePath(s.opensIn)));
        EXPECT_TRUE(s.save || rig.tape() == (s.loads ? kTape : "autre chose"));
    }
    QStringList files;
    for (QDirIterator it(program.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << program.relativeFilePath(it.next());
    files.sort();
    EXPECT_EQ(files, (QStringList{"Site.eff", "autre/mon memo \"Site.eff\".cxt",
                                  "autre/mon memo.cxt", "autre/q\"x.cxt", "lien.cxt", "notes.txt",
                                  "page.txt", "sous/cible.cxt", "sous/page.cxt"}));
    EXPECT_TRUE(QFileInfo(program.filePath("lien.cxt")).isSymLink());
    EXPECT_EQ(test::readBytes(program.filePath("Site.eff")), "\"https://old.example/\"\r\n");
    EXPECT_TRUE(test::readBytes(program.filePath("autre/mon memo.cxt")).startsWith("{\\rtf1"));
    // A loaded page is in a document of its own, set as the tape's was.
    const QTextDocument* page = rig.find<QPlainTextEdit>("blocnote")->document();
    EXPECT_EQ(page->defaultFont(), tapeFont);
    EXPECT_FALSE(page->isUndoRedoEnabled());
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // A portable copy's dialogs open in its folder each time.
    rig.shared.notePageFolder.clear();
    for (const char* typed : {"sous/page.cxt", "autre/q\"x.cxt"}) {
        typeWhenOpen(typed, program.path(), openedIn);
        trigger(rig, "load");
        EXPECT_EQ(openedIn, program.path());
    }
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
    // Lines as many as a long page's, some empty.
    std::string many;
    for (int i = 0; i < 150000; ++i)
        many += i % 7 ? std::to_string(i) + " +\r\n" : "\r\n";
    const struct {
        std::string text;
        bool loads;
    } pages[] = {{many, true},
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
        if (&p == &pages[0]) {
            // Its lines share paragraphs, and the calculator takes back across them as across
            // its own (here its line and the page's last 400 characters, some 40 lines).
            EXPECT_LT(rig.find<QPlainTextEdit>("blocnote")->document()->blockCount(), 150000 / 16);
            rig.window->tape().chop(12 + 400);
            EXPECT_EQ(rig.tape(), many.substr(0, many.size() - 400));
        }
    }
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // Closing while a page is read, or goes into the tape, or the old tape is freed.
    test::writeBytes(path, QByteArray::fromStdString(calc::WriteRtf(many)));
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
