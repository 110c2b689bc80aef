#include "platform/picture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

namespace ui {

namespace {

QImage read(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Qt's name for the picture drawn at twice the size: "coin.png" gives "coin@2x.png".
QString twice(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("@2x")
                   : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

} // namespace

QPixmap Picture(const QString& path) {
    // Qt finds the @2x picture by itself only for a name it looks up, never for a reader told
    // the file; without it a scaled screen shows the plain one smoothed up, blurred.
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    const QString key = QString::fromLatin1(dense ? "tirelix@2x:" : "tirelix:") + path;
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QImage image = dense ? read(twice(path)) : QImage();
    if (image.isNull())
        image = read(path);
    else
        image.setDevicePixelRatio(2.0);
    if (image.isNull())
        return {};
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace ui
