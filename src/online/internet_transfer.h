// The Internet Transfer control `Inet1`: fetches one address at a time over
// QNetworkAccessManager, asynchronously on the UI thread, and reports the steps of each transfer
// as numbered state notifications.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

#include "online/transfer_trace.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace online {

class InternetTransfer final : public QObject, public ChunkSource {
    Q_OBJECT
public:
    // The whole content, or nullopt when the fetch failed.
    using Done = std::function<void(std::optional<QByteArray>)>;

    explicit InternetTransfer(QObject* parent = nullptr);
    ~InternetTransfer() override;

    bool StillExecuting() const { return !reply_.isNull(); }

    // Starts fetching `address`; `done` runs once, later, when the fetch is over. A fetch fails
    // on a network error, an HTTP status other than 200, a redirect to anything but http or
    // https (or from https down to http), more than `maxBytes` of content, or when it takes more
    // than `timeLimit` milliseconds in all. False, and `done` never runs, while another fetch
    // is running or when the address is not http or https.
    bool OpenURL(const QString& address, qint64 maxBytes, int timeLimit, Done done);

    // The code and the description of the last error.
    int ResponseCode() const { return error_.code; }
    QString ResponseInfo() const { return QString::fromStdString(error_.info); }
    const ResponseError& lastError() const { return error_; }

    // What is left unread of the response being completed.
    std::string GetChunk(std::size_t maxSize) override;

signals:
    void StateChanged(int state);

private:
    void watch(QNetworkReply* reply);
    void onRedirected(const QUrl& target);
    void onFinished();
    void fail(int code, const QString& info);
    // Detaches the reply and hands the outcome over.
    void end(std::optional<QByteArray> content);

    // Created at the first fetch, not with the window.
    QNetworkAccessManager* manager_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    Done done_;
    qint64 maxBytes_ = 0;
    bool connecting_ = false;
    bool responseStarted_ = false;
    ResponseError error_;
};

} // namespace online
