// The connection probe over Qt's network information. Part of the network module.
#pragma once

#include "core/desktop.h"

namespace ui {

// Qt's network information, loaded by the reachability feature at the first question (the
// default backend needs NetworkManager; the glib one answers from the routing table). Online
// means connected. The backend keeps the answer current from the system's own notifications,
// so a question costs a read.
class QtConnectionProbe final : public ConnectionProbe {
  public:
    bool IsConnected() override;

  private:
    bool loadTried_ = false;
};

} // namespace ui
