#include "app/start_helper.h"

#include <QtGlobal>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

namespace app {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           }) != text.end();
}

} // namespace

bool StartsOnX11(std::string_view qpaPlatform, std::string_view sessionType,
                 std::string_view currentDesktop, std::string_view display) {
    if (display.empty())
        return false;
    if (!qpaPlatform.empty()) {
        // The first platform Qt tries, without its options ("xcb:opt=value;wayland").
        const std::string_view first = qpaPlatform.substr(0, qpaPlatform.find(';'));
        return first.substr(0, first.find(':')) == "xcb";
    }
    return sessionType != "wayland" || containsIgnoringCase(currentDesktop, "gnome");
}

// FcInit() stores the loaded configuration as the process's current one, where Qt's font
// database then finds it. Were Qt to ask first, fontconfig would load a second copy and keep
// one: slower, never wrong; waitForFontConfiguration() keeps the main thread from asking first.
StartHelper::StartHelper()
    : thread_([this] {
          if (StartsOnX11(environment("QT_QPA_PLATFORM"), environment("XDG_SESSION_TYPE"),
                          environment("XDG_CURRENT_DESKTOP"), environment("DISPLAY")))
              // Kept loaded: Qt's platform plugin uses it for the life of the program.
              dlopen("libQt" QT_STRINGIFY(QT_VERSION_MAJOR) "XcbQpa.so." QT_STRINGIFY(
                         QT_VERSION_MAJOR),
                     RTLD_LAZY);
          FcInit();
          std::function<void()> job;
          {
              std::unique_lock lock(mutex_);
              fontConfigurationRead_ = true;
              fontConfigurationReadSignal_.notify_all();
              handedOver_.wait(lock, [this] { return handed_ || closing_; });
              job = std::move(job_);
          }
          if (job)
              job();
      }) {}

StartHelper::~StartHelper() {
    wait();
}

void StartHelper::then(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        if (handed_ || closing_)
            return;
        job_ = std::move(job);
        handed_ = true;
    }
    handedOver_.notify_one();
}

void StartHelper::waitForFontConfiguration() {
    std::unique_lock lock(mutex_);
    fontConfigurationReadSignal_.wait(lock, [this] { return fontConfigurationRead_; });
}

void StartHelper::wait() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    handedOver_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

} // namespace app
