#include "browser/session_router.h"

#include <vector>

namespace orvex::browser {

void SessionRouter::attach(const std::string& windowId, clsInputForm* form) {
    if (windowId.empty()) return;
    if (form == nullptr) {
        m_forms.erase(windowId);
    } else {
        m_forms[windowId] = form;
    }
}

void SessionRouter::detach(const std::string& windowId) {
    m_forms.erase(windowId);
}

clsInputForm* SessionRouter::formOf(const std::string& windowId) const {
    const auto it = m_forms.find(windowId);
    return it == m_forms.end() ? nullptr : it->second;
}

clsInputForm* SessionRouter::active(const std::string& windowId) const {
    clsInputForm* form = formOf(windowId);
    return form != nullptr && form->Browser() == windowId ? form : nullptr;
}

void SessionRouter::windowOpened(const devtools::WindowInfo& window) {
    if (window.openerId.empty()) return;
    if (clsInputForm* opener = active(window.openerId)) opener->NewWindow2(window);
}

void SessionRouter::windowClosed(const std::string& windowId) {
    clsInputForm* form = active(windowId);
    m_forms.erase(windowId);
    if (form != nullptr) form->Quit();
}

devtools::NavigationDecision SessionRouter::navigationRequested(const devtools::NavigationRequest& request) {
    if (clsInputForm* form = active(request.windowId)) return form->BeforeNavigate2(request);
    return devtools::NavigationDecision::proceed();
}

void SessionRouter::frameNavigated(const devtools::FrameInfo& frame) {
    if (clsInputForm* form = active(frame.windowId)) form->NavigateComplete2(frame);
}

void SessionRouter::frameLoaded(const devtools::FrameInfo& frame) {
    if (clsInputForm* form = active(frame.windowId)) form->DocumentComplete(frame);
}

void SessionRouter::frameStartedLoading(const devtools::FrameInfo& frame) {
    if (clsInputForm* form = active(frame.windowId)) form->DownloadBegin(frame);
}

void SessionRouter::frameStoppedLoading(const devtools::FrameInfo& frame) {
    if (clsInputForm* form = active(frame.windowId)) form->DownloadComplete(frame);
}

void SessionRouter::mailtoClicked(const devtools::FrameInfo& frame, const std::string& url) {
    if (clsInputForm* form = active(frame.windowId)) {
        form->MailtoClicked(frame, url);
        return;
    }
    // The watch script kept the browser from following the link; nobody rewrites it here, so it is
    // followed as the user clicked it.
    if (m_session != nullptr)
        m_session->navigate(frame.windowId, url,
                            frame.frameId == frame.windowId ? std::string() : frame.frameId);
}

void SessionRouter::windowFocused(const std::string& windowId) {
    if (clsInputForm* form = active(windowId)) form->CommandStateChange();
}

void SessionRouter::dialogOpened(const devtools::DialogInfo& dialog) {
    if (clsInputForm* form = active(dialog.windowId)) form->DialogOpened(dialog);
}

void SessionRouter::browserClosed(const std::string& reason) {
    (void)reason;
    // Every window's watcher learns that its browser quit.
    std::vector<std::string> windows;
    for (const auto& [windowId, form] : m_forms) windows.push_back(windowId);
    for (const std::string& windowId : windows) windowClosed(windowId);
}

}  // namespace orvex::browser
