// The window pictures are read without loading the system's image plugins for formats the
// program does not use. Its own binary: any other test may load plugins first.
#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "ui/picture.h"

namespace {

bool pluginLoaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

TEST(Picture, ReadsEachPictureAtItsSizeWithoutOtherFormatsPlugins) {
    const struct {
        const char* path;
        QSize size;
    } pictures[] = {
        {":/assets/coin.png", {57, 53}},
        {":/assets/euros_convertisseur.png", {133, 46}},
        {":/assets/calculatrice.png", {111, 20}},
        {":/assets/taux.png", {103, 14}},
        {":/assets/clear_notes.png", {16, 16}},
        {":/assets/icons/tirelix-32.png", {32, 32}},
        {":/assets/banner_static.gif", {384, 66}},
    };
    for (const auto& p : pictures) {
        const QPixmap picture = ui::Picture(QString::fromLatin1(p.path));
        EXPECT_EQ(picture.size(), p.size) << p.path;
        // The second time comes from the cache, the same picture.
        EXPECT_EQ(ui::Picture(QString::fromLatin1(p.path)).cacheKey(), picture.cacheKey())
            << p.path;
    }
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
