// The download server of the online tests: test_server.py on 127.0.0.1, started for one test
// and stopped with it.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace test {

class TestServer {
  public:
    struct Options {
        QString mode = QStringLiteral("normal");
        std::optional<QString> siteText;
        QString bannerFile;
        double delay = 1.0;
        QStringList extraArgs; // more options, as test_server.py takes them
    };

    explicit TestServer(const Options& o) {
        // Loopback must not go through a proxy of the environment.
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        QStringList args{TIRELIX_TEST_SERVER,      "--mode",   o.mode,      "--delay",
                         QString::number(o.delay), "--banner", o.bannerFile};
        if (o.siteText)
            args << "--site-text" << *o.siteText;
        process_.start(TIRELIX_PYTHON3, args + o.extraArgs);
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        const QByteArray line = process_.readLine().trimmed();
        port_ = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
    }
    ~TestServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    bool running() const { return port_ > 0; }
    std::string host() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // The paths requested so far.
    QStringList requests() {
        while (process_.waitForReadyRead(20)) {
        }
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        QStringList paths;
        for (const QString& line : output_.split('\n', Qt::SkipEmptyParts))
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

} // namespace test
