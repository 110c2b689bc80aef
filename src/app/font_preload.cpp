#include "app/font_preload.h"

#include <fontconfig/fontconfig.h>

namespace app {

// FcInit() stores the loaded configuration as the process's current one, where Qt's font
// database then finds it. Were Qt to ask first, fontconfig would load a second copy and keep
// one: slower, never wrong.
FontPreload::FontPreload()
    : thread_([this] {
          FcInit();
          std::function<void()> job;
          {
              std::unique_lock lock(mutex_);
              handedOver_.wait(lock, [this] { return handed_ || closing_; });
              job = std::move(job_);
          }
          if (job)
              job();
      }) {}

FontPreload::~FontPreload() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    handedOver_.notify_one();
    wait();
}

void FontPreload::then(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        if (handed_ || closing_)
            return;
        job_ = std::move(job);
        handed_ = true;
    }
    handedOver_.notify_one();
}

void FontPreload::wait() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace app
