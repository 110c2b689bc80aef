// Calculator keys pressed through the real buttons of the main window, or typed on the keypad
// into its keyboard box, on a long Ticket Note. A timed key is the mouse click or the key event
// and the event processing that follows (layout, paint, and the picture sent to the display:
// offscreen, or an X server with QT_QPA_PLATFORM=xcb): what the user waits for. Between keys,
// out of the timing, the tape is cut back to its starting length, so a figure is the cost at that
// length.
//
// Time is the mean per key; the counters: median_us and p99_us of the keys, click_us the median
// of the click or key event alone (the key's handler), note_paints the paints of the tape per
// key, lines the tape's length at the end.
#include "core/string_tape.h"
#include "core/tape_journal.h"
#include "main_window_rig.h"
#include "platform/tape_journal_file.h"

#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Counts the paints of a widget, to show that the timed part includes them.
class PaintCounter final : public QObject {
  public:
    long paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

class Window {
  public:
    explicit Window(long lines) : lines_(lines) {
        rig_.show();
        note_ = rig_.find<QPlainTextEdit>("blocnote");
        note_->viewport()->installEventFilter(&notePaints_);
        std::string text;
        for (long i = 0; i < lines; ++i)
            text += (i % 5 == 4) ? " ---------------------------------------------------------\r\n"
                                 : "1234,5 + 6789 =  8023,5\r\n";
        rig_.window->tape().setText(text);
        rig_.window->tape().moveCaretToEnd();
        settle();
        startLength_ = length();
    }

    long lines() const { return lines_; }
    frmEuros& window() { return *rig_.window; }
    QPushButton* key(const char* name) const { return rig_.find<QPushButton>(name); }
    QLineEdit* display() const { return rig_.box("TextChiffre"); }
    QLineEdit* keyboardBox() const { return rig_.box("Text2"); }
    // Mouse clicks on the named keys.
    std::vector<std::function<void()>> clicks(std::initializer_list<const char*> names) const {
        std::vector<std::function<void()>> keys;
        for (const char* n : names)
            keys.push_back([k = key(n)] { QTest::mouseClick(k, Qt::LeftButton); });
        return keys;
    }
    long notePaints() const { return notePaints_.paints; }
    int blocks() const { return note_->document()->blockCount(); }

    static void settle() { QCoreApplication::processEvents(); }

    // The tape in the calculator's characters (a paragraph break is CR LF), without reading
    // the whole text as Tape::text() would.
    std::size_t length() const {
        const QTextDocument* doc = note_->document();
        return static_cast<std::size_t>(doc->characterCount() - 1 + doc->blockCount() - 1);
    }

    void cutBack() {
        const std::size_t now = length();
        if (now > startLength_)
            rig_.window->tape().chop(now - startLength_);
    }

    // The calculator as after "C", on the starting tape.
    void restart() {
        rig_.window->CmdReset_Click();
        cutBack();
        settle();
    }

  private:
    test::MainWindowRig rig_;
    QPlainTextEdit* note_ = nullptr;
    PaintCounter notePaints_;
    long lines_;
    std::size_t startLength_ = 0;
};

// One window at a time: benchmarks are registered length by length, so it is filled once.
std::unique_ptr<Window> gWindow;

Window& windowWith(long lines) {
    if (!gWindow || gWindow->lines() != lines) {
        gWindow.reset();
        gWindow = std::make_unique<Window>(lines);
    }
    gWindow->restart();
    return *gWindow;
}

double percentile(std::vector<double> samples, double p) {
    if (samples.empty())
        return 0;
    const auto k = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(k),
                     samples.end());
    return samples[k];
}

// Presses `keys` in turn, one per iteration; `between(n)` runs untimed after the n-th key.
void pressKeys(benchmark::State& state, Window& w, const std::vector<std::function<void()>>& keys,
               const std::function<void(std::size_t)>& between) {
    std::vector<double> seconds;
    std::vector<double> clickSeconds;
    long paints = 0;
    std::size_t n = 0;
    for (auto _ : state) {
        const long paintsBefore = w.notePaints();
        const auto start = Clock::now();
        keys[n % keys.size()]();
        const auto clicked = Clock::now();
        QCoreApplication::processEvents();
        const auto end = Clock::now();
        const double s = std::chrono::duration<double>(end - start).count();
        clickSeconds.push_back(std::chrono::duration<double>(clicked - start).count());
        paints += w.notePaints() - paintsBefore;
        state.SetIterationTime(s);
        seconds.push_back(s);
        ++n;
        between(n);
        Window::settle();
    }
    state.counters["median_us"] = percentile(seconds, 0.5) * 1e6;
    state.counters["p99_us"] = percentile(seconds, 0.99) * 1e6;
    state.counters["click_us"] = percentile(clickSeconds, 0.5) * 1e6;
    // Paints of the tape per key: above zero shows the paint is inside the timing.
    state.counters["note_paints"] =
        benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
    state.counters["lines"] = w.blocks();
}

// "1", "+", "2", "=", "C" in turn; after each "C" the tape is cut back.
void BM_WindowKey(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    pressKeys(state, w,
              w.clicks({"Num_1", "CmdOperation_0", "Num_2", "CmdOperation_4", "CmdReset"}),
              [&](std::size_t n) {
                  if (n % 5 == 0)
                      w.cutBack();
              });
}

// The same keys typed on the numeric keypad into the keyboard box (Enter for "=", Backspace for
// "C").
void BM_WindowKeypad(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    QLineEdit* box = w.keyboardBox();
    box->setFocus(Qt::MouseFocusReason);
    Window::settle();
    auto type = [box](Qt::Key key) {
        return [box, key] { QTest::keyClick(box, key, Qt::KeypadModifier); };
    };
    pressKeys(state, w,
              {type(Qt::Key_1), type(Qt::Key_Plus), type(Qt::Key_2), type(Qt::Key_Enter),
               type(Qt::Key_Backspace)},
              [&](std::size_t n) {
                  if (n % 5 == 0)
                      w.cutBack();
              });
}

void BM_WindowDigitKey(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    calc::Calculator& calc = w.window().calculator();
    pressKeys(state, w, w.clicks({"Num_7"}), [&](std::size_t) {
        w.cutBack();
        w.display()->setText(QStringLiteral("12"));
        calc.NewEntry = false;
    });
}

void BM_WindowOperatorKey(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    calc::Calculator& calc = w.window().calculator();
    w.display()->setText(QStringLiteral("12"));
    pressKeys(state, w, w.clicks({"CmdOperation_0"}), [&](std::size_t) {
        w.cutBack();
        calc.PendingOperator.clear();
        calc.NewEntry = false;
    });
}

void BM_WindowEqualsKey(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    calc::Calculator& calc = w.window().calculator();
    auto prepare = [&] {
        calc.Accumulator = 12;
        calc.PendingOperator = "+";
        calc.NewEntry = false;
        w.display()->setText(QStringLiteral("3,5"));
    };
    prepare();
    pressKeys(state, w, w.clicks({"CmdOperation_4"}), [&](std::size_t) {
        w.cutBack();
        prepare();
    });
}

void BM_WindowResetKey(benchmark::State& state) {
    Window& w = windowWith(state.range(0));
    w.display()->setText(QStringLiteral("12"));
    pressKeys(state, w, w.clicks({"CmdReset"}), [&](std::size_t) {
        w.cutBack();
        w.display()->setText(QStringLiteral("12"));
    });
}

// The journal alone, on a tape of `lines` lines kept in a string: a digit's record and the chop
// that takes it back, each written to the file as a key writes it.
void BM_JournalKeyRecords(benchmark::State& state) {
    QTemporaryDir folder;
    calc::StringTape tape;
    calc::JournaledTape journaled(tape);
    ui::TapeJournalFile journal(journaled, nullptr);
    journal.open(folder.filePath(QStringLiteral("blocnote.jnl")));
    std::string text;
    for (long i = 0; i < state.range(0); ++i)
        text += "1234,5 + 6789 =  8023,5\r\n";
    journaled.setText(text);
    for (auto _ : state) {
        journaled.append("7");
        journaled.chop(1);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void registerAll() {
    benchmark::RegisterBenchmark("BM_JournalKeyRecords", BM_JournalKeyRecords)
        ->Arg(100'000)
        ->Unit(benchmark::kMicrosecond);
    const std::pair<const char*, void (*)(benchmark::State&)> kinds[] = {
        {"BM_WindowKey", BM_WindowKey},
        {"BM_WindowKeypad", BM_WindowKeypad},
        {"BM_WindowDigitKey", BM_WindowDigitKey},
        {"BM_WindowOperatorKey", BM_WindowOperatorKey},
        {"BM_WindowEqualsKey", BM_WindowEqualsKey},
        {"BM_WindowResetKey", BM_WindowResetKey}};
    for (long lines : {1'000L, 100'000L})
        for (const auto& [name, fn] : kinds)
            benchmark::RegisterBenchmark(name, fn)->Arg(lines)->UseManualTime()->Unit(
                benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv) {
    // Runs without a display unless told otherwise (QT_QPA_PLATFORM=xcb measures a real one).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Widgets go before the application object.
    gWindow.reset();
    return 0;
}
