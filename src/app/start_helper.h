// The steps of a start that draw nothing run on a thread of their own from the first line of
// main(), beside the connection to the windowing system and the building of the window:
// - loading the X11 platform libraries (a third of the connection's own time is spent mapping
//   and linking them; Qt's later load of its platform plugin then finds them in place);
// - reading the desktop's font configuration (dozens of XML files);
// - once the application exists, filling Qt's font database from it.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

namespace app {

// Whether Qt will take the X11 platform, from the same environment it decides by: QT_QPA_PLATFORM
// first, else the session type (Qt takes Wayland for a Wayland session, except under GNOME,
// where it keeps X11 through Xwayland), and an X display in any case. A wrong guess costs only a
// library load on the helper thread.
bool StartsOnX11(std::string_view qpaPlatform, std::string_view sessionType,
                 std::string_view currentDesktop, std::string_view display);

class StartHelper {
  public:
    // Starts the thread on its first steps; it then waits for then().
    StartHelper();
    // Waits for the thread, as wait() does.
    ~StartHelper();
    StartHelper(const StartHelper&) = delete;
    StartHelper& operator=(const StartHelper&) = delete;

    // The thread's last step, once what it needs exists (Qt's font database needs the
    // application object). Only the first call counts.
    void then(std::function<void()> job);
    // Returns once the thread is done; a job not handed over by then is not run, nor any later.
    void wait();
    // Returns once the font configuration is read. A thread that asks fontconfig before that
    // reads a second copy of it (fontconfig keeps the first one stored and drops the other):
    // waiting for the rest of the helper's read costs less than a whole read of its own.
    void waitForFontConfiguration();

  private:
    std::mutex mutex_;
    std::condition_variable handedOver_;
    std::condition_variable fontConfigurationReadSignal_;
    std::function<void()> job_;
    bool handed_ = false;
    bool fontConfigurationRead_ = false;
    bool closing_ = false;
    std::thread thread_;
};

} // namespace app
