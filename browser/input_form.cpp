#include "browser/input_form.h"

#include <utility>

#include "browser/kvsub_page_objects.h"
#include "history/rec.h"
#include "history/recs.h"
#include "settings/globals.h"
#include "settings/product_pages.h"
#include "settings/same_url.h"
#include "settings/wait.h"
#include "text/strings.h"

namespace orvex::browser {
namespace {

using devtools::NavigationDecision;

// Target names of a top-level navigation that the header frameset takes into its content frame.
constexpr text::TextView kTopLevelTargets[] = {u"new", u"_brank", u"sub"};
// The text a window title ends with after the page's title.
constexpr text::TextView kWindowTitleSuffix = u"- Microsoft Internet";
constexpr text::TextView kAboutBlank = u"about:blank";
constexpr text::TextView kHome = u"HOME";

text::Text utf16(const std::string& s) {
    return text::fromUtf8(s);
}

}  // namespace

std::string InputFormHost::browserHomePage() {
    return text::toUtf8(settings::productPageUrl(settings::ProductPage::Home));
}

clsInputForm::clsInputForm(devtools::BrowserSession& session, std::shared_ptr<DocumentSource> documents,
                           InputFormHost* host, InputFormEvents* events)
    : m_session(session), m_documents(std::move(documents)), m_host(host), m_events(events) {
    m_manager.ParentForm = this;
    m_manager.Clear();
}

clsInputForm::~clsInputForm() {
    m_manager.Terminate();
}

void clsInputForm::setLink(const links::clsLink& link) {
    m_link = link;
    m_manager.Link = link;
}

void clsInputForm::setKey(text::TextView key) {
    m_key = text::Text(key);
    m_manager.InputFormName = m_key;
}

bool clsInputForm::headerEnabled() const {
    return settings::globals().ControlPanelMode != 0 && !m_link.NoHeaderFlag;
}

// ----- methods ---------------------------------------------------------------------------------

void clsInputForm::Fill(std::shared_ptr<const fill::clsUserInfo> person) {
    if (m_manager.InputMode == 0) m_manager.InputMode = static_cast<std::int16_t>(m_link.InputMode);
    if (m_manager.Fill(std::move(person))) {
        raiseHit();
    } else {
        raiseNoHit();
    }
}

void clsInputForm::PassFillResult(bool result) {
    if (result) {
        raiseHit();
    } else {
        raiseNoHit();
    }
}

void clsInputForm::raiseHit() {
    int value = 0;
    if (m_events != nullptr) m_events->Hit(*this, value);
}

void clsInputForm::raiseNoHit() {
    if (m_events != nullptr) m_events->NoHit(*this);
}

std::string clsInputForm::frameIdByName(text::TextView name) const {
    if (name.empty()) return {};
    const std::string wanted = text::toUtf8(name);
    for (const devtools::FrameInfo& frame : m_session.frames(m_browser)) {
        if (frame.name == wanted) return frame.frameId;
    }
    return {};
}

devtools::FrameInfo clsInputForm::mainFrame() const {
    for (const devtools::FrameInfo& frame : m_session.frames(m_browser)) {
        if (frame.frameId == m_browser) return frame;
    }
    return {};
}

std::string clsInputForm::windowTitle() const {
    for (const devtools::WindowInfo& window : m_session.windows()) {
        if (window.windowId == m_browser) return window.title;
    }
    return {};
}

void clsInputForm::Navigate(text::TextView url, int flags, text::TextView targetFrame,
                            text::TextView subURL) {
    (void)flags;  // the browser's navigation flags (new window, history) have no counterpart
    if (url.empty()) {
        // The browser cannot hide a window; it is minimised instead.
        if (!m_browser.empty()) {
            devtools::WindowBounds bounds;
            bounds.state = "minimized";
            m_session.setWindowBounds(m_browser, bounds, {});
            m_hidden = true;
        }
        return;
    }
    if (m_browser.empty()) return;
    if (m_hidden) {
        m_hidden = false;
        devtools::WindowBounds bounds;
        bounds.state = "normal";
        const std::string windowId = m_browser;
        devtools::BrowserSession& session = m_session;
        m_session.getWindowBounds(windowId, [&session, windowId](std::optional<devtools::WindowBounds> now) {
            if (!now) return;
            devtools::WindowBounds shown = *now;
            shown.state = "normal";
            session.setWindowBounds(windowId, shown, {});
        });
    }
    m_url = text::Text(url);
    if (url == kHome) {
        const std::string home = m_host != nullptr ? m_host->browserHomePage() : std::string();
        m_session.navigate(
            m_browser,
            home.empty() ? text::toUtf8(settings::productPageUrl(settings::ProductPage::Home)) : home);
    } else {
        // A target frame the window does not have: the window itself is navigated.
        m_session.navigate(m_browser, text::toUtf8(url), frameIdByName(targetFrame));
    }
    if (!subURL.empty()) m_pendingSubURL = text::Text(subURL);
}

text::Text clsInputForm::mstrURL() {
    // The browser has no ready state to tell an empty address of a loading page from none, so an
    // empty address is returned as it is.
    return utf16(mainFrame().url);
}

text::Text clsInputForm::ModifyMailto(text::TextView org) {
    if (m_mailCounter > kMailRewriteLimit) return text::Text(org);
    const text::Text url = text::toLower(org);
    const bool hasSubject = text::contains(url, u"?subject");
    const bool hasBody = hasSubject ? text::contains(url, u"&body") : text::contains(url, u"?body");
    const int persons = m_host != nullptr ? m_host->personCount() : 0;
    if (persons <= 0) return url;  // the position of the person cannot be computed
    const auto person = m_host->person(m_mailCounter % persons + 1);
    if (!person) return url;
    const text::Text info = person->GetMailInfo();
    text::Text result;
    if (!hasSubject && !hasBody) {
        result = url + u"?subject=" + text::Text(kMailSubject) + u"&body=" + info;
    } else if (hasSubject && !hasBody) {
        result = url + u"&body=" + info;
    } else if (hasSubject && hasBody) {
        result = url + u"%20:" + info;
    } else {
        result = text::replaceAll(url, u"?body=", u"?subject=" + text::Text(kMailSubject) + u"&body=") +
                 u"%20:" + info;
    }
    ++m_mailCounter;
    return result;
}

text::Text clsInputForm::CurrentURL() {
    if (m_link.NoHeaderFlag || settings::globals().ControlPanelMode == 0) return mstrURL();
    if (DestURL.empty() && !m_contentURL.empty() && !m_contentTitle.empty()) return m_contentURL;
    return DestURL;
}

text::Text clsInputForm::CurrentName() {
    if (m_link.NoHeaderFlag || settings::globals().ControlPanelMode == 0) {
        const text::Text name = utf16(windowTitle());
        if (name != mstrURL()) return name;
        // The page has no title: the window's title, without what the browser adds after it. The
        // browser adds nothing, so a title without that ending is taken whole.
        const text::Text title = text::left(name, 1024);
        const int at = text::find(title, kWindowTitleSuffix);
        return at > 0 ? text::left(title, at - 1) : title;
    }
    if (DestName.empty() && !m_contentURL.empty() && !m_contentTitle.empty()) return m_contentTitle;
    return DestName;
}

void clsInputForm::RecordCurrentPage() {
    auto record = std::make_shared<history::clsRec>();
    record->RecordCreatedTime();
    record->URL = CurrentURL();
    record->SiteName = CurrentName();
    if (text::startsWith(text::toLower(record->URL), kPartnerRedirectPrefix)) {
        const int at = text::find(record->URL, u"&u=");
        record->URL = at > 0 ? text::mid(record->URL, at + 3) : text::Text();
    }
    if (record->SiteName.empty() && record->URL.empty()) {
        if (m_host != nullptr) m_host->ShowMessage(text::Text(kRecordWhileLoadingMessage));
        return;
    }
    // The edit window stores the record itself when the user confirms it; without the setting
    // the record goes straight into the shared history.
    if (settings::globals().Hist) {
        record->Edit();
    } else {
        history::sharedRecs().Record(record);
    }
}

void clsInputForm::Sleep(int vlngTime) {
    m_savedBrowser = m_browser;
    m_browser.clear();
    settings::waitFor(vlngTime);
    if (!m_savedBrowser.empty()) {
        for (const devtools::WindowInfo& window : m_session.windows()) {
            if (window.windowId == m_savedBrowser) {
                m_browser = m_savedBrowser;
                break;
            }
        }
    }
    m_savedBrowser.clear();
}

void clsInputForm::Terminate() {
    m_manager.Terminate();
}

DocumentRef clsInputForm::FindDocument(const DocumentRef& document, text::TextView url) {
    if (!document) return nullptr;
    const SubDocuments sub = getSubDocuments(kvsub::KvsubLibrary::forProgram(), document, kFindBound);
    if (!sub.count) return nullptr;
    for (std::int32_t i = 1; i <= *sub.count && static_cast<std::size_t>(i - 1) < sub.slots.size(); ++i) {
        const DocumentRef& child = sub.slots[static_cast<std::size_t>(i - 1)];
        if (!child) continue;
        if (settings::SameURL(utf16(child->URL()), url)) return child;
        if (child->framesLength() > 0) {
            if (DocumentRef found = FindDocument(child, url)) return found;
        }
    }
    return nullptr;
}

// ----- events --------------------------------------------------------------------------------

NavigationDecision clsInputForm::BeforeNavigate2(const devtools::NavigationRequest& request) {
    const text::Text url = utf16(request.url);
    // The frame being navigated stands for the target; the main frame has none.
    const text::Text target = request.topLevel ? text::Text() : utf16(request.frameName);
    bool cancel = false;

    m_readURLs.clear();
    // Mail links.
    if (m_link.InputMode == 1 && text::startsWith(text::toLower(url), u"mailto:") &&
        !settings::SameURL(url, m_lastMailURL)) {
        if (!m_manager.CheckActionMailto(url)) {
            m_lastMailURL = ModifyMailto(url);
            Navigate(m_lastMailURL);
            return NavigationDecision::cancel();
        }
    }
    // Header commands.
    if (!m_link.HeaderFunc().empty() &&
        settings::SameURL(text::left(url, m_link.HeaderFuncLen()), m_link.HeaderFunc())) {
        runHeaderCommand(url);
        return NavigationDecision::cancel();
    }
    // Error pages ("res:" addresses) are not requested through this event.
    if (text::startsWith(url, u"res:") && !target.empty() &&
        text::contains(text::toLower(url), text::toLower(m_pendingSubURL))) {
        return NavigationDecision::cancel();
    }
    bool clear = false;
    // First navigation of an automatic window.
    if (!clear && m_link.InputMode == 1 && !m_firstNavigation && !settings::SameURL(url, m_link.FrameURL)) {
        if (headerEnabled()) {
            m_firstNavigation = true;
            Navigate(m_link.FrameURL, 0, {}, url);
            return NavigationDecision::cancel();
        }
        clear = true;
    }
    // Top-level navigations of an automatic window go into the content frame.
    if (!clear && !settings::SameURL(url, m_link.FrameURL) && request.topLevel && m_link.InputMode == 1) {
        bool topTarget = target.empty();
        for (text::TextView t : kTopLevelTargets) topTarget = topTarget || target == t;
        if (topTarget) {
            if (headerEnabled()) {
                m_firstNavigation = true;
                cancel = true;
                if (!settings::SameURL(url, m_contentURL)) Navigate(url, 0, kContentFrameName);
                m_contentURL = url;
                m_contentTitle.clear();
            }
            clear = true;
        }
    }
    // Named frames.
    if (!clear && !target.empty()) {
        if (target == kContentFrameName) {
            m_contentURL = url;
            m_contentTitle.clear();
        }
        m_firstNavigation = true;
    }
    // Clear.
    m_firstNavigation = true;
    if (m_link.InputMode == 1) m_manager.ActiveClear();
    return cancel ? NavigationDecision::cancel() : NavigationDecision::proceed();
}

void clsInputForm::MailtoClicked(const devtools::FrameInfo& frame, const std::string& url) {
    devtools::NavigationRequest request;
    request.windowId = frame.windowId;
    request.frameId = frame.frameId;
    request.frameName = frame.name;
    request.url = url;
    request.topLevel = frame.frameId == frame.windowId;
    const NavigationDecision decision = BeforeNavigate2(request);
    if (decision.kind == NavigationDecision::Kind::Continue && !m_browser.empty()) {
        m_session.navigate(m_browser, url, request.topLevel ? std::string() : frame.frameId);
    }
}

void clsInputForm::runHeaderCommand(text::TextView url) {
    int at = text::findLast(url, u"/");
    if (at == 0) at = text::findLast(url, u"\\");
    if (at == 0) return;
    const text::Text part = text::mid(url, at + 1);
    if (text::contains(part, kHeaderUserPrefix)) {
        // The last character is the person's position from 0.
        if (part.empty()) return;
        const char16_t d = part.back();
        if (d < u'0' || d > u'9') return;
        if (m_host == nullptr) return;
        const auto person = m_host->person(static_cast<int>(d - u'0') + 1);
        if (!person) return;
        m_manager.Fill(person);
    } else if (part == kHeaderHelpCommand) {
        if (m_host != nullptr) m_host->ShowHelp();
    } else if (part == kHeaderRecordCommand) {
        if (m_host != nullptr) m_host->RecordCurrentPage(*this);
    }
}

void clsInputForm::writePersonsIntoHeader(const DocumentRef& document) {
    if (!document || m_host == nullptr) return;
    DocumentRef header;
    if (settings::SameURL(utf16(document->URL()), m_link.HeaderURL())) {
        header = document;
    } else {
        for (int i = 0; i < static_cast<int>(document->frameWindowIndexes().size()); ++i) {
            DocumentRef frame = document->frameDocument(i);
            if (frame && settings::SameURL(utf16(frame->URL()), m_link.HeaderURL())) {
                header = std::move(frame);
                break;
            }
        }
    }
    if (!header) return;
    const int persons = m_host->personCount();
    for (int i = 1; i <= persons; ++i) {
        const auto person = m_host->person(i);
        if (!person) continue;
        const std::string id = text::toUtf8(text::Text(kHeaderUserPrefix) + text::number(i - 1));
        // The first element with that id; a missing one is skipped.
        page::Element element;
        const page::ElementCollection all = header->model().all();
        for (int k = 0; k < all.length() && !element; ++k) {
            if (all.item(k).id() == id) element = all.item(k);
        }
        if (!element) continue;
        header->setElementText(element, text::toUtf8(person->DisplayName));
    }
}

void clsInputForm::DocumentComplete(const devtools::FrameInfo& frame) {
    const text::Text url = utf16(frame.url);
    DocumentRef document = m_documents ? m_documents->load(m_browser, frame.frameId) : nullptr;
    if (!document && m_documents) document = m_documents->load(m_browser, m_browser);
    if (!document) return;
    if (!settings::SameURL(utf16(document->URL()), url) && document->framesLength() > 0 && !url.empty()) {
        document = FindDocument(document, url);
        if (!document) return;
    }
    if (utf16(document->model().windowName()) == kContentFrameName && url != kAboutBlank) {
        DestURL = url;
        DestName = utf16(document->model().title());
    }
    bool alreadyRead = false;
    for (const text::Text& read : m_readURLs) alreadyRead = alreadyRead || settings::SameURL(read, url);
    if (m_link.InputMode == 1 && !alreadyRead) {
        if (settings::SameURL(url, m_link.HeaderURL()) && !m_link.NoHeaderFlag && !m_link.ChildNoHeaderFlag &&
            settings::globals().ControlPanelMode != 0) {
            writePersonsIntoHeader(document);
        }
        m_manager.InputMode = static_cast<std::int16_t>(m_link.InputMode);
        m_manager.setUserInfo(UserInfo);
        m_handedOver[frame.frameId] = url;
        m_manager.AddFrame(document);
        m_manager.DebugPrint();
    } else if (m_link.InputMode == 2) {
        m_manager.Clear();
        m_manager.InputMode = static_cast<std::int16_t>(m_link.InputMode);
        m_manager.setUserInfo(UserInfo);
        m_manager.DebugPrint();
    }
    if (m_link.InputMode == 1 && settings::SameURL(url, m_link.FrameURL) && !m_pendingSubURL.empty() &&
        headerEnabled()) {
        const text::Text sub = m_pendingSubURL;
        m_pendingSubURL.clear();
        Navigate(sub, 0, kContentFrameName);
    }
}

void clsInputForm::NavigateComplete2(const devtools::FrameInfo& frame) {
    m_handedOver.erase(frame.frameId);
    const text::Text url = utf16(frame.url);
    if (url == m_contentURL) m_contentTitle = url;
}

bool clsInputForm::countsAsDownload(const devtools::FrameInfo& frame) const {
    if (frame.frameId == m_browser) return true;
    return headerEnabled() && utf16(frame.name) == kContentFrameName;
}

void clsInputForm::DownloadBegin() {
    devtools::FrameInfo frame = mainFrame();
    frame.frameId = m_browser;
    DownloadBegin(frame);
}

void clsInputForm::DownloadBegin(const devtools::FrameInfo& frame) {
    if (!countsAsDownload(frame)) return;
    ++m_downloads;
    if (m_events != nullptr) m_events->OnBeforeNavigate(*this);
}

void clsInputForm::DownloadComplete() {
    devtools::FrameInfo frame = mainFrame();
    frame.frameId = m_browser;
    DownloadComplete(frame);
}

void clsInputForm::DownloadComplete(const devtools::FrameInfo& frame) {
    if (!countsAsDownload(frame)) return;
    if (m_downloads > 0) {
        --m_downloads;
        if (m_downloads == 0) raiseNoHit();
    }
    if (m_link.InputMode != 1 || !m_documents) return;
    const bool mainFrameLoad = frame.frameId == m_browser;
    const text::Text url = mainFrameLoad ? mstrURL() : utf16(frame.url);
    if (const auto handed = m_handedOver.find(frame.frameId);
        handed != m_handedOver.end() && settings::SameURL(handed->second, url)) {
        m_readURLs.push_back(url);
        return;  // read at its load already: one load of one document is read once
    }
    DocumentRef document;
    if (mainFrameLoad) {
        DocumentRef top = m_documents->load(m_browser, m_browser);
        document = FindDocument(top, url);
        if (!document) document = top;
    } else {
        document = m_documents->load(m_browser, frame.frameId);
    }
    if (!document) return;
    m_manager.InputMode = static_cast<std::int16_t>(m_link.InputMode);
    m_manager.setUserInfo(UserInfo);
    m_manager.AddFrame(document);
    m_manager.DebugPrint();
    m_readURLs.push_back(url);
}

void clsInputForm::NewWindow2(const devtools::WindowInfo& window) {
    if (m_host != nullptr) m_host->AddBrowser(m_link, m_link.ChildNoHeaderFlag, window.windowId);
}

void clsInputForm::Quit() {
    m_browser.clear();
    if (m_events != nullptr) m_events->OnBrowserQuit(*this);
}

void clsInputForm::CommandStateChange() {
    if (m_host != nullptr) m_host->SelectCurrentForm(*this);
}

void clsInputForm::SetStatusText(const text::Text& text) {
    if (m_events != nullptr) m_events->OnStatusText(*this, text);
}

DocumentRef clsInputForm::frameDocument(const std::string& windowId, const std::string& frameId) {
    if (windowId.empty() || windowId != m_browser || !m_documents) return nullptr;
    return m_documents->load(windowId, frameId);
}

DocumentRef clsInputForm::browserDocument() {
    if (m_browser.empty() || !m_documents) return nullptr;
    return m_documents->load(m_browser, m_browser);
}

}  // namespace orvex::browser
