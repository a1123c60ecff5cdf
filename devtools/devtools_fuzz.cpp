// Feeds arbitrary bytes to the client and session as messages received from the browser.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "devtools/cdp_browser_session.h"
#include "devtools/client.h"
#include "devtools/fake_transport.h"

namespace {

// Answers every evaluation at once so replies and events interleave with the fuzzed input.
class Observer : public orvex::devtools::BrowserEvents {
  public:
    explicit Observer(orvex::devtools::CdpBrowserSession& session) : m_session(session) {}
    void frameLoaded(const orvex::devtools::FrameInfo& frame) override {
        m_session.evaluate(frame.frameId, "1", {});
    }
    orvex::devtools::NavigationDecision navigationRequested(
        const orvex::devtools::NavigationRequest&) override {
        return orvex::devtools::NavigationDecision::cancel();
    }

  private:
    orvex::devtools::CdpBrowserSession& m_session;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto transport = std::make_unique<orvex::devtools::FakeTransport>();
    auto* fake = transport.get();
    orvex::devtools::Client client(std::move(transport));
    orvex::devtools::CdpBrowserSession session(client);
    Observer observer(session);
    session.setObserver(&observer);
    session.start();
    // NUL separates messages, as on the pipe.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = bytes.find('\0', start);
        fake->receive(bytes.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    client.pump(0);
    client.pump(0);
    return 0;
}
