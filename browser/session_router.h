#pragma once
// Routes the browser session's events to the watchers of their windows.

#include <map>
#include <string>

#include "browser/input_form.h"
#include "devtools/browser_session.h"

namespace orvex::browser {

/// The session's observer: each window's events go to the watcher attached to it; windows without
/// a watcher are left alone (their navigations go on, and their mail links open as they would
/// without the program).
class SessionRouter final : public devtools::BrowserEvents {
  public:
    /// The session whose windows a mail link is opened in when no awake watcher takes it; without
    /// one such a link is dropped.
    void setSession(devtools::BrowserSession* session) { m_session = session; }
    /// Sends the events of `windowId` to `form` (replacing an earlier watcher of that window).
    void attach(const std::string& windowId, clsInputForm* form);
    /// Stops sending events to the watcher of `windowId`; unknown ids are ignored.
    void detach(const std::string& windowId);
    /// The watcher of a window; null when none.
    clsInputForm* formOf(const std::string& windowId) const;

    void windowOpened(const devtools::WindowInfo& window) override;
    void windowClosed(const std::string& windowId) override;
    devtools::NavigationDecision navigationRequested(const devtools::NavigationRequest& request) override;
    void frameNavigated(const devtools::FrameInfo& frame) override;
    void frameLoaded(const devtools::FrameInfo& frame) override;
    void frameStartedLoading(const devtools::FrameInfo& frame) override;
    void frameStoppedLoading(const devtools::FrameInfo& frame) override;
    void mailtoClicked(const devtools::FrameInfo& frame, const std::string& url) override;
    void windowFocused(const std::string& windowId) override;
    void dialogOpened(const devtools::DialogInfo& dialog) override;
    void browserClosed(const std::string& reason) override;

  private:
    // The watcher of a window when it is attached to that window (not sleeping).
    clsInputForm* active(const std::string& windowId) const;

    std::map<std::string, clsInputForm*> m_forms;
    devtools::BrowserSession* m_session = nullptr;
};

}  // namespace orvex::browser
