#include "platform/internet_transfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace online {

namespace {

constexpr int kMaxRedirects = 5;

bool isWebScheme(const QUrl& url) {
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

} // namespace

InternetTransfer::InternetTransfer() {
    setObjectName(QStringLiteral("Inet1"));
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this,
            [this] { fail(QNetworkReply::TimeoutError, QStringLiteral("Délai dépassé")); });
}

InternetTransfer::~InternetTransfer() {
    // The window is closing: the transfer is dropped without an outcome.
    if (QNetworkReply* reply = reply_.data()) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
    }
}

bool InternetTransfer::OpenURL(const QString& address, qint64 maxBytes, int timeLimit, Done done) {
    if (StillExecuting())
        return false;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !isWebScheme(url))
        return false;
    if (!manager_)
        manager_ = new QNetworkAccessManager(this);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // One connection per fetch over HTTP/1.1, so that every transfer reports its own
    // connection and its own closing.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setRawHeader("Connection", "close");
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tirelix/2.0"));

    done_ = std::move(done);
    maxBytes_ = maxBytes;
    connecting_ = false;
    responseStarted_ = false;
    reply_ = manager_->get(request);
    watch(reply_.data());
    deadline_.start(timeLimit);
    StateChanged(1);
    return true;
}

void InternetTransfer::watch(QNetworkReply* reply) {
    // The host is looked up as the socket starts connecting; Qt reports the two as one step.
    connect(reply, &QNetworkReply::socketStartedConnecting, this, [this] {
        connecting_ = true;
        StateChanged(2);
        StateChanged(3);
    });
    connect(reply, &QNetworkReply::requestSent, this, [this] {
        if (connecting_)
            StateChanged(4);
        StateChanged(5);
        StateChanged(6);
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (!reply_)
            return;
        if (!responseStarted_) {
            responseStarted_ = true;
            StateChanged(7);
        }
        bool known = false;
        const qint64 length =
            reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > maxBytes_)
            fail(QNetworkReply::UnknownContentError, QStringLiteral("Réponse trop longue"));
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > maxBytes_)
            fail(QNetworkReply::UnknownContentError, QStringLiteral("Réponse trop longue"));
    });
    connect(reply, &QNetworkReply::redirected, this, &InternetTransfer::onRedirected);
    connect(reply, &QNetworkReply::finished, this, &InternetTransfer::onFinished);
}

void InternetTransfer::onRedirected(const QUrl& target) {
    if (!reply_)
        return;
    const bool downgrade = reply_->url().scheme() == QLatin1String("https") &&
                           target.scheme() == QLatin1String("http");
    if (!isWebScheme(target) || target.host().isEmpty() || downgrade) {
        fail(QNetworkReply::InsecureRedirectError,
             QStringLiteral("Redirection refusée : ") + target.toString());
        return;
    }
    emit reply_->redirectAllowed();
}

void InternetTransfer::onFinished() {
    QNetworkReply* reply = reply_.data();
    if (!reply)
        return;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() != QNetworkReply::NoError) {
        if (status.isValid())
            fail(status.toInt(),
                 reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        else
            fail(reply->error(), reply->errorString());
        return;
    }
    if (status.toInt() != 200) {
        fail(status.toInt(),
             reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        return;
    }
    const QByteArray content = reply->read(maxBytes_ + 1);
    if (content.size() > maxBytes_) {
        fail(QNetworkReply::UnknownContentError, QStringLiteral("Réponse trop longue"));
        return;
    }
    StateChanged(8);
    // The request asked for the connection to be closed after the response.
    StateChanged(9);
    StateChanged(10);
    StateChanged(kStateResponseCompleted);
    end(content);
}

std::string InternetTransfer::GetChunk(std::size_t maxSize) {
    if (!reply_)
        return {};
    return reply_->read(static_cast<qint64>(maxSize)).toStdString();
}

void InternetTransfer::fail(int code, const QString& info) {
    if (!reply_)
        return;
    error_ = {code, info.toStdString()};
    QNetworkReply* reply = reply_.data();
    disconnect(reply, nullptr, this, nullptr);
    // A reply that has finished, or reported its own error, is not finished a second time:
    // dropping it is enough.
    if (!reply->isFinished() && reply->error() == QNetworkReply::NoError)
        reply->abort();
    StateChanged(kStateError);
    end(std::nullopt);
}

void InternetTransfer::end(std::optional<QByteArray> content) {
    deadline_.stop();
    if (QNetworkReply* reply = reply_.data()) {
        disconnect(reply, nullptr, this, nullptr);
        reply->deleteLater();
    }
    reply_.clear();
    // The next fetch may start from inside `done`.
    Done done = std::move(done_);
    done_ = nullptr;
    if (done)
        done(std::move(content));
}

} // namespace online
