#pragma once
// The program's view of the browser: windows (page targets), their frames, navigations that
// wait for a decision, and the page events the watchers need. An interface, so the watcher can
// be tested against a fake.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace orvex::devtools {

/// How long the answer of a load call stays usable after it arrived.
inline constexpr int kLoadCallFreshMs = 1000;

/// One browser window (a page target); windowId is the target id.
struct WindowInfo {
    std::string windowId;
    std::string openerId;  ///< the window that opened this one with window.open or a target link
    std::string url;
    std::string title;
};

/// One frame of a window; the main frame's id equals the window id.
struct FrameInfo {
    std::string windowId;
    std::string frameId;
    std::string parentFrameId;  ///< empty for the main frame
    std::string name;           ///< the frame's name as of its last navigation
    std::string url;
};

/// A document navigation that waits for the program's decision.
struct NavigationRequest {
    std::string requestId;
    std::string windowId;  ///< empty when the frame belongs to no known window
    std::string frameId;
    std::string frameName;  ///< the frame's name when known from an earlier navigation
    std::string url;
    std::string method;
    bool topLevel = false;    ///< the window's main frame
    bool redirected = false;  ///< follows a server or program redirect
};

/// What becomes of a paused navigation.
struct NavigationDecision {
    enum class Kind { Continue, Cancel, Redirect, Defer };
    Kind kind = Kind::Continue;
    std::string url;  ///< the new address for Redirect

    static NavigationDecision proceed() { return {}; }
    static NavigationDecision cancel() { return {Kind::Cancel, {}}; }
    static NavigationDecision redirect(std::string to) { return {Kind::Redirect, std::move(to)}; }
    static NavigationDecision defer() { return {Kind::Defer, {}}; }
};

/// Screen position and size of a window; state is "normal", "minimized", "maximized" or "fullscreen".
struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string state = "normal";
};

/// The outcome of evaluating an expression in a frame.
struct EvalResult {
    bool ok = false;
    nlohmann::json value;  ///< the expression's value as JSON (null for undefined)
    std::string error;     ///< the exception or protocol error when not ok
};

/// A JavaScript dialog (alert, confirm, prompt, beforeunload) a page opened.
struct DialogInfo {
    std::string windowId;
    std::string type;  ///< "alert", "confirm", "prompt" or "beforeunload"
    std::string message;
    /// True when the session answered it itself (DialogPolicy::Accept); false while it waits for
    /// the user.
    bool accepted = false;
};

/// Who answers the pages' JavaScript dialogs.
enum class DialogPolicy {
    LeaveToUser,  ///< shown in the browser until the user answers (a browser with a window)
    Accept,       ///< accepted at once with the prompt's default text (a run without a window)
};

/// The load call of a frame's current document (see BrowserSession::setLoadCall).
struct LoadCallState {
    bool pending = false;              ///< made, and the document's load was seen: its answer is near
    std::optional<EvalResult> result;  ///< its answer, handed out once
};

/// Receives the browser's events; every method has an empty default.
class BrowserEvents {
  public:
    virtual ~BrowserEvents() = default;

    /// A window is set up and still paused before its first navigation; the window starts once this
    /// returns unless BrowserSession::holdWindow was called for it.
    virtual void windowOpened(const WindowInfo& window) { (void)window; }
    /// A window's address or title changed.
    virtual void windowChanged(const WindowInfo& window) { (void)window; }
    /// A window is gone (closed by the user, a page, or the program).
    virtual void windowClosed(const std::string& windowId) { (void)windowId; }
    /// A document is about to be requested for a frame; the default lets it go on.
    virtual NavigationDecision navigationRequested(const NavigationRequest& request) {
        (void)request;
        return NavigationDecision::proceed();
    }
    /// A frame committed a new document.
    virtual void frameNavigated(const FrameInfo& frame) { (void)frame; }
    /// A frame's document finished loading (its load event); once per document.
    virtual void frameLoaded(const FrameInfo& frame) { (void)frame; }
    /// A frame started loading.
    virtual void frameStartedLoading(const FrameInfo& frame) { (void)frame; }
    /// A frame stopped loading (loaded, cancelled or failed).
    virtual void frameStoppedLoading(const FrameInfo& frame) { (void)frame; }
    /// The user clicked a mailto: link; the browser did not follow it.
    virtual void mailtoClicked(const FrameInfo& frame, const std::string& url) {
        (void)frame;
        (void)url;
    }
    /// A window got the input focus.
    virtual void windowFocused(const std::string& windowId) { (void)windowId; }
    /// A page of a window opened a JavaScript dialog; its scripts wait until it closes.
    virtual void dialogOpened(const DialogInfo& dialog) { (void)dialog; }
    /// The dialog of a window closed.
    virtual void dialogClosed(const std::string& windowId) { (void)windowId; }
    /// The browser is gone; no further events follow.
    virtual void browserClosed(const std::string& reason) { (void)reason; }
};

/// The browser as the program uses it; every operation is asynchronous and never throws.
class BrowserSession {
  public:
    virtual ~BrowserSession() = default;

    /// Sets the receiver of events (null for none); it must outlive its registration.
    virtual void setObserver(BrowserEvents* observer) = 0;
    /// True once the session is set up and events flow; false again after the browser ended.
    virtual bool isReady() const = 0;
    /// True while the browser is running.
    virtual bool isOpen() const = 0;

    /// Opens a new window at url; done gets its id, or nothing when the browser refused.
    virtual void openWindow(const std::string& url, std::function<void(std::optional<std::string>)> done) = 0;
    /// Closes a window; unknown ids are ignored.
    virtual void closeWindow(const std::string& windowId) = 0;
    /// Navigates a window's main frame, or the given frame of it; unknown ids are ignored.
    virtual void navigate(const std::string& windowId, const std::string& url,
                          const std::string& frameId = {}) = 0;
    /// Decides a navigation that was deferred; unknown or decided requests are ignored.
    virtual void decideNavigation(const std::string& requestId, const NavigationDecision& decision) = 0;
    /// Keeps a window that is being reported by windowOpened paused until releaseWindow. The opener's
    /// script stays inside window.open meanwhile, so a hold should be short.
    virtual void holdWindow(const std::string& windowId) = 0;
    /// Lets a held window start; does nothing for a window that is not held.
    virtual void releaseWindow(const std::string& windowId) = 0;

    /// The open windows, in the order they were reported.
    virtual std::vector<WindowInfo> windows() const = 0;
    /// A window's frames, the main frame first, then depth-first in attachment order; empty for an
    /// unknown window.
    virtual std::vector<FrameInfo> frames(const std::string& windowId) const = 0;

    /// Has `source` run in the program's own isolated world of every document before the document's
    /// scripts: in documents created from now on and, at once, in those already open; replaces an
    /// earlier source. The default does nothing, so evaluations find nothing it would define.
    virtual void setReaderScript(const std::string& source) { (void)source; }
    /// Has `expression` evaluated in the program's world of every new document as soon as that world
    /// exists, awaiting its promise (which may wait for the document's load); empty for none. The
    /// default does nothing.
    virtual void setLoadCall(const std::string& expression) { (void)expression; }
    /// Takes the answer of the load call of a frame's current document: pending while it is awaited
    /// after the document's load, nothing when there is none (not made, failed, already taken, or
    /// older than kLoadCallFreshMs).
    virtual LoadCallState takeLoadCall(const std::string& frameId) {
        (void)frameId;
        return {};
    }
    /// Evaluates a JavaScript expression in the program's own isolated world of a frame (awaiting a
    /// promise result) and returns its JSON value; an unknown frame, an exception or a lost
    /// context gives an error result.
    virtual void evaluate(const std::string& frameId, const std::string& expression,
                          std::function<void(const EvalResult&)> done) = 0;
    /// Sets who answers the pages' JavaScript dialogs from now on; the default leaves them to the
    /// user.
    virtual void setDialogPolicy(DialogPolicy policy) { (void)policy; }
    /// True while a JavaScript dialog is open in the window that holds the frame: the frame's
    /// scripts, and so every evaluation in it, wait until the dialog closes.
    virtual bool dialogOpenFor(const std::string& frameId) const {
        (void)frameId;
        return false;
    }
    /// The window's screen bounds, or nothing when unknown.
    virtual void getWindowBounds(const std::string& windowId,
                                 std::function<void(std::optional<WindowBounds>)> done) = 0;
    /// Moves, resizes or minimises/maximises a window; done gets whether the browser accepted it.
    virtual void setWindowBounds(const std::string& windowId, const WindowBounds& bounds,
                                 std::function<void(bool)> done) = 0;
    /// Brings a window to the front; unknown ids are ignored.
    virtual void bringToFront(const std::string& windowId) = 0;
};

}  // namespace orvex::devtools
