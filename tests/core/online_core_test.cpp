#include "core/banner.h"
#include "core/download_tick.h"
#include "core/transfer_trace.h"

#include <deque>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using namespace std::string_literals;

struct RecordingTrace final : online::TraceSink {
    void setStatus(std::string_view text) override {
        status = text;
        statusChanges.emplace_back(text);
    }
    void appendLine(std::string_view line) override { lines.emplace_back(line); }
    std::string status = "<none>";
    std::vector<std::string> statusChanges;
    std::vector<std::string> lines;
};

struct Chunks final : online::ChunkSource {
    explicit Chunks(std::deque<std::string> c) : chunks(std::move(c)) {}
    std::string GetChunk(std::size_t maxSize) override {
        EXPECT_EQ(maxSize, 1024u);
        ++reads;
        if (chunks.empty())
            return {};
        std::string c = chunks.front();
        chunks.pop_front();
        return c;
    }
    std::deque<std::string> chunks;
    int reads = 0;
};

std::size_t codePoints(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Each step sets the label, then appends " Terminée... NN" (15 characters, as the list's
// column expects); an error shows its code and information; other numbers change nothing.
TEST(TransferTrace, StateChanges) {
    std::vector<std::string> labels;
    for (int state = -1; state <= 20; ++state) {
        RecordingTrace trace;
        Chunks chunks({"left"});
        online::ApplyStateChange(state, {404, "Not Found"}, trace, chunks);
        if (state == online::kStateResponseCompleted)
            continue;
        EXPECT_EQ(chunks.reads, 0) << state;
        if (state < 1 || state > online::kStateError) {
            EXPECT_EQ(trace.status, "<none>") << state;
            EXPECT_TRUE(trace.lines.empty()) << state;
            continue;
        }
        const std::string code = (state < 10 ? "0" : "") + std::to_string(state);
        ASSERT_EQ(trace.lines, std::vector<std::string>{" Terminée... " + code}) << state;
        EXPECT_EQ(codePoints(trace.lines[0]), 15u);
        labels.push_back(trace.status);
    }
    ASSERT_EQ(labels.size(), 11u);
    EXPECT_EQ(labels[0], "Recherche l'adresse IP de l'ordinateur hôte.");
    EXPECT_EQ(labels[9], "La déconnexion avec l'ordinateur hôte est réussie.");
    EXPECT_EQ(labels[10], "icError : 404:Not Found");
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), 11u);
}

TEST(TransferTrace, CompletedResponseIsDrainedChunkByChunk) {
    // Nothing left still makes one pass; n chunks make n passes.
    const std::pair<std::deque<std::string>, int> cases[] = {
        {{}, 1},
        {{std::string(1024, 'a')}, 1},
        {{std::string(1024, 'a'), std::string(1024, 'b'), "tail"}, 3},
    };
    for (const auto& [chunks, passes] : cases) {
        RecordingTrace trace;
        Chunks source(chunks);
        online::ApplyStateChange(online::kStateResponseCompleted, {}, trace, source);
        std::vector<std::string> lines{" Terminée... 20"};
        for (int i = 0; i < passes; ++i)
            lines.insert(lines.end(), {" Terminée... W1", " Terminée... 30", " Terminée... 35"});
        lines.emplace_back(" Terminée... W2");
        EXPECT_EQ(trace.lines, lines) << chunks.size();
        EXPECT_TRUE(source.chunks.empty());
        EXPECT_EQ(trace.status, "icResponseCompleted");
        // Once at the start, then once a pass.
        EXPECT_EQ(trace.statusChanges.size(), static_cast<std::size_t>(passes) + 1);
    }
}

// Stored as one quoted field, blanks and a BOM around dropped, or refused.
TEST(DownloadTick, SiteTextStoredAsOneFieldOrRefused) {
    const std::string address = "https://a.example/page?q=1,2&r=é";
    for (const std::string& fetched :
         {address, address + "\r\n", address + " \t\n\n", "\xEF\xBB\xBF" + address + "\n"})
        EXPECT_EQ(online::SiteFileContent(fetched), "\"" + address + "\"\r\n") << fetched;
    EXPECT_EQ(online::SiteFileContent(""), "\"\"\r\n");
    EXPECT_EQ(online::SiteFileContent(std::string(2048, 'a')),
              "\"" + std::string(2048, 'a') + "\"\r\n");
    for (const std::string& fetched :
         {address + "\"x", address + "\r\nhttps://b.example/", "nul\0inside"s, "tab\tinside"s,
          "<html>\n<body>portal</body>\n</html>\n"s, std::string(2049, 'a')})
        EXPECT_EQ(online::SiteFileContent(fetched), std::nullopt) << fetched;
}

TEST(DownloadTick, OnlyAGifMayReplaceTheBanner) {
    for (const char* data : {"GIF89a\x01", "GIF87a"})
        EXPECT_TRUE(online::LooksLikeGif(data)) << data;
    for (const char* data : {"", "GIF8", "<html>GIF89a", "\x89PNG\r\n"})
        EXPECT_FALSE(online::LooksLikeGif(data)) << data;
}

TEST(Banner, OnlyHttpAndHttpsAddressesWithAHost) {
    for (const char* address : {"https://tirelix.example/", "HTTPS://Tirelix.example/a?b=c#d",
                                "http://127.0.0.1:8080/x", "http://user@host.example/"})
        EXPECT_TRUE(online::IsWebAddress(address)) << address;
    for (const char* address : {"file:///etc/passwd", "javascript:alert(1)", "tirelix.example",
                                "https://", "https:///path", "http://:80/", "https://a.example/ x",
                                "https://a.example\\@evil.example/", "", " https://a.example/"})
        EXPECT_FALSE(online::IsWebAddress(address)) << address;
}

} // namespace
