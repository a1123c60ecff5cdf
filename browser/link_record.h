#pragma once
// The link record fields that a watcher and its frame manager read: the watcher keeps its own
// copy of the link under which its window was opened, so later edits of the bar's link do not
// change a window that is already open.

#include <cstdint>

#include "text/text.h"

namespace orvex::browser {

/// A copy of a link button's record as far as browser windows use it.
struct LinkRecord {
    bool NoHeaderFlag = false;
    bool ChildNoHeaderFlag = false;
    text::Text Name;
    text::Text URL;
    /// Address of the control-panel frameset page shown with the link.
    text::Text FrameURL;
    /// 1 fill automatically, 2 fill on request, 0 never fill.
    std::int32_t InputMode = 0;

    /// The control-panel header page's address.
    const text::Text& HeaderURL() const { return m_headerURL; }
    /// Sets HeaderURL and derives HeaderRoot (up to and including the last "\", or when there is
    /// none the last "/"), HeaderFunc (HeaderRoot followed by "qzt00") and HeaderFuncLen; an address
    /// with neither separator leaves the three as they were.
    void setHeaderURL(text::TextView url);
    const text::Text& HeaderRoot() const { return m_headerRoot; }
    /// Addresses that begin with this are commands of the control panel.
    const text::Text& HeaderFunc() const { return m_headerFunc; }
    int HeaderFuncLen() const { return m_headerFuncLen; }

  private:
    text::Text m_headerURL;
    text::Text m_headerRoot;
    text::Text m_headerFunc;
    int m_headerFuncLen = 0;
};

}  // namespace orvex::browser
