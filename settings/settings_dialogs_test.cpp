// Tests of the two settings dialogs' logic without a display.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/settings_store.h"
#include "settings/system_setup.h"
#include "settings/test_env.h"
#include "settings/zolvan_setup.h"

namespace orvex::settings {
namespace {

using text::Text;

class SettingsDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ensureDataDir()); }
    std::filesystem::path systemIni() const { return dataFile("system.ini"); }
    Text stored(const char16_t* key) const { return getSetting(key, u"<none>"); }
    testing::TempHome home;
};

// Tests that OK without changes writes nothing, that a changed "HelloMessage" writes only that key
// and asks for no rebuild, and that a changed "UserButtonType" does.
TEST_F(SettingsDialogsTest, SystemSetupWritesOnlyChanges) {
    SystemSetup dialog(readBarSettings());
    EXPECT_EQ(dialog.chosen(SystemOption::UserButtonType), 1);
    SystemSetupOk ok = dialog.ok();
    EXPECT_TRUE(ok.stored);
    EXPECT_FALSE(ok.buttonTypeChanged);
    EXPECT_FALSE(std::filesystem::exists(systemIni()));

    dialog.choose(SystemOption::HelloMessage, 3);
    dialog.choose(SystemOption::BarPosition, 2);  // no such option
    ok = dialog.ok();
    EXPECT_TRUE(ok.stored);
    EXPECT_FALSE(ok.buttonTypeChanged);
    EXPECT_EQ(profile::testing::slurp(systemIni()), "[BAR]\nHelloMessage=3\n");

    dialog.choose(SystemOption::UserButtonType, 0);
    ok = dialog.ok();
    EXPECT_TRUE(ok.buttonTypeChanged);
    EXPECT_EQ(readBarSettings().UserButtonType, 0);
    EXPECT_FALSE(dialog.ok().buttonTypeChanged);
}

// Tests that a write that fails keeps the saved values, so OK again writes the change, and that
// Cancel takes the options back to the saved values.
TEST_F(SettingsDialogsTest, SystemSetupFailedWriteAndCancel) {
    ASSERT_TRUE(profile::testing::spit(systemIni(), "[BAR]\nBarPosition=1\n"));
    SystemSetup dialog(readBarSettings());
    dialog.choose(SystemOption::BarPosition, 0);
    ::chmod(systemIni().c_str(), 0444);
    EXPECT_FALSE(dialog.ok().stored);
    ::chmod(systemIni().c_str(), 0644);
    EXPECT_EQ(dialog.saved().BarPosition, 1);
    EXPECT_TRUE(dialog.ok().stored);
    EXPECT_EQ(readBarSettings().BarPosition, 0);

    dialog.choose(SystemOption::HelloMessage, 0);
    dialog.cancel();
    EXPECT_EQ(dialog.chosen(SystemOption::HelloMessage), 2);
}

// Tests that every option is stored at once, as its index or "True"/"False", and set in the
// global: "バーの設定" index 2 stores BarMode 2; the position options switch the position controls.
TEST_F(SettingsDialogsTest, ZolvanStoresEachChoiceAtOnce) {
    Globals g;
    ZolvanSetup dialog(g);
    EXPECT_EQ(dialog.chosen(ZolvanPanel::Bar), 0);
    EXPECT_TRUE(dialog.choose(ZolvanPanel::Bar, 2));
    EXPECT_EQ(stored(u"BarMode"), u"2");
    EXPECT_EQ(g.BarMode, 2);
    EXPECT_TRUE(dialog.choose(ZolvanPanel::Hist, 0));
    EXPECT_EQ(stored(u"Hist"), u"False");
    EXPECT_FALSE(g.Hist);
    EXPECT_TRUE(dialog.choose(ZolvanPanel::ControlPanel, 3));
    EXPECT_EQ(stored(u"ControlPanelMode"), u"3");
    EXPECT_EQ(stored(u"FirstPageMode"), u"<none>");
    EXPECT_TRUE(dialog.choose(ZolvanPanel::FirstPage, 4));  // no such option
    EXPECT_EQ(stored(u"FirstPageMode"), u"<none>");

    EXPECT_FALSE(dialog.positionEnabled());
    dialog.choose(ZolvanPanel::ConstPos, 1);
    EXPECT_TRUE(dialog.positionEnabled());
    EXPECT_EQ(stored(u"ConstEnabled"), u"True");
    dialog.choose(ZolvanPanel::ConstPos, 0);
    EXPECT_FALSE(dialog.positionEnabled());

    g.ControlPanelMode = 9;
    EXPECT_EQ(dialog.chosen(ZolvanPanel::ControlPanel), -1);
}

// Tests that both text boxes are stored as typed, hostile text included, and that a store that
// cannot be written reports it while the global still takes the value.
TEST_F(SettingsDialogsTest, ZolvanTextsStoredAsTyped) {
    Globals g;
    ZolvanSetup dialog(g);
    EXPECT_EQ(dialog.text(ZolvanPanel::FirstPage), u"http://");
    EXPECT_TRUE(dialog.setText(ZolvanPanel::FirstPage, u"http://a.example/?x=[y]"));
    EXPECT_EQ(stored(u"FirstPageUrl"), u"http://a.example/?x=[y]");
    EXPECT_EQ(g.FirstPageUrl, u"http://a.example/?x=[y]");
    EXPECT_TRUE(dialog.setText(ZolvanPanel::ControlPanel, u"a\r\n[data]\r\nBarMode=1"));
    EXPECT_EQ(stored(u"ControlPanelUrl"), u"a  [data]  BarMode=1");
    EXPECT_EQ(stored(u"BarMode"), u"<none>");
    EXPECT_TRUE(dialog.setText(ZolvanPanel::Hist, u"ignored"));

    ::chmod(settingsFile().c_str(), 0444);
    EXPECT_FALSE(dialog.setText(ZolvanPanel::FirstPage, u"http://b.example/"));
    EXPECT_FALSE(dialog.choose(ZolvanPanel::Bar, 1));
    ::chmod(settingsFile().c_str(), 0644);
    EXPECT_EQ(g.FirstPageUrl, u"http://b.example/");
    EXPECT_EQ(stored(u"FirstPageUrl"), u"http://a.example/?x=[y]");
}

// Tests the position label from the store's defaults, "更新" storing the last reading, the panel
// steps and the local control panel's label.
TEST_F(SettingsDialogsTest, ZolvanPositionAndPanels) {
    Globals g;
    ZolvanSetup dialog(g);
    EXPECT_EQ(dialog.positionLabel(), u"X=0, Y=0, 横=600, 縦=400");
    dialog.positionRead({10, 20, 800, 700});
    EXPECT_EQ(dialog.positionLabel(), u"X=10, Y=20, 横=800, 縦=700");
    EXPECT_EQ(stored(u"ConstWidth"), u"<none>");
    EXPECT_TRUE(dialog.updatePosition());
    EXPECT_EQ(stored(u"ConstLeft"), u"10");
    EXPECT_EQ(stored(u"ConstHeight"), u"700");
    EXPECT_EQ(g.ConstWidth, 800);
    EXPECT_EQ(ZolvanSetup(g).positionLabel(), u"X=10, Y=20, 横=800, 縦=700");

    EXPECT_EQ(nextPanel(0, kZolvanPanelCount), 1);
    EXPECT_EQ(nextPanel(4, kZolvanPanelCount), 4);
    EXPECT_EQ(previousPanel(1), 0);
    EXPECT_EQ(previousPanel(0), 0);
    EXPECT_EQ(localControlPanelLabel(), u"(" + text::fromUtf8((home.data() / "control02").string()) + u")");
}

}  // namespace
}  // namespace orvex::settings
