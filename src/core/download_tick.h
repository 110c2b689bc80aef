// The decisions of the periodic download: what a tick does, where it fetches from, and which
// fetched content may replace the files of the program folder.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace online {

inline constexpr int kDownloadPeriod = 10000;
inline constexpr std::string_view kSitePath = "/download/Test01/Site.eff";
inline constexpr std::string_view kBannerPath = "/download/Test01/Pub.gif";
inline constexpr std::string_view kSiteFileName = "Site.eff";
inline constexpr std::string_view kDownloadedBannerName = "Pub2.gif";

// Beyond these a fetch fails: a web address is short, a banner a few hundred kilobytes.
inline constexpr std::size_t kSiteTextLimit = 2 * 1024;
inline constexpr std::size_t kBannerLimit = 2 * 1024 * 1024;
inline constexpr int kFetchTimeLimit = 8000;

struct DownloadTickPlan {
    // The banner timer's new interval, when the tick sets one.
    std::optional<int> timer1Interval;
    // Whether the tick goes on to fetch the two files.
    bool fetch = false;
};

// `isConnected` is asked only while the banner is switched on.
DownloadTickPlan PlanDownloadTick(bool pubChecked, const std::function<bool()>& isConnected);

// `host` is the scheme, host and optional port, without a trailing slash.
std::string SiteFileAddress(std::string_view host);
std::string BannerAddress(std::string_view host);

// The content of Site.eff for a fetched site text, or nullopt when the text cannot be stored
// as one field. Blanks and line ends around the text (a text file on a server ends with one)
// and a byte-order mark are dropped first; a double quote, any other control character or a
// text over the limit is refused.
std::optional<std::string> SiteFileContent(std::string_view fetched);

// A fetched banner replaces Pub2.gif only when it is a GIF: an error page of a captive portal
// or a proxy, served as a success, would otherwise replace a good banner.
bool LooksLikeGif(std::string_view bytes);

} // namespace online
