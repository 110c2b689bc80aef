// The banner strip: the phases of its timer and the coin's web address.
#pragma once

#include <string>
#include <string_view>

namespace online {

// Intervals of the banner timer `Timer1`: 3000 starts the animation at its next tick, 15000
// ends it, 0 stops the timer.
inline constexpr int kStartInterval = 3000;
inline constexpr int kAnimationInterval = 15000;

inline constexpr std::string_view kShippedBannerName = "Pub1.gif";

enum class BannerPhase {
    StartAnimation, // static picture hidden, animation shown, focus back to the entry box
    EndAnimation,   // static picture shown, animation hidden
    None,           // only the banner file is loaded again
};

struct BannerTick {
    // The file of the program folder that the tick loads into the animation.
    std::string_view file;
    BannerPhase phase = BannerPhase::None;
    // The interval after the tick (unchanged for BannerPhase::None).
    int nextInterval = 0;
};

BannerTick PlanBannerTick(int interval, bool pubActive);

// The address the coin opens: the one read from Site.eff when it is a web address, else the
// maker's. A bare "www.tirelix.example" or a file: or javascript: address still takes the user
// somewhere safe rather than nowhere.
std::string CoinAddress(std::string_view siteAddress, std::string_view defaultSiteAddress);

// Only http and https addresses with a host are handed to the browser.
bool IsWebAddress(std::string_view address);

} // namespace online
