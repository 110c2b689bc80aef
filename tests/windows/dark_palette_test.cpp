// Under a dark desktop palette (light text on dark grounds, as dark themes give) and the usual
// light one, every control that the program colours itself keeps its text readable.
#include "online_rig.h"
#include "windows/frm_prem.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// How far the drawn control's text stands out from its ground, in grey levels: the commonest grey
// is the ground, the one furthest from it the text. A rim of two pixels, the keys' edge, aside.
int textContrast(QWidget* widget) {
    const QImage drawn = widget->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    const int rim = 2 * static_cast<int>(drawn.devicePixelRatio());
    std::map<int, int> counts; // pixels by grey level
    for (int y = rim; y < drawn.height() - rim; ++y)
        for (int x = rim; x < drawn.width() - rim; ++x)
            ++counts[drawn.constScanLine(y)[x]];
    const int ground =
        std::ranges::max_element(counts, {}, &std::pair<const int, int>::second)->first;
    return std::max(ground - counts.begin()->first, counts.rbegin()->first - ground);
}

TEST(DarkPalette, ColouredControlsKeepTheirTextReadable) {
    const QPalette desktop = QApplication::palette();
    // Built from a dark grey: white texts, a black base.
    const QPalette dark(QColor(53, 53, 53));
    for (const bool isDark : {true, false}) {
        QApplication::setPalette(isDark ? dark : desktop);
        test::AboutRig rig;
        rig.load(false);
        frmPrem welcome(rig, rig.shared);
        // Keys of both faces (the operators', "M", "CT", "C" and the converter's "C" are alike),
        // the menu label, a result, the about box's link, the welcome text.
        for (const auto& [window, names] : std::initializer_list<std::pair<QWidget*, QStringList>>{
                 {rig.window.get(),
                  {"CmdOperation_0", "CmdOperation_4", "Command3", "Command4", "Label6", "Francs"}},
                 {rig.openAbout(), {"Label1"}},
                 {&welcome, {"Text1"}}})
            for (const QString& name : names)
                EXPECT_GE(textContrast(window->findChild<QWidget*>(name)), 96)
                    << name.toStdString() << isDark;
    }
    QApplication::setPalette(desktop);
}

} // namespace
