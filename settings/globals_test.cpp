#include "settings/globals.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "settings/test_env.h"

namespace orvex::settings {
namespace {

// Tests that a default-constructed set of globals holds every documented default.
TEST(GlobalsTest, DefaultsMatchTable) {
    const Globals g;
    EXPECT_EQ(g.waitRounds, 500);
    EXPECT_EQ(g.secondParameter, 300);
    EXPECT_FALSE(g.ConstEnabled);
    EXPECT_EQ(g.ConstLeft, 0);
    EXPECT_EQ(g.ConstTop, 0);
    EXPECT_EQ(g.ConstWidth, 600);
    EXPECT_EQ(g.ConstHeight, 400);
    EXPECT_EQ(g.FirstPageMode, 2);
    EXPECT_EQ(g.FirstPageUrl, u"http://");
    EXPECT_EQ(g.ControlPanelMode, 0);
    EXPECT_EQ(g.ControlPanelUrl, u"http://");
    EXPECT_EQ(g.BarMode, 0);
    EXPECT_TRUE(g.Hist);
    EXPECT_TRUE(g.autoInput);
    EXPECT_FALSE(g.controlPanelOn());
    EXPECT_FALSE(g.floatingPalette());
}

// Tests that loading with an empty store gives the defaults and fills the name-check table for
// kinds 3-8, 10 and 18 only, leaving kinds 16 and 17 as they were.
TEST(GlobalsTest, LoadWithEmptyStoreGivesDefaults) {
    testing::TempHome home;
    Globals g;
    g.waitRounds = 7;
    g.autoInput = false;
    g.nameCheck[16] = true;
    g.nameCheck[1] = true;
    loadGlobals(g);
    EXPECT_EQ(g.waitRounds, 500);
    EXPECT_TRUE(g.autoInput);
    EXPECT_EQ(g.ConstWidth, 600);
    EXPECT_TRUE(g.Hist);
    for (int kind = 1; kind <= kFieldKinds; ++kind) {
        const bool expected = (kind >= 3 && kind <= 8) || kind == 10 || kind == 18 || kind == 16;
        EXPECT_EQ(g.nameCheck[kind], expected) << "kind " << kind;
    }
}

// Tests that stored values replace the defaults, and that a value that is not a number reads
// as 0 rather than as the default.
TEST(GlobalsTest, LoadReadsStoredValues) {
    testing::TempHome home;
    ASSERT_TRUE(saveSetting(u"ConstEnabled", u"True"));
    ASSERT_TRUE(saveSetting(u"ConstWidth", u"1024"));
    ASSERT_TRUE(saveSetting(u"ConstHeight", u"wide"));
    ASSERT_TRUE(saveSetting(u"ControlPanelMode", u"3"));
    ASSERT_TRUE(saveSetting(u"ControlPanelUrl", u"http://panel.example/x"));
    ASSERT_TRUE(saveSetting(u"BarMode", u"1"));
    ASSERT_TRUE(saveSetting(u"Hist", u"False"));
    Globals g;
    loadGlobals(g);
    EXPECT_TRUE(g.ConstEnabled);
    EXPECT_EQ(g.ConstWidth, 1024);
    EXPECT_EQ(g.ConstHeight, 0);
    EXPECT_EQ(g.ControlPanelMode, 3);
    EXPECT_EQ(g.ControlPanelUrl, u"http://panel.example/x");
    EXPECT_TRUE(g.controlPanelOn());
    EXPECT_TRUE(g.floatingPalette());
    EXPECT_FALSE(g.Hist);
    EXPECT_EQ(g.FirstPageMode, 2);
}

}  // namespace
}  // namespace orvex::settings
