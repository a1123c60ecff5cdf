#pragma once
// The browser watcher: one per browser window the bar follows. It listens to the window's
// events, hands completed documents to its frame manager, rewrites mail links with the person's
// data, keeps the control-panel header frameset around the pages of an automatic window, answers
// the header page's commands and records the current page.
//
// How the browser's events stand for the ones the watcher was designed around:
// - BeforeNavigate2: navigationRequested (every document request of a frame, paused). Cancel is
//   NavigationDecision::cancel(); pDisp is "the browser itself" for the main frame (topLevel);
//   TargetFrameName is the name of the frame being navigated for sub-frames and empty for the
//   main frame (the browser reports the frame, not the link's target).
// - mailto: links never reach navigationRequested: mailtoClicked runs the same steps with the
//   mail address, and when the steps let it go on, the watcher sends the window there itself.
// - Error pages ("res:" addresses) are never requested through navigationRequested, so that step
//   never applies.
// - DocumentComplete: frameLoaded, once per document of each frame (the window's own document
//   included); the document is read through the live loader.
// - DownloadBegin/DownloadComplete: frameStartedLoading/frameStoppedLoading of the window's main
//   frame, and while the control-panel header is in use of its content frame, where every page of
//   the window loads (the browser reports every frame; counting only these keeps one begin per
//   complete and reads each page once per load instead of once per frame). A document handed to
//   the frame manager at its load is not handed again when its frame stops loading.
// - NavigateComplete2: frameNavigated; the frame's title is not known yet at that point, so its
//   address stands for LocationName.
// - NewWindow2: windowOpened with this window as opener; the new window is adopted (the bar's
//   AddBrowser) before it starts.
// - Quit: windowClosed of this window, or browserClosed.
// - CommandStateChange: windowFocused.
// - StatusTextChange, the first-generation events and the browser's status bar have no
//   counterpart; status texts go to the bar through OnStatusText.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_document.h"
#include "browser/frame_manager.h"
#include "devtools/browser_session.h"
#include "fill/user_info.h"
#include "links/link.h"
#include "text/text.h"

namespace orvex::browser {

class clsInputForm;

/// The name of the content frame of the control-panel frameset.
inline constexpr text::TextView kContentFrameName = u"qzt00contents";
/// Element ids of the header page that receive the persons' names, followed by the position from 0.
inline constexpr text::TextView kHeaderUserPrefix = u"qzt00user";
/// The header page's help and record commands.
inline constexpr text::TextView kHeaderHelpCommand = u"qzt00help";
inline constexpr text::TextView kHeaderRecordCommand = u"qzt00rec";
/// Subject of a rewritten mail link.
inline constexpr text::TextView kMailSubject = u"Present";
/// After this many rewritten mail links a watcher leaves them alone.
inline constexpr std::int16_t kMailRewriteLimit = 1000;
/// Addresses of the partner redirect service begin with this (compared in lower case); the
/// recorded address is the one after "&u=".
inline constexpr text::TextView kPartnerRedirectPrefix = u"http://r.orvex2000.example/";
/// Shown when a page is recorded before it has an address or title.
inline constexpr text::TextView kRecordWhileLoadingMessage =
    u"ページを読み込み中です。読み込み終わってからもう一度押して下さい。";
/// GetDoc slots of a document search (indices 0 to kFindBound).
inline constexpr std::int32_t kFindBound = 1024;

/// The events a watcher raises to the bar.
class InputFormEvents {
  public:
    virtual ~InputFormEvents() = default;
    /// A fill wrote at least one value; `value` is 0.
    virtual void Hit(clsInputForm& form, int& value) {
        (void)form;
        (void)value;
    }
    /// A fill wrote nothing, or the last active download completed.
    virtual void NoHit(clsInputForm& form) { (void)form; }
    /// A download begins.
    virtual void OnBeforeNavigate(clsInputForm& form) { (void)form; }
    /// The browser window is gone.
    virtual void OnBrowserQuit(clsInputForm& form) { (void)form; }
    /// A status text for the window (the browser has no status bar of its own).
    virtual void OnStatusText(clsInputForm& form, const text::Text& text) {
        (void)form;
        (void)text;
    }
};

/// What the watcher needs from the bar and the history.
class InputFormHost {
  public:
    virtual ~InputFormHost() = default;
    /// Number of persons in the global person list.
    virtual int personCount() = 0;
    /// Person `position` (from 1); null when out of range.
    virtual std::shared_ptr<const fill::clsUserInfo> person(int position) = 0;
    /// Adopts a window a page opened: a new watcher with a copy of `link` for `windowId`.
    virtual void AddBrowser(const links::clsLink& link, bool childNoHeader, const std::string& windowId) = 0;
    /// The user works in this watcher's window now.
    virtual void SelectCurrentForm(clsInputForm& form) = 0;
    /// The bar's record command (records the current watcher's page).
    virtual void RecordCurrentPage(clsInputForm& requester) = 0;
    /// The bar's help command.
    virtual void ShowHelp() = 0;
    /// Shows a message box with an OK button.
    virtual void ShowMessage(const text::Text& message) = 0;
    /// The address of the browser's home page ("HOME"): the default is the bundled home page; a host
    /// that knows the browser's own start page setting gives that.
    virtual std::string browserHomePage();
};

class clsInputForm final : public FrameManagerOwner {
  public:
    /// A watcher without a window; `session` and `documents` must outlive it.
    clsInputForm(devtools::BrowserSession& session, std::shared_ptr<DocumentSource> documents,
                 InputFormHost* host = nullptr, InputFormEvents* events = nullptr);
    ~clsInputForm() override;
    clsInputForm(const clsInputForm&) = delete;
    clsInputForm& operator=(const clsInputForm&) = delete;

    // ----- state -----
    /// The window (Browser and Browser0); empty when there is none.
    const std::string& Browser() const { return m_browser; }
    /// Attaches the window; events of a window reach the watcher only while it is attached.
    void setBrowser(const std::string& windowId) { m_browser = windowId; }
    const links::clsLink& Link() const { return m_link; }
    /// Sets the link, also the frame manager's.
    void setLink(const links::clsLink& link);
    std::shared_ptr<const fill::clsUserInfo> UserInfo;
    const text::Text& key() const { return m_key; }
    /// Sets the key, also the frame manager's InputFormName.
    void setKey(text::TextView key);
    /// The last URL given to Navigate (or written to URL).
    const text::Text& URL() const { return m_url; }
    /// Writing the URL navigates, as Navigate with no flags, no target frame and no sub-URL does.
    void setURL(text::TextView url) { Navigate(url); }
    text::Text DestURL;
    text::Text DestName;
    clsFrameManager& frameManager() { return m_manager; }
    void setEvents(InputFormEvents* events) { m_events = events; }
    void setHost(InputFormHost* host) { m_host = host; }

    // ----- methods -----
    /// Fills all frames now with `person`; raises Hit or NoHit.
    void Fill(std::shared_ptr<const fill::clsUserInfo> person);
    void PassFillResult(bool result) override;
    /// Opens `url` in the window (in the frame named `targetFrame` when there is one); "HOME" opens
    /// the browser's home page, an empty address minimises the window; `subURL` becomes the page
    /// waiting for the content frame. Nothing without a window.
    void Navigate(text::TextView url, int flags = 0, text::TextView targetFrame = {},
                  text::TextView subURL = {});
    /// The address of the window's current document.
    text::Text mstrURL();
    /// The mail link with the person's data; the lower-cased link on an error.
    text::Text ModifyMailto(text::TextView org);
    /// The address and title of the page the user is looking at.
    text::Text CurrentURL();
    text::Text CurrentName();
    /// Records the current page (edit window with Hist on, at once with it off).
    void RecordCurrentPage();
    /// Detaches from the window, waits, and attaches again when the window still exists.
    void Sleep(int vlngTime);
    /// Returns at once.
    void WaitDocReady(const DocumentRef& document) const { (void)document; }
    /// Terminates the frame manager.
    void Terminate();
    /// The document of `document` or its frames (at any depth) whose URL is SameURL with `url`;
    /// null when none.
    DocumentRef FindDocument(const DocumentRef& document, text::TextView url);
    // No effect.
    void FillNextUser() {}
    void BackToPrevForm() {}
    void Click() {}
    void Refresh() {}
    void SetHeaderTitleColor() {}
    void OutputDebugInfo(int category) const { (void)category; }
    bool WaitBrowserReady() const { return false; }

    // ----- the window's events (called by the router while attached) -----
    devtools::NavigationDecision BeforeNavigate2(const devtools::NavigationRequest& request);
    /// A mail link was clicked in a frame; runs BeforeNavigate2 and follows the link when let through.
    void MailtoClicked(const devtools::FrameInfo& frame, const std::string& url);
    void DocumentComplete(const devtools::FrameInfo& frame);
    void NavigateComplete2(const devtools::FrameInfo& frame);
    /// A download of the window's main frame begins (or, with `frame`, of the frame given; only the
    /// main frame and the content frame of the header frameset count).
    void DownloadBegin();
    void DownloadBegin(const devtools::FrameInfo& frame);
    /// A download of the main frame (or of `frame`) completed.
    void DownloadComplete();
    void DownloadComplete(const devtools::FrameInfo& frame);
    /// A page of this window opened `window`.
    void NewWindow2(const devtools::WindowInfo& window);
    void Quit();
    void CommandStateChange();
    /// A page of this window opened a JavaScript dialog (answered by the session, or waiting for
    /// the user); kept for reports.
    void DialogOpened(const devtools::DialogInfo& dialog) { m_dialogs.push_back(dialog); }

    // ----- FrameManagerOwner -----
    void SetStatusText(const text::Text& text) override;
    DocumentRef browserDocument() override;
    DocumentRef frameDocument(const std::string& windowId, const std::string& frameId) override;

    /// The read-URL list, the pending sub-URL and the content URL (for tests and reports).
    const std::vector<text::Text>& readURLs() const { return m_readURLs; }
    const text::Text& pendingSubURL() const { return m_pendingSubURL; }
    const text::Text& contentURL() const { return m_contentURL; }
    std::int16_t mailCounter() const { return m_mailCounter; }
    /// The JavaScript dialogs the window's pages opened, oldest first.
    const std::vector<devtools::DialogInfo>& dialogs() const { return m_dialogs; }

  private:
    bool headerEnabled() const;
    bool countsAsDownload(const devtools::FrameInfo& frame) const;
    void runHeaderCommand(text::TextView url);
    void writePersonsIntoHeader(const DocumentRef& document);
    void raiseHit();
    void raiseNoHit();
    std::string frameIdByName(text::TextView name) const;
    devtools::FrameInfo mainFrame() const;
    std::string windowTitle() const;

    devtools::BrowserSession& m_session;
    std::shared_ptr<DocumentSource> m_documents;
    InputFormHost* m_host = nullptr;
    InputFormEvents* m_events = nullptr;
    std::string m_browser;
    text::Text m_url;
    links::clsLink m_link;
    text::Text m_key;
    clsFrameManager m_manager;
    bool m_firstNavigation = false;
    int m_downloads = 0;
    text::Text m_pendingSubURL;
    text::Text m_contentURL;
    text::Text m_contentTitle;
    text::Text m_lastMailURL;
    std::vector<text::Text> m_readURLs;
    // Per frame, the address of the document DocumentComplete handed to the frame manager; a frame
    // that navigates drops its entry.
    std::map<std::string, text::Text> m_handedOver;
    std::int16_t m_mailCounter = 0;
    std::string m_savedBrowser;
    bool m_hidden = false;
    std::vector<devtools::DialogInfo> m_dialogs;
};

}  // namespace orvex::browser
