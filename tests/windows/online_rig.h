// The main window with its timers held (the tests tick them), a download server on 127.0.0.1,
// and the file helpers of the online tests.
#pragma once

#include "main_window_rig.h"
#include "platform/timer.h"
#include "test_files.h"
#include "test_server.h"
#include "windows/frm_about.h"
#include "windows/window_slot.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryFile>

namespace test {

// The smallest GIF: one transparent pixel.
inline const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

inline QString assetPath(const char* name) {
    return TIRELIX_ASSETS "/" + QString(name);
}

struct OnlineRig : MainWindowRig {
    using MainWindowRig::MainWindowRig;

    ui::Timer* timer(const char* name) const { return find<ui::Timer>(name); }
    QLabel* label(const char* name) const { return find<QLabel>(name); }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // Loads the window with the banner switch as given, the timers held.
    void load(bool pubOn) {
        writeBytes(file("Pub.eff"), pubOn ? "\"1\"\r\n" : "\"0\"\r\n");
        timer("Timer1")->holdTicks(true);
        timer("Timer3")->holdTicks(true);
        show();
    }

    QStringList trace() const {
        QStringList lines;
        auto* list = find<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    // Starts a download server for the window, serving the one-pixel banner unless told.
    void serve(TestServer::Options o = {}) {
        server.reset();
        if (o.bannerFile.isEmpty()) {
            ASSERT_TRUE(served.isOpen() ||
                        (served.open() && served.write(kTinyGif) && served.flush()));
            o.bannerFile = served.fileName();
        }
        server = std::make_unique<TestServer>(o);
        ASSERT_TRUE(server->running());
        window->onlineSettings().downloadHost = server->host();
    }
    QTemporaryFile served;
    std::unique_ptr<TestServer> server;

    // Runs a download tick and waits for its transfers to end: whether both files were
    // replaced, or nullopt when the tick started no transfer.
    std::optional<bool> downloadTick() {
        QSignalSpy ended(window.get(), &frmEuros::downloadEnded);
        window->Timer3_Timer();
        if (ended.isEmpty() && (!window->downloadRunning() || !ended.wait(20000)))
            return std::nullopt;
        return ended.takeFirst().at(0).toBool();
    }
};

inline constexpr const char* kSite = "https://tirelix.example/";

// The about box's window object, the only one the main window then opens.
struct AboutSlot : shell::WindowDirectory {
    shell::WindowSlot<frmAbout> about;
    explicit AboutSlot(std::function<frmAbout*()> make) : about(std::move(make)) {}
    shell::WindowObject* object(shell::WindowKind kind) override {
        return kind == shell::WindowKind::frmAbout ? &about : nullptr;
    }
};

// The online rig with the about box behind the menu, built over the rig's fakes.
struct AboutRig : AboutSlot, OnlineRig {
    AboutRig()
        : AboutSlot([this] {
              return new frmAbout(
                  frmAbout::Services{dialogs, connection, browser, folder.path(), kSite},
                  window.get());
          }),
          OnlineRig(nullptr, nullptr, this) {
        QFile::copy(assetPath("MainTacheG.ico"), file("MainTacheG.ico"));
    }
    frmAbout* openAbout() {
        window->Apropos_Click();
        frmAbout* box = about.ifLoaded();
        // The offscreen platform sends a movement to the first window under the point: the
        // box must not lie over the main window.
        if (box)
            box->move(window->frameGeometry().right() + 40, 40);
        return box;
    }
};

} // namespace test
