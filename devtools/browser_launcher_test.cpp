#include "devtools/browser_launcher.h"
#include "devtools/browser_preferences.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvex::devtools {
namespace {

bool has(const std::vector<std::string>& args, const std::string& arg) {
    return std::find(args.begin(), args.end(), arg) != args.end();
}

LaunchOptions someOptions() {
    LaunchOptions o;
    o.profileDir = "/data/orvex/browser";
    return o;
}

// Tests that the pipe, the own profile and the quiet switches are always there, and no TCP port.
TEST(BrowserArgumentsTest, PipeProfileAndQuietSwitches) {
    const auto args = browserArguments(someOptions(), "/usr/lib/chromium/chromium", false, true);
    EXPECT_EQ(args.front(), "/usr/lib/chromium/chromium");
    EXPECT_TRUE(has(args, "--remote-debugging-pipe"));
    EXPECT_TRUE(has(args, "--user-data-dir=/data/orvex/browser"));
    for (const char* quiet :
         {"--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync",
          "--disable-default-apps", "--disable-gpu",
          "--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup"}) {
        EXPECT_TRUE(has(args, quiet)) << quiet;
    }
    for (const auto& arg : args) EXPECT_EQ(arg.find("--remote-debugging-port"), std::string::npos);
    EXPECT_EQ(args.back(), "about:blank");

    // A user's daily browser keeps its background work and its GPU, never the pipe or the profile.
    LaunchOptions daily = someOptions();
    daily.quiet = false;
    const auto dailyArgs = browserArguments(daily, "/usr/lib/chromium/chromium", false, true);
    EXPECT_TRUE(has(dailyArgs, "--remote-debugging-pipe"));
    EXPECT_TRUE(has(dailyArgs, "--no-first-run"));
    for (const char* quiet : {"--disable-background-networking", "--disable-component-update", "--disable-sync",
                              "--disable-default-apps", "--disable-gpu"}) {
        EXPECT_FALSE(has(dailyArgs, quiet)) << quiet;
    }
}

// Tests that --headless comes on request or without a display, and not otherwise.
TEST(BrowserArgumentsTest, HeadlessOnRequestOrWithoutDisplay) {
    LaunchOptions o = someOptions();
    EXPECT_FALSE(has(browserArguments(o, "b", false, true), "--headless"));
    EXPECT_TRUE(has(browserArguments(o, "b", false, false), "--headless"));
    o.headless = true;
    EXPECT_TRUE(has(browserArguments(o, "b", false, true), "--headless"));
}

// Tests that --no-sandbox is given only when running as root.
TEST(BrowserArgumentsTest, NoSandboxOnlyAsRoot) {
    EXPECT_TRUE(has(browserArguments(someOptions(), "b", true, true), "--no-sandbox"));
    EXPECT_FALSE(has(browserArguments(someOptions(), "b", false, true), "--no-sandbox"));
}

// Tests that the setting wins over the environment, which wins over the default paths.
TEST(ResolveBrowserPathTest, SettingThenEnvironmentThenDefault) {
    const char* saved = std::getenv(kBrowserEnvVar);
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv(kBrowserEnvVar, "/opt/env-browser", 1);
    EXPECT_EQ(resolveBrowserPath("/opt/setting-browser"), "/opt/setting-browser");
    EXPECT_EQ(resolveBrowserPath(""), "/opt/env-browser");
    setenv(kBrowserEnvVar, "", 1);
    const std::string fallback = resolveBrowserPath("");
    EXPECT_TRUE(fallback == kDefaultBrowserPaths[0] || fallback == kDefaultBrowserPaths[1]) << fallback;
    if (saved != nullptr) {
        setenv(kBrowserEnvVar, savedValue.c_str(), 1);
    } else {
        unsetenv(kBrowserEnvVar);
    }
}

class PrivateDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvex-devtools-dir-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    static unsigned modeOf(const std::string& path) {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0;
    }
    std::string dir;
};

// Tests that a missing directory is created with its parents, mode 0700.
TEST_F(PrivateDirectoryTest, CreatesWithMode0700) {
    const std::string path = dir + "/a/b/profile";
    std::string error;
    ASSERT_TRUE(ensurePrivateDirectory(path, &error)) << error;
    EXPECT_EQ(modeOf(path), 0700u);
}

// Tests that an existing open directory is narrowed to 0700.
TEST_F(PrivateDirectoryTest, NarrowsAnOpenDirectory) {
    const std::string path = dir + "/open";
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    ASSERT_TRUE(ensurePrivateDirectory(path, nullptr));
    EXPECT_EQ(modeOf(path), 0700u);
}

// Tests that a file in the way, or an empty path, is refused with a message.
TEST_F(PrivateDirectoryTest, RefusesAFileOrNothing) {
    const std::string path = dir + "/file";
    std::ofstream(path) << "x";
    std::string error;
    EXPECT_FALSE(ensurePrivateDirectory(path, &error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_FALSE(ensurePrivateDirectory("", &error));
}

// Tests that the home page of the browser's profile is read, and that a home page set to the new-tab
// page, a damaged file and a profile without one give none.
TEST_F(PrivateDirectoryTest, ProfileHomePage) {
    EXPECT_FALSE(profileHomePage(dir));
    std::filesystem::create_directories(dir + "/Default");
    const auto write = [&](const std::string& text) { std::ofstream(dir + "/Default/Preferences") << text; };
    write(R"({"homepage": "https://start.example/", "homepage_is_newtabpage": false})");
    EXPECT_EQ(profileHomePage(dir), "https://start.example/");
    write(R"({"homepage": "https://start.example/", "homepage_is_newtabpage": true})");
    EXPECT_FALSE(profileHomePage(dir));
    write(R"({"homepage": )");
    EXPECT_FALSE(profileHomePage(dir));
}

}  // namespace
}  // namespace orvex::devtools
