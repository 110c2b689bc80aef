// What the fault tests share: a small file system mounted over a folder, and the process's
// own figures (memory, open files) read from /proc.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
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
        error_ = mounted_ ? 0 : errno;
    }
    ~SmallFileSystem() {
        if (mounted_)
            umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    std::string whyNot() const {
        return PrivateMounts()
                   ? "mount -t tmpfs failed: " + std::string(strerror(error_))
                   : std::string("needs a mount namespace of its own: root, outside a chroot");
    }

    // Writes a filler until not one more byte fits.
    bool fill() {
        const std::string path = folder_ + "/.filler";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const std::string page(4096, 'x');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        while (::write(fd, page.data(), 1) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }
    void empty() { ::unlink((folder_ + "/.filler").c_str()); }

    bool setReadOnly(bool readOnly) {
        const unsigned long flags = readOnly ? MS_REMOUNT | MS_RDONLY : MS_REMOUNT;
        return mount(nullptr, folder_.c_str(), nullptr, flags, nullptr) == 0;
    }

  private:
    std::string folder_;
    bool mounted_ = false;
    int error_ = 0;
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

// Brings VmHWM down to the present VmRSS, so that the next reading is this test's own peak.
inline bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

inline int OpenFileCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

// Built with AddressSanitizer, whose quarantine keeps freed memory resident by design.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

} // namespace test
