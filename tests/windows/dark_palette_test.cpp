// Under a dark desktop palette (light text on dark grounds, as dark themes give) and the usual
// light one, every control that the program colours itself keeps its text readable.
#include "online_rig.h"
#include "windows/frm_prem.h"

#include <gtest/gtest.h>

namespace {

// How far the drawn control's text stands out from its ground, in grey levels: the commonest grey
// is the ground, the one furthest from it the text. A rim of two pixels, the keys' edge, aside.
int textContrast(QWidget* widget) {
    const QImage drawn = widget->grab().toImage();
    const int rim = 2 * static_cast<int>(drawn.devicePixelRatio());
    std::array<int, 256> counts{};
    for (int y = rim; y < drawn.height() - rim; ++y)
        for (int x = rim; x < drawn.width() - rim; ++x)
            ++counts[static_cast<std::size_t>(qGray(drawn.pixel(x, y)))];
    const auto ground = static_cast<int>(std::ranges::max_element(counts) - counts.begin());
    int most = 0;
    for (int grey = 0; grey < 256; ++grey)
        most = counts[static_cast<std::size_t>(grey)] > 0 ? std::max(most, std::abs(grey - ground))
                                                          : most;
    return most;
}

TEST(DarkPalette, ColouredControlsKeepTheirTextReadable) {
    const QPalette desktop = QApplication::palette();
    // Text, button, light, dark, mid, text, bright text, base, window: button texts as texts.
    const QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53), QColor(80, 80, 80),
                        QColor(20, 20, 20), QColor(40, 40, 40), QColor(238, 238, 236), Qt::white,
                        QColor(35, 35, 35), QColor(53, 53, 53));
    for (const bool isDark : {true, false}) {
        QApplication::setPalette(isDark ? dark : desktop);
        test::AboutRig rig;
        rig.load(false);
        frmPrem welcome(rig, rig.shared);
        // The keys' captions, the menu label, a result, the about box's link, the welcome text.
        for (const auto& [window, names] : std::initializer_list<std::pair<QWidget*, QStringList>>{
                 {rig.window.get(),
                  {"CmdOperation_0", "CmdOperation_1", "CmdOperation_2", "CmdOperation_3",
                   "CmdOperation_4", "Command3", "Command2", "CmdReset", "Command4", "Label6",
                   "Francs"}},
                 {rig.openAbout(), {"Label1"}},
                 {&welcome, {"Text1"}}})
            for (const QString& name : names)
                EXPECT_GE(textContrast(window->findChild<QWidget*>(name)), 96)
                    << name.toStdString() << isDark;
    }
    QApplication::setPalette(desktop);
}

} // namespace
