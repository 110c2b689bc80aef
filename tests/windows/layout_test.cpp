// Where every control of the main window, the welcome window and the bubble sits, in the twips
// of their design, relative to the control's container.
#include "assistant_rig.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace {

struct Place {
    char window; // E main window, P welcome, B bubble
    const char* name;
    int left, top, width, height;
};

const Place kPlaces[] = {
    {'E', "Label6", 120, 0, 615, 255},
    {'E', "Picture2", 120, 240, 8280, 975},
    {'E', "Image2", 120, 0, 855, 795},
    {'E', "Gif89a1", 1200, 0, 6900, 915},
    {'E', "Image3", 1560, 0, 5760, 990},
    {'E', "Picture5", 120, 1260, 2355, 2960},
    {'E', "Picture3", 120, 70, 2055, 975},
    {'E', "Francs", 120, 0, 1815, 360},
    {'E', "Text3", 0, 230, 495, 195},
    {'E', "Euros", 120, 445, 1815, 285},
    {'E', "Text4", 0, 680, 615, 195},
    {'E', "Line1", 0, 435, 2040, 15},
    {'E', "Image4", 120, 1215, 1995, 690},
    {'E', "Command4", 1800, 2040, 375, 375},
    {'E', "Image5", 240, 2160, 1545, 210},
    {'E', "Text1", 120, 2490, 2055, 285},
    {'E', "Picture1", 2760, 1260, 5655, 2960},
    {'E', "TextChiffre", 120, 60, 2295, 360},
    {'E', "Text2", 120, 2490, 2295, 285},
    {'E', "Label2", 2565, 60, 2895, 300},
    {'E', "Command5", 4920, 90, 375, 255},
    {'E', "blocnote", 2565, 360, 2895, 2055},
    {'E', "Image1", 3120, 2520, 1665, 300},
    {'E', "Command1", 600, 5160, 495, 495},
    {'E', "Etat", 6120, 4800, 4935, 735},
    {'E', "List1", 8880, 360, 2175, 5130},
    {'E', "Num_7", 120, 480, 375, 375},
    {'E', "Num_8", 600, 480, 375, 375},
    {'E', "Num_9", 1080, 480, 375, 375},
    {'E', "CmdOperation_3", 1560, 480, 375, 375},
    {'E', "pourcent", 2040, 480, 375, 375},
    {'E', "Num_4", 120, 960, 375, 375},
    {'E', "Num_5", 600, 960, 375, 375},
    {'E', "Num_6", 1080, 960, 375, 375},
    {'E', "CmdOperation_2", 1560, 960, 375, 375},
    {'E', "Command3", 2040, 960, 375, 375},
    {'E', "Num_1", 120, 1440, 375, 375},
    {'E', "Num_2", 600, 1440, 375, 375},
    {'E', "Num_3", 1080, 1440, 375, 375},
    {'E', "CmdOperation_1", 1560, 1440, 375, 375},
    {'E', "Command2", 2040, 1440, 375, 375},
    {'E', "Num_0", 120, 1920, 375, 375},
    {'E', "NumVirg", 600, 1920, 375, 375},
    {'E', "CmdOperation_4", 1080, 1920, 375, 375},
    {'E', "CmdOperation_0", 1560, 1920, 375, 375},
    {'E', "CmdReset", 2040, 1920, 375, 375},
    {'P', "picIcon", 240, 240, 540, 540},
    {'P', "lblTitle", 1080, 240, 3885, 600},
    {'P', "Text1", 600, 1080, 4455, 855},
    {'P', "Line1_0", 120, 2280, 5564, 15},
    {'P', "cmdOK", 2040, 2400, 1860, 1785},
    {'B', "Truc1", 0, 0, 3975, 2655},
    {'B', "Label1", 600, 600, 3015, 1215},
    {'B', "asAssisPopup1", 600, 1920, 855, 375},
    {'B', "asAssisPopup2", 1680, 1920, 855, 375},
    {'B', "asAssisPopup3", 2640, 1920, 855, 375},
};

TEST(Layout, EveryControlAtItsDesignPlace) {
    test::AssistantRig rig(QByteArray("\"0\"\r\n"));
    ASSERT_NE(rig.welcome(), nullptr);
    ASSERT_NE(rig.openTour(), nullptr);
    for (const Place& p : kPlaces) {
        QWidget* window = p.window == 'E'   ? static_cast<QWidget*>(rig.main())
                          : p.window == 'P' ? static_cast<QWidget*>(rig.welcome())
                                            : static_cast<QWidget*>(rig.bubble());
        const auto* control = rig.child(window, p.name);
        ASSERT_NE(control, nullptr) << p.window << p.name;
        EXPECT_EQ(control->geometry(), ui::TwipsRect(p.left, p.top, p.width, p.height))
            << p.window << p.name;
    }
}

} // namespace
