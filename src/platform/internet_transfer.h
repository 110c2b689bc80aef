// The Internet Transfer control `Inet1` over QNetworkAccessManager: fetches one address at a
// time, asynchronously on the UI thread, and reports the steps of each transfer as numbered
// state notifications. Part of the network module.
#pragma once

#include "platform/transfer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

namespace online {

class InternetTransfer final : public QObject, public Transfer {
  public:
    InternetTransfer();
    ~InternetTransfer() override;

    bool StillExecuting() const override { return !reply_.isNull(); }
    bool OpenURL(const QString& address, qint64 maxBytes, int timeLimit, Done done) override;
    const ResponseError& lastError() const override { return error_; }
    void setStateListener(StateListener listener) override { listener_ = std::move(listener); }

    // What is left unread of the response being completed.
    std::string GetChunk(std::size_t maxSize) override;

  private:
    void StateChanged(int state) {
        if (listener_)
            listener_(state);
    }
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
    StateListener listener_;
};

} // namespace online
