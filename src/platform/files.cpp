#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {

namespace {

// The files the program reads from its folder, with their defaults; nothing else is seeded.
constexpr const char* kProgramFolderFiles[] = {"Prem.eff", "Pub.eff", "Site.eff", "Pub1.gif",
                                               "MainTacheG.ico"};

// Larger than any default the program ships; a bigger file is not one of them.
constexpr qint64 kMaxDefaultBytes = 16 * 1024 * 1024;

// An installed copy: <prefix>/bin/tirelix with its defaults in <prefix>/share/tirelix. Its
// folder must never hold state files, even when the user (root) may write to it.
QString installedDefaultsFolder(const QString& executableFolder) {
    if (QFileInfo(executableFolder).fileName() != QLatin1String("bin"))
        return {};
    const QString defaults =
        QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral("../share/tirelix")));
    return QFileInfo(QDir(defaults).filePath(QStringLiteral("Prem.eff"))).isFile() ? defaults
                                                                                   : QString();
}

bool folderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// Whole, under a name of its own first: a copy cut short never stands as a state file. An
// existing file is the user's and is never replaced, not even by a start racing this one.
void seedFile(const QString& source, const QString& destination) {
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return;
    const std::optional<std::string> bytes = ReadWholeFile(source, kMaxDefaultBytes);
    if (!bytes)
        return;
    const QString part = destination + QStringLiteral(".seed");
    if (!WriteFileAtomically(part, *bytes))
        return;
    if (!QFile::rename(part, destination))
        QFile::remove(part);
}

} // namespace

void SeedProgramFolder(const QString& defaults, const QString& target) {
    if (!QDir().mkpath(target))
        return;
    for (const char* name : kProgramFolderFiles) {
        const QString file = QString::fromLatin1(name);
        seedFile(QDir(defaults).filePath(file), QDir(target).filePath(file));
    }
}

QString ProgramFolderFor(const QString& executableFolder, const QString& perUserFolder) {
    const QString installedDefaults = installedDefaultsFolder(executableFolder);
    // No home to keep files in: the program's own folder is the one place left.
    if (perUserFolder.isEmpty() ||
        (installedDefaults.isEmpty() && folderWritable(executableFolder)))
        return executableFolder;
    // A read-only portable copy carries its defaults beside the program.
    SeedProgramFolder(installedDefaults.isEmpty() ? executableFolder : installedDefaults,
                      perUserFolder);
    return perUserFolder;
}

QString ProgramFolder() {
    return ProgramFolderFor(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString NotePageFolderFor(const QString& programFolder, const QString& executableFolder) {
    if (programFolder == executableFolder)
        return {};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<std::string> ReadWholeFile(const QString& path, qint64 maxBytes) {
    // Only a regular file under this very name: never through a link, which may lead anywhere;
    // nor a named pipe (opening one would wait for a writer) or a device, which never ends.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status = {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    if (file.size() > maxBytes)
        return std::nullopt;
    // Straight into the string: a copy through a QByteArray would hold a big page twice. The
    // size is only a first guess (a file may grow, or not know its size): what follows it is
    // read on in small steps.
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    std::size_t got = 0;
    char more[4096];
    for (;;) {
        const bool inside = got < bytes.size();
        const qint64 n =
            inside ? file.read(bytes.data() + got, static_cast<qint64>(bytes.size() - got))
                   : file.read(more, sizeof more);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        if (!inside)
            bytes.append(more, static_cast<std::size_t>(n));
        got += static_cast<std::size_t>(n);
        if (got > static_cast<std::size_t>(maxBytes))
            return std::nullopt;
    }
    bytes.resize(got);
    return bytes;
}

bool WriteFileAtomically(const QString& path, std::string_view bytes) {
    // QSaveFile writes through a link to its target. Whatever stands under the name and is not a
    // regular file counts as missing: it goes, and the new file takes its place. A folder is
    // the user's and stays; the write then fails.
    struct stat status = {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode) &&
        (S_ISDIR(status.st_mode) || ::unlink(name.constData()) != 0))
        return false;
    QSaveFile file(path);
    // Unbuffered, so that a full disk fails the write itself: QSaveFile::commit() renames its
    // temporary file over the old one even when the flush of a buffered write has failed, and
    // a short file (a state file, a small page) would then replace a good one with nothing.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ui
