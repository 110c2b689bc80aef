// The main window with its timers held (the tests tick them), a download server on 127.0.0.1,
// and the file helpers of the online tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

#include <optional>

#include "main_window_rig.h"
#include "ui/timer.h"

namespace test {

// The smallest GIF: one transparent pixel.
inline const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

inline QString assetPath(const char* name) {
    return QDir(QStringLiteral(TIRELIX_ASSETS)).filePath(QString::fromLatin1(name));
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// tests/online/test_server.py, started for one test and stopped with it.
class TestServer {
public:
    struct Options {
        QString mode = QStringLiteral("normal");
        std::optional<QString> siteText;
        QString bannerFile;
        double delay = 1.0;
        // More options, as test_server.py takes them.
        QStringList extraArgs;
    };

    explicit TestServer(const Options& options) {
        // Loopback must not go through a proxy of the environment.
        for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY",
                                 "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        QStringList args{QStringLiteral(TIRELIX_TEST_SERVER), QStringLiteral("--mode"),
                         options.mode, QStringLiteral("--delay"), QString::number(options.delay),
                         QStringLiteral("--end-with-stdin")};
        if (options.siteText)
            args << QStringLiteral("--site-text") << *options.siteText;
        if (!options.bannerFile.isEmpty())
            args << QStringLiteral("--banner") << options.bannerFile;
        args << options.extraArgs;
        process_.start(QStringLiteral(TIRELIX_PYTHON3), args);
        if (!process_.waitForStarted(10000))
            return;
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("PORT "))
            port_ = line.mid(5).toInt();
    }
    ~TestServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    bool running() const { return port_ > 0; }
    std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // The paths requested so far.
    QStringList requests() {
        while (process_.waitForReadyRead(20)) {
        }
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        QStringList paths;
        for (const QString& line : output_.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (line.startsWith(QLatin1String("GET ")))
                paths << line.mid(4);
        return paths;
    }

private:
    QProcess process_;
    QString output_;
    int port_ = 0;
};

inline const QString kSitePath = QStringLiteral("/download/Test01/Site.eff");
inline const QString kBannerPath = QStringLiteral("/download/Test01/Pub.gif");

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
    QString etat() const { return label("Etat")->text(); }

    // Runs a download tick and waits for its transfers to end: whether both files were
    // replaced, or nullopt when the tick started no transfer.
    std::optional<bool> downloadTick() {
        QSignalSpy ended(window.get(), &frmEuros::downloadEnded);
        window->Timer3_Timer();
        if (ended.isEmpty() && !window->downloadRunning())
            return std::nullopt;
        if (ended.isEmpty() && !ended.wait(20000))
            return std::nullopt;
        return ended.takeFirst().at(0).toBool();
    }
};

} // namespace test
