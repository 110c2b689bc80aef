#include "core/download_tick.h"

#include "core/banner.h"
#include "core/state_file.h"

namespace online {

DownloadTickPlan PlanDownloadTick(bool pubChecked, const std::function<bool()>& isConnected) {
    if (!pubChecked)
        return {kAnimationInterval, false};
    if (!isConnected())
        return {};
    return {kStartInterval, true};
}

std::string SiteFileAddress(std::string_view host) {
    std::string address(host);
    address += kSitePath;
    return address;
}

std::string BannerAddress(std::string_view host) {
    std::string address(host);
    address += kBannerPath;
    return address;
}

std::optional<std::string> SiteFileContent(std::string_view fetched) {
    if (fetched.size() > kSiteTextLimit)
        return std::nullopt;
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (fetched.starts_with(kBom))
        fetched.remove_prefix(kBom.size());
    constexpr std::string_view kAround = " \t\r\n";
    const auto first = fetched.find_first_not_of(kAround);
    if (first == std::string_view::npos)
        fetched = {};
    else
        fetched = fetched.substr(first, fetched.find_last_not_of(kAround) - first + 1);
    for (const char c : fetched) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return std::nullopt;
    }
    if (!shell::StorableInField(fetched))
        return std::nullopt;
    return shell::WriteField(fetched);
}

bool LooksLikeGif(std::string_view bytes) {
    return bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a");
}

} // namespace online
