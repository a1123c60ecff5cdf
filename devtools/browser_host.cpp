#include "devtools/browser_host.h"

namespace orvex::devtools {

std::unique_ptr<BrowserHost> BrowserHost::launch(const LaunchOptions& options, std::string* error) {
    LaunchResult launched = launchBrowser(options);
    if (!launched.transport) {
        if (error != nullptr) *error = launched.error;
        return nullptr;
    }
    std::unique_ptr<BrowserHost> host(new BrowserHost());
    host->m_transport = launched.transport.get();
    host->m_client = std::make_unique<Client>(std::move(launched.transport));
    host->m_session = std::make_unique<CdpBrowserSession>(*host->m_client);
    host->m_session->start();
    return host;
}

BrowserHost::~BrowserHost() {
    m_session.reset();
    stop();
}

bool BrowserHost::waitReady(int timeoutMs) {
    m_client->waitUntil(
        [this] { return m_session->isReady() || !m_session->startError().empty() || !m_client->isOpen(); },
        timeoutMs);
    return m_session->isReady();
}

void BrowserHost::stop(int graceMs) {
    if (m_transport != nullptr) m_transport->stop(graceMs);
}

}  // namespace orvex::devtools
