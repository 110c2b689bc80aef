#include "app/program.h"
#include "app/start_helper.h"
#include "app/utf8_locale.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFontDatabase>
#include <thread>

int main(int argc, char* argv[]) {
    app::UseUtf8Characters();
    app::StartHelper helper;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirelix"));
    // Names the installed desktop entry, so that the desktop matches the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tirelix.Tirelix"));
    // Without a bus address, Qt's first use of the session bus starts a bus (see below).
    const bool busAddressed = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
    // The window's first accessibility event brings up the accessibility bridge, which connects
    // to the session bus and waits for it: that connection is started here, on a thread of its
    // own, when there is a bus to connect to.
    std::thread sessionBus;
    if (busAddressed)
        sessionBus = std::thread([] { QDBusConnection::sessionBus(); });
    // Qt's font database, filled from fontconfig's list of every installed font. Only that:
    // a font the helper loaded would be its own (Qt keeps font engines per thread), and while
    // it loads one, the window's first text waits on the database's lock.
    helper.then([] { QFontDatabase::families(); });
    Program program;
    // The window is built meanwhile. Before its first text it waits for the helper's read of
    // the font configuration, then on the font database's lock while the helper fills it.
    // Without a session bus address, though, the window's first text makes Qt's accessibility
    // start a process (the bus's autolaunch), and a child forked while another thread is inside
    // the allocator can hang before it runs (it does under AddressSanitizer): then the helper
    // finishes first.
    if (!busAddressed)
        helper.wait();
    const int status = program.run([&helper] { helper.waitForFontConfiguration(); });
    // A start that ends at once (another instance runs) must not take the application, and
    // the font database with it, from under the helper.
    helper.wait();
    if (sessionBus.joinable())
        sessionBus.join();
    return status;
}
