#pragma once
// A transport for tests: records what the client sends and delivers what the test queues.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "devtools/transport.h"

namespace orvex::devtools {

/// In-memory transport; pump() delivers queued messages in order and then a queued close.
class FakeTransport final : public Transport {
  public:
    void setHandlers(TransportHandlers handlers) override { m_handlers = std::move(handlers); }
    /// Records the message (and passes it to onSend); false once closed.
    bool send(std::string message) override;
    /// Delivers every queued message (also those queued meanwhile), then a queued close.
    bool pump(int timeoutMs) override;
    bool isOpen() const override { return m_open; }

    /// Queues one received message (without terminator).
    void receive(std::string message) { m_incoming.push_back(std::move(message)); }
    /// Queues a JSON message.
    void receiveJson(const nlohmann::json& message) { receive(message.dump()); }
    /// Queues the end of the channel after the messages queued so far.
    void closeFromBrowser(std::string reason) {
        m_closeReason = std::move(reason);
        m_closing = true;
    }

    /// Every message sent so far, parsed (null for what does not parse).
    std::vector<nlohmann::json> sentJson() const;
    /// The sent requests with this method, in order.
    std::vector<nlohmann::json> sentWithMethod(const std::string& method) const;
    /// Raw messages sent so far.
    const std::vector<std::string>& sent() const { return m_sent; }
    /// Called with each sent message as JSON; may queue answers.
    std::function<void(const nlohmann::json&)> onSend;

  private:
    TransportHandlers m_handlers;
    std::deque<std::string> m_incoming;
    std::vector<std::string> m_sent;
    bool m_open = true;
    bool m_closing = false;
    std::string m_closeReason;
};

}  // namespace orvex::devtools
