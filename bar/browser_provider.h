#pragma once
// The browser the bar follows, behind an interface: the program starts Chromium (ChromiumBrowser),
// tests hand in a fake session.

#include <memory>
#include <string>

#include "browser/browser_document.h"
#include "devtools/browser_session.h"
#include "text/text.h"

namespace orvex::bar {

class BrowserProvider {
  public:
    virtual ~BrowserProvider() = default;

    /// Sets the receiver of every browser's events, installed on each browser as it starts
    /// (null for none).
    virtual void setObserver(devtools::BrowserEvents* observer) = 0;
    /// The running browser's session, starting the browser first when none runs or it ended; null
    /// when it cannot be started, with the message for the user in *message.
    virtual devtools::BrowserSession* ensureSession(text::Text* message) = 0;
    /// The running browser's session without starting one; null when none runs.
    virtual devtools::BrowserSession* currentSession() = 0;
    /// Where watchers of the current session read their documents; null when no browser runs.
    virtual std::shared_ptr<browser::DocumentSource> documents() = 0;
    /// Frees what belonged to browsers that have ended; the bar calls it when none of their
    /// watchers is on the stack any more.
    virtual void releaseEnded() {}
    /// Closes the browser gracefully; returns within a second whatever the browser does.
    virtual void shutdown() = 0;
    /// The home page the browser's own settings name; empty when it names none (or there is no
    /// such setting).
    virtual std::string homePage() { return {}; }
};

}  // namespace orvex::bar
