#include "devtools/client.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace orvex::devtools {

namespace {

using nlohmann::json;

// How much of an unusable message goes into its error description.
constexpr std::size_t kErrorExcerpt = 80;

std::string excerpt(std::string_view message) {
    std::string text(message.substr(0, kErrorExcerpt));
    if (message.size() > kErrorExcerpt) text += "...";
    return text;
}

Reply errorReply(int code, std::string message) {
    Reply reply;
    reply.errorCode = code;
    reply.errorMessage = std::move(message);
    return reply;
}

}  // namespace

Client::Client(std::unique_ptr<Transport> transport) : m_transport(std::move(transport)) {
    if (!m_transport) {
        m_closed = true;
        m_closeReason = "no transport";
        return;
    }
    TransportHandlers handlers;
    handlers.onMessage = [this](std::string message) { handleMessage(message); };
    handlers.onClosed = [this](const std::string& reason) { onClosed(reason); };
    m_transport->setHandlers(std::move(handlers));
    if (!m_transport->isOpen()) onClosed("transport closed");
}

Client::~Client() {
    *m_alive = false;
    if (m_transport) m_transport->setHandlers({});
}

int Client::send(const std::string& method, json params, const std::string& sessionId,
                 ReplyCallback callback) {
    const int id = m_nextId++;
    if (!isOpen()) {
        if (callback) {
            post([callback, reason = m_closeReason] { callback(errorReply(kErrorClosed, reason)); });
        }
        return id;
    }
    json message = {
        {"id", id}, {"method", method}, {"params", params.is_object() ? std::move(params) : json::object()}};
    if (!sessionId.empty()) message["sessionId"] = sessionId;
    // Text from pages may carry broken UTF-8; it must not make the request fail to serialise.
    std::string text = message.dump(-1, ' ', false, json::error_handler_t::replace);
    m_pending[id] = Pending{method, sessionId, std::move(callback)};
    m_transport->send(std::move(text));  // a failure closes the channel, which fails the request
    return id;
}

int Client::subscribe(const std::string& sessionId, EventHandler handler) {
    const int token = m_nextToken++;
    m_subscriptions.push_back(Subscription{token, false, sessionId, std::move(handler)});
    return token;
}

int Client::subscribeAll(EventHandler handler) {
    const int token = m_nextToken++;
    m_subscriptions.push_back(Subscription{token, true, {}, std::move(handler)});
    return token;
}

void Client::unsubscribe(int token) {
    std::erase_if(m_subscriptions, [token](const Subscription& s) { return s.token == token; });
}

void Client::setProtocolErrorHandler(std::function<void(const std::string&)> handler) {
    m_protocolError = std::move(handler);
}

void Client::setClosedHandler(std::function<void(const std::string&)> handler) {
    m_closedHandler = std::move(handler);
}

void Client::post(std::function<void()> task) {
    if (task) m_posted.push_back(std::move(task));
}

bool Client::pump(int timeoutMs) {
    const auto alive = m_alive;
    runPosted();
    if (!*alive) return false;
    if (m_transport && m_transport->isOpen() && !m_closed) {
        m_transport->pump(m_posted.empty() ? timeoutMs : 0);
        if (!*alive) return false;
    }
    runPosted();
    return *alive && isOpen();
}

bool Client::waitUntil(const std::function<bool()>& predicate, int timeoutMs) {
    const auto alive = m_alive;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (predicate()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return predicate();
        if (!pump(static_cast<int>(left.count()))) {
            if (*alive) runPosted();
            return predicate();
        }
    }
}

void Client::handleMessage(std::string_view message) {
    try {
        json parsed = json::parse(message, nullptr, false);
        if (parsed.is_discarded() || !parsed.is_object()) {
            reportError("unparsable message: " + excerpt(message));
            return;
        }
        std::string sessionId;
        if (const auto s = parsed.find("sessionId"); s != parsed.end()) {
            if (!s->is_string()) {
                reportError("message with a bad session id: " + excerpt(message));
                return;
            }
            sessionId = s->get<std::string>();
        }
        if (const auto id = parsed.find("id"); id != parsed.end()) {
            if (!id->is_number_integer()) {
                reportError("reply with a bad id: " + excerpt(message));
                return;
            }
            dispatchReply(id->get<long long>(), parsed, sessionId);
            return;
        }
        const auto method = parsed.find("method");
        if (method == parsed.end() || !method->is_string()) {
            reportError("message is neither reply nor event: " + excerpt(message));
            return;
        }
        Event event;
        event.method = method->get<std::string>();
        event.sessionId = std::move(sessionId);
        if (const auto params = parsed.find("params"); params != parsed.end()) {
            if (!params->is_object()) {
                reportError("event with bad parameters: " + excerpt(message));
                return;
            }
            event.params = std::move(*params);
        }
        dispatchEvent(std::move(event));
    } catch (const std::exception& error) {
        reportError(std::string("message could not be handled: ") + error.what());
    } catch (...) {
        reportError("message could not be handled");
    }
}

void Client::dispatchReply(long long id, const json& message, const std::string& sessionId) {
    const auto it = m_pending.find(id);
    if (it == m_pending.end()) {
        reportError("reply to unknown request " + std::to_string(id));
        return;
    }
    if (it->second.sessionId != sessionId) {
        reportError("reply to request " + std::to_string(id) + " came from another session");
        return;
    }
    const Pending pending = std::move(it->second);
    m_pending.erase(it);
    Reply reply;
    if (const auto error = message.find("error"); error != message.end()) {
        reply.errorCode = kErrorMalformed;
        if (error->is_object()) {
            if (const auto code = error->find("code"); code != error->end() && code->is_number_integer()) {
                reply.errorCode = code->get<int>();
            }
            if (const auto text = error->find("message"); text != error->end() && text->is_string()) {
                reply.errorMessage = text->get<std::string>();
            }
        }
        if (reply.errorMessage.empty()) reply.errorMessage = pending.method + " failed";
    } else if (const auto result = message.find("result"); result != message.end() && result->is_object()) {
        reply.ok = true;
        reply.result = *result;
    } else {
        reply = errorReply(kErrorMalformed, pending.method + ": reply without result");
    }
    invoke(pending.callback, reply);
}

void Client::dispatchEvent(Event event) {
    const auto alive = m_alive;
    if (event.method == "Target.detachedFromTarget") {
        if (const auto s = event.params.find("sessionId"); s != event.params.end() && s->is_string()) {
            failSession(s->get<std::string>());
            if (!*alive) return;
        }
    }
    // Handlers may (un)subscribe while we run: work from the tokens, look each one up again.
    std::vector<int> tokens;
    for (const auto& s : m_subscriptions) {
        if (!s.all && s.sessionId == event.sessionId) tokens.push_back(s.token);
    }
    for (const auto& s : m_subscriptions) {
        if (s.all) tokens.push_back(s.token);
    }
    for (const int token : tokens) {
        const auto it = std::find_if(m_subscriptions.begin(), m_subscriptions.end(),
                                     [token](const Subscription& s) { return s.token == token; });
        if (it == m_subscriptions.end()) continue;
        const EventHandler handler = it->handler;
        try {
            handler(event);
        } catch (...) {
            reportError("event handler failed on " + event.method);
        }
        if (!*alive) return;
    }
}

void Client::failSession(const std::string& sessionId) {
    if (sessionId.empty()) return;
    const auto alive = m_alive;
    std::vector<ReplyCallback> callbacks;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->second.sessionId == sessionId) {
            callbacks.push_back(std::move(it->second.callback));
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& callback : callbacks) {
        invoke(callback, errorReply(kErrorDetached, "session detached"));
        if (!*alive) return;
    }
}

void Client::onClosed(const std::string& reason) {
    if (m_closed) return;
    m_closed = true;
    m_closeReason = reason.empty() ? std::string("channel closed") : reason;
    std::vector<ReplyCallback> callbacks;
    for (auto& [id, pending] : m_pending) callbacks.push_back(std::move(pending.callback));
    m_pending.clear();
    // Delivered from the next pump, never from inside whatever noticed the end.
    post([this, callbacks = std::move(callbacks)] {
        const auto alive = m_alive;
        for (const auto& callback : callbacks) {
            invoke(callback, errorReply(kErrorClosed, m_closeReason));
            if (!*alive) return;
        }
        if (m_closedHandler) {
            const auto handler = m_closedHandler;
            try {
                handler(m_closeReason);
            } catch (...) {
            }
        }
    });
}

void Client::reportError(const std::string& what) {
    if (!m_protocolError) return;
    const auto handler = m_protocolError;
    try {
        handler(what);
    } catch (...) {
    }
}

void Client::runPosted() {
    const auto alive = m_alive;
    while (!m_posted.empty()) {
        auto tasks = std::move(m_posted);
        m_posted.clear();
        for (auto& task : tasks) {
            try {
                task();
            } catch (...) {
                reportError("posted task failed");
            }
            if (!*alive) return;
        }
    }
}

void Client::invoke(const ReplyCallback& callback, const Reply& reply) {
    if (!callback) return;
    try {
        callback(reply);
    } catch (...) {
        reportError("reply callback failed");
    }
}

}  // namespace orvex::devtools
