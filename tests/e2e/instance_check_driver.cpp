// Runs the single-instance check the way the program's start-up does, with a hidden window
// titled "Tirelix", and prints what it found:
//   "windows own=N foreign=M" (X11) or "no window list", then "running" or "alone".
//
//   instance_check_driver [--named | --hold]
//
// --named names the application "Tirelix" before any window exists, so that Qt's own helper
// windows take that title; --hold keeps the process (and any lock) until killed.
#include "platform/instance_check.h"
#include "platform/window_list.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString title = QStringLiteral("Tirelix");
    const QStringList args = QApplication::arguments();
    if (args.contains(QLatin1String("--named"))) {
        QApplication::setApplicationName(title);
        QApplication::setApplicationDisplayName(title);
    }
    QWidget window;
    window.setWindowTitle(title);
    window.winId();

    if (const auto titled = ui::FindTopLevelWindowsTitled(title, {})) {
        int own = 0;
        for (const auto& w : *titled)
            own += w.own ? 1 : 0;
        std::printf("windows own=%d foreign=%d\n", own, static_cast<int>(titled->size()) - own);
    } else {
        std::printf("no window list\n");
    }
    std::printf("%s\n", shell::CheckAlreadyRunning(window, title) ? "running" : "alone");
    std::fflush(stdout);
    return args.contains(QLatin1String("--hold")) ? QApplication::exec() : 0;
}
