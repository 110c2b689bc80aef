// The window pictures are read by their own format's decoder alone. Its own binary: any other
// test may load plugins first.
#include "platform/picture.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

bool pluginLoaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

TEST(Picture, ReadByItsOwnFormatsDecoderOnceAndCached) {
    const QPixmap coin = ui::Picture(QStringLiteral(":/assets/coin.png"));
    EXPECT_EQ(coin.size(), QSize(57, 53));
    EXPECT_EQ(ui::Picture(QStringLiteral(":/assets/coin.png")).cacheKey(), coin.cacheKey());
    EXPECT_EQ(ui::Picture(QStringLiteral(":/assets/banner_static.gif")).size(), QSize(384, 66));
    EXPECT_TRUE(ui::Picture(QStringLiteral(":/assets/none.png")).isNull());
    EXPECT_FALSE(pluginLoaded("libqjpeg"));
    EXPECT_FALSE(pluginLoaded("libqico"));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
