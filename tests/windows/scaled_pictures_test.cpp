// On a screen scaled by 2 the pictures are the ones drawn at twice the size, read by their own
// format's decoder alone, once; the tour's arrow window keeps the outline of its one-size
// picture. This binary runs scaled throughout, and reads no picture before these tests do.
#include "platform/picture.h"
#include "platform/pop_up.h"
#include "windows/frm_trans_picture.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

// Before the test main makes the application.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

// The picture as its file holds it; left to guess, Qt would load every image plugin to ask.
QImage plain(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

bool pluginLoaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

TEST(ScaledByTwo, EveryPictureDrawnAtTwiceTheSizeByItsOwnDecoderOnce) {
    ASSERT_TRUE(kScaled && qApp->devicePixelRatio() == 2.0);
    int pictures = 0;
    for (QDirIterator it(QStringLiteral(":/assets"), QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (it.fileInfo().isDir() || path.contains(QStringLiteral("@2x")))
            continue;
        ++pictures;
        const QPixmap picture = ui::Picture(path);
        EXPECT_EQ(picture.devicePixelRatio(), 2.0) << path.toStdString();
        EXPECT_EQ(picture.size(), plain(path).size() * 2) << path.toStdString();
        EXPECT_EQ(ui::Picture(path).cacheKey(), picture.cacheKey()) << path.toStdString();
    }
    EXPECT_EQ(pictures, 14);
    EXPECT_TRUE(ui::Picture(QStringLiteral(":/assets/none.png")).isNull());
    EXPECT_FALSE(pluginLoaded("libqjpeg") || pluginLoaded("libqico"));
}

TEST(ScaledByTwo, ArrowWindowCutToTheOutlineOfItsOneSizePicture) {
    frmTransPicture window(nullptr);
    window.Form_Load();
    const QRegion outline =
        assistant::RegionFromPicture(plain(QStringLiteral(":/assets/arrow.png")));
    const struct {
        const char* what;
        QRegion shape, expected;
    } shapes[] = {
        {"window, in its own pixels", window.mask(), outline},
        {"arrow at 2x, in device pixels",
         assistant::RegionFromPicture(plain(QStringLiteral(":/assets/arrow@2x.png"))),
         QTransform::fromScale(2, 2).map(outline)},
    };
    ASSERT_FALSE(outline.isEmpty());
    for (const auto& s : shapes)
        EXPECT_EQ(s.shape, s.expected) << s.what;
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("Picture1"))->size(), QSize(43, 45));
}

} // namespace
