#include "settings/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings/test_env.h"

namespace orvex::settings {
namespace {

using testing::ScopedEnv;

// Tests that the data directory comes from ORVEX_HOME, then XDG_DATA_HOME, then HOME, and that
// empty or relative variables are passed over.
TEST(PathsTest, DataDirFollowsEnvironment) {
    ScopedEnv env;
    env.set("ORVEX_HOME", "/srv/orvex").set("XDG_DATA_HOME", "/xdg").set("HOME", "/home/u");
    EXPECT_EQ(dataDir(), "/srv/orvex");
    env.set("ORVEX_HOME", "");
    EXPECT_EQ(dataDir(), "/xdg/orvex");
    env.set("XDG_DATA_HOME", "relative/dir");
    EXPECT_EQ(dataDir(), "/home/u/.local/share/orvex");
    env.set("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(dataDir(), "/home/u/.local/share/orvex");
    EXPECT_EQ(dataFile("link.ini"), "/home/u/.local/share/orvex/link.ini");
}

// Tests that the settings file lies under XDG_CONFIG_HOME, else ~/.config.
TEST(PathsTest, SettingsFileFollowsEnvironment) {
    ScopedEnv env;
    env.set("XDG_CONFIG_HOME", "/cfg").set("HOME", "/home/u");
    EXPECT_EQ(settingsFile(), "/cfg/orvex/settings.ini");
    env.set("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(settingsFile(), "/home/u/.config/orvex/settings.ini");
}

// Tests that the first start creates the data directory private to the user, and that a later
// call finds it; a path under a file cannot be created.
TEST(PathsTest, EnsureDataDirCreatesIt) {
    testing::TempHome home;
    EXPECT_FALSE(std::filesystem::exists(home.data()));
    EXPECT_TRUE(ensureDataDir());
    struct stat st {};
    ASSERT_EQ(::stat(home.data().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(ensureDataDir());
    ASSERT_TRUE(profile::testing::spit(home.root() / "file", "x"));
    ScopedEnv env;
    env.set("ORVEX_HOME", (home.root() / "file" / "sub").string());
    EXPECT_FALSE(ensureDataDir());
}

// Tests that stored paths read "\" as "/" and that a leading "." means the data directory.
TEST(PathsTest, ResolvesStoredPaths) {
    ScopedEnv env;
    env.set("ORVEX_HOME", "/d");
    EXPECT_EQ(resolveDataPath(u".\\icons\\earth.ico"), "/d/icons/earth.ico");
    EXPECT_EQ(resolveDataPath(u"./icons/お気に入り.ico"), "/d/icons/お気に入り.ico");
    EXPECT_EQ(resolveDataPath(u"/usr/share/a.ico"), "/usr/share/a.ico");
    EXPECT_EQ(resolveDataPath(u"icons\\a.ico"), "icons/a.ico");
    EXPECT_EQ(resolveDataPath(u""), "");
}

// Tests that a "." path missing from the data directory falls back to the resources, and that a
// file in the data directory or an absolute path is taken as it is.
TEST(PathsTest, ResolvesBuiltInFilesFromResources) {
    testing::TempHome home;
    const auto resources = home.root() / "share";
    std::filesystem::create_directories(resources / "icons");
    std::filesystem::create_directories(home.data() / "icons");
    ASSERT_TRUE(profile::testing::spit(resources / "icons" / "earth.ico", "built-in"));
    EXPECT_EQ(resolveDataOrResourcePath(u".\\icons\\earth.ico", resources),
              resources / "icons" / "earth.ico");
    ASSERT_TRUE(profile::testing::spit(home.data() / "icons" / "earth.ico", "mine"));
    EXPECT_EQ(resolveDataOrResourcePath(u".\\icons\\earth.ico", resources),
              home.data() / "icons" / "earth.ico");
    EXPECT_EQ(resolveDataOrResourcePath(u".\\icons\\none.ico", resources),
              home.data() / "icons" / "none.ico");
    EXPECT_EQ(resolveDataOrResourcePath(u"/abs/x.ico", resources), "/abs/x.ico");
    EXPECT_EQ(resolveDataOrResourcePath(u"", resources), "");
}

// Tests that installed resources beside "bin" are preferred and a build tree falls back to the
// source tree's resources.
TEST(PathsTest, FindsResourceDirectory) {
    profile::testing::TempDir dir;
    std::filesystem::create_directories(dir / "bin");
    EXPECT_EQ(resourceDirFor(dir / "bin").filename(), "resources");
    std::filesystem::create_directories(dir / "share" / "orvex");
    EXPECT_EQ(resourceDirFor(dir / "bin"), dir / "share" / "orvex");
    EXPECT_EQ(resourceDirFor({}).filename(), "resources");
    EXPECT_TRUE(std::filesystem::is_directory(resourceDir()));
}

// Tests that file URLs encode blanks and non-ASCII bytes and keep path characters.
TEST(PathsTest, BuildsFileUrls) {
    EXPECT_EQ(fileUrl("/a b/c-d_e.htm"), u"file:///a%20b/c-d_e.htm");
    EXPECT_EQ(fileUrl("/日/x#y?z"), u"file:///%E6%97%A5/x%23y%3Fz");
}

}  // namespace
}  // namespace orvex::settings
