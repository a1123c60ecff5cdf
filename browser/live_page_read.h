#pragma once
// One page read and filled in a browser window the way a user's automatic window is: a watcher
// with one person navigates there, its frame readers read and fill every frame, and the report
// says what each form yielded, frame by frame.

#include <memory>
#include <string>
#include <vector>

#include "browser/input_form.h"
#include "browser/live_loader.h"
#include "browser/session_router.h"
#include "devtools/browser_host.h"
#include "fill/fill_report.h"
#include "fill/user_info.h"

namespace orvex::browser {

// How long a page (with its frames) may take to load and be filled.
inline constexpr int kLivePageLoadMs = 30000;
// The page counts as settled once nothing new loaded or was filled for this long.
inline constexpr int kLivePageSettleMs = 1000;

/// What to read and how long to wait.
struct LivePageOptions {
    std::string address;
    /// The person to fill with; null reads without filling.
    std::shared_ptr<const fill::clsUserInfo> person;
    int loadMs = kLivePageLoadMs;
    int settleMs = kLivePageSettleMs;
    /// Keep the window open afterwards (for a picture of it); the caller closes it.
    bool keepWindow = false;
};

/// The frame a form of the report is in.
struct LiveFormFrame {
    std::string url;
    std::string name;
};

/// What one live reading gave.
struct LivePageResult {
    /// False when no window could be opened or the page did not settle in time (see error).
    bool ok = false;
    std::string error;
    std::string windowId;
    /// Every form of every frame in document order, with the watcher's writes and misses and the
    /// page's notes (dialogs accepted, frames no reader read).
    fill::PageFillReport report;
    /// The frame of each form, parallel to report.forms.
    std::vector<LiveFormFrame> frames;
};

/// Reads `options.address` in a new window of the browser of `host` for automatic input. Events are
/// processed inside; the session's observer is the reading's own while it runs and none after it.
/// Never throws.
LivePageResult readLivePage(devtools::BrowserHost& host, const std::shared_ptr<LivePageAccess>& access,
                            const LivePageOptions& options);

}  // namespace orvex::browser
