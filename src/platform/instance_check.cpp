#include "platform/instance_check.h"

#include "platform/window_list.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// Qt 6.8's desktop services open a session-bus connection that they never free: a start that ends
// at once (another instance runs) would report it as a leak of the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:QGenericUnixServices\n";
}
#endif

namespace shell {
namespace {

// Held until the process ends, so that the next start in the same session finds it taken.
std::unique_ptr<QLockFile>& sessionLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

QString fileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text)
        part +=
            (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'.' ? c : QChar(u'_');
    return part;
}

// The desktop the lock stands for: the compositor on Wayland, the display on X11, else the
// login session. Another desktop of the same user may run its own instance.
QString sessionName() {
    const QString platform = QGuiApplication::platformName();
    QByteArray display;
    if (platform.startsWith(QLatin1String("wayland")))
        display = qgetenv("WAYLAND_DISPLAY");
    else if (platform == QLatin1String("xcb"))
        display = qgetenv("DISPLAY");
    else
        display = qgetenv("XDG_SESSION_ID");
    return platform + u'-' + QString::fromLocal8Bit(display);
}

// The user's runtime folder, else a private folder of this user's in the temporary folder.
// Empty when neither is safe to use: a folder others can write to would let them block us.
QString lockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime;
    const QString folder =
        QDir::tempPath() + QStringLiteral("/tirelix-") + QString::number(getuid());
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != getuid() || (info.st_mode & 077) != 0)
        return {};
    return folder;
}

// Where no window list can be read: true when another process of this session holds the lock.
bool lockHeldElsewhere(const QString& title) {
    auto& lock = sessionLock();
    if (lock)
        return false;
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return false;
    auto candidate = std::make_unique<QLockFile>(
        folder + u'/' + fileNamePart(title + u'-' + sessionName()) + QStringLiteral(".lock"));
    // Never stale by age: only a lock whose process is gone may be taken over.
    candidate->setStaleLockTime(0);
    if (candidate->tryLock(0)) {
        lock = std::move(candidate);
        return false;
    }
    // A lock that cannot be made (permissions, full disk) does not keep the program from
    // starting; only one that a live process holds does.
    return candidate->error() == QLockFile::LockFailedError;
}

} // namespace

bool CheckAlreadyRunning(QWidget& window, const QString& title) {
    std::vector<WId> own{window.winId()};
    for (QWindow* w : QGuiApplication::allWindows())
        if (w->handle())
            own.push_back(w->winId());

    if (const auto titled = ui::FindTopLevelWindowsTitled(title, own)) {
        // The program's own windows, whatever Qt adds to the main window, are the one match
        // expected; any other window with the title makes a second. Started again, the program
        // was most likely looked for: that window comes forward, even from the task bar.
        const auto other = std::find_if(titled->begin(), titled->end(),
                                        [](const ui::TitledWindow& w) { return !w.own; });
        if (other != titled->end())
            ui::ActivateWindow(other->id);
        return other != titled->end();
    }
    return lockHeldElsewhere(title);
}

} // namespace shell
