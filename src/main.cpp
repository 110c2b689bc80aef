#include <QApplication>
#include <QFontDatabase>

#include "app/start_helper.h"
#include "app/program.h"

int main(int argc, char* argv[]) {
    app::StartHelper helper;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirelix"));
    // Names the installed desktop entry, so that the desktop matches the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tirelix.Tirelix"));
    // The window is built meanwhile: Qt's font database is guarded by a lock of its own, and the
    // first control that asks for a font waits there for the thread to finish.
    helper.then([] { QFontDatabase::families(); });
    Program program;
    return program.run();
}
