// What the fault tests share: a small file system mounted over a folder, and the process's
// own figures (memory, open files) read from /proc.
#pragma once

#include <QDir>
#include <QString>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace test {

// True when the test process has a mount namespace of its own: it ran as root, and not in a
// chroot, where "/" is no mount point to make private.
bool PrivateMounts();

// A tmpfs of `kilobytes` mounted over `folder` for the life of the object.
class SmallFileSystem {
  public:
    SmallFileSystem(const QString& folder, int kilobytes) : folder_(folder.toStdString()) {
        const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
        mounted_ = PrivateMounts() &&
                   mount("tirelix-test", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
        why_ = !PrivateMounts() ? "needs a mount namespace of its own: root, outside a chroot"
                                : "mount -t tmpfs failed: " + std::string(strerror(errno));
    }
    ~SmallFileSystem() {
        if (mounted_)
            umount2(folder_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& whyNot() const { return why_; }

    // Writes a filler until not one more byte fits.
    bool fill() {
        const int fd = ::open((folder_ + "/.filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string page(4096, 'x');
        for (std::size_t size : {page.size(), std::size_t{1}})
            while (fd >= 0 && ::write(fd, page.data(), size) > 0) {
            }
        const bool full = fd >= 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }
    bool empty() { return ::unlink((folder_ + "/.filler").c_str()) == 0; }
    // chmod does not stop root: the file system itself turns read-only.
    bool setReadOnly(bool readOnly) {
        const unsigned long flags = readOnly ? MS_REMOUNT | MS_RDONLY : MS_REMOUNT;
        return mount(nullptr, folder_.c_str(), nullptr, flags, nullptr) == 0;
    }

  private:
    std::string folder_, why_;
    bool mounted_ = false;
};

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM), -1 when absent.
inline long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

// How far the resident memory peaks above where it stood while `run` runs (-1: unknown).
template <typename Run> long PeakGrowthKb(Run run) {
    std::ofstream("/proc/self/clear_refs") << "5"; // VmHWM down to the present VmRSS
    const long before = StatusKb("VmRSS");
    run();
    return StatusKb("VmHWM") - before;
}

inline int OpenFileCount() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

// AddressSanitizer's quarantine keeps freed memory resident by design.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

} // namespace test
