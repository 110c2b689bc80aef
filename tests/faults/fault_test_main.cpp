// The fault tests mount small file systems of their own: in a mount namespace private to this
// process, so that nothing they mount is seen outside it or outlives it, even after a crash.
//
//   fault_window_tests --write PATH SIZE BYTE
// instead writes one file of SIZE times BYTE through the program's atomic write, for a test
// that kills it part-way; it prints one byte as the write starts.
#include "fault_rig.h"
#include "platform/files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

namespace test {
bool g_privateMounts = false;
bool PrivateMounts() {
    return g_privateMounts;
}
} // namespace test

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--write") {
        std::fputc('w', stdout);
        std::fflush(stdout);
        const std::string content(std::stoul(argv[3]), argv[4][0]);
        return ui::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), content) ? 0 : 1;
    }
    // Before Qt starts a thread: a namespace is the calling thread's.
    test::g_privateMounts = unshare(CLONE_NEWNS) == 0 &&
                            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
