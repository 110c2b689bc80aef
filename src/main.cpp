#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

#include "app/font_preload.h"
#include "app/program.h"
#include "shell/frm_euros.h"

int main(int argc, char* argv[]) {
    app::FontPreload fonts;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirelix"));
    // Names the installed desktop entry, so that the desktop matches the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tirelix.Tirelix"));
    // Qt's font database is guarded by a lock of its own: a window asking for a font early
    // would only wait for it.
    fonts.then([] { QFontDatabase::families(); });
    Program program;
    frmEuros::LoadPictures();
    fonts.wait();
    return program.run();
}
