#include "bar/chromium_browser.h"

#include <chrono>
#include <cstdlib>

#include "bar/bar_texts.h"
#include "devtools/browser_preferences.h"
#include "settings/browser_path.h"
#include "settings/paths.h"
#include "settings/wait.h"
#include "text/strings.h"

namespace orvex::bar {

text::Text noBrowserMessage(const std::string& reason) {
    text::Text after = text::replaceAll(kNoBrowserAfter, u"%FILE%", text::fromUtf8(settings::settingsFile().string()));
    after = text::replaceAll(after, u"%PACKAGE%", kBrowserPackage);
    return text::Text(kNoBrowserBefore) + text::fromUtf8(reason) + after;
}

ChromiumBrowser::ChromiumBrowser(ChromiumOptions options) : m_options(std::move(options)) {}

ChromiumBrowser::~ChromiumBrowser() {
    shutdown();
    m_ended.clear();
}

void ChromiumBrowser::setObserver(devtools::BrowserEvents* observer) {
    m_observer = observer;
    if (m_running) m_running->host->session().setObserver(observer);
}

std::string ChromiumBrowser::browserPath() const {
    if (!m_options.browserPath.empty()) return m_options.browserPath;
    return devtools::resolveBrowserPath(text::toUtf8(settings::browserPathSetting()));
}

devtools::LaunchOptions ChromiumBrowser::launchOptions() const {
    devtools::LaunchOptions launch;
    launch.browserSetting = browserPath();
    launch.profileDir = (m_options.profileDir.empty() ? settings::dataDir() / kBrowserProfileFolder
                                                      : m_options.profileDir)
                            .string();
    launch.headless = m_options.headless;
    // The user's own browser for daily use; only a run without a window stays quiet.
    launch.quiet = runsHeadless();
    launch.startUrl.clear();
    launch.extraArguments.push_back(kNoStartupWindowSwitch);
    return launch;
}

std::string ChromiumBrowser::homePage() {
    return devtools::profileHomePage(launchOptions().profileDir).value_or(std::string());
}

bool ChromiumBrowser::runsHeadless() const {
    // The launcher runs the browser headless where there is no display to show a window on.
    const char* display = std::getenv("DISPLAY");
    return m_options.headless || display == nullptr || *display == '\0';
}

void ChromiumBrowser::processOnce(devtools::Client& client) {
    if (m_options.processEvents) {
        m_options.processEvents();
        return;
    }
    client.pump(0);
    settings::waitFor(static_cast<int>(settings::kWaitStep.count()));
}

devtools::BrowserSession* ChromiumBrowser::ensureSession(text::Text* message) {
    if (m_running && m_running->host->session().isOpen()) return &m_running->host->session();
    if (m_running) retire();
    // The data directory holds the profile; it may not exist on a first start.
    settings::ensureDataDir();
    std::string error;
    std::unique_ptr<devtools::BrowserHost> host = devtools::BrowserHost::launch(launchOptions(), &error);
    if (!host) {
        if (message != nullptr) *message = noBrowserMessage(error);
        return nullptr;
    }
    m_running = std::make_unique<Running>();
    m_running->host = std::move(host);
    devtools::CdpBrowserSession& session = m_running->host->session();
    devtools::Client& client = m_running->host->client();
    session.setObserver(m_observer);
    // A page's dialog in a browser nobody sees would hold its page for ever.
    if (runsHeadless()) session.setDialogPolicy(devtools::DialogPolicy::Accept);
    if (m_options.processEvents) {
        m_running->access = browser::LivePageAccess::create(session, m_options.processEvents);
    } else {
        m_running->access = browser::LivePageAccess::create(session, [this, &client] { processOnce(client); });
    }
    if (m_started) m_started(client);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_options.startTimeoutMs);
    while (!session.isReady() && session.startError().empty() && client.isOpen() && Clock::now() < deadline) {
        processOnce(client);
    }
    if (!session.isReady()) {
        std::string reason = session.startError();
        if (reason.empty()) reason = client.isOpen() ? "the browser did not answer" : client.closeReason();
        if (reason.empty()) reason = "the browser ended at its start";
        retire();
        if (message != nullptr) *message = noBrowserMessage(reason);
        return nullptr;
    }
    return &session;
}

devtools::BrowserSession* ChromiumBrowser::currentSession() {
    if (!m_running || !m_running->host->session().isOpen()) return nullptr;
    return &m_running->host->session();
}

std::shared_ptr<browser::DocumentSource> ChromiumBrowser::documents() {
    if (!m_running) return nullptr;
    return m_running->access;
}

devtools::Client* ChromiumBrowser::client() {
    return m_running ? &m_running->host->client() : nullptr;
}

void ChromiumBrowser::setClientHandlers(std::function<void(devtools::Client&)> started,
                                        std::function<void(devtools::Client&)> ending) {
    m_started = std::move(started);
    m_ending = std::move(ending);
}

pid_t ChromiumBrowser::pid() const {
    return m_running ? m_running->host->pid() : -1;
}

void ChromiumBrowser::retire() {
    if (!m_running) return;
    m_running->host->session().setObserver(nullptr);
    if (m_ending) m_ending(m_running->host->client());
    m_running->host->stop(kBrowserStopGraceMs);
    // Watchers may still hold the session; it goes when the bar says none of them is left.
    m_ended.push_back(std::move(m_running));
}

void ChromiumBrowser::releaseEnded() {
    m_ended.clear();
}

void ChromiumBrowser::shutdown() {
    if (!m_running) return;
    devtools::BrowserHost& host = *m_running->host;
    host.session().setObserver(nullptr);
    devtools::Client& client = host.client();
    if (client.isOpen()) {
        // Closing through the protocol lets the browser save its profile.
        client.send("Browser.close");
        client.waitUntil([&client] { return !client.isOpen(); }, kBrowserCloseWaitMs);
    }
    retire();
}

}  // namespace orvex::bar
