#pragma once
// A document of a browser window as the frame readers and the watcher hold it: the page model
// of one frame, the frame that shows it, and the way to its child frames and to the live page.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "page/document.h"
#include "page/write_log.h"

namespace orvex::browser {

/// What a replay of recorded writes did in the live page.
struct ReplayReport {
    bool ok = false;  ///< the page answered; false when it could not be reached or the script failed
    int written = 0;
    std::vector<page::WriteRecord> skipped;  ///< element gone or no longer matching (index, tag, name)
    std::vector<page::WriteRecord> refused;  ///< text fields that are not rendered in the page
    std::string error;
};

class BrowserDocument;
using DocumentRef = std::shared_ptr<BrowserDocument>;

/// Where documents come from and where their writes go: the live browser or saved pages.
class PageAccess {
  public:
    virtual ~PageAccess() = default;

    /// The documents of the child frames of `parent`, one per FRAME/IFRAME element of its model in
    /// document order; null where a frame's document cannot be reached. Empty when it has none.
    virtual std::vector<DocumentRef> childDocuments(const BrowserDocument& parent) = 0;
    /// Applies writes to the live document; a report with ok false when it cannot be reached.
    virtual ReplayReport replay(const BrowserDocument& document,
                                const std::vector<page::WriteRecord>& writes) = 0;
    /// Sets the text of `element` in the live document; false when it cannot.
    virtual bool setElementText(const BrowserDocument& document, const page::Element& element,
                                const std::string& text) = 0;
    /// Sets an attribute of `element` in the live document; false when it cannot.
    virtual bool setElementAttribute(const BrowserDocument& document, const page::Element& element,
                                     const std::string& attribute, const std::string& value) = 0;
    /// The name of the window (frame) that shows the document now; nothing when it cannot be read.
    virtual std::optional<std::string> currentWindowName(const BrowserDocument& document) = 0;
    /// Reloads the frame of the document; false when it cannot.
    virtual bool refresh(const BrowserDocument& document) = 0;
};

/// Reads the current document of a frame of a browser window.
class DocumentSource {
  public:
    virtual ~DocumentSource() = default;
    /// The document the frame shows now; null when it cannot be read.
    virtual DocumentRef load(const std::string& windowId, const std::string& frameId) = 0;
};

/// One frame's document; shared by whoever holds it (readers, the watcher, the library's slots).
class BrowserDocument {
  public:
    /// A document over `model` shown by `frameId` of `windowId`. `frameWindowIndexes` gives, per
    /// FRAME/IFRAME element in document order, the frame's position among the window's frames
    /// (-1 when unknown); `framesLength` is the window's number of frames.
    BrowserDocument(std::shared_ptr<page::Document> model, std::string windowId, std::string frameId,
                    std::weak_ptr<PageAccess> access, std::vector<int> frameWindowIndexes, int framesLength,
                    int indexInParent);

    /// The page model (never null).
    page::Document& model() const { return *m_model; }
    /// The document's address (`URL`).
    const std::string& URL() const { return m_model->url(); }
    /// The window the document belongs to, and the frame that shows it.
    const std::string& windowId() const { return m_windowId; }
    const std::string& frameId() const { return m_frameId; }
    /// `frames.length`: number of frames of the document's window.
    int framesLength() const { return m_framesLength; }
    /// Position of the frame among its parent window's frames; -1 for a top window or unknown.
    int indexInParent() const { return m_indexInParent; }
    /// Per FRAME/IFRAME element of the model in document order, its position among the frames.
    const std::vector<int>& frameWindowIndexes() const { return m_frameWindowIndexes; }

    /// The document of the `ordinal`-th FRAME/IFRAME element (from 0, document order); the child
    /// documents are fetched together at the first call. Null when out of range or unreachable.
    DocumentRef frameDocument(int ordinal);
    /// Replays the model's write log into the live page and clears the log; a report with ok
    /// true and nothing written when the log is empty.
    ReplayReport commitWrites();
    /// Sets the live text of `element`; false when it cannot.
    bool setElementText(const page::Element& element, const std::string& text);
    /// Sets a live attribute of `element`; false when it cannot.
    bool setElementAttribute(const page::Element& element, const std::string& attribute,
                             const std::string& value);
    /// The current name of the frame's window; nothing when it cannot be read.
    std::optional<std::string> currentWindowName();
    /// Reloads the frame; false when it cannot.
    bool refresh();

  private:
    std::shared_ptr<page::Document> m_model;
    std::string m_windowId;
    std::string m_frameId;
    std::weak_ptr<PageAccess> m_access;
    std::vector<int> m_frameWindowIndexes;
    int m_framesLength = 0;
    int m_indexInParent = -1;
    bool m_childrenFetched = false;
    std::vector<DocumentRef> m_children;
};

}  // namespace orvex::browser
