// The fault tests mount small file systems of their own: in a mount namespace private to this
// process, so that nothing they mount is seen outside it or outlives it, even after a crash.
#include "fault_rig.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sched.h>

namespace test {
bool g_privateMounts = false;
bool PrivateMounts() {
    return g_privateMounts;
}
} // namespace test

int main(int argc, char** argv) {
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
