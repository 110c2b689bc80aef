// How long the real main window stops answering, and how much memory the process takes at most,
// while a big note page is loaded or a big tape saved. scripts/freeze-check runs it on Xvfb, one
// process a case so that each peak is its own.
//
//   freeze_check make FOLDER          writes the pages: page50.cxt (a 50 MB tape as the program
//                                     saves it), line20.cxt (one 20 MB line), paras2m.cxt
//                                     (2,000,000 empty paragraphs), prose50.cxt (48 MB in lines
//                                     of 1,000 characters), lines16k.cxt (1,200 lines as long
//                                     as a page may have, 16 KB in words of 2 KB)
//   freeze_check load PAGE            loads the page through the menu
//   freeze_check type PAGE            loads the page, then types one letter into the tape; the
//                                     journal reads the whole tape back at its next flush
//   freeze_check save LINES FOLDER    saves a tape of LINES lines through the menu
//   freeze_check clear LINES          clears a tape of LINES lines with its key
//
// A 1 ms timer ticks on the event loop the whole time: the longest gap between two ticks is the
// longest time the window did not answer. The peak (VmHWM) is reset just before the command, so
// it is the command's, on top of the window and its tape.
#include "core/rtf.h"
#include "main_window_rig.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace {

long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

std::string tapeLines(long lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 26);
    for (long i = 0; i < lines; ++i)
        text += (i % 5 == 4) ? " ----- Épicerie -----\r\n" : "1234,5 + 6789 =  8023,5\r\n";
    return text;
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                                             static_cast<qint64>(bytes.size()))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

int make(const QString& folder) {
    writeFile(folder + "/page50.cxt", calc::WriteRtf(tapeLines(1'650'000)));
    // The same size in long lines, as a word processor writes a page.
    std::string prose;
    for (int i = 0; i < 48'000; ++i)
        prose += std::string(1000, 'a' + static_cast<char>(i % 26)) + "\r\n";
    writeFile(folder + "/prose50.cxt", calc::WriteRtf(prose));
    // Lines as long as a page may have, of the longest words it may have.
    std::string line;
    while (line.size() < 16 * 1024 - 2048)
        line += std::string(2047, '7') + " ";
    line.resize(16 * 1024, '7');
    std::string longest;
    for (int i = 0; i < 1'200; ++i)
        longest += line + "\r\n";
    writeFile(folder + "/lines16k.cxt", calc::WriteRtf(longest));
    writeFile(folder + "/line20.cxt", calc::WriteRtf(std::string(20'000'000, 'x')));
    std::string paras = "{\\rtf1\\ansi ";
    for (int i = 0; i < 2'000'000; ++i)
        paras += "\\par";
    writeFile(folder + "/paras2m.cxt", paras + "}");
    return 0;
}

void trigger(test::MainWindowRig& rig, const char* item) {
    rig.window->findChild<QAction*>(QString::fromLatin1(item))->trigger();
}

bool busy(test::MainWindowRig& rig) {
    return rig.window->notePageBusy();
}

// Runs `item` from the menu and the event loop until the command is over and the window has
// drawn its result; prints the figures.
int measure(test::MainWindowRig& rig, const std::function<void()>& command,
            const std::string& label) {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    qint64 ended = -1;
    bool started = false;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (started && ended < 0 && !busy(rig))
            ended = now;
        // Some time after the end, for the drawing of what the command left and the freeing of what
        // it replaced.
        if (ended >= 0 && now - ended > 3000)
            QCoreApplication::quit();
    });
    // What the set-up left to do (laying out the tape) is not the command's.
    QTest::qWait(1000);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKb("VmRSS");
    clock.start();
    tick.start();
    QTimer::singleShot(50, [&] {
        command();
        started = true;
    });
    QCoreApplication::exec();
    const QTextDocument* doc = rig.find<QPlainTextEdit>("blocnote")->document();
    std::printf("%-22s longest unanswered %6lld ms, command %6lld ms, peak %5ld MB (%5ld MB "
                "before), tape %d paragraphs, %d characters\n",
                label.c_str(), static_cast<long long>(longest), static_cast<long long>(ended - 50),
                statusKb("VmHWM") / 1024, before / 1024, doc->blockCount(), doc->characterCount());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == "make")
        return make(args[2]);
    test::MainWindowRig rig;
    rig.show();
    if (args.size() == 3 && args[1] == "load") {
        rig.files.answers = {args[2].toStdString()};
        rig.window->tape().setText("ancienne page");
        return measure(
            rig, [&] { trigger(rig, "load"); },
            "load " + QFileInfo(args[2]).fileName().toStdString());
    }
    if (args.size() == 3 && args[1] == "type") {
        rig.files.answers = {args[2].toStdString()};
        trigger(rig, "load");
        (void)QTest::qWaitFor([&] { return !busy(rig); }, 60000);
        // Past the journal's flush that follows the load.
        QTest::qWait(4000);
        return measure(
            rig, [&] { QTest::keyClicks(rig.find<QPlainTextEdit>("blocnote"), "x"); }, "type");
    }
    if (args.size() == 4 && args[1] == "save") {
        rig.window->tape().setText(tapeLines(args[2].toLong()));
        rig.files.answers = {(args[3] + "/tape.cxt").toStdString()};
        return measure(
            rig, [&] { trigger(rig, "save"); }, "save " + args[2].toStdString() + " lines");
    }
    if (args.size() == 3 && args[1] == "clear") {
        rig.window->tape().setText(tapeLines(args[2].toLong()));
        return measure(
            rig, [&] { rig.click("Command5"); }, "clear " + args[2].toStdString() + " lines");
    }
    std::fprintf(stderr,
                 "usage: freeze_check make FOLDER | load PAGE | type PAGE | save LINES FOLDER | "
                 "clear LINES\n");
    return 2;
}
