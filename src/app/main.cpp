#include "app/program.h"
#include "app/utf8_locale.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    app::UseUtf8Characters();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirelix"));
    // Names the installed desktop entry, so that the desktop matches the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tirelix.Tirelix"));
    Program program;
    return program.run();
}
