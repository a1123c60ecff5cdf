#pragma once
// The browser session over the DevTools protocol: page targets as windows, flat sessions per
// page and per out-of-process frame, Document navigations paused for a decision, per-frame load
// events and the watch script's reports.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "devtools/browser_session.h"
#include "devtools/client.h"
#include "devtools/frame_tree.h"
#include "devtools/load_call_cache.h"

namespace orvex::devtools {

/// BrowserSession on a protocol client, which must outlive it.
class CdpBrowserSession final : public BrowserSession {
  public:
    /// A session over `client`; `now` is the clock that ages load-call answers (the steady clock
    /// when empty).
    explicit CdpBrowserSession(Client& client, SteadyNow now = {});
    ~CdpBrowserSession() override;
    CdpBrowserSession(const CdpBrowserSession&) = delete;
    CdpBrowserSession& operator=(const CdpBrowserSession&) = delete;

    /// Turns on target discovery, Document interception and paused auto-attach; isReady() once the
    /// browser accepted all three, startError() says what failed otherwise.
    void start();
    /// Why start() failed; empty when it did not (or has not finished).
    const std::string& startError() const { return m_startError; }

    // BrowserSession; see there.
    void setObserver(BrowserEvents* observer) override { m_observer = observer; }
    bool isReady() const override { return m_ready; }
    bool isOpen() const override { return m_client.isOpen(); }
    void openWindow(const std::string& url, std::function<void(std::optional<std::string>)> done) override;
    void closeWindow(const std::string& windowId) override;
    void navigate(const std::string& windowId, const std::string& url,
                  const std::string& frameId = {}) override;
    void decideNavigation(const std::string& requestId, const NavigationDecision& decision) override;
    void holdWindow(const std::string& windowId) override;
    void releaseWindow(const std::string& windowId) override;
    std::vector<WindowInfo> windows() const override;
    std::vector<FrameInfo> frames(const std::string& windowId) const override;
    void setReaderScript(const std::string& source) override;
    void setLoadCall(const std::string& expression) override { m_loadCall = expression; }
    LoadCallState takeLoadCall(const std::string& frameId) override;
    void evaluate(const std::string& frameId, const std::string& expression,
                  std::function<void(const EvalResult&)> done) override;
    void getWindowBounds(const std::string& windowId,
                         std::function<void(std::optional<WindowBounds>)> done) override;
    void setWindowBounds(const std::string& windowId, const WindowBounds& bounds,
                         std::function<void(bool)> done) override;
    void bringToFront(const std::string& windowId) override;
    void setDialogPolicy(DialogPolicy policy) override { m_dialogPolicy = policy; }
    bool dialogOpenFor(const std::string& frameId) const override;

    /// The session id that hosts a frame (for tests and the live loader); empty when unknown.
    std::string sessionOfFrame(const std::string& frameId) const;

  private:
    struct TargetSession {
        std::string sessionId;
        std::string targetId;
        std::string windowId;
        std::string parentSessionId;
        bool isPage = false;
        int token = 0;
        std::map<long long, std::string> contextFrames;   // execution context id -> frame id
        std::map<std::string, long long> readerContexts;  // frame id -> its reader world's context
        std::string readerScriptId;                       // the installed reader script, if any
    };
    struct Window {
        WindowInfo info;
        std::string sessionId;
        bool reported = false;
        bool held = false;
    };

    void onBrowserEvent(const Event& event);
    void onSessionEvent(const std::string& sessionId, const Event& event);
    void onAttached(const std::string& parentSessionId, const nlohmann::json& params);
    void onDetached(const std::string& sessionId);
    void finishSetup(const std::string& sessionId);
    void seedFrames(const std::string& sessionId, const nlohmann::json& frameTree);
    void onFrameNavigated(const std::string& sessionId, const nlohmann::json& frame);
    void onLifecycle(const nlohmann::json& params);
    void onLoading(const nlohmann::json& params, bool started);
    void onBinding(const std::string& sessionId, const nlohmann::json& params);
    void onDialog(const std::string& sessionId, const nlohmann::json& params, bool opening);
    void onRequestPaused(const nlohmann::json& params);
    void onTargetInfo(const nlohmann::json& info, bool created);
    void onClosed(const std::string& reason);
    void closeWindowState(const std::string& windowId);
    void applyDecision(const std::string& requestId, const NavigationDecision& decision);
    void runEvaluation(const std::string& frameId, const std::string& expression,
                       std::function<void(const EvalResult&)> done, bool mayRetry);
    void sendEvaluate(const std::string& frameId, long long contextId, const std::string& expression,
                      std::function<void(const EvalResult&)> done, bool mayRetry);
    void resetReaderContexts(const std::string& sessionId, long long contextId);
    long long readerContextOf(const std::string& frameId) const;
    void installReaderScript(const std::string& sessionId);
    void makeLoadCall(const std::string& sessionId, const std::string& frameId, long long contextId);
    std::string sessionOfWindow(const std::string& windowId) const;

    Client& m_client;
    BrowserEvents* m_observer = nullptr;
    bool m_ready = false;
    bool m_closed = false;
    std::string m_startError;
    int m_browserToken = 0;
    std::map<std::string, WindowInfo> m_targets;  // page targets seen by discovery
    std::map<std::string, Window> m_windows;
    std::vector<std::string> m_windowOrder;
    std::map<std::string, TargetSession> m_sessions;
    FrameTree m_frames;
    LoadCallCache m_loadCalls;
    std::set<std::string> m_pausedRequests;
    std::string m_readerScript;
    std::string m_loadCall;
    DialogPolicy m_dialogPolicy = DialogPolicy::LeaveToUser;
    std::set<std::string> m_openDialogs;  // windows with a JavaScript dialog open
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace orvex::devtools
