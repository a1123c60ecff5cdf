#pragma once
// A browser session for tests of the watcher and the bar: records what the program asks of the
// browser and lets the test raise the browser's events.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "devtools/browser_session.h"

namespace orvex::devtools {

/// Scriptable BrowserSession; callbacks run at once with the scripted answers.
class FakeBrowserSession final : public BrowserSession {
  public:
    void setObserver(BrowserEvents* observer) override { m_observer = observer; }
    bool isReady() const override { return m_open; }
    bool isOpen() const override { return m_open; }
    void openWindow(const std::string& url, std::function<void(std::optional<std::string>)> done) override;
    void closeWindow(const std::string& windowId) override { closedWindows.push_back(windowId); }
    void navigate(const std::string& windowId, const std::string& url,
                  const std::string& frameId = {}) override;
    void decideNavigation(const std::string& requestId, const NavigationDecision& decision) override {
        decisions[requestId] = decision;
    }
    void holdWindow(const std::string& windowId) override { heldWindows.push_back(windowId); }
    void releaseWindow(const std::string& windowId) override { releasedWindows.push_back(windowId); }
    std::vector<WindowInfo> windows() const override { return m_windows; }
    std::vector<FrameInfo> frames(const std::string& windowId) const override;
    void setReaderScript(const std::string& source) override { readerScript = source; }
    void setLoadCall(const std::string& expression) override { loadCall = expression; }
    /// Hands out (and forgets) the scripted state of loadCalls; nothing for other frames.
    LoadCallState takeLoadCall(const std::string& frameId) override;
    void evaluate(const std::string& frameId, const std::string& expression,
                  std::function<void(const EvalResult&)> done) override;
    void getWindowBounds(const std::string& windowId,
                         std::function<void(std::optional<WindowBounds>)> done) override;
    void setWindowBounds(const std::string& windowId, const WindowBounds& bounds,
                         std::function<void(bool)> done) override;
    void bringToFront(const std::string& windowId) override { raisedWindows.push_back(windowId); }

    // ----- the browser's side, driven by the test -----
    /// Adds a window (and its main frame) and reports it as opened.
    void addWindow(const WindowInfo& window);
    /// Adds a frame to a window without reporting anything.
    void addFrame(const FrameInfo& frame) { m_frames.push_back(frame); }
    /// Removes a window and its frames and reports it closed.
    void removeWindow(const std::string& windowId);
    /// Reports a navigation request and returns the observer's decision (Continue without one).
    NavigationDecision requestNavigation(const NavigationRequest& request);
    /// The observer, for raising any other event directly.
    BrowserEvents* observer() const { return m_observer; }
    /// Ends the browser: reports every window closed, then the browser.
    void closeBrowser(const std::string& reason);

    // ----- what the program asked -----
    struct Navigation {
        std::string windowId;
        std::string url;
        std::string frameId;
    };
    std::vector<std::string> openedUrls;
    std::vector<std::string> closedWindows;
    std::vector<Navigation> navigations;
    std::map<std::string, NavigationDecision> decisions;
    std::vector<std::string> heldWindows;
    std::vector<std::string> releasedWindows;
    std::vector<std::string> raisedWindows;
    std::vector<std::pair<std::string, std::string>> evaluations;  ///< frame id, expression
    std::string readerScript;                                      ///< the latest setReaderScript
    std::string loadCall;                                          ///< the latest setLoadCall
    /// Load call states by frame id, handed out by takeLoadCall: a pending one is handed out as
    /// pending pendingTakes times, then as its result.
    std::map<std::string, LoadCallState> loadCalls;
    int pendingTakes = 0;
    std::map<std::string, WindowBounds> bounds;  ///< by window id
    /// Answers of evaluate by frame id; unknown frames get an error result.
    std::map<std::string, EvalResult> evalResults;
    /// When set, answers evaluate first (frame id, expression); nothing falls back to evalResults.
    std::function<std::optional<EvalResult>(const std::string&, const std::string&)> onEvaluate;
    /// When true, evaluate answers nothing and keeps its callback in heldEvaluations.
    bool holdEvaluations = false;
    std::vector<std::function<void(const EvalResult&)>> heldEvaluations;
    /// Frames whose window has a JavaScript dialog open (dialogOpenFor).
    std::set<std::string> dialogFrames;
    bool dialogOpenFor(const std::string& frameId) const override { return dialogFrames.count(frameId) != 0; }

  private:
    BrowserEvents* m_observer = nullptr;
    bool m_open = true;
    int m_nextWindow = 1;
    std::vector<WindowInfo> m_windows;
    std::vector<FrameInfo> m_frames;
};

}  // namespace orvex::devtools
