#include "bar/bar_model.h"

#include <algorithm>
#include <utility>

#include "bar/bar_texts.h"
#include "settings/globals.h"
#include "settings/paths.h"
#include "settings/product_pages.h"
#include "text/strings.h"

namespace orvex::bar {

// The bar's receiver of browser events: every event is a call into the bar, and windows that no
// watcher follows yet are adopted.
class BarModel::SessionEvents final : public devtools::BrowserEvents {
  public:
    explicit SessionEvents(BarModel& bar) : m_bar(bar) {}

    void windowOpened(const devtools::WindowInfo& window) override { m_bar.windowOpened(window); }
    void windowClosed(const std::string& windowId) override {
        Entry entry(m_bar);
        m_bar.m_router.windowClosed(windowId);
    }
    devtools::NavigationDecision navigationRequested(const devtools::NavigationRequest& request) override {
        Entry entry(m_bar);
        return m_bar.m_router.navigationRequested(request);
    }
    void frameNavigated(const devtools::FrameInfo& frame) override {
        Entry entry(m_bar);
        m_bar.m_router.frameNavigated(frame);
    }
    void frameLoaded(const devtools::FrameInfo& frame) override {
        Entry entry(m_bar);
        m_bar.m_router.frameLoaded(frame);
    }
    void frameStartedLoading(const devtools::FrameInfo& frame) override {
        Entry entry(m_bar);
        m_bar.m_router.frameStartedLoading(frame);
    }
    void frameStoppedLoading(const devtools::FrameInfo& frame) override {
        Entry entry(m_bar);
        m_bar.m_router.frameStoppedLoading(frame);
    }
    void mailtoClicked(const devtools::FrameInfo& frame, const std::string& url) override {
        Entry entry(m_bar);
        // A link that no awake watcher takes opens in the browser that reported it.
        m_bar.m_router.setSession(m_bar.m_browser.currentSession());
        m_bar.m_router.mailtoClicked(frame, url);
    }
    void windowFocused(const std::string& windowId) override {
        Entry entry(m_bar);
        m_bar.m_router.windowFocused(windowId);
    }
    void dialogOpened(const devtools::DialogInfo& dialog) override {
        Entry entry(m_bar);
        m_bar.m_router.dialogOpened(dialog);
    }
    void dialogClosed(const std::string& windowId) override {
        Entry entry(m_bar);
        m_bar.m_router.dialogClosed(windowId);
    }
    void browserClosed(const std::string& reason) override { m_bar.browserClosed(reason); }

  private:
    BarModel& m_bar;
};

BarModel::Entry::~Entry() {
    if (--m_bar.m_depth > 0) return;
    // Nothing of the bar's is on the stack any more: what was dropped can go now.
    std::vector<std::shared_ptr<browser::clsInputForm>> dropped;
    dropped.swap(m_bar.m_dropped);
    dropped.clear();
    m_bar.m_browser.releaseEnded();
}

BarModel::BarModel(BarView& view, TimerSource& timers, BrowserProvider& browser, IconFetcher* icons)
    : m_view(view),
      m_timers(timers),
      m_browser(browser),
      m_icons(icons),
      m_sessionEvents(std::make_unique<SessionEvents>(*this)),
      m_status(timers, [this](StatusPicture picture) { m_view.setStatusPicture(picture); }),
      m_flasher(
          timers,
          [this](bool on) {
              Entry entry(*this);
              m_view.setFlash(on);
          },
          [this] {
              Entry entry(*this);
              m_view.setStatusBoxPicture(0);
          }) {
    m_browser.setObserver(m_sessionEvents.get());
}

BarModel::~BarModel() {
    *m_alive = false;
    m_browser.setObserver(nullptr);
    for (Watcher& w : m_watchers) {
        if (!w.attachedWindow.empty()) m_router.detach(w.attachedWindow);
        w.form->Terminate();
    }
    m_current.reset();
    m_watchers.clear();
    m_dropped.clear();
    m_browser.releaseEnded();
}

devtools::BrowserEvents& BarModel::browserEvents() {
    return *m_sessionEvents;
}

bool BarModel::replacedByFloatingWindow() const {
    return settings::globals().floatingPalette();
}

// ----- loading --------------------------------------------------------------------------------

void BarModel::load() {
    Entry entry(*this);
    const settings::Globals& g = settings::globals();
    m_storedControlPanelMode = g.ControlPanelMode;
    m_prizeMode = true;
    setStatus(StatusState::Default);
    m_view.setAutoLabel(g.autoInput);
    m_view.setHitCount(text::number(m_hits));
    m_barSettings = settings::readBarSettings();
    pushLayout();
    if (userDataMissing(settings::dataDir())) m_view.openDialog(BarDialog::PersonSetup);
    // The program may have been told to end while the dialog was open: start nothing more.
    if (m_exiting) return;
    loadPersons();
    m_links = links::buildLinkCollection(g);
    rebuildLinkButtons();

    text::Text problem;
    devtools::BrowserSession* session = m_browser.ensureSession(&problem);
    if (session == nullptr) {
        if (!problem.empty()) message(problem);
    } else {
        m_session = session;
        for (const devtools::WindowInfo& window : session->windows()) adoptWindow(window);
        if (g.FirstPageMode != 0) OpenLink(kFirstPageLink);
    }
    if (g.floatingPalette()) m_view.openDialog(BarDialog::FloatingWindow);
}

// ----- watchers -------------------------------------------------------------------------------

std::vector<std::shared_ptr<browser::clsInputForm>> BarModel::watchers() const {
    std::vector<std::shared_ptr<browser::clsInputForm>> all;
    for (const Watcher& w : m_watchers) all.push_back(w.form);
    return all;
}

std::shared_ptr<browser::clsInputForm> BarModel::watcher(text::TextView key) const {
    for (const Watcher& w : m_watchers)
        if (w.form->key() == key) return w.form;
    return nullptr;
}

BarModel::Watcher* BarModel::entryOf(const browser::clsInputForm& form) {
    for (Watcher& w : m_watchers)
        if (w.form.get() == &form) return &w;
    return nullptr;
}

devtools::BrowserSession* BarModel::sessionForWindows() {
    text::Text problem;
    devtools::BrowserSession* session = m_browser.ensureSession(&problem);
    if (session == nullptr) {
        if (!problem.empty()) message(problem);
        return nullptr;
    }
    if (m_session != nullptr && session != m_session) {
        // A new browser: the old one's windows are gone, whether it said so or not.
        m_router.browserClosed("the browser was started again");
        m_pending.clear();
    }
    m_session = session;
    return session;
}

void BarModel::dropWatchersWithoutBrowser() {
    for (std::size_t i = m_watchers.size(); i-- > 0;) {
        Watcher& w = m_watchers[i];
        if (!w.form->Browser().empty()) continue;
        w.form->Terminate();
        if (!w.attachedWindow.empty() && m_router.formOf(w.attachedWindow) == w.form.get())
            m_router.detach(w.attachedWindow);
        if (m_current == w.form) setCurrent(nullptr);
        // Kept until the outermost call into the bar returns: it may be running a handler.
        m_dropped.push_back(std::move(w.form));
        m_watchers.erase(m_watchers.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void BarModel::dropAllWatchers() {
    for (Watcher& w : m_watchers) {
        w.form->Terminate();
        if (!w.attachedWindow.empty() && m_router.formOf(w.attachedWindow) == w.form.get())
            m_router.detach(w.attachedWindow);
        m_dropped.push_back(std::move(w.form));
    }
    m_watchers.clear();
    m_pending.clear();
    setCurrent(nullptr);
}

std::shared_ptr<browser::clsInputForm> BarModel::createWatcher(devtools::BrowserSession& session,
                                                               const links::clsLink& link, bool noHeader) {
    auto form = std::make_shared<browser::clsInputForm>(session, m_browser.documents(), this, this);
    if (!m_persons.empty()) form->UserInfo = m_persons.front();
    ++m_counter;
    form->setKey(text::Text(kWatcherKeyPrefix) + text::number(m_counter));
    links::clsLink copy;
    link.CopyTo(copy);
    if (noHeader) {
        copy.NoHeaderFlag = true;
        copy.ChildNoHeaderFlag = true;
    }
    form->setLink(copy);
    m_watchers.push_back(Watcher{form, {}, {}});
    return form;
}

void BarModel::attach(Watcher& watcher, const std::string& windowId) {
    if (!watcher.attachedWindow.empty() && m_router.formOf(watcher.attachedWindow) == watcher.form.get())
        m_router.detach(watcher.attachedWindow);
    watcher.form->setBrowser(windowId);
    watcher.attachedWindow = windowId;
    m_router.attach(windowId, watcher.form.get());
}

void BarModel::windowOpened(const devtools::WindowInfo& window) {
    Entry entry(*this);
    // A window a page opened is adopted by its opener's watcher first (AddBrowser with the window).
    m_router.windowOpened(window);
    adoptWindow(window);
}

void BarModel::adoptWindow(const devtools::WindowInfo& window) {
    devtools::BrowserSession* session = m_browser.currentSession();
    if (session == nullptr || window.windowId.empty()) return;
    const settings::Globals& g = settings::globals();
    if (g.ConstEnabled) {
        devtools::WindowBounds bounds;
        bounds.left = g.ConstLeft;
        bounds.top = g.ConstTop;
        bounds.width = g.ConstWidth;
        bounds.height = g.ConstHeight;
        session->setWindowBounds(window.windowId, bounds, {});
    }
    const bool followed = std::any_of(m_watchers.begin(), m_watchers.end(),
                                      [&](const Watcher& w) { return w.form->Browser() == window.windowId; });
    if (m_justCreated) {
        m_justCreated = false;
        // The window the bar asked for may be reported before the browser's answer names it.
        if (!followed) {
            for (const auto& pending : m_pending) {
                if (!pending->bound && pending->url == window.url) {
                    bindPending(pending, window.windowId);
                    break;
                }
            }
        }
        return;
    }
    if (window.windowId == m_lastCreated || followed) return;

    const int position = m_prizeMode ? kPrizeModeLink : kPlainModeLink;
    if (position > static_cast<int>(m_links.size())) {
        message(kNoLinkForWindowMessage);
        return;
    }
    dropWatchersWithoutBrowser();
    auto form = createWatcher(*session, *m_links[static_cast<std::size_t>(position - 1)], true);
    attach(m_watchers.back(), window.windowId);
    setCurrent(form);
}

std::shared_ptr<browser::clsInputForm> BarModel::AddBrowser(
    const links::clsLink& link, bool childNoHeader, std::function<void(browser::clsInputForm&)> whenOpen) {
    Entry entry(*this);
    devtools::BrowserSession* session = sessionForWindows();
    if (session == nullptr) return nullptr;
    dropWatchersWithoutBrowser();
    auto form = createWatcher(*session, link, childNoHeader);
    m_justCreated = true;
    auto pending = std::make_shared<PendingWindow>();
    pending->form = form;
    pending->whenOpen = std::move(whenOpen);
    pending->url = kNewWindowAddress;
    m_pending.push_back(pending);
    setCurrent(form);
    const std::weak_ptr<bool> alive = m_alive;
    session->openWindow(kNewWindowAddress, [this, alive, pending](std::optional<std::string> windowId) {
        if (alive.expired()) return;
        Entry inner(*this);
        std::erase(m_pending, pending);
        if (windowId) {
            bindPending(pending, *windowId);
        } else {
            windowRefused();
        }
    });
    return form;
}

void BarModel::bindPending(const std::shared_ptr<PendingWindow>& pending, const std::string& windowId) {
    const auto form = pending->form.lock();
    if (!form) return;
    Watcher* w = entryOf(*form);
    if (w == nullptr) return;
    m_lastCreated = windowId;
    if (form->Browser() == windowId) return;
    attach(*w, windowId);
    if (pending->bound) return;
    pending->bound = true;
    if (pending->whenOpen) pending->whenOpen(*form);
}

void BarModel::windowRefused() {
    // The window the flag stands for will never be reported.
    m_justCreated = false;
    if (!m_exiting) message(kWindowNotOpenedMessage);
}

void BarModel::AddBrowser(const links::clsLink& link, bool childNoHeader, const std::string& windowId) {
    Entry entry(*this);
    devtools::BrowserSession* session = m_browser.currentSession();
    if (session == nullptr || windowId.empty()) return;
    dropWatchersWithoutBrowser();
    auto form = createWatcher(*session, link, childNoHeader);
    m_justCreated = true;
    m_lastCreated = windowId;
    attach(m_watchers.back(), windowId);
    setCurrent(form);
}

void BarModel::browserClosed(const std::string& reason) {
    Entry entry(*this);
    m_router.browserClosed(reason);
    m_pending.clear();
    m_justCreated = false;
}

void BarModel::SelectCurrentForm(browser::clsInputForm& form) {
    Entry entry(*this);
    Watcher* w = entryOf(form);
    if (w == nullptr) return;
    if (!m_current || m_current->key() != form.key()) setCurrent(w->form);
    writeStatusText(*m_current);
}

// ----- status text, status picture, events -------------------------------------------------------

void BarModel::writeStatusText(browser::clsInputForm& form) {
    Watcher* w = entryOf(form);
    if (w == nullptr) return;
    // An address the window shows (a link under the pointer) is left alone.
    if (text::startsWith(w->statusText, u"http")) {
        refreshShownStatus();
        return;
    }
    text::Text status(kProductName);
    switch (form.Link().InputMode) {
        case links::kInputAutomatic:
            status += settings::globals().autoInput ? kAutoModeText : kAutoModeStoppedText;
            if (!text::contains(form.DestURL, u"about:blank")) status += form.DestURL;
            break;
        case links::kInputOnRequest:
            status += kManualModeText;
            break;
        default:
            break;
    }
    w->statusText = status;
    refreshShownStatus();
}

void BarModel::setCurrent(std::shared_ptr<browser::clsInputForm> form) {
    m_current = std::move(form);
    refreshShownStatus();
}

void BarModel::refreshShownStatus() {
    text::Text shown;
    if (m_current) {
        if (const Watcher* w = entryOf(*m_current)) shown = w->statusText;
    }
    if (shown == m_shownStatus) return;
    m_shownStatus = shown;
    m_view.setStatusText(m_shownStatus);
}

void BarModel::setStatus(StatusState state) {
    m_status.setState(state);
    pushLayout();
}

void BarModel::bringCurrentToFront() {
    devtools::BrowserSession* session = m_browser.currentSession();
    if (session != nullptr && m_current && !m_current->Browser().empty())
        session->bringToFront(m_current->Browser());
}

void BarModel::Hit(browser::clsInputForm& form, int& value) {
    (void)value;
    Entry entry(*this);
    if (!isCurrent(form)) return;
    ++m_hits;
    m_view.setHitCount(text::number(m_hits));
    setStatus(StatusState::Hit);
    bringCurrentToFront();
    writeStatusText(form);
    Flash();
}

void BarModel::NoHit(browser::clsInputForm& form) {
    Entry entry(*this);
    if (!isCurrent(form)) return;
    setStatus(StatusState::Default);
    writeStatusText(form);
}

void BarModel::OnBeforeNavigate(browser::clsInputForm& form) {
    Entry entry(*this);
    if (!isCurrent(form)) return;
    setStatus(StatusState::BeforeNavigate);
}

void BarModel::OnBrowserQuit(browser::clsInputForm& form) {
    Entry entry(*this);
    if (!isCurrent(form)) return;
    if (settings::globals().BarMode != kBarModeFloatingOnTop) m_view.setAlwaysOnTop(false);
    setCurrent(nullptr);
    setStatus(StatusState::Default);
}

void BarModel::OnStatusText(browser::clsInputForm& form, const text::Text& text) {
    Entry entry(*this);
    Watcher* w = entryOf(form);
    if (w == nullptr) return;
    w->statusText = text;
    refreshShownStatus();
}

void BarModel::Flash() {
    Entry entry(*this);
    m_flasher.start();
    bringCurrentToFront();
}

// ----- persons for the watchers ------------------------------------------------------------------

int BarModel::personCount() {
    return static_cast<int>(m_persons.size());
}

std::shared_ptr<const fill::clsUserInfo> BarModel::person(int position) {
    if (position < 1 || position > personCount()) return nullptr;
    return m_persons[static_cast<std::size_t>(position - 1)];
}

void BarModel::RecordCurrentPage(browser::clsInputForm& requester) {
    (void)requester;
    RecordCurrentPage();
}

void BarModel::RecordCurrentPage() {
    Entry entry(*this);
    if (const auto current = m_current) current->RecordCurrentPage();
}

std::string BarModel::browserHomePage() {
    const std::string home = m_browser.homePage();
    return home.empty() ? browser::InputFormHost::browserHomePage() : home;
}

void BarModel::ShowMessage(const text::Text& text) {
    Entry entry(*this);
    message(text);
}

void BarModel::message(text::TextView text) {
    m_view.showMessage(text::Text(text), text::Text(kProductName));
}

// ----- opening links ------------------------------------------------------------------------------

links::clsLink BarModel::pageLink(std::int32_t inputMode, const text::Text& url) const {
    links::clsLink link;
    link.InputMode = inputMode;
    link.URL = url;
    return link;
}

void BarModel::OpenLink(int n) {
    Entry entry(*this);
    const settings::Globals& g = settings::globals();
    links::clsLink link;
    if (n == kFirstPageLink) {
        link = pageLink(links::kInputAutomatic, settings::firstPageAddress(g));
    } else {
        if (n < 0 || n >= static_cast<int>(m_links.size())) return;
        link = *m_links[static_cast<std::size_t>(n)];
    }
    const settings::ControlPanelPages panel = settings::controlPanelPages(g);
    link.FrameURL = panel.index;
    link.setHeaderURL(panel.header);
    if (!g.controlPanelOn()) {
        link.NoHeaderFlag = true;
        link.ChildNoHeaderFlag = true;
    }
    if (link.InputMode == links::kInputAutomatic && m_persons.empty()) {
        if (m_view.askOkCancel(text::Text(kPersonSetupQuestion), text::Text(kProductName))) {
            m_view.openDialog(BarDialog::PersonSetup);
            return;
        }
    }
    openInNewWindow(link);
}

void BarModel::OpenURL(text::TextView url, text::TextView strFrameURL, text::TextView strHeaderURL,
                       std::int32_t lngMode) {
    Entry entry(*this);
    const settings::Globals& g = settings::globals();
    links::clsLink link = pageLink(lngMode, url.empty() ? settings::firstPageAddress(g) : text::Text(url));
    if (!g.controlPanelOn()) {
        link.NoHeaderFlag = true;
        link.ChildNoHeaderFlag = true;
    } else {
        const settings::ControlPanelPages panel = settings::controlPanelPages(g);
        link.FrameURL = strFrameURL.empty() ? panel.index : text::Text(strFrameURL);
        link.setHeaderURL(strHeaderURL.empty() ? text::TextView(panel.header) : strHeaderURL);
    }
    openInNewWindow(link);
}

void BarModel::openInNewWindow(const links::clsLink& link) {
    const bool throughPanel =
        link.InputMode == links::kInputAutomatic && settings::globals().controlPanelOn();
    const text::Text frameURL = link.FrameURL;
    const text::Text url = link.URL;
    AddBrowser(link, false, [throughPanel, frameURL, url](browser::clsInputForm& form) {
        if (throughPanel) {
            form.Navigate(frameURL, 0, {}, url);
        } else {
            form.Navigate(url);
        }
    });
}

}  // namespace orvex::bar
