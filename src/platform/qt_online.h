// The web browser over Qt.
#pragma once

#include "core/desktop.h"

namespace ui {

// The desktop's default handler for web addresses.
class QtWebBrowser final : public WebBrowser {
  public:
    void open(const std::string& address) override;
};

} // namespace ui
