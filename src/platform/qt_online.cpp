#include "platform/qt_online.h"

#include "core/banner.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

void QtWebBrowser::open(const std::string& address) {
    if (!online::IsWebAddress(address))
        return;
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return;
    QDesktopServices::openUrl(url);
}

} // namespace ui
