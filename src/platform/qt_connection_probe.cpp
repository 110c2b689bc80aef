#include "platform/qt_connection_probe.h"

#include <QNetworkInformation>

namespace ui {

bool QtConnectionProbe::IsConnected() {
    if (!loadTried_) {
        loadTried_ = true;
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    }
    const QNetworkInformation* info = QNetworkInformation::instance();
    return info && info->reachability() == QNetworkInformation::Reachability::Online;
}

} // namespace ui
