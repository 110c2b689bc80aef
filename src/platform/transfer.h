// One fetch at a time, as the download uses it (the control `Inet1`). Its Qt Network side is
// loaded with the network module at the first fetch.
#pragma once

#include "core/transfer_trace.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace online {

class Transfer : public ChunkSource {
  public:
    // The whole content, or nullopt when the fetch failed.
    using Done = std::function<void(std::optional<QByteArray>)>;
    // The numbered state notifications of each transfer, as they happen.
    using StateListener = std::function<void(int state)>;

    virtual bool StillExecuting() const = 0;

    // Starts fetching `address`; `done` runs once, later, when the fetch is over. A fetch fails
    // on a network error, an HTTP status other than 200, a redirect to anything but http or
    // https (or from https down to http), more than `maxBytes` of content, or when it takes more
    // than `timeLimit` milliseconds in all. False, and `done` never runs, while another fetch
    // is running or when the address is not http or https.
    virtual bool OpenURL(const QString& address, qint64 maxBytes, int timeLimit, Done done) = 0;

    // The code and the description of the last error.
    virtual const ResponseError& lastError() const = 0;

    virtual void setStateListener(StateListener listener) = 0;
};

} // namespace online
