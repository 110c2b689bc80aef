// The trace of a whole fetch, a failed one and the site texts a server sends are the download
// window tests'; here what no test server reaches.
#include "core/banner.h"
#include "core/download_tick.h"
#include "core/transfer_trace.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace std::string_literals;

struct RecordingTrace final : online::TraceSink {
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void appendLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> statuses, lines;
};

struct Chunks final : online::ChunkSource {
    explicit Chunks(std::deque<std::string> c) : chunks(std::move(c)) {}
    std::string GetChunk(std::size_t maxSize) override {
        EXPECT_EQ(maxSize, 1024u);
        std::string c = chunks.empty() ? "" : chunks.front();
        if (!chunks.empty())
            chunks.pop_front();
        return c;
    }
    std::deque<std::string> chunks;
};

// A completed response is drained a chunk a pass (nothing left still makes one pass); numbers
// no transfer sends change nothing.
TEST(TransferTrace, CompletedResponseDrainedChunkByChunkUnknownStatesIgnored) {
    for (const int state : {-1, 0, 13, 20}) {
        RecordingTrace trace;
        Chunks source({"left"});
        online::ApplyStateChange(state, {404, "Not Found"}, trace, source);
        EXPECT_EQ(trace.statuses.size() + trace.lines.size(), 0u) << state;
        EXPECT_EQ(source.chunks.size(), 1u) << state;
    }
    const std::string k = std::string(1024, 'a');
    for (const std::deque<std::string>& chunks : {std::deque<std::string>{}, {k}, {k, k, "tail"}}) {
        RecordingTrace trace;
        Chunks source(chunks);
        online::ApplyStateChange(online::kStateResponseCompleted, {}, trace, source);
        const std::size_t passes = std::max<std::size_t>(chunks.size(), 1);
        std::vector<std::string> lines{" Terminée... 20"};
        for (std::size_t i = 0; i < passes; ++i)
            lines.insert(lines.end(), {" Terminée... W1", " Terminée... 30", " Terminée... 35"});
        lines.emplace_back(" Terminée... W2");
        EXPECT_EQ(trace.lines, lines) << chunks.size();
        EXPECT_TRUE(source.chunks.empty());
        EXPECT_EQ(trace.statuses, std::vector<std::string>(passes + 1, "icResponseCompleted"));
    }
}

// Stored as one quoted field, blanks and a BOM around dropped, or refused.
TEST(DownloadTick, SiteTextStoredAsOneFieldOrRefused) {
    const std::string address = "https://a.example/page?q=1,2&r=é";
    EXPECT_EQ(online::SiteFileContent("\xEF\xBB\xBF" + address + " \t\n\n"),
              "\"" + address + "\"\r\n");
    EXPECT_EQ(online::SiteFileContent(""), "\"\"\r\n");
    EXPECT_EQ(online::SiteFileContent(std::string(2048, 'a')),
              "\"" + std::string(2048, 'a') + "\"\r\n");
    for (const std::string& fetched :
         {"nul\0inside"s, "tab\tinside"s, "<html>\n<body>portal</body>\n</html>\n"s,
          std::string(2049, 'a')})
        EXPECT_EQ(online::SiteFileContent(fetched), std::nullopt) << fetched;
}

TEST(DownloadTick, OnlyAGifMayReplaceTheBanner) {
    const std::pair<const char*, bool> cases[] = {
        {"GIF89a\x01", true}, {"GIF87a", true},        {"", false},
        {"GIF8", false},      {"<html>GIF89a", false}, {"\x89PNG\r\n", false}};
    for (const auto& [data, gif] : cases)
        EXPECT_EQ(online::LooksLikeGif(data), gif) << data;
}

// file:, javascript:, "https://" and a blank inside are the web browser window test's.
TEST(Banner, OnlyHttpAndHttpsAddressesWithAHost) {
    for (const char* address : {"HTTPS://Tirelix.example/a?b=c#d", "http://user@host.example/"})
        EXPECT_TRUE(online::IsWebAddress(address)) << address;
    for (const char* address : {"tirelix.example", "https:///path", "http://:80/",
                                "https://a.example\\@evil.example/", "", " https://a.example/"})
        EXPECT_FALSE(online::IsWebAddress(address)) << address;
}

} // namespace
