// Under a dark desktop palette (light text on dark grounds, as dark themes give) and the usual
// light one, every control that the program colours itself keeps its text readable.
#include "online_rig.h"
#include "windows/frm_prem.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

// The contrast (1 to 21) between the drawn control's commonest colour, its ground, and the pixel
// standing out most from it, its text; a rim of two pixels, the keys' edge, left out.
double textContrast(QWidget* widget) {
    const QImage drawn = widget->grab().toImage();
    const int rim = 2 * static_cast<int>(drawn.devicePixelRatio());
    std::map<double, int> counts; // by relative luminance
    for (int y = rim; y < drawn.height() - rim; ++y) {
        for (int x = rim; x < drawn.width() - rim; ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            double luminance = 0;
            for (const auto& [value, weight] :
                 {std::pair{qRed(pixel), 0.2126}, {qGreen(pixel), 0.7152}, {qBlue(pixel), 0.0722}})
                luminance +=
                    weight *
                    (value <= 10 ? value / 3294.6 : std::pow((value / 255.0 + 0.055) / 1.055, 2.4));
            ++counts[luminance];
        }
    }
    const double ground =
        std::ranges::max_element(counts, {}, [](const auto& c) { return c.second; })->first;
    const auto ratio = [ground](double text) {
        return (std::max(ground, text) + 0.05) / (std::min(ground, text) + 0.05);
    };
    return std::max(ratio(counts.begin()->first), ratio(counts.rbegin()->first));
}

TEST(DarkPalette, ColouredControlsKeepTheirTextReadable) {
    const QPalette desktop = QApplication::palette();
    QPalette dark = desktop;
    for (const auto& [role, grey] : {std::pair{QPalette::Window, 53},
                                     {QPalette::Base, 35},
                                     {QPalette::Button, 53},
                                     {QPalette::WindowText, 238},
                                     {QPalette::Text, 238},
                                     {QPalette::ButtonText, 238}})
        dark.setColor(role, QColor(grey, grey, grey));
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
                EXPECT_GE(textContrast(window->findChild<QWidget*>(name)), 4.5)
                    << name.toStdString() << isDark;
    }
    QApplication::setPalette(desktop);
}

} // namespace
