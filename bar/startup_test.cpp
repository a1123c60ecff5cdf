#include "bar/startup.h"

#include <gtest/gtest.h>

#include "bar/bar_model.h"
#include "bar/bar_test_support.h"
#include "bar/fake_timers.h"
#include "history/recs.h"
#include "settings/globals.h"
#include "settings/paths.h"

namespace orvex::bar {
namespace {

using testing::FakeBrowser;
using testing::personsFile;
using testing::readFile;
using testing::RecordingView;
using testing::writeFile;

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override { settings::globals() = settings::Globals{}; }
    void TearDown() override { settings::globals() = settings::Globals{}; }
    std::filesystem::path data(const char* name) const { return home.data() / name; }
    std::filesystem::path settingsFile() const { return home.root() / "config" / "orvex" / "settings.ini"; }

    settings::testing::TempHome home;
    RecordingView view;
    FakeTimerSource timers;
    FakeBrowser browser;
};

// Tests the order of the start-up steps, and that a start that has to create "icons" shows no
// splash even when "OEM.INI" names one, while the next start shows it.
TEST_F(StartupTest, StepsAndSplash) {
    writeFile(data("OEM.INI"), "[TITLE]\nFileName=.\\splash.BMP\n");
    writeFile(data("splash.BMP"), "BM");
    const StartupOutcome first = runStartup(settings::globals());
    EXPECT_EQ(first.steps, (std::vector<StartupStep>{StartupStep::Globals, StartupStep::HistoryStore,
                                                     StartupStep::IconsFolder, StartupStep::KeywordDictionaries}));
    EXPECT_FALSE(first.iconsFolderExisted);
    EXPECT_TRUE(first.splash.empty());
    EXPECT_TRUE(std::filesystem::is_directory(data("icons")));
    EXPECT_TRUE(settings::globals().autoInput);
    EXPECT_EQ(settings::globals().waitRounds, 500);

    const StartupOutcome second = runStartup(settings::globals());
    EXPECT_EQ(second.steps[3], StartupStep::Splash);
    EXPECT_EQ(second.splash, data("splash.BMP"));

    writeFile(data("OEM.INI"), "[TITLE]\nFileName=.\\splash.png\n");
    EXPECT_TRUE(runStartup(settings::globals()).splash.empty());
}

// Tests that without "system.ini" the bar docks at the top with 80-pixel person buttons that show
// icon and name; with "BarPosition" 1 and "UserButtonType" 0 it docks at the bottom with 24-pixel
// buttons showing the icon only.
TEST_F(StartupTest, NoSystemIniTopAndWideButtons) {
    writeFile(data("userdata.ini"), personsFile({"太郎", "花子"}));
    runStartup(settings::globals());
    {
        BarModel bar(view, timers, browser);
        bar.setBarWidth(1024);
        bar.load();
        EXPECT_EQ(bar.edge(), kEdgeTop);
        ASSERT_EQ(view.personButtons.size(), 2u);
        EXPECT_EQ(view.personButtons[0].rect, (Rect{36, 3, 80, 23}));
        EXPECT_EQ(view.personButtons[1].rect.x, 118);
        EXPECT_TRUE(view.personButtons[0].showCaption);
        EXPECT_EQ(view.personButtons[1].caption, u"花子");
        EXPECT_EQ(view.personButtons[1].toolTip, u"花子");
        EXPECT_EQ(view.linkButtons.front().rect.x, 198 + 4);
        // The built-in browser link names the browser that is driven.
        EXPECT_EQ(view.linkButtons.front().caption, u"Chromium");
        EXPECT_EQ(view.linkButtons.front().toolTip, u"Chromium");
        EXPECT_EQ(view.linkButtons[1].caption, u"Orvex2000 Support Page");
        EXPECT_FALSE(std::filesystem::exists(data("system.ini")));
    }
    writeFile(data("system.ini"), "[BAR]\nBarPosition=1\nUserButtonType=0\n");
    BarModel bar(view, timers, browser);
    bar.setBarWidth(1024);
    bar.load();
    EXPECT_EQ(bar.edge(), kEdgeBottom);
    EXPECT_EQ(view.personButtons[1].rect, (Rect{62, 3, 24, 23}));
    EXPECT_FALSE(view.personButtons[1].showCaption);
}

// Tests that damaged "system.ini", "OEM.INI", "link.ini", "userdata.ini", settings and an unreadable
// icon file leave the defaults of what could not be read: the bar loads, its built-in links and the
// readable person are there, the person shows its built-in picture, and no file is changed.
TEST_F(StartupTest, DamagedFilesKeepDefaultsAndStayUntouched) {
    const std::string garbage("\xff\xfe\x00\x01[BAR\n\x80\x81=\xfe\n", 14);
    const std::map<std::filesystem::path, std::string> files = {
        {data("system.ini"), garbage + "[BAR]\nBarPosition=bottom\nUserButtonType=\x01\n" + std::string(2000, 'x')},
        {data("OEM.INI"), "[TITLE]\nFileName=\n[OEM0001]\nInputMode=many\nOrder=99999999999\nVisible=maybe\n" + garbage},
        {data("link.ini"), "[LINK]\nName=\nOrder=zz\n[LINKabc]\nVisible=maybe\nButtonType=-7\n" + garbage},
        {data("userdata.ini"), "[USER0]\nVisible=True\nBirthYear=abcd\nAddressID=99\nIconFileEnabled=True\n"
                               "IconFileName=.\\icons\\broken.ico\nBuiltInIcon=x\nDisplayName=壊れ\n[USER1\nVisible=True\n" +
                                   std::string(3, '\0') + "\n[USER2]\nVisible=Yes\n=\n[]\n"},
        {settingsFile(), "[data]\nFirstPageMode=zz\nConstWidth=\nControlPanelMode=\xfe\n" + garbage},
    };
    for (const auto& [file, bytes] : files) writeFile(file, bytes);
    std::filesystem::create_directories(data("icons") / "broken.ico");  // a folder, not an icon

    runStartup(settings::globals());
    EXPECT_EQ(settings::globals().FirstPageMode, 0);
    EXPECT_EQ(settings::globals().ConstWidth, 600);
    BarModel bar(view, timers, browser);
    bar.setBarWidth(1024);
    bar.load();
    EXPECT_EQ(bar.edge(), kEdgeTop);
    ASSERT_EQ(bar.persons().size(), 1u);
    ASSERT_EQ(view.personButtons.size(), 1u);
    EXPECT_EQ(view.personButtons[0].rect.width, 80);
    EXPECT_EQ(view.personButtons[0].caption, u"壊れ");
    EXPECT_TRUE(view.personButtons[0].pictureFile.empty());
    EXPECT_EQ(view.personButtons[0].builtInPicture, 0);
    ASSERT_GE(bar.links().size(), 3u);
    EXPECT_EQ(bar.links()[0]->id, u"HDLN0000");
    EXPECT_FALSE(view.linkButtons.empty());
    EXPECT_TRUE(bar.watchers().empty());  // FirstPageMode read as 0: nothing opened

    bar.RefreshButtons();
    bar.UpdateUserData();
    for (const auto& [file, bytes] : files) EXPECT_EQ(readFile(file), bytes) << file;
    EXPECT_TRUE(std::filesystem::is_directory(data("icons") / "broken.ico"));
}

}  // namespace
}  // namespace orvex::bar
