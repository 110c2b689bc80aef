#include "app/utf8_locale.h"
#include "main_window_rig.h"
#include "test_files.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

using test::MainWindowRig;

namespace {

using test::readBytes;
using test::writeBytes;

struct StateCase {
    const char* name;
    std::optional<QByteArray> pub;
    std::optional<QByteArray> site;
    bool pubActive;
    std::string siteAddress;
};

class StateFilesAtStart : public ::testing::TestWithParam<StateCase> {};

TEST_P(StateFilesAtStart, SetTheBannerSwitchAndTheSiteAddress) {
    const StateCase& c = GetParam();
    MainWindowRig rig;
    if (c.pub)
        writeBytes(rig.folder.filePath("Pub.eff"), *c.pub);
    if (c.site)
        writeBytes(rig.folder.filePath("Site.eff"), *c.site);
    writeBytes(rig.folder.filePath("Prem.eff"), "\"1\"\r\n");
    rig.show();
    EXPECT_EQ(rig.window->PubActive, c.pubActive);
    EXPECT_EQ(rig.window->findChild<QAction*>("Pub")->isChecked(), c.pubActive);
    EXPECT_EQ(rig.window->SiteAddress, c.siteAddress);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, StateFilesAtStart,
    ::testing::Values(
        StateCase{"QuotedOn", "\"1\"\r\n", "\"https://a.example/\"\r\n", true,
                  "https://a.example/"},
        StateCase{"UnquotedOn", "1\r\n", "https://a.example/x,y\r\n", true, "https://a.example/x"},
        StateCase{"MissingFiles", std::nullopt, std::nullopt, false, ""},
        StateCase{"BinaryJunk", QByteArray("\x00\x01\xff", 3), QByteArray(10000, 'x'), false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindow, BannerSwitchIsRememberedInPubEff) {
    MainWindowRig rig;
    rig.show();
    QAction* pub = rig.window->findChild<QAction*>("Pub");
    pub->trigger();
    EXPECT_TRUE(pub->isChecked());
    EXPECT_TRUE(rig.window->PubActive);
    EXPECT_EQ(readBytes(rig.folder.filePath("Pub.eff")), "\"1\"\r\n");
    pub->trigger();
    EXPECT_FALSE(pub->isChecked());
    EXPECT_FALSE(rig.window->PubActive);
    EXPECT_EQ(readBytes(rig.folder.filePath("Pub.eff")), "\"0\"\r\n");
    rig.window->Pub_Click();
    EXPECT_TRUE(pub->isChecked());
    EXPECT_EQ(readBytes(rig.folder.filePath("Pub.eff")), "\"1\"\r\n");
}

TEST(MainWindow, QuitterClosesTheWindow) {
    MainWindowRig rig;
    rig.show();
    bool unloading = false;
    QObject::connect(rig.window.get(), &frmEuros::unloading, [&] { unloading = true; });
    rig.window->findChild<QAction*>("Quitter")->trigger();
    EXPECT_TRUE(unloading);
    EXPECT_FALSE(rig.window->isVisible());
}

TEST(Utf8Locale, KeepsLanguageAndCountryWithTheUtf8CharacterSet) {
    const struct {
        const char* locale;
        const char* utf8;
    } cases[] = {
        {"", "C.UTF-8"},
        {"C", "C.UTF-8"},
        {"C.ANSI_X3.4-1968", "C.UTF-8"},
        {"fr_FR.ISO-8859-15@euro", "fr_FR.UTF-8"},
        {"fr_BE.utf8", "fr_BE.UTF-8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::Utf8LocaleFor(c.locale), c.utf8) << c.locale;
}

} // namespace
