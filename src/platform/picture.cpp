#include "platform/picture.h"

#include "platform/raw_picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>

namespace ui {

namespace {

QImage rawCopy(const QString& path) {
    if (!path.startsWith(QLatin1String(":/")))
        return {};
    const QResource raw(QStringLiteral(":/raw/") + path.mid(2));
    if (!raw.isValid() || raw.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return FromRawPicture(raw.data(), raw.size());
}

QImage decoded(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QPixmap Picture(const QString& path) {
    const QString key = QStringLiteral("tirelix:") + path;
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QImage image = rawCopy(path);
    if (image.isNull())
        image = decoded(path);
    if (image.isNull())
        return {};
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace ui
