// The window pictures: the start-up ones drawn from their raw copies, the same pixels as their
// sources, without any image plugin; the raw-picture reader refuses what is not one whole
// picture. Its own binary: any other test may load plugins first.
#include "platform/picture.h"
#include "platform/raw_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QResource>
#include <cstring>
#include <gtest/gtest.h>

namespace {

bool pluginLoaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

// Pixels as they are drawn: a fully transparent pixel has no colour of its own.
QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage decodedSource(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return argb(reader.read());
}

// Runs first (its name sorts first), so that no other test has read a picture yet.
TEST(Picture, AStartPicturesAreTheirSourcesPixelsWithoutAnyImagePlugin) {
    const struct {
        const char* path;
        QSize size;
    } pictures[] = {
        {":/assets/coin.png", {57, 53}},
        {":/assets/euros_convertisseur.png", {133, 46}},
        {":/assets/calculatrice.png", {111, 20}},
        {":/assets/taux.png", {103, 14}},
        {":/assets/clear_notes.png", {16, 16}},
        {":/assets/convert.png", {32, 32}},
        {":/assets/icons/tirelix-16.png", {16, 16}},
        {":/assets/banner_static.gif", {384, 66}},
    };
    std::vector<QPixmap> read;
    for (const auto& p : pictures) {
        const QString path = QString::fromLatin1(p.path);
        EXPECT_TRUE(QResource(QStringLiteral(":/raw/") + path.mid(2)).isValid()) << p.path;
        read.push_back(ui::Picture(path));
        EXPECT_EQ(read.back().size(), p.size) << p.path;
        // The second time comes from the cache, the same picture.
        EXPECT_EQ(ui::Picture(path).cacheKey(), read.back().cacheKey()) << p.path;
    }
    // Not one decoder was needed: the GIF plugin, the one a start could not do without, is out.
    EXPECT_FALSE(pluginLoaded("libqgif"));
    for (std::size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(argb(read[i].toImage()), decodedSource(QString::fromLatin1(pictures[i].path)))
            << pictures[i].path;
}

TEST(Picture, OtherPicturesAreDecodedWithoutOtherFormatsPlugins) {
    EXPECT_EQ(ui::Picture(QStringLiteral(":/assets/icons/tirelix-32.png")).size(), QSize(32, 32));
    EXPECT_TRUE(ui::Picture(QStringLiteral(":/assets/none.png")).isNull());
    EXPECT_FALSE(pluginLoaded("libqjpeg"));
    EXPECT_FALSE(pluginLoaded("libqico"));
}

QImage sample(bool transparent) {
    QImage image(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(40 * x, 80 * y, 200, transparent && x == 2 ? 128 : 255));
    return image;
}

TEST(RawPicture, KeepsEveryPixelInTheFormatAPixmapKeeps) {
    const struct {
        bool transparent;
        QImage::Format format;
    } cases[] = {{false, QImage::Format_RGB32}, {true, QImage::Format_ARGB32_Premultiplied}};
    for (const auto& c : cases) {
        const QImage image = sample(c.transparent);
        const QByteArray raw = ui::ToRawPicture(image);
        EXPECT_EQ(raw.size(), 16 + 5 * 3 * 4);
        const QImage back =
            ui::FromRawPicture(reinterpret_cast<const uchar*>(raw.constData()), raw.size());
        EXPECT_EQ(back.format(), c.format);
        EXPECT_EQ(argb(back), argb(image)) << c.transparent;
        // Aligned bytes are shared, not copied.
        EXPECT_EQ(back.constBits(), reinterpret_cast<const uchar*>(raw.constData()) + 16);
    }
    EXPECT_TRUE(ui::ToRawPicture(QImage()).isEmpty());
}

TEST(RawPicture, MisalignedBytesAreCopied) {
    const QByteArray raw = ui::ToRawPicture(sample(true));
    QByteArray shifted(raw.size() + 1, '\0');
    std::memcpy(shifted.data() + 1, raw.constData(), std::size_t(raw.size()));
    const auto* data = reinterpret_cast<const uchar*>(shifted.constData()) + 1;
    const QImage copy = ui::FromRawPicture(data, raw.size());
    ASSERT_FALSE(copy.isNull());
    EXPECT_NE(copy.constBits(), data + 16);
    EXPECT_EQ(copy,
              ui::FromRawPicture(reinterpret_cast<const uchar*>(raw.constData()), raw.size()));
}

TEST(RawPicture, RefusesWhatIsNotOneWholePicture) {
    const QByteArray good = ui::ToRawPicture(sample(false));
    auto withField = [&](int offset, quint32 value) {
        QByteArray raw = good;
        std::memcpy(raw.data() + offset, &value, sizeof value);
        return raw;
    };
    const struct {
        const char* what;
        QByteArray raw;
    } cases[] = {
        {"empty", QByteArray()},
        {"header cut", good.left(15)},
        {"last byte missing", good.chopped(1)},
        {"one byte more", good + '\0'},
        {"other magic", QByteArray("PNG!") + good.mid(4)},
        {"no width", withField(4, 0)},
        {"no height", withField(8, 0)},
        {"too wide", withField(4, 1u << 20)},
        {"height past the data", withField(8, 4)},
        {"unknown format", withField(12, QImage::Format_Indexed8)},
        {"format out of range", withField(12, 0xFFFFFFFFu)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(
            ui::FromRawPicture(reinterpret_cast<const uchar*>(c.raw.constData()), c.raw.size())
                .isNull())
            << c.what;
    EXPECT_TRUE(ui::FromRawPicture(nullptr, 100).isNull());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
