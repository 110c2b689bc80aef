// Reading the desktop's font configuration (dozens of XML files) and filling Qt's font database
// from it are the longest steps of a start. Neither draws anything, so they run on a thread of
// their own from the first line of main(), beside the connection to the windowing system and the
// decoding of the pictures; the window waits for them only when it is about to set its first
// text.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace app {

class FontPreload {
public:
    // Starts the thread: it reads the font configuration, then waits for then().
    FontPreload();
    // Waits for the thread; a job never handed over is not waited for.
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // The thread's second step, once what it needs exists (Qt's font database needs the
    // application object). Only the first call counts.
    void then(std::function<void()> job);
    // Returns once the thread is done; at once after the first call.
    void wait();

private:
    std::mutex mutex_;
    std::condition_variable handedOver_;
    std::function<void()> job_;
    bool handed_ = false;
    bool closing_ = false;
    std::thread thread_;
};

} // namespace app
