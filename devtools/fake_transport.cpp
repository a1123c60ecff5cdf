#include "devtools/fake_transport.h"

#include <chrono>
#include <thread>

namespace orvex::devtools {

bool FakeTransport::send(std::string message) {
    if (!m_open) return false;
    m_sent.push_back(message);
    if (onSend) {
        const nlohmann::json parsed = nlohmann::json::parse(message, nullptr, false);
        if (!parsed.is_discarded()) onSend(parsed);
    }
    return true;
}

bool FakeTransport::pump(int timeoutMs) {
    if (!m_open) return false;
    const bool idle = m_incoming.empty() && !m_closing;
    while (!m_incoming.empty() && m_open) {
        std::string message = std::move(m_incoming.front());
        m_incoming.pop_front();
        if (m_handlers.onMessage) m_handlers.onMessage(std::move(message));
    }
    if (m_closing && m_open) {
        m_open = false;
        if (m_handlers.onClosed) m_handlers.onClosed(m_closeReason);
    }
    // Nothing to do: behave like a quiet channel instead of spinning.
    if (idle && timeoutMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_open;
}

std::vector<nlohmann::json> FakeTransport::sentJson() const {
    std::vector<nlohmann::json> result;
    for (const auto& message : m_sent) {
        nlohmann::json parsed = nlohmann::json::parse(message, nullptr, false);
        result.push_back(parsed.is_discarded() ? nlohmann::json() : std::move(parsed));
    }
    return result;
}

std::vector<nlohmann::json> FakeTransport::sentWithMethod(const std::string& method) const {
    std::vector<nlohmann::json> result;
    for (auto& message : sentJson()) {
        if (message.is_object() && message.value("method", std::string()) == method)
            result.push_back(message);
    }
    return result;
}

}  // namespace orvex::devtools
