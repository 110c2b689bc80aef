// A process killed while it saves a note page or stores a download, at many points of the
// write: the file is always the old one whole or the new one whole, and what the write leaves
// behind is never taken for a file of the program.
#include "platform/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr qint64 kSize = 24 * 1024 * 1024;

// Names the program reads by itself, and the note pages its dialogs offer.
bool takenForAProgramFile(const QString& name) {
    static const QStringList own{"Prem.eff", "Pub.eff", "Site.eff", "Pub1.gif", "Pub2.gif"};
    return own.contains(name) || name.endsWith(QLatin1String(".cxt"), Qt::CaseInsensitive);
}

// The size of a file that `pid` has open in the folder of `target` under another name: the
// write's own temporary file, which may have no name in the folder yet; -1 while there is none.
qint64 temporarySize(pid_t pid, const QString& target) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QFileInfo open(fds + '/' + fd);
        const QString link = open.symLinkTarget();
        if (link.startsWith(QFileInfo(target).path() + '/') && link != target && open.isFile())
            return open.size();
    }
    return -1;
}

// Has the child write `version` over `target`, and kills it once its temporary file holds
// `share` of the content. True when the kill came mid-write.
bool killWriting(const QString& target, char version, double share) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string path = target.toStdString(), size = std::to_string(kSize), v(1, version);
    const char* argv[] = {TIRELIX_WRITE_CHILD, path.c_str(), size.c_str(), v.c_str(), nullptr};
    pid_t pid = -1;
    const bool spawned = posix_spawn(&pid, TIRELIX_WRITE_CHILD, &actions, nullptr,
                                     const_cast<char* const*>(argv), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char byte = 0;
    const bool started = spawned && read(out[0], &byte, 1) == 1;
    close(out[0]);
    bool midWrite = false;
    int status = 0;
    while (started && !midWrite && waitpid(pid, &status, WNOHANG) == 0) {
        if (temporarySize(pid, target) >= qint64(share * double(kSize))) {
            kill(pid, SIGKILL);
            midWrite = true;
        }
    }
    if (spawned)
        waitpid(pid, &status, 0);
    return midWrite;
}

TEST(KilledWrite, FileIsAlwaysOldOrNewWhole) {
    for (const char* name : {"page.cxt", "Pub2.gif"}) {
        QTemporaryDir dir;
        const QDir folder(QFileInfo(dir.path()).canonicalFilePath());
        const QString target = folder.filePath(QLatin1String(name));
        const std::string versions[2] = {std::string(kSize, 'A'), std::string(kSize, 'B')};
        ASSERT_TRUE(ui::WriteFileAtomically(target, versions[0]));
        int onDisk = 0, midWrite = 0;
        // Up to a temporary file that is whole but not yet renamed.
        for (const double share : {0.0, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99, 1.0}) {
            const int next = 1 - onDisk;
            midWrite += killWriting(target, next == 0 ? 'A' : 'B', share);
            const auto now = ui::ReadWholeFile(target, 2 * kSize);
            ASSERT_TRUE(now.has_value()) << name << ": the file went missing";
            onDisk = *now == versions[next] ? next : onDisk;
            ASSERT_EQ(*now, versions[onDisk])
                << name << ": neither the old nor the new file, " << now->size() << " bytes";
            // What the kill left is never read as a file of the program; gone before the next.
            for (const QString& left : folder.entryList(QDir::Files | QDir::Hidden)) {
                if (left != QLatin1String(name)) {
                    EXPECT_FALSE(takenForAProgramFile(left)) << left.toStdString();
                    QFile::remove(folder.filePath(left));
                }
            }
        }
        // Without a kill inside the write the loop proves nothing.
        EXPECT_GT(midWrite, 0) << name;
    }
}

} // namespace
