#include "settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::settings {
namespace {

// Tests that settings are stored under section "data" of the settings file, created with its
// folder on the first save, and read back with the caller's default for missing keys.
TEST(SettingsStoreTest, SavesAndReadsBack) {
    testing::TempHome home;
    EXPECT_EQ(getSetting(u"BarMode", u"0"), u"0");
    ASSERT_TRUE(saveSetting(u"BarMode", u"2"));
    ASSERT_TRUE(saveSetting(u"FirstPageUrl", u"http://例.jp/a b"));
    EXPECT_EQ(getSetting(u"barmode", u"0"), u"2");
    EXPECT_EQ(getSetting(u"FirstPageUrl", u""), u"http://例.jp/a b");
    EXPECT_EQ(profile::testing::slurp(settingsFile()), "[data]\nBarMode=2\nFirstPageUrl=http://例.jp/a b\n");
}

// Tests that a save that cannot be stored reports false and keeps the old value.
TEST(SettingsStoreTest, FailedSaveReportsFalse) {
    testing::TempHome home;
    ASSERT_TRUE(saveSetting(u"Hist", u"True"));
    ::chmod(settingsFile().c_str(), 0444);
    EXPECT_FALSE(saveSetting(u"Hist", u"False"));
    EXPECT_EQ(getSetting(u"Hist", u""), u"True");
}

// Tests the stored forms of Booleans and numbers, including text that is not a number.
TEST(SettingsStoreTest, ParsesStoredValues) {
    EXPECT_EQ(boolText(true), u"True");
    EXPECT_EQ(boolText(false), u"False");
    EXPECT_TRUE(parseBool(u"True"));
    EXPECT_TRUE(parseBool(u"true"));
    EXPECT_TRUE(parseBool(u"-1"));
    EXPECT_FALSE(parseBool(u"False"));
    EXPECT_FALSE(parseBool(u"0"));
    EXPECT_FALSE(parseBool(u"yes"));
    EXPECT_EQ(parseInt32(u" 600 "), 600);
    EXPECT_EQ(parseInt32(u"-20"), -20);
    EXPECT_EQ(parseInt32(u"abc"), 0);
    EXPECT_EQ(parseInt32(u"12abc"), 0);
    EXPECT_EQ(parseInt32(u"4294967296"), 0);
    EXPECT_EQ(parseInt32(u""), 0);
}

}  // namespace
}  // namespace orvex::settings
