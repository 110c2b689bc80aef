#include "app/program.h"
#include "app/utf8_locale.h"
#include "core/build_settings.h"
#include "core/command_line.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <thread>

int main(int argc, char* argv[]) {
    // Before Qt: --help and --version answer without a display.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (const auto answer = shell::AnswerCommandLine(arguments, shell::kVersion)) {
        std::fputs(answer->text.c_str(), answer->status == 0 ? stdout : stderr);
        return answer->status;
    }
    if (shell::PreferX11(arguments, [](const char* name) { return std::getenv(name); }))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    app::UseUtf8Characters();
    // Fontconfig reads its configuration and font caches when the first text is laid out, a few
    // milliseconds on the way to the first drawing; begun here, that reading overlaps Qt's
    // connection to the display. Fontconfig starts once, whichever thread asks first.
    std::thread(FcInit).detach();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirelix"));
    // Names the installed desktop entry, so that the desktop matches the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tirelix.Tirelix"));
    Program program;
    return program.run();
}
