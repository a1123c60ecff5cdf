#pragma once
// The one browser Orvex runs: Chromium with a window and its own profile in the data directory,
// started at the first request that needs it and again after it ended, closed gracefully at exit.
//
// The event loop watches the running browser's protocol client: after a start it gets the client
// through the started handler (watch its transport's readFd() for reading, and its writeFd() for
// writing while hasPendingOutput(); pump(0) when either is ready or hasPostedWork()), and before
// the client goes away the ending handler (stop watching its descriptors).

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bar/browser_provider.h"
#include "browser/live_loader.h"
#include "devtools/browser_host.h"
#include "devtools/browser_launcher.h"

namespace orvex::bar {

// The browser's profile folder in the data directory (kept private: mode 0700).
inline constexpr std::string_view kBrowserProfileFolder = "browser-profile";
// How long a starting browser may take to answer.
inline constexpr int kBrowserStartTimeoutMs = 30000;
// At exit: how long the browser gets to close by itself, then to end after the signal.
inline constexpr int kBrowserCloseWaitMs = 700;
inline constexpr int kBrowserStopGraceMs = 100;
// The browser starts without a window of its own: every window is one the bar opens or the user does.
inline constexpr const char* kNoStartupWindowSwitch = "--no-startup-window";

struct ChromiumOptions {
    /// The browser binary; empty for the setting "BrowserPath", else $ORVEX_BROWSER, else the
    /// usual install paths.
    std::string browserPath;
    /// The profile directory; empty for "browser-profile" in the data directory.
    std::filesystem::path profileDir;
    /// Headless (tests); a run without a display is headless anyway. A headless browser accepts the
    /// pages' JavaScript dialogs itself; one with a window leaves them to the user.
    bool headless = false;
    int startTimeoutMs = kBrowserStartTimeoutMs;
    /// Runs pending events once while the program waits for the browser (its start, a page read);
    /// empty: the client is pumped and one step of the program's wait runs.
    std::function<void()> processEvents;
};

class ChromiumBrowser final : public BrowserProvider {
  public:
    explicit ChromiumBrowser(ChromiumOptions options = {});
    /// Shuts the browser down (see shutdown()).
    ~ChromiumBrowser() override;
    ChromiumBrowser(const ChromiumBrowser&) = delete;
    ChromiumBrowser& operator=(const ChromiumBrowser&) = delete;

    void setObserver(devtools::BrowserEvents* observer) override;
    /// Starts the browser when none runs or it ended (the old one is kept until releaseEnded), and
    /// waits for it while events are processed; null with a message naming the setting
    /// "BrowserPath" and the package to install when it cannot be started or does not answer.
    devtools::BrowserSession* ensureSession(text::Text* message) override;
    devtools::BrowserSession* currentSession() override;
    std::shared_ptr<browser::DocumentSource> documents() override;
    void releaseEnded() override;
    /// Sends "Browser.close", waits up to kBrowserCloseWaitMs for the browser to go, then ends it
    /// (signal, kill) within kBrowserStopGraceMs steps; never blocks for a second or more.
    void shutdown() override;
    std::string homePage() override;

    /// The running browser's protocol client; null when none runs.
    devtools::Client* client();
    /// `started` gets the client of each browser once it started; `ending` gets it before the
    /// client and its descriptors go away. Either may be empty.
    void setClientHandlers(std::function<void(devtools::Client&)> started,
                           std::function<void(devtools::Client&)> ending);
    /// The options the next start uses (binary resolved, profile directory, window or headless).
    devtools::LaunchOptions launchOptions() const;
    /// The binary the next start runs.
    std::string browserPath() const;
    /// The running browser's process id; -1 when none runs.
    pid_t pid() const;

  private:
    struct Running {
        std::unique_ptr<devtools::BrowserHost> host;
        std::shared_ptr<browser::LivePageAccess> access;  // destroyed before the host
    };

    void retire();
    void processOnce(devtools::Client& client);
    bool runsHeadless() const;

    ChromiumOptions m_options;
    devtools::BrowserEvents* m_observer = nullptr;
    std::unique_ptr<Running> m_running;
    std::vector<std::unique_ptr<Running>> m_ended;
    std::function<void(devtools::Client&)> m_started;
    std::function<void(devtools::Client&)> m_ending;
};

/// The message for a browser that cannot be started: the reason, the settings file with the key
/// "BrowserPath", and the package to install.
text::Text noBrowserMessage(const std::string& reason);

}  // namespace orvex::bar
