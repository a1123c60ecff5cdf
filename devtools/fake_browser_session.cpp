#include "devtools/fake_browser_session.h"

#include <algorithm>

namespace orvex::devtools {

void FakeBrowserSession::openWindow(const std::string& url,
                                    std::function<void(std::optional<std::string>)> done) {
    openedUrls.push_back(url);
    if (!m_open) {
        if (done) done(std::nullopt);
        return;
    }
    const std::string id = "W" + std::to_string(m_nextWindow++);
    addWindow(WindowInfo{id, {}, url, {}});
    if (done) done(id);
}

void FakeBrowserSession::navigate(const std::string& windowId, const std::string& url,
                                  const std::string& frameId) {
    navigations.push_back(Navigation{windowId, url, frameId});
}

std::vector<FrameInfo> FakeBrowserSession::frames(const std::string& windowId) const {
    std::vector<FrameInfo> result;
    for (const auto& frame : m_frames) {
        if (frame.windowId == windowId) result.push_back(frame);
    }
    return result;
}

LoadCallState FakeBrowserSession::takeLoadCall(const std::string& frameId) {
    const auto it = loadCalls.find(frameId);
    if (it == loadCalls.end()) return {};
    if (it->second.pending && pendingTakes > 0) {
        --pendingTakes;
        return LoadCallState{true, std::nullopt};
    }
    LoadCallState state{false, std::move(it->second.result)};
    loadCalls.erase(it);
    return state;
}

void FakeBrowserSession::evaluate(const std::string& frameId, const std::string& expression,
                                  std::function<void(const EvalResult&)> done) {
    evaluations.emplace_back(frameId, expression);
    if (!done) return;
    if (holdEvaluations) {
        heldEvaluations.push_back(std::move(done));
        return;
    }
    if (onEvaluate) {
        if (auto answer = onEvaluate(frameId, expression)) {
            done(*answer);
            return;
        }
    }
    const auto it = evalResults.find(frameId);
    if (it != evalResults.end()) {
        done(it->second);
        return;
    }
    EvalResult error;
    error.error = "unknown frame " + frameId;
    done(error);
}

void FakeBrowserSession::getWindowBounds(const std::string& windowId,
                                         std::function<void(std::optional<WindowBounds>)> done) {
    if (!done) return;
    const auto it = bounds.find(windowId);
    if (it == bounds.end()) {
        done(std::nullopt);
    } else {
        done(it->second);
    }
}

void FakeBrowserSession::setWindowBounds(const std::string& windowId, const WindowBounds& wanted,
                                         std::function<void(bool)> done) {
    const bool known = std::any_of(m_windows.begin(), m_windows.end(),
                                   [&](const WindowInfo& w) { return w.windowId == windowId; });
    if (known) bounds[windowId] = wanted;
    if (done) done(known);
}

void FakeBrowserSession::addWindow(const WindowInfo& window) {
    m_windows.push_back(window);
    m_frames.push_back(FrameInfo{window.windowId, window.windowId, {}, {}, window.url});
    if (m_observer != nullptr) m_observer->windowOpened(window);
}

void FakeBrowserSession::removeWindow(const std::string& windowId) {
    std::erase_if(m_windows, [&](const WindowInfo& w) { return w.windowId == windowId; });
    std::erase_if(m_frames, [&](const FrameInfo& f) { return f.windowId == windowId; });
    if (m_observer != nullptr) m_observer->windowClosed(windowId);
}

NavigationDecision FakeBrowserSession::requestNavigation(const NavigationRequest& request) {
    if (m_observer == nullptr) return NavigationDecision::proceed();
    return m_observer->navigationRequested(request);
}

void FakeBrowserSession::closeBrowser(const std::string& reason) {
    const auto windows = m_windows;
    for (const auto& window : windows) removeWindow(window.windowId);
    m_open = false;
    if (m_observer != nullptr) m_observer->browserClosed(reason);
}

}  // namespace orvex::devtools
