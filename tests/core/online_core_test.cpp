#include "core/banner.h"
#include "core/download_tick.h"
#include "core/transfer_trace.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace {

using online::BannerPhase;

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

struct StateCase {
    int state;
    const char* etat;
    const char* line;
};

TEST(TransferTrace, EachStepSetsTheLabelThenAppendsItsLine) {
    const StateCase cases[] = {
        {1, "Recherche l'adresse IP de l'ordinateur hôte.", " Terminée... 01"},
        {2, "L'adresse IP de l'ordinateur hôte spécifié.", " Terminée... 02"},
        {3, "En cours de connexion avec l'ordinateur hôte.", " Terminée... 03"},
        {4, "La connexion avec l'ordinateur hôte est réussie.", " Terminée... 04"},
        {5, "Envoie une demande à l'ordinateur hôte.", " Terminée... 05"},
        {6, "La demande a été envoyé  avec succès.", " Terminée... 06"},
        {7, "Reçoit une réponse en provenance de l'ordinateur hôte.", " Terminée... 07"},
        {8, "reçoit avec succès une réponse en provenance de l'ordinateur hôte.",
         " Terminée... 08"},
        {9, "En cours de déconnexion avec l'ordinateur hôte.", " Terminée... 09"},
        {10, "La déconnexion avec l'ordinateur hôte est réussie.", " Terminée... 10"},
    };
    for (const auto& c : cases) {
        RecordingTrace trace;
        Chunks none({});
        online::ApplyStateChange(c.state, {}, trace, none);
        EXPECT_EQ(trace.status, c.etat) << c.state;
        ASSERT_EQ(trace.lines, std::vector<std::string>{c.line}) << c.state;
        EXPECT_EQ(codePoints(trace.lines[0]), 15u);
        EXPECT_EQ(none.reads, 0);
    }
}

TEST(TransferTrace, ErrorShowsCodeAndInformationWithoutSpacesAroundTheColon) {
    const std::pair<online::ResponseError, const char*> cases[] = {
        {{404, "Not Found"}, "icError : 404:Not Found"},
        {{4, ""}, "icError : 4:"},
        {{-1, "Délai dépassé"}, "icError : -1:Délai dépassé"},
    };
    for (const auto& [error, etat] : cases) {
        RecordingTrace trace;
        Chunks none({});
        online::ApplyStateChange(online::kStateError, error, trace, none);
        EXPECT_EQ(trace.status, etat);
        EXPECT_EQ(trace.lines, std::vector<std::string>{" Terminée... 11"});
    }
}

TEST(TransferTrace, OtherStateNumbersChangeNothing) {
    for (const int state : {0, 13, -1, 20, 1000}) {
        RecordingTrace trace;
        Chunks chunks({"left"});
        online::ApplyStateChange(state, {7, "x"}, trace, chunks);
        EXPECT_EQ(trace.status, "<none>") << state;
        EXPECT_TRUE(trace.lines.empty()) << state;
        EXPECT_EQ(chunks.reads, 0);
    }
}

std::vector<std::string> drainLines(int passes) {
    std::vector<std::string> lines{" Terminée... 20"};
    for (int i = 0; i < passes; ++i)
        for (const char* code : {"W1", "30", "35"})
            lines.push_back(std::string(" Terminée... ") + code);
    lines.emplace_back(" Terminée... W2");
    return lines;
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
        EXPECT_EQ(trace.lines, drainLines(passes)) << chunks.size();
        EXPECT_TRUE(source.chunks.empty());
        EXPECT_EQ(trace.status, "icResponseCompleted");
        // Once at the start, then once a pass.
        EXPECT_EQ(trace.statusChanges.size(), static_cast<std::size_t>(passes) + 1);
        for (const auto& line : trace.lines)
            EXPECT_EQ(codePoints(line), 15u) << line;
    }
}

struct TickCase {
    bool pub;
    bool connected;
    std::optional<int> interval;
    bool fetch;
    int asked;
};

TEST(DownloadTick, BannerSwitchThenConnectionDecide) {
    const TickCase cases[] = {
        {false, true, 15000, false, 0},
        {false, false, 15000, false, 0},
        {true, false, std::nullopt, false, 1},
        {true, true, 3000, true, 1},
    };
    for (const auto& c : cases) {
        int asked = 0;
        const auto plan = online::PlanDownloadTick(c.pub, [&] {
            ++asked;
            return c.connected;
        });
        EXPECT_EQ(plan.timer1Interval, c.interval) << c.pub << c.connected;
        EXPECT_EQ(plan.fetch, c.fetch) << c.pub << c.connected;
        EXPECT_EQ(asked, c.asked) << c.pub << c.connected;
    }
}

TEST(DownloadTick, FixedPathsOnTheConfiguredHost) {
    EXPECT_EQ(online::SiteFileAddress("http://127.0.0.1:8080"),
              "http://127.0.0.1:8080/download/Test01/Site.eff");
    EXPECT_EQ(online::BannerAddress("https://download.tirelix.example"),
              "https://download.tirelix.example/download/Test01/Pub.gif");
}

struct SiteCase {
    std::string fetched;
    std::optional<std::string> stored;
};

TEST(DownloadTick, SiteTextStoredAsOneFieldOrRefused) {
    const SiteCase cases[] = {
        {"https://a.example/", "\"https://a.example/\"\r\n"},
        {"https://a.example/\r\n", "\"https://a.example/\"\r\n"},
        {"https://a.example/ \t\n\n", "\"https://a.example/\"\r\n"},
        {"  https://a.example/", "\"https://a.example/\"\r\n"},
        {"\xEF\xBB\xBFhttps://a.example/\n", "\"https://a.example/\"\r\n"},
        {"https://a.example/page?q=1,2&r=é", "\"https://a.example/page?q=1,2&r=é\"\r\n"},
        {"", "\"\"\r\n"},
        {"\r\n", "\"\"\r\n"},
        {"https://a.example/\"x", std::nullopt},
        {"https://a.example/\r\nhttps://b.example/", std::nullopt},
        {"line\nbreak", std::nullopt},
        {"cr\rinside", std::nullopt},
        {std::string("nul\0inside", 10), std::nullopt},
        {"tab\tinside", std::nullopt},
        {"<html>\n<body>portal</body>\n</html>\n", std::nullopt},
        {std::string(2048, 'a'), "\"" + std::string(2048, 'a') + "\"\r\n"},
        {std::string(2049, 'a'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(online::SiteFileContent(c.fetched), c.stored) << '[' << c.fetched << ']';
}

TEST(DownloadTick, OnlyAGifMayReplaceTheBanner) {
    EXPECT_TRUE(online::LooksLikeGif("GIF89a\x01\x00"));
    EXPECT_TRUE(online::LooksLikeGif("GIF87a"));
    EXPECT_FALSE(online::LooksLikeGif(""));
    EXPECT_FALSE(online::LooksLikeGif("GIF8"));
    EXPECT_FALSE(online::LooksLikeGif("<html>GIF89a"));
    EXPECT_FALSE(online::LooksLikeGif("\x89PNG\r\n"));
}

struct PhaseCase {
    int interval;
    bool pub;
    const char* file;
    BannerPhase phase;
    int next;
};

TEST(Banner, IntervalDecidesTheNextPhase) {
    const PhaseCase cases[] = {
        {3000, false, "Pub1.gif", BannerPhase::StartAnimation, 15000},
        {3000, true, "Pub2.gif", BannerPhase::StartAnimation, 15000},
        {15000, false, "Pub1.gif", BannerPhase::EndAnimation, 0},
        {15000, true, "Pub2.gif", BannerPhase::EndAnimation, 0},
        {0, true, "Pub2.gif", BannerPhase::None, 0},
        {10000, false, "Pub1.gif", BannerPhase::None, 10000},
    };
    for (const auto& c : cases) {
        const auto tick = online::PlanBannerTick(c.interval, c.pub);
        EXPECT_EQ(tick.file, c.file) << c.interval << c.pub;
        EXPECT_EQ(tick.phase, c.phase) << c.interval << c.pub;
        EXPECT_EQ(tick.nextInterval, c.next) << c.interval << c.pub;
    }
}

TEST(Banner, CoinOpensTheSiteFileAddressElseTheMakers) {
    EXPECT_EQ(online::CoinAddress("", "https://tirelix.example/"), "https://tirelix.example/");
    EXPECT_EQ(online::CoinAddress("https://b.example/", "https://tirelix.example/"),
              "https://b.example/");
}

TEST(Banner, OnlyHttpAndHttpsAddressesWithAHost) {
    const std::pair<const char*, bool> cases[] = {
        {"https://tirelix.example/", true},
        {"http://tirelix.example", true},
        {"HTTPS://Tirelix.example/a?b=c#d", true},
        {"http://127.0.0.1:8080/x", true},
        {"http://user@host.example/", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://tirelix.example/", false},
        {"mailto:a@b.example", false},
        {"tirelix.example", false},
        {"https://", false},
        {"https:///path", false},
        {"http://:80/", false},
        {"https://a.example/ x", false},
        {"https://a.example/\nx", false},
        {"https://a.example\\@evil.example/", false},
        {"", false},
        {" https://a.example/", false},
    };
    for (const auto& [address, ok] : cases)
        EXPECT_EQ(online::IsWebAddress(address), ok) << address;
}

} // namespace
