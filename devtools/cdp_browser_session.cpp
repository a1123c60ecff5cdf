#include "devtools/cdp_browser_session.h"

#include <algorithm>
#include <utility>

#include "devtools/watch_script.h"

namespace orvex::devtools {

namespace {

using nlohmann::json;

std::string text(const json& object, const char* key) {
    if (!object.is_object()) return {};
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

long long integer(const json& object, const char* key) {
    if (!object.is_object()) return 0;
    const auto it = object.find(key);
    return it != object.end() && it->is_number_integer() ? it->get<long long>() : 0;
}

const json& member(const json& object, const char* key) {
    static const json kNull;
    if (!object.is_object()) return kNull;
    const auto it = object.find(key);
    return it != object.end() ? *it : kNull;
}

WindowInfo windowInfoOf(const json& targetInfo) {
    return WindowInfo{text(targetInfo, "targetId"), text(targetInfo, "openerId"), text(targetInfo, "url"),
                      text(targetInfo, "title")};
}

// Only Document requests pause: top-level and frame navigations, never sub-resources.
json documentPatterns() {
    return json::array({{{"urlPattern", "*"}, {"resourceType", "Document"}, {"requestStage", "Request"}}});
}

json autoAttachParams(const char* type) {
    return {{"autoAttach", true},
            {"waitForDebuggerOnStart", true},
            {"flatten", true},
            {"filter", json::array({{{"type", type}}})}};
}

EvalResult evalError(std::string message) {
    EvalResult result;
    result.error = std::move(message);
    return result;
}

}  // namespace

CdpBrowserSession::CdpBrowserSession(Client& client, SteadyNow now)
    : m_client(client), m_loadCalls(std::move(now)) {}

CdpBrowserSession::~CdpBrowserSession() {
    *m_alive = false;
    if (m_browserToken != 0) m_client.unsubscribe(m_browserToken);
    for (const auto& [id, session] : m_sessions) m_client.unsubscribe(session.token);
    m_client.setClosedHandler({});
}

void CdpBrowserSession::start() {
    const auto alive = m_alive;
    m_browserToken = m_client.subscribe({}, [this, alive](const Event& event) {
        if (*alive) onBrowserEvent(event);
    });
    m_client.setClosedHandler([this, alive](const std::string& reason) {
        if (*alive) onClosed(reason);
    });
    auto remaining = std::make_shared<int>(3);
    auto answered = [this, alive, remaining](const char* what) {
        return [this, alive, remaining, what](const Reply& reply) {
            if (!*alive) return;
            if (!reply.ok && m_startError.empty())
                m_startError = std::string(what) + ": " + reply.errorMessage;
            if (--*remaining == 0 && m_startError.empty()) m_ready = true;
        };
    };
    m_client.send("Target.setDiscoverTargets",
                  {{"discover", true}, {"filter", json::array({{{"type", "page"}}})}}, {},
                  answered("target discovery"));
    m_client.send("Fetch.enable", {{"patterns", documentPatterns()}}, {},
                  answered("navigation interception"));
    m_client.send("Target.setAutoAttach", autoAttachParams("page"), {}, answered("auto-attach"));
}

// ----- events -------------------------------------------------------------------------------

void CdpBrowserSession::onBrowserEvent(const Event& event) {
    const json& params = event.params;
    if (event.method == "Fetch.requestPaused") {
        onRequestPaused(params);
    } else if (event.method == "Target.attachedToTarget") {
        onAttached({}, params);
    } else if (event.method == "Target.detachedFromTarget") {
        onDetached(text(params, "sessionId"));
    } else if (event.method == "Target.targetCreated") {
        onTargetInfo(member(params, "targetInfo"), true);
    } else if (event.method == "Target.targetInfoChanged") {
        onTargetInfo(member(params, "targetInfo"), false);
    } else if (event.method == "Target.targetDestroyed") {
        const std::string targetId = text(params, "targetId");
        m_targets.erase(targetId);
        closeWindowState(targetId);
    }
}

void CdpBrowserSession::onSessionEvent(const std::string& sessionId, const Event& event) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    const json& params = event.params;
    const std::string& method = event.method;
    if (method == "Page.lifecycleEvent") {
        onLifecycle(params);
    } else if (method == "Page.frameNavigated") {
        onFrameNavigated(sessionId, member(params, "frame"));
    } else if (method == "Page.frameStartedLoading") {
        onLoading(params, true);
    } else if (method == "Page.frameStoppedLoading") {
        onLoading(params, false);
    } else if (method == "Page.frameAttached") {
        FrameRecord& frame =
            m_frames.ensure(text(params, "frameId"), text(params, "parentFrameId"), session->second.windowId);
        if (frame.sessionId.empty()) frame.sessionId = sessionId;
    } else if (method == "Page.frameDetached") {
        // A frame that moves into its own process ("swap") lives on in another session.
        if (text(params, "reason") != "swap") m_frames.remove(text(params, "frameId"));
    } else if (method == "Runtime.executionContextCreated") {
        const json& context = member(params, "context");
        const std::string frameId = text(member(context, "auxData"), "frameId");
        if (!frameId.empty()) {
            const long long contextId = integer(context, "id");
            session->second.contextFrames[contextId] = frameId;
            // The reader world, made at document creation by the reader script: known before the load.
            if (text(context, "name") == kReaderWorld) {
                session->second.readerContexts[frameId] = contextId;
                makeLoadCall(sessionId, frameId, contextId);
            }
        }
    } else if (method == "Runtime.executionContextDestroyed") {
        const long long contextId = integer(params, "executionContextId");
        session->second.contextFrames.erase(contextId);
        resetReaderContexts(sessionId, contextId);
    } else if (method == "Runtime.executionContextsCleared") {
        session->second.contextFrames.clear();
        resetReaderContexts(sessionId, 0);
    } else if (method == "Runtime.bindingCalled") {
        onBinding(sessionId, params);
    } else if (method == "Page.javascriptDialogOpening") {
        onDialog(sessionId, params, true);
    } else if (method == "Page.javascriptDialogClosed") {
        onDialog(sessionId, params, false);
    } else if (method == "Target.attachedToTarget") {
        onAttached(sessionId, params);
    } else if (method == "Target.detachedFromTarget") {
        onDetached(text(params, "sessionId"));
    }
}

void CdpBrowserSession::onTargetInfo(const json& info, bool created) {
    if (text(info, "type") != "page") return;
    WindowInfo target = windowInfoOf(info);
    if (target.windowId.empty()) return;
    m_targets[target.windowId] = target;
    if (created) return;
    const auto window = m_windows.find(target.windowId);
    if (window == m_windows.end()) return;
    WindowInfo& known = window->second.info;
    const bool changed = known.url != target.url || known.title != target.title;
    known.url = target.url;
    known.title = target.title;
    if (known.openerId.empty()) known.openerId = target.openerId;
    if (changed && window->second.reported && m_observer != nullptr) m_observer->windowChanged(known);
}

void CdpBrowserSession::onAttached(const std::string& parentSessionId, const json& params) {
    const std::string sessionId = text(params, "sessionId");
    const json& info = member(params, "targetInfo");
    const std::string type = text(info, "type");
    const std::string targetId = text(info, "targetId");
    if (sessionId.empty() || targetId.empty()) return;
    if (type != "page" && type != "iframe") {
        // Not ours (workers and the like): let it run and leave it alone.
        m_client.send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
        m_client.send("Target.detachFromTarget", {{"sessionId", sessionId}}, parentSessionId);
        return;
    }
    const bool isPage = type == "page";
    std::string windowId = targetId;
    if (!isPage) {
        const auto parent = m_sessions.find(parentSessionId);
        if (parent == m_sessions.end()) {
            // A frame of a page we no longer follow: never leave it paused.
            m_client.send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
            return;
        }
        windowId = parent->second.windowId;
    }
    const auto alive = m_alive;
    TargetSession session;
    session.sessionId = sessionId;
    session.targetId = targetId;
    session.windowId = windowId;
    session.parentSessionId = parentSessionId;
    session.isPage = isPage;
    session.token = m_client.subscribe(sessionId, [this, alive, sessionId](const Event& event) {
        if (*alive) onSessionEvent(sessionId, event);
    });
    m_sessions[sessionId] = std::move(session);
    if (isPage) {
        Window window;
        window.info = windowInfoOf(info);
        window.sessionId = sessionId;
        m_targets[targetId] = window.info;
        m_windows[targetId] = std::move(window);
        m_frames.ensure(targetId, {}, targetId).sessionId = sessionId;
    } else {
        m_frames.ensure(targetId, text(info, "parentFrameId"), windowId).sessionId = sessionId;
    }

    // Everything the program needs of a target, sent at once; the target starts after the last
    // answer (whatever it was), so no document of it runs unwatched.
    struct Step {
        const char* method;
        json params;
    };
    const std::vector<Step> steps = {
        {"Page.enable", json::object()},
        {"Page.setLifecycleEventsEnabled", {{"enabled", true}}},
        {"Runtime.enable", json::object()},  // bindings are lost on navigation without it
        {"Runtime.addBinding", {{"name", kBindingName}, {"executionContextName", kWatchWorld}}},
        {"Page.addScriptToEvaluateOnNewDocument",
         {{"source", watchScript()}, {"worldName", kWatchWorld}, {"runImmediately", true}}},
        {"Target.setAutoAttach", autoAttachParams("iframe")},
        {"Page.getFrameTree", json::object()},
    };
    auto remaining = std::make_shared<std::size_t>(steps.size());
    for (const auto& step : steps) {
        const bool isTree = std::string_view(step.method) == "Page.getFrameTree";
        m_client.send(step.method, step.params, sessionId,
                      [this, alive, remaining, sessionId, isTree](const Reply& reply) {
                          if (!*alive) return;
                          if (isTree && reply.ok) seedFrames(sessionId, member(reply.result, "frameTree"));
                          if (--*remaining == 0) finishSetup(sessionId);
                      });
    }
    // Sent before the target is let run, so its first document already has the reader world.
    installReaderScript(sessionId);
}

void CdpBrowserSession::finishSetup(const std::string& sessionId) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    if (session->second.isPage) {
        const std::string windowId = session->second.windowId;
        const auto window = m_windows.find(windowId);
        if (window == m_windows.end()) return;
        if (!window->second.reported) {
            window->second.reported = true;
            m_windowOrder.push_back(windowId);
            if (m_observer != nullptr) {
                const auto alive = m_alive;
                const WindowInfo info = window->second.info;
                m_observer->windowOpened(info);
                if (!*alive) return;
            }
        }
        const auto still = m_windows.find(windowId);
        if (still == m_windows.end() || still->second.held) return;
    }
    m_client.send("Runtime.runIfWaitingForDebugger", json::object(), sessionId);
}

void CdpBrowserSession::onDetached(const std::string& sessionId) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    const TargetSession gone = std::move(session->second);
    m_sessions.erase(session);
    m_client.unsubscribe(gone.token);
    if (gone.isPage) {
        closeWindowState(gone.windowId);
        return;
    }
    // The frame went back into its parent's process, or away; the parent's events tell which.
    m_frames.moveSession(sessionId, gone.parentSessionId);
}

void CdpBrowserSession::seedFrames(const std::string& sessionId, const json& frameTree) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    const std::string windowId = session->second.windowId;
    // Iterative walk: a page decides how deep its frames nest.
    std::vector<const json*> pending{&frameTree};
    while (!pending.empty()) {
        const json* node = pending.back();
        pending.pop_back();
        const json& frame = member(*node, "frame");
        const std::string frameId = text(frame, "id");
        if (!frameId.empty()) {
            FrameRecord& known = m_frames.ensure(frameId, text(frame, "parentId"), windowId);
            if (!known.navigated && known.loaderId.empty()) {
                known.sessionId = sessionId;
                known.loaderId = text(frame, "loaderId");
                known.info.url = text(frame, "url") + text(frame, "urlFragment");
                known.info.name = text(frame, "name");
                known.navigated = !known.info.url.empty() && known.info.url != "about:blank";
            }
        }
        const json& children = member(*node, "childFrames");
        if (children.is_array()) {
            for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(&*it);
        }
    }
}

void CdpBrowserSession::onFrameNavigated(const std::string& sessionId, const json& frame) {
    const std::string frameId = text(frame, "id");
    const auto session = m_sessions.find(sessionId);
    if (frameId.empty() || session == m_sessions.end()) return;
    FrameRecord& known = m_frames.ensure(frameId, text(frame, "parentId"), session->second.windowId);
    known.sessionId = sessionId;
    known.loaderId = text(frame, "loaderId");
    // The address the program sees includes the fragment, as the address bar shows it.
    known.info.url = text(frame, "url") + text(frame, "urlFragment");
    known.info.name = text(frame, "name");
    known.navigated = true;
    // The browser reports the new document's worlds after its navigation: any known one is the old's.
    session->second.readerContexts.erase(frameId);
    m_loadCalls.forget(frameId);
    if (m_observer != nullptr) m_observer->frameNavigated(FrameInfo(known.info));
}

void CdpBrowserSession::onLifecycle(const json& params) {
    if (text(params, "name") != "load") return;
    FrameRecord* frame = m_frames.find(text(params, "frameId"));
    if (frame == nullptr) return;
    FrameRecord& known = *frame;
    const std::string loaderId = text(params, "loaderId");
    // The initial empty document has no navigation of its own: its load is not the page's.
    if (!known.navigated || loaderId.empty() || loaderId != known.loaderId ||
        known.reportedLoaderId == loaderId) {
        return;
    }
    known.reportedLoaderId = loaderId;
    if (m_observer != nullptr) m_observer->frameLoaded(FrameInfo(known.info));
}

void CdpBrowserSession::onLoading(const json& params, bool started) {
    const FrameRecord* frame = m_frames.find(text(params, "frameId"));
    if (frame == nullptr || m_observer == nullptr) return;
    const FrameInfo info = frame->info;
    if (started) {
        m_observer->frameStartedLoading(info);
    } else {
        m_observer->frameStoppedLoading(info);
    }
}

void CdpBrowserSession::onBinding(const std::string& sessionId, const json& params) {
    if (text(params, "name") != kBindingName || m_observer == nullptr) return;
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    const auto message = parseWatchMessage(text(params, "payload"));
    if (!message) return;
    std::string frameId = session->second.targetId;
    const auto context = session->second.contextFrames.find(integer(params, "executionContextId"));
    if (context != session->second.contextFrames.end()) frameId = context->second;
    FrameInfo info{session->second.windowId, frameId, {}, {}, {}};
    if (const FrameRecord* frame = m_frames.find(frameId)) info = frame->info;
    if (message->kind == WatchMessage::Kind::Mailto) {
        m_observer->mailtoClicked(info, message->url);
    } else {
        m_observer->windowFocused(info.windowId);
    }
}

void CdpBrowserSession::onDialog(const std::string& sessionId, const json& params, bool opening) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    const std::string windowId = session->second.windowId;
    if (!opening) {
        if (m_openDialogs.erase(windowId) != 0 && m_observer != nullptr) m_observer->dialogClosed(windowId);
        return;
    }
    m_openDialogs.insert(windowId);
    DialogInfo dialog{windowId, text(params, "type"), text(params, "message"), false};
    if (m_dialogPolicy == DialogPolicy::Accept) {
        dialog.accepted = true;
        m_client.send("Page.handleJavaScriptDialog",
                      {{"accept", true}, {"promptText", text(params, "defaultPrompt")}}, sessionId);
    }
    if (m_observer != nullptr) m_observer->dialogOpened(dialog);
}

bool CdpBrowserSession::dialogOpenFor(const std::string& frameId) const {
    const FrameRecord* frame = m_frames.find(frameId);
    return frame != nullptr && m_openDialogs.count(frame->info.windowId) != 0;
}

void CdpBrowserSession::onRequestPaused(const json& params) {
    NavigationRequest request;
    request.requestId = text(params, "requestId");
    if (request.requestId.empty()) return;
    const json& http = member(params, "request");
    request.url = text(http, "url");
    request.method = text(http, "method");
    request.frameId = text(params, "frameId");
    request.redirected = !text(params, "redirectedRequestId").empty();
    if (const FrameRecord* frame = m_frames.find(request.frameId)) {
        request.windowId = frame->info.windowId;
        request.frameName = frame->info.name;
        request.topLevel = frame->info.parentFrameId.empty() && request.windowId == request.frameId;
    } else if (m_windows.count(request.frameId) != 0 || m_targets.count(request.frameId) != 0) {
        request.windowId = request.frameId;
        request.topLevel = true;
    }
    m_pausedRequests.insert(request.requestId);
    NavigationDecision decision = NavigationDecision::proceed();
    if (m_observer != nullptr) {
        const auto alive = m_alive;
        decision = m_observer->navigationRequested(request);
        if (!*alive) return;
    }
    if (decision.kind != NavigationDecision::Kind::Defer) applyDecision(request.requestId, decision);
}

void CdpBrowserSession::onClosed(const std::string& reason) {
    if (m_closed) return;
    m_closed = true;
    m_ready = false;
    const auto alive = m_alive;
    const std::vector<std::string> order = m_windowOrder;
    for (const auto& windowId : order) {
        closeWindowState(windowId);
        if (!*alive) return;
    }
    m_sessions.clear();
    m_frames.clear();
    m_pausedRequests.clear();
    if (m_observer != nullptr) m_observer->browserClosed(reason);
}

void CdpBrowserSession::closeWindowState(const std::string& windowId) {
    const auto window = m_windows.find(windowId);
    if (window == m_windows.end()) return;
    const bool reported = window->second.reported;
    m_windows.erase(window);
    std::erase(m_windowOrder, windowId);
    m_frames.removeWindow(windowId);
    m_openDialogs.erase(windowId);
    if (reported && m_observer != nullptr) m_observer->windowClosed(windowId);
}

// ----- frames -------------------------------------------------------------------------------

std::vector<WindowInfo> CdpBrowserSession::windows() const {
    std::vector<WindowInfo> result;
    for (const auto& id : m_windowOrder) {
        if (const auto it = m_windows.find(id); it != m_windows.end()) result.push_back(it->second.info);
    }
    return result;
}

std::vector<FrameInfo> CdpBrowserSession::frames(const std::string& windowId) const {
    return m_frames.framesOf(windowId);
}

std::string CdpBrowserSession::sessionOfFrame(const std::string& frameId) const {
    return m_frames.sessionOf(frameId);
}

std::string CdpBrowserSession::sessionOfWindow(const std::string& windowId) const {
    const auto it = m_windows.find(windowId);
    return it != m_windows.end() ? it->second.sessionId : std::string();
}

// ----- requests -----------------------------------------------------------------------------

void CdpBrowserSession::applyDecision(const std::string& requestId, const NavigationDecision& decision) {
    if (m_pausedRequests.erase(requestId) == 0) return;
    switch (decision.kind) {
        case NavigationDecision::Kind::Continue:
            m_client.send("Fetch.continueRequest", {{"requestId", requestId}});
            break;
        case NavigationDecision::Kind::Redirect:
            // A redirect to nowhere is a cancel: the old page stays.
            if (!decision.url.empty()) {
                m_client.send(
                    "Fetch.fulfillRequest",
                    {{"requestId", requestId},
                     {"responseCode", 302},
                     {"responseHeaders", json::array({{{"name", "Location"}, {"value", decision.url}}})}});
                break;
            }
            [[fallthrough]];
        case NavigationDecision::Kind::Cancel:
            m_client.send("Fetch.failRequest", {{"requestId", requestId}, {"errorReason", "Aborted"}});
            break;
        case NavigationDecision::Kind::Defer:
            m_pausedRequests.insert(requestId);
            break;
    }
}

void CdpBrowserSession::decideNavigation(const std::string& requestId, const NavigationDecision& decision) {
    applyDecision(requestId, decision);
}

void CdpBrowserSession::openWindow(const std::string& url,
                                   std::function<void(std::optional<std::string>)> done) {
    const auto alive = m_alive;
    m_client.send("Target.createTarget", {{"url", url}, {"newWindow", true}}, {},
                  [alive, done = std::move(done)](const Reply& reply) {
                      if (!*alive || !done) return;
                      const std::string id = text(reply.result, "targetId");
                      if (reply.ok && !id.empty()) {
                          done(id);
                      } else {
                          done(std::nullopt);
                      }
                  });
}

void CdpBrowserSession::closeWindow(const std::string& windowId) {
    if (m_windows.count(windowId) == 0 && m_targets.count(windowId) == 0) return;
    m_client.send("Target.closeTarget", {{"targetId", windowId}});
}

void CdpBrowserSession::navigate(const std::string& windowId, const std::string& url,
                                 const std::string& frameId) {
    if (m_windows.count(windowId) == 0) return;
    std::string sessionId = sessionOfWindow(windowId);
    json params = {{"url", url}};
    if (!frameId.empty()) {
        const FrameRecord* frame = m_frames.find(frameId);
        if (frame == nullptr || frame->info.windowId != windowId) return;
        if (!frame->sessionId.empty()) sessionId = frame->sessionId;
        params["frameId"] = frameId;
    }
    m_client.send("Page.navigate", std::move(params), sessionId);
}

void CdpBrowserSession::holdWindow(const std::string& windowId) {
    if (const auto it = m_windows.find(windowId); it != m_windows.end()) it->second.held = true;
}

void CdpBrowserSession::releaseWindow(const std::string& windowId) {
    const auto it = m_windows.find(windowId);
    if (it == m_windows.end() || !it->second.held) return;
    it->second.held = false;
    if (it->second.reported)
        m_client.send("Runtime.runIfWaitingForDebugger", json::object(), it->second.sessionId);
}

void CdpBrowserSession::bringToFront(const std::string& windowId) {
    const std::string sessionId = sessionOfWindow(windowId);
    if (!sessionId.empty()) m_client.send("Page.bringToFront", json::object(), sessionId);
}

void CdpBrowserSession::getWindowBounds(const std::string& windowId,
                                        std::function<void(std::optional<WindowBounds>)> done) {
    const auto alive = m_alive;
    m_client.send("Browser.getWindowForTarget", {{"targetId", windowId}}, {},
                  [alive, done = std::move(done)](const Reply& reply) {
                      if (!*alive || !done) return;
                      const json& bounds = member(reply.result, "bounds");
                      if (!reply.ok || !bounds.is_object()) {
                          done(std::nullopt);
                          return;
                      }
                      WindowBounds result;
                      result.left = static_cast<int>(integer(bounds, "left"));
                      result.top = static_cast<int>(integer(bounds, "top"));
                      result.width = static_cast<int>(integer(bounds, "width"));
                      result.height = static_cast<int>(integer(bounds, "height"));
                      const std::string state = text(bounds, "windowState");
                      if (!state.empty()) result.state = state;
                      done(result);
                  });
}

void CdpBrowserSession::setWindowBounds(const std::string& windowId, const WindowBounds& bounds,
                                        std::function<void(bool)> done) {
    const auto alive = m_alive;
    m_client.send(
        "Browser.getWindowForTarget", {{"targetId", windowId}}, {},
        [this, alive, bounds, done = std::move(done)](const Reply& reply) {
            if (!*alive) return;
            if (!reply.ok || !member(reply.result, "windowId").is_number_integer()) {
                if (done) done(false);
                return;
            }
            // Position and size go with the normal state only; the browser rejects them otherwise.
            json wanted = {{"windowState", bounds.state.empty() ? std::string("normal") : bounds.state}};
            if (wanted["windowState"] == "normal") {
                wanted["left"] = bounds.left;
                wanted["top"] = bounds.top;
                wanted["width"] = bounds.width;
                wanted["height"] = bounds.height;
            }
            m_client.send("Browser.setWindowBounds",
                          {{"windowId", integer(reply.result, "windowId")}, {"bounds", std::move(wanted)}},
                          {}, [alive, done](const Reply& answer) {
                              if (*alive && done) done(answer.ok);
                          });
        });
}

// ----- evaluation ---------------------------------------------------------------------------

void CdpBrowserSession::evaluate(const std::string& frameId, const std::string& expression,
                                 std::function<void(const EvalResult&)> done) {
    const FrameRecord* frame = m_frames.find(frameId);
    if (frame == nullptr || frame->sessionId.empty()) {
        m_client.post([done = std::move(done), frameId] {
            if (done) done(evalError("unknown frame " + frameId));
        });
        return;
    }
    runEvaluation(frameId, expression, std::move(done), true);
}

void CdpBrowserSession::runEvaluation(const std::string& frameId, const std::string& expression,
                                      std::function<void(const EvalResult&)> done, bool mayRetry) {
    const FrameRecord* frame = m_frames.find(frameId);
    if (frame == nullptr || frame->sessionId.empty()) {
        if (done) done(evalError("frame is gone"));
        return;
    }
    if (const long long contextId = readerContextOf(frameId); contextId != 0) {
        sendEvaluate(frameId, contextId, expression, std::move(done), mayRetry);
        return;
    }
    const auto alive = m_alive;
    const std::string sessionId = frame->sessionId;
    const std::string loaderId = frame->loaderId;
    m_client.send("Page.createIsolatedWorld",
                  {{"frameId", frameId}, {"worldName", kReaderWorld}, {"grantUniveralAccess", false}},
                  sessionId,
                  [this, alive, frameId, expression, done = std::move(done), mayRetry, sessionId,
                   loaderId](const Reply& reply) mutable {
                      if (!*alive) return;
                      const long long contextId = integer(reply.result, "executionContextId");
                      if (!reply.ok || contextId == 0) {
                          if (done) done(evalError("no isolated world: " + reply.errorMessage));
                          return;
                      }
                      // Keep the world only while the frame still shows the document it was made for.
                      const FrameRecord* current = m_frames.find(frameId);
                      const auto session = m_sessions.find(sessionId);
                      if (current != nullptr && current->sessionId == sessionId &&
                          current->loaderId == loaderId && session != m_sessions.end()) {
                          session->second.readerContexts[frameId] = contextId;
                      }
                      sendEvaluate(frameId, contextId, expression, std::move(done), mayRetry);
                  });
}

void CdpBrowserSession::sendEvaluate(const std::string& frameId, long long contextId,
                                     const std::string& expression,
                                     std::function<void(const EvalResult&)> done, bool mayRetry) {
    const FrameRecord* frame = m_frames.find(frameId);
    if (frame == nullptr) {
        if (done) done(evalError("frame is gone"));
        return;
    }
    const auto alive = m_alive;
    m_client.send("Runtime.evaluate",
                  {{"expression", expression},
                   {"contextId", contextId},
                   {"returnByValue", true},
                   {"awaitPromise", true}},
                  frame->sessionId,
                  [this, alive, frameId, contextId, expression, done = std::move(done),
                   mayRetry](const Reply& reply) mutable {
                      if (!*alive) return;
                      if (!reply.ok) {
                          // The world went with its document (navigation, process swap): make a new one
                          // once.
                          if (mayRetry && reply.errorCode != kErrorClosed) {
                              resetReaderContexts(sessionOfFrame(frameId), contextId);
                              runEvaluation(frameId, expression, std::move(done), false);
                              return;
                          }
                          if (done) done(evalError(reply.errorMessage));
                          return;
                      }
                      const json& exception = member(reply.result, "exceptionDetails");
                      if (exception.is_object()) {
                          std::string message = text(member(exception, "exception"), "description");
                          if (message.empty()) message = text(exception, "text");
                          if (done) done(evalError(message.empty() ? std::string("exception") : message));
                          return;
                      }
                      EvalResult result;
                      result.ok = true;
                      const json& value = member(reply.result, "result");
                      if (value.is_object()) {
                          if (const auto it = value.find("value"); it != value.end()) result.value = *it;
                      }
                      if (done) done(result);
                  });
}

void CdpBrowserSession::resetReaderContexts(const std::string& sessionId, long long contextId) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    auto& contexts = session->second.readerContexts;
    if (contextId == 0) {
        contexts.clear();
        return;
    }
    std::erase_if(contexts, [contextId](const auto& entry) { return entry.second == contextId; });
}

long long CdpBrowserSession::readerContextOf(const std::string& frameId) const {
    const FrameRecord* frame = m_frames.find(frameId);
    if (frame == nullptr) return 0;
    const auto session = m_sessions.find(frame->sessionId);
    if (session == m_sessions.end()) return 0;
    const auto context = session->second.readerContexts.find(frameId);
    return context != session->second.readerContexts.end() ? context->second : 0;
}

void CdpBrowserSession::makeLoadCall(const std::string& sessionId, const std::string& frameId,
                                     long long contextId) {
    const FrameRecord* frame = m_frames.find(frameId);
    // Not for the initial empty documents, which have no load of their own.
    if (m_loadCall.empty() || frame == nullptr || !frame->navigated || frame->sessionId != sessionId) return;
    const std::string loaderId = frame->loaderId;
    m_loadCalls.made(frameId, loaderId);
    const auto alive = m_alive;
    m_client.send(
        "Runtime.evaluate",
        {{"expression", m_loadCall},
         {"contextId", contextId},
         {"returnByValue", true},
         {"awaitPromise", true}},
        sessionId, [this, alive, frameId, loaderId](const Reply& reply) {
            if (!*alive) return;
            const json& value = member(member(reply.result, "result"), "value");
            std::optional<EvalResult> result;
            if (reply.ok && !member(reply.result, "exceptionDetails").is_object() && !value.is_null()) {
                result.emplace();
                result->ok = true;
                result->value = value;
            }
            m_loadCalls.answered(frameId, loaderId, std::move(result));
        });
}

LoadCallState CdpBrowserSession::takeLoadCall(const std::string& frameId) {
    const FrameRecord* frame = m_frames.find(frameId);
    if (frame == nullptr) return {};
    return m_loadCalls.take(frameId, frame->loaderId, frame->reportedLoaderId == frame->loaderId);
}

void CdpBrowserSession::setReaderScript(const std::string& source) {
    if (source == m_readerScript) return;
    m_readerScript = source;
    for (const auto& [sessionId, session] : m_sessions) installReaderScript(sessionId);
}

void CdpBrowserSession::installReaderScript(const std::string& sessionId) {
    const auto session = m_sessions.find(sessionId);
    if (session == m_sessions.end()) return;
    if (!session->second.readerScriptId.empty()) {
        m_client.send("Page.removeScriptToEvaluateOnNewDocument",
                      {{"identifier", session->second.readerScriptId}}, sessionId);
        session->second.readerScriptId.clear();
    }
    if (m_readerScript.empty()) return;
    const auto alive = m_alive;
    m_client.send("Page.addScriptToEvaluateOnNewDocument",
                  {{"source", m_readerScript}, {"worldName", kReaderWorld}, {"runImmediately", true}},
                  sessionId, [this, alive, sessionId](const Reply& reply) {
                      if (!*alive || !reply.ok) return;
                      const auto still = m_sessions.find(sessionId);
                      if (still != m_sessions.end())
                          still->second.readerScriptId = text(reply.result, "identifier");
                  });
}

}  // namespace orvex::devtools
