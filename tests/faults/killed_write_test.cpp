// A process killed while it saves a note page or stores a download, at points of the write up
// to a temporary file whole but not yet renamed: the file is always the old one whole or the
// new one whole, and what the write leaves behind is never taken for a file of the program.
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>

namespace {

constexpr qint64 kSize = 24 * 1024 * 1024;

// Keeps the calling process on the first processor it may run on.
void sameProcessorAsTheTest() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &allowed)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            sched_setaffinity(0, sizeof one, &one);
            return;
        }
    }
}

// Started with TIRELIX_WRITE=<byte><path>, this binary is only the writer that the test kills:
// before main, it writes kSize times the byte over the file through the program's atomic
// write, saying so first, and ends.
const bool kWriter = [] {
    const QByteArray job = qgetenv("TIRELIX_WRITE");
    if (job.isEmpty())
        return false;
    // On the test's processor and at the lowest priority, so that the test, polling, sees the
    // write part-way even on a busy machine.
    setpriority(PRIO_PROCESS, 0, 19);
    sameProcessorAsTheTest();
    std::fputc('w', stdout);
    std::fflush(stdout);
    const std::string content(kSize, job[0]);
    std::_Exit(ui::WriteFileAtomically(QString::fromLocal8Bit(job.mid(1)), content) ? 0 : 1);
}();

// The size of a file that `pid` has open in the folder of `target` under another name: the
// write's own temporary file, which may have no name in the folder yet; -1 while there is none.
// The folder is told by its own (unique) name: inside a chroot the kernel may name the file by
// its path outside.
qint64 temporarySize(qint64 pid, const QString& target) {
    const QFileInfo targetFile(target);
    const QString folder = QLatin1Char('/') + targetFile.dir().dirName() + QLatin1Char('/');
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& open : fds.entryInfoList(QDir::AllEntries | QDir::System)) {
        const QString link = open.symLinkTarget();
        if (link.contains(folder) && !link.endsWith(folder + targetFile.fileName()) &&
            open.isFile())
            return open.size();
    }
    return -1;
}

// Has a child write `version` over `target`, and kills it once its temporary file holds
// `share` of the content. True when the kill came mid-write.
bool killWriting(const QString& target, char version, double share) {
    QProcess child;
    child.setEnvironment(QProcess::systemEnvironment()
                         << QStringLiteral("TIRELIX_WRITE=%1%2").arg(version).arg(target));
    // This very binary (its path as Qt finds it can be empty inside a chroot).
    child.start(QStringLiteral("/proc/self/exe"), {});
    bool midWrite = false;
    for (bool started = child.waitForReadyRead();
         started && !midWrite && !child.waitForFinished(0);) {
        if (temporarySize(child.processId(), target) >= qint64(share * double(kSize)))
            midWrite = ::kill(pid_t(child.processId()), SIGKILL) == 0;
        else
            QThread::usleep(20);
    }
    child.waitForFinished();
    return midWrite;
}

TEST(KilledWrite, FileIsAlwaysOldOrNewWhole) {
    sameProcessorAsTheTest();
    // Names the program reads by itself, and the note pages its dialogs offer.
    const QRegularExpression programFile(
        QStringLiteral("^(Prem|Pub|Site)\\.eff$|^Pub[12]\\.gif$|\\.cxt$"),
        QRegularExpression::CaseInsensitiveOption);
    for (const char* name : {"page.cxt", "Pub2.gif"}) {
        QTemporaryDir dir;
        const QDir folder(QFileInfo(dir.path()).canonicalFilePath());
        const QString target = folder.filePath(QLatin1String(name));
        ASSERT_TRUE(ui::WriteFileAtomically(target, std::string(kSize, 'A')));
        int midWrite = 0;
        for (const double share : {0.0, 0.5, 1.0}) {
            midWrite += killWriting(target, share == 0.5 ? 'A' : 'B', share);
            const std::string now = ui::ReadWholeFile(target, 2 * kSize).value_or("missing");
            ASSERT_TRUE(now == std::string(kSize, 'A') || now == std::string(kSize, 'B'))
                << name << ": neither the old nor the new file, " << now.size() << " bytes";
            // What the kill left is never read as a file of the program; gone before the next.
            for (const QString& left : folder.entryList(QDir::Files | QDir::Hidden)) {
                if (left != QLatin1String(name)) {
                    EXPECT_FALSE(programFile.match(left).hasMatch()) << left.toStdString();
                    QFile::remove(folder.filePath(left));
                }
            }
        }
        // Without a kill inside the write the loop proves nothing.
        EXPECT_GT(midWrite, 0) << name;
    }
}

} // namespace
