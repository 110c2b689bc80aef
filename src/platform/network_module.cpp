#include "platform/internet_transfer.h"
#include "platform/modules.h"
#include "platform/qt_connection_probe.h"

namespace {

const modules::Network kNetwork{
    modules::kVersion,
    []() -> online::Transfer* { return new online::InternetTransfer; },
    []() -> ui::ConnectionProbe* { return new ui::QtConnectionProbe; },
};

} // namespace

extern "C" __attribute__((visibility("default"))) const modules::Network* tirelix_network_module() {
    return &kNetwork;
}
