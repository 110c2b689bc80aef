#include "main_window_rig.h"
#include "test_files.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTextCursor>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using test::lines;
using test::MainWindowRig;

namespace {

// A title with what typing or a word processor puts in one: accents, RTF's own signs, the euro
// sign, a no-break space before the colon.
const std::string kTape =
    lines({"12 + 3 =  15", " ------- Épicerie {€} \\ 100%\u00a0:", "1,5 x 2 =  3"});

void trigger(MainWindowRig& rig, const char* item) {
    QAction* action = rig.window->findChild<QAction*>(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Saved as RTF under the name as typed (overwriting without a question), loaded back whole;
// Cancel and a load that fails leave the tape as it was.
TEST(NotePages, SaveLoadCancelAndFailedLoad) {
    MainWindowRig rig;
    rig.window->tape().setText(kTape);
    const QString path = rig.folder.path() + "/sans_extension";
    test::writeBytes(path, "ancienne page");
    test::writeBytes(rig.folder.path() + "/notes.txt", "12 + 3 = 15\n");
    rig.files.answers = {std::nullopt,
                         path.toStdString(),
                         std::nullopt,
                         (rig.folder.path() + "/notes.txt").toStdString(),
                         (rig.folder.path() + "/absent.cxt").toStdString(),
                         rig.folder.path().toStdString(),
                         path.toStdString()};
    trigger(rig, "save");
    trigger(rig, "save");
    EXPECT_TRUE(readAll(path).startsWith("{\\rtf1"));
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files),
              (QStringList{"notes.txt", "sans_extension"}));
    rig.window->tape().setText("autre chose");
    for (int i = 0; i < 4; ++i)
        trigger(rig, "load");
    EXPECT_EQ(rig.tape(), "autre chose");
    trigger(rig, "load");
    EXPECT_EQ(rig.tape(), kTape);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    ASSERT_EQ(rig.files.shown.size(), 7u);
    EXPECT_EQ(rig.files.shown[0].filterPattern, "*.cxt");
    EXPECT_EQ(rig.files.shown[6].initialFolder, rig.folder.path().toStdString());
}

// A write that fails half-way (here: the file size limit, as a full disk would) must leave the
// page that was there whole.
TEST(NotePages, FailedSaveLeavesTheOldPageWhole) {
    MainWindowRig rig;
    const QString path = rig.folder.path() + "/page.cxt";
    test::writeBytes(path, "{\\rtf1 ancienne page}");
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "1234 + 5678 =  6912\r\n";
    rig.window->tape().setText(big);
    rig.files.answers = {path.toStdString()};

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    trigger(rig, "save");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readAll(path), "{\\rtf1 ancienne page}");
    EXPECT_EQ(QDir(rig.folder.path()).entryList(QDir::Files), QStringList{"page.cxt"});
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

class NoPrinter final : public ui::Printer {
  public:
    bool available() override { return false; }
    bool printText(const std::string&) override { return false; }
};

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(NotePages, PrintAsksThenPrintsTheWholeTape) {
    QTemporaryDir out;
    const QString pdf = out.path() + "/ticket.pdf";
    ui::QtPrinter toPdf(pdf);
    MainWindowRig rig(nullptr, &toPdf);
    rig.window->tape().setText(kTape);
    auto* tape = rig.find<QPlainTextEdit>("blocnote");
    QTextCursor cursor(tape->document());
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor); // a selection does not limit the print
    tape->setTextCursor(cursor);

    rig.dialogs.yesNoAnswer = ui::Answer::No;
    trigger(rig, "imprimante");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].buttons, ui::Buttons::YesNo);
    EXPECT_FALSE(QFile::exists(pdf));

    rig.dialogs.yesNoAnswer = ui::Answer::Yes;
    trigger(rig, "imprimante");
    EXPECT_EQ(rig.dialogs.messages.size(), 2u);
    ASSERT_TRUE(QFile::exists(pdf));
    // Text extraction does not keep runs of blanks: compare the words line by line.
    const QStringList printed = pdfText(pdf).split('\n');
    QStringList expected;
    for (const auto& line :
         QString::fromStdString(kTape).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        expected << line.simplified();
    QStringList got;
    // The page number in the footer is not part of the tape.
    static const QRegularExpression pageNumber(QStringLiteral("^\\s*\\d+\\s*$"));
    for (const auto& line : printed)
        if (!line.trimmed().isEmpty() && !pageNumber.match(line).hasMatch())
            got << line.simplified();
    EXPECT_EQ(got, expected);

    // Without a printer: the question, then what became of the print.
    NoPrinter none;
    MainWindowRig without(nullptr, &none);
    trigger(without, "imprimante");
    ASSERT_EQ(without.dialogs.messages.size(), 2u);
    EXPECT_NE(without.dialogs.messages[1].text.find("Aucune imprimante"), std::string::npos);
}

} // namespace
