#pragma once
// The frame manager of one browser window: one frame reader per document of the window, the
// decision which frames a fill request writes into, the collection of sub-documents through the
// document access library, and the forms that send their data by mail.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_document.h"
#include "browser/frame_info.h"
#include "fill/user_info.h"
#include "kvsub/kvsub_library.h"
#include "links/link.h"
#include "text/text.h"

namespace orvex::browser {

// Slots of the document array of a frame collection (indices 0 to kCollectBound).
inline constexpr std::int32_t kCollectBound = 100;

/// What the frame manager needs from its watcher.
class FrameManagerOwner {
  public:
    virtual ~FrameManagerOwner() = default;
    /// Shows a status text for the window.
    virtual void SetStatusText(const text::Text& text) = 0;
    /// Receives the result of a fill the manager's readers started themselves.
    virtual void PassFillResult(bool result) = 0;
    /// The current document of the window's main frame; null when there is none.
    virtual DocumentRef browserDocument() = 0;
    /// The document a frame of the window shows now, read afresh; null when it cannot be read (the
    /// default: readers then keep the documents they hold).
    virtual DocumentRef frameDocument(const std::string& windowId, const std::string& frameId) {
        (void)windowId;
        (void)frameId;
        return nullptr;
    }
};

class clsFrameManager {
  public:
    /// A manager with empty lists, filling forms with the form filler and reaching frames through
    /// the program's document access library.
    clsFrameManager();
    clsFrameManager(const clsFrameManager&) = delete;
    clsFrameManager& operator=(const clsFrameManager&) = delete;

    FrameManagerOwner* ParentForm = nullptr;
    /// The link under which the window was opened.
    links::clsLink Link;
    text::Text InputFormName;
    /// 1 automatic input, 2 input on request, 0 no input.
    std::int16_t InputMode = 0;
    /// True while a reader reads a page automatically.
    bool InAutoInputing = false;

    const std::shared_ptr<const fill::clsUserInfo>& UserInfo() const { return m_userInfo; }
    /// Sets the person, also for every reader in the frame list.
    void setUserInfo(std::shared_ptr<const fill::clsUserInfo> person);

    /// Adds a reader for the document, or hands it to the reader of the same URL.
    void AddFrame(const DocumentRef& document);
    /// Fills the window (with `person` when given); true when something was written. Every reader
    /// first takes its frame's document as the page shows it now (a form the page's script built
    /// after the load is there), never the copy taken at the load.
    bool Fill(std::shared_ptr<const fill::clsUserInfo> person = nullptr);
    /// Empties the frame list and the mail action list.
    void Clear();
    /// Marks every reader inactive (the window navigates).
    void ActiveClear();
    /// Number of active readers.
    int ActiveCount() const;
    /// Returns nothing.
    void ActiveItem(int index) const { (void)index; }
    /// True when a reader is both active and filled.
    bool HasFilledActiveForm() const;
    /// Colors the title of the header page (first reader whose URL contains the link's HeaderURL).
    void SetHeaderTitleColor(text::TextView color);
    /// Shows a status text through the watcher; nothing without one.
    void SetStatusText(const text::Text& text);
    /// Passes a fill result to the watcher; nothing without one.
    void PassFillResult(bool result);
    /// Remembers a form's mail action (lower-cased, cut before the first "?").
    void AddActionMailto(text::TextView action);
    /// True when the URL (lower-cased, cut before the first "?") is a remembered mail action.
    bool CheckActionMailto(text::TextView url) const;
    /// Does nothing.
    void DebugPrint() const {}
    /// Clears ParentForm, terminates every reader and drops the frame list.
    void Terminate();

    /// Gives every reader the document its frame shows now, when it still shows the reader's address.
    void TakeLiveDocuments();
    /// Collects the documents of the watcher's window (the top document and its frames).
    void RefreshFrames();
    /// Adds the document and, through the document access library, its frames' documents.
    void CollectFrames(const DocumentRef& document);

    /// The frame readers in the order they were added.
    const std::vector<std::shared_ptr<clsFrameInfo>>& frames() const { return m_frames; }
    /// The mail action list.
    const std::vector<text::Text>& mailActions() const { return m_mailActions; }

    /// Replaces the writer of one form (tests, tools); an empty function restores the form filler.
    void setFillOneForm(FillOneForm fill);
    const FillOneForm& fillOneForm() const { return m_fillOneForm; }
    /// Replaces the document access library (tests); null restores the program's.
    void setLibrary(kvsub::KvsubLibrary* library) { m_library = library; }

  private:
    std::shared_ptr<const fill::clsUserInfo> m_userInfo;
    std::vector<std::shared_ptr<clsFrameInfo>> m_frames;
    std::vector<text::Text> m_mailActions;
    FillOneForm m_fillOneForm;
    kvsub::KvsubLibrary* m_library = nullptr;
};

}  // namespace orvex::browser
