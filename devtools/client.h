#pragma once
// The DevTools protocol client: numbered requests, replies matched by id, events routed by
// session id. Single-threaded and fully asynchronous; nothing blocks without pumping.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "devtools/transport.h"

namespace orvex::devtools {

/// Error codes of replies made by the client itself (the browser's own codes are negative).
inline constexpr int kErrorClosed = 1;     ///< the channel ended before the reply arrived
inline constexpr int kErrorDetached = 2;   ///< the session went away before the reply arrived
inline constexpr int kErrorMalformed = 3;  ///< the reply had neither a usable result nor error

/// The answer to one request.
struct Reply {
    bool ok = false;
    nlohmann::json result = nlohmann::json::object();  ///< the result object when ok
    int errorCode = 0;
    std::string errorMessage;
};

/// One event of the browser or of a target session.
struct Event {
    std::string method;
    nlohmann::json params = nlohmann::json::object();
    std::string sessionId;  ///< empty for the browser session
};

using ReplyCallback = std::function<void(const Reply&)>;
using EventHandler = std::function<void(const Event&)>;

/// Protocol client over one transport, which it owns.
class Client {
  public:
    /// Takes the transport; a null transport gives a client that is closed from the start.
    explicit Client(std::unique_ptr<Transport> transport);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    /// Sends a request and returns its id; the callback gets the reply, or an error reply
    /// (kErrorClosed, kErrorDetached) from a later pump when none can come.
    int send(const std::string& method, nlohmann::json params = nlohmann::json::object(),
             const std::string& sessionId = {}, ReplyCallback callback = {});
    /// Routes the events of one session ("" for the browser session) to handler; returns a token.
    int subscribe(const std::string& sessionId, EventHandler handler);
    /// Routes every event to handler (after the session's own handlers); returns a token.
    int subscribeAll(EventHandler handler);
    /// Removes a subscription; unknown tokens are ignored.
    void unsubscribe(int token);
    /// Receives a description of every message that could not be used (bad JSON, unknown id).
    void setProtocolErrorHandler(std::function<void(const std::string&)> handler);
    /// Called once when the channel ends, after pending requests have been failed.
    void setClosedHandler(std::function<void(const std::string&)> handler);
    /// Runs task from the next pump (never from inside the caller).
    void post(std::function<void()> task);

    /// Runs posted tasks, then pumps the transport up to timeoutMs; returns false once closed.
    bool pump(int timeoutMs);
    /// Pumps until predicate is true or timeoutMs has passed; returns the predicate's last value.
    bool waitUntil(const std::function<bool()>& predicate, int timeoutMs);
    /// Handles one received message as if the transport had delivered it.
    void handleMessage(std::string_view message);

    /// True until the channel has ended.
    bool isOpen() const { return m_transport != nullptr && m_transport->isOpen() && !m_closed; }
    /// True while posted work waits for a pump (an event loop then pumps soon, without waiting for input).
    bool hasPostedWork() const { return !m_posted.empty(); }
    /// Number of requests still waiting for a reply.
    std::size_t pendingCount() const { return m_pending.size(); }
    /// The reason the channel ended; empty while it is open.
    const std::string& closeReason() const { return m_closeReason; }
    /// The transport, for event loops that watch its descriptors.
    Transport* transport() const { return m_transport.get(); }

  private:
    struct Pending {
        std::string method;
        std::string sessionId;
        ReplyCallback callback;
    };
    struct Subscription {
        int token = 0;
        bool all = false;
        std::string sessionId;
        EventHandler handler;
    };

    void dispatchReply(long long id, const nlohmann::json& message, const std::string& sessionId);
    void dispatchEvent(Event event);
    void failSession(const std::string& sessionId);
    void onClosed(const std::string& reason);
    void reportError(const std::string& what);
    void runPosted();
    void invoke(const ReplyCallback& callback, const Reply& reply);

    std::unique_ptr<Transport> m_transport;
    int m_nextId = 1;
    int m_nextToken = 1;
    bool m_closed = false;
    std::string m_closeReason;
    std::map<long long, Pending> m_pending;
    std::vector<Subscription> m_subscriptions;
    std::vector<std::function<void()>> m_posted;
    std::function<void(const std::string&)> m_protocolError;
    std::function<void(const std::string&)> m_closedHandler;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace orvex::devtools
