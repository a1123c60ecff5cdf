#pragma once
// One running browser with its protocol client and session, owned together.

#include <sys/types.h>

#include <memory>
#include <string>

#include "devtools/browser_launcher.h"
#include "devtools/cdp_browser_session.h"
#include "devtools/client.h"

namespace orvex::devtools {

/// A started browser; destroying it ends the browser (the profile stays).
class BrowserHost {
  public:
    /// Starts the browser and its session (start() already sent); null with *error set on failure.
    static std::unique_ptr<BrowserHost> launch(const LaunchOptions& options, std::string* error);
    ~BrowserHost();
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    /// The protocol client; pump it (or watch its transport's descriptors) to make things happen.
    Client& client() { return *m_client; }
    /// The browser session, already started.
    CdpBrowserSession& session() { return *m_session; }
    /// Pumps until the session is ready; false when it failed, the browser ended or time ran out.
    bool waitReady(int timeoutMs);
    /// Ends the browser (SIGTERM, then SIGKILL after graceMs) and reaps it; safe to call twice.
    void stop(int graceMs = kStopGraceMs);
    /// The browser's process id, or -1 once it has ended.
    pid_t pid() const { return m_transport != nullptr ? m_transport->pid() : -1; }

  private:
    BrowserHost() = default;

    PipeTransport* m_transport = nullptr;  // owned by m_client
    std::unique_ptr<Client> m_client;
    std::unique_ptr<CdpBrowserSession> m_session;
};

}  // namespace orvex::devtools
