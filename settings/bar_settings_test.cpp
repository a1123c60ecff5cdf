#include "settings/bar_settings.h"

#include <gtest/gtest.h>

#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::settings {
namespace {

// Tests that a missing "system.ini" gives a bar at the top with wide person buttons.
TEST(BarSettingsTest, MissingFileGivesDefaults) {
    testing::TempHome home;
    const BarSettings s = readBarSettings();
    EXPECT_EQ(s.BarPosition, 0);
    EXPECT_EQ(s.UserButtonType, 1);
    EXPECT_EQ(s.HelloMessage, 2);
}

// Tests that stored values are read and a value that is not a number keeps the default.
TEST(BarSettingsTest, ReadsStoredValues) {
    testing::TempHome home;
    ASSERT_TRUE(ensureDataDir());
    ASSERT_TRUE(
        profile::testing::spit(dataFile("system.ini"), "[bar]\nBarPosition=1\nUserButtonType=x\n[CLIP]\n"));
    const BarSettings s = readBarSettings();
    EXPECT_EQ(s.BarPosition, 1);
    EXPECT_EQ(s.UserButtonType, 1);
    EXPECT_EQ(s.HelloMessage, 2);
}

// Tests that only changed values are written, and that a failed write is reported.
TEST(BarSettingsTest, WritesOnlyChangedValues) {
    testing::TempHome home;
    ASSERT_TRUE(ensureDataDir());
    BarSettings saved;
    BarSettings now = saved;
    EXPECT_TRUE(writeChangedBarSettings(saved, now));
    EXPECT_FALSE(std::filesystem::exists(dataFile("system.ini")));
    now.UserButtonType = 0;
    EXPECT_TRUE(writeChangedBarSettings(saved, now));
    EXPECT_EQ(profile::testing::slurp(dataFile("system.ini")), "[BAR]\nUserButtonType=0\n");
    std::filesystem::remove(dataFile("system.ini"));
    std::filesystem::create_directory(dataFile("system.ini"));
    EXPECT_FALSE(writeChangedBarSettings(saved, now));
}

}  // namespace
}  // namespace orvex::settings
