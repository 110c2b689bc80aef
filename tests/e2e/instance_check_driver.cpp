// Runs the single-instance check the way the program's start-up does, with a hidden window
// titled "Tirelix", and prints what it found:
//   "windows own=N foreign=M" (X11) or "no window list", then "running" or "alone".
//
//   instance_check_driver [--app-name NAME] [--display-name NAME] [--hold]
//
// --app-name and --display-name name the application before any window exists, so that Qt's
// own helper windows take those names; --hold keeps the process (and any lock) until killed.
#include "platform/instance_check.h"
#include "platform/window_list.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const bool hold = args.removeAll(QStringLiteral("--hold")) > 0;
    for (; args.size() >= 2 && args[0] == QLatin1String("--app-name"); args.remove(0, 2))
        QApplication::setApplicationName(args[1]);
    for (; args.size() >= 2 && args[0] == QLatin1String("--display-name"); args.remove(0, 2))
        QApplication::setApplicationDisplayName(args[1]);
    if (!args.isEmpty()) {
        std::fprintf(stderr, "usage: instance_check_driver [--app-name NAME] "
                             "[--display-name NAME] [--hold]\n");
        return 2;
    }

    const QString title = QStringLiteral("Tirelix");
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
    return hold ? QApplication::exec() : 0;
}
