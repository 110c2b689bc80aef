// Where the download fetches from and what the coin opens, fixed when the program is built
// (CMake cache variables TIRELIX_DOWNLOAD_HOST and TIRELIX_SITE_ADDRESS).
#pragma once

#include "core/build_settings.h"
#include "core/download_tick.h"

#include <string>

namespace online {

struct Settings {
    // Scheme, host and optional port, no trailing slash.
    std::string downloadHost{kBuildDownloadHost};
    std::string defaultSiteAddress{kBuildSiteAddress};
    // Milliseconds a fetch may take in all.
    int fetchTimeLimit = kFetchTimeLimit;
};

} // namespace online
