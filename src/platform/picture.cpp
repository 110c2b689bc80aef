#include "platform/picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>

namespace ui {

QPixmap Picture(const QString& path) {
    const QString key = QStringLiteral("tirelix:") + path;
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace ui
