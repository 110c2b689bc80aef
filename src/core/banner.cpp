#include "core/banner.h"

#include "core/download_tick.h"

namespace online {

BannerTick PlanBannerTick(int interval, bool pubActive) {
    const std::string_view file = pubActive ? kDownloadedBannerName : kShippedBannerName;
    if (interval == kStartInterval)
        return {file, BannerPhase::StartAnimation, kAnimationInterval};
    if (interval == kAnimationInterval)
        return {file, BannerPhase::EndAnimation, 0};
    return {file, BannerPhase::None, interval};
}

std::string CoinAddress(std::string_view siteAddress, std::string_view defaultSiteAddress) {
    return std::string(IsWebAddress(siteAddress) ? siteAddress : defaultSiteAddress);
}

bool IsWebAddress(std::string_view address) {
    auto startsWithNoCase = [&](std::string_view prefix) {
        if (address.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            char c = address[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != prefix[i])
                return false;
        }
        return true;
    };
    std::string_view rest;
    if (startsWithNoCase("http://"))
        rest = address.substr(7);
    else if (startsWithNoCase("https://"))
        rest = address.substr(8);
    else
        return false;
    // A host must follow; blanks and control characters have no place in an address.
    if (rest.empty() || rest.front() == '/' || rest.front() == '?' || rest.front() == '#' ||
        rest.front() == ':' || rest.front() == '@')
        return false;
    for (const char c : rest) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '\\')
            return false;
    }
    return true;
}

} // namespace online
