// A process killed while it saves a note page or stores a download, at points of the write up
// to a temporary file whole but not yet renamed: the file is always the old one whole or the
// new one whole, and what the write leaves behind is never taken for a file of the program.
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

constexpr qint64 kSize = 24 * 1024 * 1024;

// The size of a file that `pid` has open in the folder of `target` under another name: the
// write's own temporary file, which may have no name in the folder yet; -1 while there is none.
qint64 temporarySize(qint64 pid, const QString& target) {
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

// Has a child write `version` over `target`, and kills it once its temporary file holds
// `share` of the content. True when the kill came mid-write.
bool killWriting(const QString& target, char version, double share) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--write", target, QString::number(kSize), QString(QChar(version))});
    bool midWrite = false;
    if (child.waitForReadyRead()) {
        while (!midWrite && !child.waitForFinished(0))
            if (temporarySize(child.processId(), target) >= qint64(share * double(kSize)))
                midWrite = ::kill(pid_t(child.processId()), SIGKILL) == 0;
    }
    child.waitForFinished();
    return midWrite;
}

TEST(KilledWrite, FileIsAlwaysOldOrNewWhole) {
    // Names the program reads by itself, and the note pages its dialogs offer.
    const auto programFile = [](const QString& name) {
        return QStringList{"Prem.eff", "Pub.eff", "Site.eff", "Pub1.gif", "Pub2.gif"}.contains(
                   name) ||
               name.endsWith(QLatin1String(".cxt"), Qt::CaseInsensitive);
    };
    for (const char* name : {"page.cxt", "Pub2.gif"}) {
        QTemporaryDir dir;
        const QDir folder(QFileInfo(dir.path()).canonicalFilePath());
        const QString target = folder.filePath(QLatin1String(name));
        const std::string versions[2] = {std::string(kSize, 'A'), std::string(kSize, 'B')};
        ASSERT_TRUE(ui::WriteFileAtomically(target, versions[0]));
        int onDisk = 0, midWrite = 0;
        for (const double share : {0.0, 0.5, 1.0}) {
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
                    EXPECT_FALSE(programFile(left)) << left.toStdString();
                    QFile::remove(folder.filePath(left));
                }
            }
        }
        // Without a kill inside the write the loop proves nothing.
        EXPECT_GT(midWrite, 0) << name;
    }
}

} // namespace
