#pragma once
// The frames of the browser's windows as the session knows them: which window and session each
// frame belongs to, the document it shows and whether that document's load was reported.

#include <map>
#include <string>
#include <vector>

#include "devtools/browser_session.h"

namespace orvex::devtools {

/// One frame and the document it shows.
struct FrameRecord {
    FrameInfo info;
    /// The session that hosts the frame now (its window's, or its own when out of process).
    std::string sessionId;
    /// The document the frame shows.
    std::string loaderId;
    /// False while the frame shows its initial empty document, which has no load of its own.
    bool navigated = false;
    /// The document whose load was reported (once per document).
    std::string reportedLoaderId;
    std::vector<std::string> children;
};

/// The frames by id, with their parent and child links.
class FrameTree {
  public:
    /// The frame `frameId`, made when unknown (in `windowId`); a parent given for a frame that has
    /// none yet is taken and the frame added to the parent's children once.
    FrameRecord& ensure(const std::string& frameId, const std::string& parentId, const std::string& windowId);
    /// The frame `frameId`; null when unknown.
    FrameRecord* find(const std::string& frameId);
    const FrameRecord* find(const std::string& frameId) const;
    /// Removes a frame with its descendants; unknown ids are ignored.
    void remove(const std::string& frameId);
    /// Removes every frame of a window.
    void removeWindow(const std::string& windowId);
    /// Frames hosted by session `from` are hosted by `to` from now on.
    void moveSession(const std::string& from, const std::string& to);
    /// Forgets every frame.
    void clear() { m_frames.clear(); }
    /// A window's frames, the main frame (whose id is the window id) first, then depth-first in
    /// attachment order; empty for an unknown window.
    std::vector<FrameInfo> framesOf(const std::string& windowId) const;
    /// The session hosting a frame; empty when unknown.
    std::string sessionOf(const std::string& frameId) const;

  private:
    std::map<std::string, FrameRecord> m_frames;
};

}  // namespace orvex::devtools
