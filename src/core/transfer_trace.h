// The state notifications of the download's transfers, as the status label and the trace list
// show them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace online {

inline constexpr int kStateError = 11;
inline constexpr int kStateResponseCompleted = 12;

// Every trace line is this prefix and a two-character code: 15 characters.
inline constexpr std::string_view kTracePrefix = " Terminée... ";
inline constexpr std::size_t kChunkSize = 1024;

// The status label and the trace list.
class TraceSink {
  public:
    virtual ~TraceSink() = default;
    virtual void setStatus(std::string_view text) = 0;
    virtual void appendLine(std::string_view line) = 0;
};

// What is left of the pending response.
class ChunkSource {
  public:
    virtual ~ChunkSource() = default;
    // Up to `maxSize` bytes; empty when nothing is left.
    virtual std::string GetChunk(std::size_t maxSize) = 0;
};

// What the transfer reports of its last error.
struct ResponseError {
    int code = 0;
    std::string info;
};

std::string TraceLine(std::string_view code);

// The label text of a state; empty for state 12 (its drain sets it) and for unknown states.
std::string StateText(int state, const ResponseError& error);

// One notification: the label first, then the trace. State 12 drains what is left of the
// response; the drained text is dropped. Other numbers change nothing.
void ApplyStateChange(int state, const ResponseError& error, TraceSink& sink, ChunkSource& pending);

} // namespace online
