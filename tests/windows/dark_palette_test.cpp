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
    std::map<int, int> counts; // pixels by grey level
    for (int y = 2; y < drawn.height() - 2; ++y)
        for (int x = 2; x < drawn.width() - 2; ++x)
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
        QWidget* const about = rig.openAbout();
        for (QWidget* control :
             {rig.find("CmdOperation_0"), rig.find("CmdOperation_4"), rig.find("Command3"),
              rig.find("Command4"), rig.find("Label6"), rig.find("Francs"),
              about->findChild<QWidget*>("Label1"), welcome.findChild<QWidget*>("Text1")})
            EXPECT_GE(textContrast(control), 96) << control->objectName().toStdString() << isDark;
    }
    QApplication::setPalette(desktop);
}

} // namespace
