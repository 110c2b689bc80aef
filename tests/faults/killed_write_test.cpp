// A process killed while it saves a note page or stores a download, at many points of the
// write: the file is always the old one whole or the new one whole, and what the write leaves
// behind is never taken for a file of the program.
#include "fault_rig.h"
#include "platform/files.h"
#include "write_child_content.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t kSize = 24 * 1024 * 1024;

struct Child {
    pid_t pid = -1;
    int ready = -1; // one byte arrives when the write starts
};

Child spawnChild(const QString& path, const char* kind, char version) {
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string target = path.toStdString();
    const std::string size = std::to_string(kSize);
    const std::string v(1, version);
    const char* argv[] = {TIRELIX_WRITE_CHILD, target.c_str(), kind,
                          size.c_str(),        v.c_str(),      nullptr};
    Child child;
    if (posix_spawn(&child.pid, TIRELIX_WRITE_CHILD, &actions, nullptr,
                    const_cast<char* const*>(argv), environ) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    child.ready = out[0];
    return child;
}

// The size of the file that `pid` has open in `folder` under another name than `target`:
// the write's own temporary file; nullopt while there is none.
std::optional<qint64> temporarySize(pid_t pid, const QString& folder, const QString& target) {
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    DIR* dir = opendir(fds.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<qint64> size;
    while (const dirent* fd = readdir(dir)) {
        const std::string entry = fds + '/' + fd->d_name;
        char buffer[4096];
        const ssize_t length = readlink(entry.c_str(), buffer, sizeof buffer);
        if (length <= 0)
            continue;
        const QString link = QFile::decodeName(QByteArray(buffer, length));
        if (!link.startsWith(folder + '/') || link == target)
            continue;
        struct stat st = {};
        if (stat(entry.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            size = st.st_size;
            break;
        }
    }
    closedir(dir);
    return size;
}

// When the child is killed: once its temporary file holds this share of the content, or
// this long after it started writing.
struct KillPoint {
    std::optional<double> share;
    std::chrono::microseconds delay{0};
};

struct KillRun {
    bool started = false;
    // The kill came while the temporary file was open.
    bool midWrite = false;
};

KillRun runAndKill(const QString& folder, const QString& target, const char* kind, char version,
                   std::size_t total, const KillPoint& point) {
    KillRun run;
    const Child child = spawnChild(target, kind, version);
    if (child.pid < 0)
        return run;
    char byte = 0;
    run.started = read(child.ready, &byte, 1) == 1;
    close(child.ready);
    int status = 0;
    if (run.started && point.share) {
        const auto threshold = static_cast<qint64>(*point.share * static_cast<double>(total));
        while (waitpid(child.pid, &status, WNOHANG) == 0) {
            const auto size = temporarySize(child.pid, folder, target);
            if (size && *size >= threshold) {
                kill(child.pid, SIGKILL);
                run.midWrite = *size < static_cast<qint64>(total) || *point.share == 0.0;
                break;
            }
        }
    } else if (run.started) {
        std::this_thread::sleep_for(point.delay);
        run.midWrite = temporarySize(child.pid, folder, target).has_value();
        kill(child.pid, SIGKILL);
    }
    waitpid(child.pid, &status, 0);
    return run;
}

// Names the program reads by itself, and the note pages its dialogs offer.
bool takenForAProgramFile(const QString& name) {
    static const QStringList own{"Prem.eff", "Pub.eff", "Site.eff", "Pub1.gif", "Pub2.gif"};
    return own.contains(name) || name.endsWith(QLatin1String(".cxt"), Qt::CaseInsensitive);
}

struct KindCase {
    const char* kind;
    const char* file;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.kind;
}

class KilledWrite : public ::testing::TestWithParam<KindCase> {};

TEST_P(KilledWrite, FileIsAlwaysOldOrNewWhole) {
    const KindCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    const QString target = folder + '/' + QLatin1String(c.file);
    const std::string versions[2] = {test::ChildContent(c.kind, kSize, 'A'),
                                     test::ChildContent(c.kind, kSize, 'B')};
    ASSERT_TRUE(ui::WriteFileAtomically(target, versions[0]));
    int onDisk = 0;

    std::vector<KillPoint> points;
    for (const double share : {0.0, 0.1, 0.3, 0.5, 0.7, 0.9, 0.99})
        points.push_back({share, {}});
    for (const int us : {0, 200, 1000, 3000, 10000, 30000, 100000})
        points.push_back({std::nullopt, std::chrono::microseconds(us)});

    int midWrite = 0;
    for (const KillPoint& point : points) {
        const int next = 1 - onDisk;
        const KillRun run =
            runAndKill(folder, target, c.kind, next == 0 ? 'A' : 'B', versions[next].size(), point);
        ASSERT_TRUE(run.started) << "the child did not start";
        midWrite += run.midWrite;
        const auto now = ui::ReadWholeFile(target, 2 * static_cast<qint64>(kSize));
        ASSERT_TRUE(now.has_value()) << "the file went missing";
        if (*now == versions[next])
            onDisk = next;
        else
            ASSERT_EQ(*now, versions[onDisk])
                << "neither the old nor the new file, " << now->size() << " bytes";
    }
    // Without a kill inside the write the loop proves nothing.
    EXPECT_GT(midWrite, 0);
    RecordProperty("kills_inside_the_write", midWrite);

    // The write leaves nothing behind, or only a temporary name the program never reads.
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name == QLatin1String(c.file))
            continue;
        EXPECT_FALSE(takenForAProgramFile(name)) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(AtomicWrite, KilledWrite,
                         ::testing::Values(KindCase{"page", "page.cxt"},
                                           KindCase{"download", "Pub2.gif"}),
                         [](const auto& info) { return std::string(info.param.kind); });

} // namespace
