#include "bar/chromium_browser.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>

#include "settings/test_env.h"

namespace orvex::bar {
namespace {

bool browserInstalled() {
    return access(devtools::resolveBrowserPath({}).c_str(), X_OK) == 0;
}

// Opens a window and pumps until the browser reports it; its id, or empty.
std::string openWindow(ChromiumBrowser& browser) {
    std::optional<std::string> id;
    bool answered = false;
    browser.currentSession()->openWindow("about:blank", [&](std::optional<std::string> w) {
        id = std::move(w);
        answered = true;
    });
    browser.client()->waitUntil([&] { return answered; }, 15000);
    return id.value_or("");
}

class ChromiumBrowserTest : public ::testing::Test {
  protected:
    // No display: the browser runs headless whatever the options say.
    ChromiumBrowserTest() { env.set("DISPLAY", std::nullopt); }

    settings::testing::TempHome home;
    settings::testing::ScopedEnv env;
};

// Tests the start: a window and no test switches asked for, the data directory's private
// "browser-profile", no window of its own; and that no browser at the given path gives the message
// naming the setting and the package.
TEST_F(ChromiumBrowserTest, StartsWithItsOwnProfile) {
    ChromiumBrowser missing(ChromiumOptions{"/nonexistent/chromium", {}, false, kBrowserStartTimeoutMs, {}});
    text::Text message;
    EXPECT_EQ(missing.ensureSession(&message), nullptr);
    EXPECT_NE(message.find(u"BrowserPath"), text::Text::npos);
    EXPECT_NE(message.find(u"chromium"), text::Text::npos);
    EXPECT_EQ(missing.currentSession(), nullptr);

    ChromiumBrowser browser;
    const devtools::LaunchOptions options = browser.launchOptions();
    EXPECT_FALSE(options.headless);
    EXPECT_EQ(options.profileDir, (home.data() / "browser-profile").string());
    EXPECT_TRUE(options.startUrl.empty());
    EXPECT_NE(std::find(options.extraArguments.begin(), options.extraArguments.end(), "--no-startup-window"),
              options.extraArguments.end());
    if (!browserInstalled()) GTEST_SKIP() << "no browser installed";
    int started = 0;
    browser.setClientHandlers([&](devtools::Client&) { ++started; }, {});
    ASSERT_NE(browser.ensureSession(&message), nullptr) << text::toUtf8(message);
    EXPECT_EQ(started, 1);
    struct stat info {};
    ASSERT_EQ(stat((home.data() / "browser-profile").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(browser.currentSession()->windows().empty());
    EXPECT_EQ(browser.ensureSession(&message), browser.currentSession());
    EXPECT_EQ(started, 1);
}

// Tests that a browser that died is started again at the next request, and that exit ends the
// browser and reaps it.
TEST_F(ChromiumBrowserTest, SurvivesItsEndAndClosesAtExit) {
    if (!browserInstalled()) GTEST_SKIP() << "no browser installed";
    ChromiumBrowser browser;
    int ending = 0;
    browser.setClientHandlers({}, [&](devtools::Client&) { ++ending; });
    text::Text message;
    ASSERT_NE(browser.ensureSession(&message), nullptr) << text::toUtf8(message);
    EXPECT_FALSE(openWindow(browser).empty());
    const pid_t first = browser.pid();
    ASSERT_GT(first, 0);
    kill(-first, SIGKILL);
    browser.client()->waitUntil([&] { return !browser.client()->isOpen(); }, 10000);
    EXPECT_EQ(browser.currentSession(), nullptr);

    ASSERT_NE(browser.ensureSession(&message), nullptr) << text::toUtf8(message);
    EXPECT_EQ(ending, 1);
    EXPECT_NE(browser.pid(), first);
    browser.releaseEnded();
    EXPECT_FALSE(openWindow(browser).empty());

    const pid_t second = browser.pid();
    browser.shutdown();
    EXPECT_EQ(browser.currentSession(), nullptr);
    EXPECT_NE(kill(second, 0), 0);  // reaped: no such process any more
}

}  // namespace
}  // namespace orvex::bar
