#pragma once
// The bar's logic without a display: the watchers of the browser windows with the current one,
// the status picture and its animation, the hit counter and the flashing, the person and link
// buttons, the pop-up menu and its actions. The window (BarView) draws and forwards; the browser
// comes from a BrowserProvider; timers from a TimerSource.
//
// Nothing is destroyed while one of its handlers may be on the stack: watchers dropped during a
// call into the bar (a browser event, a click, a timer tick, a watcher's request) are kept until
// the outermost such call returns.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_geometry.h"
#include "bar/bar_menu.h"
#include "bar/bar_view.h"
#include "bar/browser_provider.h"
#include "bar/page_icon.h"
#include "bar/person_list.h"
#include "bar/status_animation.h"
#include "bar/timer.h"
#include "browser/input_form.h"
#include "browser/session_router.h"
#include "links/link_collection.h"
#include "settings/bar_settings.h"

namespace orvex::bar {

// Position in the link collection, counted from 1, of the link that windows the bar finds take:
// the prize page in prize mode, the browser link otherwise.
inline constexpr int kPrizeModeLink = 3;
inline constexpr int kPlainModeLink = 1;
// The index of "the first page" for OpenLink.
inline constexpr int kFirstPageLink = -1;
// Prefix of the watchers' keys.
inline constexpr text::TextView kWatcherKeyPrefix = u"F";
// The page a window the bar creates starts with; the watcher sends it on from there.
inline constexpr const char* kNewWindowAddress = "about:blank";
// BarMode value that keeps the floating window always on top.
inline constexpr std::int32_t kBarModeFloatingOnTop = 2;
// The bundled help page under the resource directory.
inline constexpr std::string_view kHelpPage = "help/index.htm";

class BarModel final : public browser::InputFormHost, public browser::InputFormEvents {
  public:
    /// A bar that draws through `view`, times with `timers`, follows the browser of `browser`
    /// (whose observer it becomes) and downloads page icons with `icons` (none: only "file:" icons
    /// are taken). All must outlive it.
    BarModel(BarView& view, TimerSource& timers, BrowserProvider& browser, IconFetcher* icons = nullptr);
    ~BarModel() override;
    BarModel(const BarModel&) = delete;
    BarModel& operator=(const BarModel&) = delete;

    // ----- loading and layout -----
    /// The bar's loading, after start-up: menu state, "system.ini", the layout, the persons (the
    /// person setup dialog first when "userdata.ini" is missing) and their buttons, the links and
    /// their buttons, the browser started and its open windows adopted, the first page opened
    /// (unless FirstPageMode is 0), the floating window instead of the bar when BarMode is not 0.
    /// A browser that cannot be started is reported and the bar goes on without one.
    void load();
    /// The bar's width in pixels, after docking and at every re-docking; lays the bar out again.
    void setBarWidth(int width);
    /// The sizes the view draws the fixed items in; lays the bar out again.
    void setFixedItemSizes(const FixedItemSizes& sizes);
    /// The edge the bar docks on, from "BarPosition" as read at load (kEdgeTop or kEdgeBottom).
    int edge() const { return edgeForBarPosition(m_barSettings.BarPosition); }
    /// True when the floating window replaces the bar (BarMode not 0): the bar is not docked.
    bool replacedByFloatingWindow() const;
    /// The layout as last handed to the view.
    const BarLayout& layout() const { return m_layout; }
    /// The system settings dialog stored new values: the bar keeps them, and redraws the person
    /// buttons at once when "UserButtonType" changed ("BarPosition" applies at the next start).
    void setBarSettings(const settings::BarSettings& settings);
    const settings::BarSettings& barSettings() const { return m_barSettings; }

    // ----- the user's input, forwarded by the view -----
    /// A click on person button `index` (from 0).
    void clickPersonButton(int index);
    /// A click on a link button: opens the link of that index in the collection.
    void clickLinkButton(int index);
    /// A right-button release on the bar, a right click on a person or link button, a click on the
    /// menu picture: the pop-up menu with its link entries.
    void openRightMenu();
    /// A chosen menu entry.
    void menuChosen(MenuEntry entry);
    /// A click on the "Auto" label: automatic input turned over.
    void clickAutoLabel();
    /// A click on the status picture: the current browser window to the front, its status text
    /// written.
    void clickStatusPicture();
    /// "終了": closes the browser, then asks the view to end the program.
    void exit();

    // ----- the bar's interface to other parts -----
    /// Creates a browser window with a watcher that holds a copy of `link` (with NoHeaderFlag and
    /// ChildNoHeaderFlag when `childNoHeader`); the watcher is current at once and gets its window
    /// when the browser has made it, then `whenOpen` runs with it. Null (after a message) when no
    /// browser can be started.
    std::shared_ptr<browser::clsInputForm> AddBrowser(const links::clsLink& link, bool childNoHeader,
                                                      std::function<void(browser::clsInputForm&)> whenOpen = {});
    /// Opens link `n` of the collection (kFirstPageLink: the first page) in a new window; an
    /// automatic link while no person button is shown first asks whether to set persons up.
    void OpenLink(int n);
    /// Opens `url` (empty: the first page) with input mode `lngMode` in a new window, with the
    /// control panel pages (empty: the configured ones) when the panel is on.
    void OpenURL(text::TextView url, text::TextView strFrameURL, text::TextView strHeaderURL, std::int32_t lngMode);
    /// Records the current watcher's page; nothing without one.
    void RecordCurrentPage();
    /// Rebuilds the person buttons, then the link buttons.
    void RefreshButtons();
    /// Reads the persons again (their buttons with them), then rebuilds the link buttons.
    void UpdateUserData();
    /// Replaces the links (the links dialog's OK) and rebuilds their buttons.
    void ReplaceLinkCollection(links::LinkCollection newLinks);
    /// Opens the pop-up menu without its four link entries (the floating window's menu).
    void ShowRightMenu();
    /// Starts the flashing of the bar and brings the current browser window to the front.
    void Flash();

    // ----- browser::InputFormHost -----
    int personCount() override;
    std::shared_ptr<const fill::clsUserInfo> person(int position) override;
    /// A page opened `windowId`: it gets a watcher of its own at once, current, before it starts.
    void AddBrowser(const links::clsLink& link, bool childNoHeader, const std::string& windowId) override;
    void SelectCurrentForm(browser::clsInputForm& form) override;
    void RecordCurrentPage(browser::clsInputForm& requester) override;
    /// The help command: the bundled help page in a new window, or the message that there is none.
    void ShowHelp() override;
    void ShowMessage(const text::Text& message) override;
    /// The start page of the browser's own settings, else the bundled home page.
    std::string browserHomePage() override;

    // ----- browser::InputFormEvents (only the current watcher's reach the bar) -----
    void Hit(browser::clsInputForm& form, int& value) override;
    void NoHit(browser::clsInputForm& form) override;
    void OnBeforeNavigate(browser::clsInputForm& form) override;
    void OnBrowserQuit(browser::clsInputForm& form) override;
    void OnStatusText(browser::clsInputForm& form, const text::Text& text) override;

    // ----- state -----
    StatusState statusState() const { return m_status.state(); }
    StatusPicture statusPicture() const { return m_status.picture(); }
    int hitCount() const { return m_hits; }
    bool flashing() const { return m_flasher.running(); }
    /// The status text the bar shows now (the current watcher's window's).
    const text::Text& statusText() const { return m_shownStatus; }
    bool prizeMode() const { return m_prizeMode; }
    /// The control panel mode as stored by the menu (it applies at the next start).
    std::int32_t storedControlPanelMode() const { return m_storedControlPanelMode; }
    const PersonList& persons() const { return m_persons; }
    bool noPerson() const { return m_persons.empty(); }
    const links::LinkCollection& links() const { return m_links; }
    const std::vector<ButtonView>& personButtons() const { return m_personButtons; }
    const std::vector<ButtonView>& linkButtons() const { return m_linkButtons; }
    /// The watchers in the order they were made.
    std::vector<std::shared_ptr<browser::clsInputForm>> watchers() const;
    /// The watcher with `key`; null when none.
    std::shared_ptr<browser::clsInputForm> watcher(text::TextView key) const;
    /// The current watcher; null when none.
    const std::shared_ptr<browser::clsInputForm>& currentForm() const { return m_current; }
    /// The last running number given to a watcher's key.
    std::int32_t watcherCounter() const { return m_counter; }
    /// The menu as an opening would show it.
    std::vector<MenuItem> menuItems(MenuOpening opening) const;
    /// The receiver of the browser's events (installed on the provider by the constructor).
    devtools::BrowserEvents& browserEvents();

  private:
    class SessionEvents;
    struct Watcher {
        std::shared_ptr<browser::clsInputForm> form;
        std::string attachedWindow;  // the window the router sends to it
        text::Text statusText;       // its window's status text
    };
    struct PendingWindow {
        std::weak_ptr<browser::clsInputForm> form;
        std::function<void(browser::clsInputForm&)> whenOpen;
        std::string url;
        bool bound = false;
    };
    // Held by every call into the bar; the outermost one frees what was dropped meanwhile.
    class Entry {
      public:
        explicit Entry(BarModel& bar) : m_bar(bar) { ++m_bar.m_depth; }
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

      private:
        BarModel& m_bar;
    };

    // Browser events (through SessionEvents).
    void windowOpened(const devtools::WindowInfo& window);
    void adoptWindow(const devtools::WindowInfo& window);
    void browserClosed(const std::string& reason);

    devtools::BrowserSession* sessionForWindows();
    std::shared_ptr<browser::clsInputForm> createWatcher(devtools::BrowserSession& session, const links::clsLink& link,
                                                         bool noHeader);
    void dropWatchersWithoutBrowser();
    void dropAllWatchers();
    void attach(Watcher& watcher, const std::string& windowId);
    void bindPending(const std::shared_ptr<PendingWindow>& pending, const std::string& windowId);
    void windowRefused();
    Watcher* entryOf(const browser::clsInputForm& form);
    bool isCurrent(const browser::clsInputForm& form) const { return m_current.get() == &form; }
    void writeStatusText(browser::clsInputForm& form);
    void setCurrent(std::shared_ptr<browser::clsInputForm> form);
    void refreshShownStatus();
    void setStatus(StatusState state);
    void bringCurrentToFront();
    links::clsLink pageLink(std::int32_t inputMode, const text::Text& url) const;
    void openInNewWindow(const links::clsLink& link);

    // Buttons and layout (bar_buttons.cpp).
    void loadPersons();
    void rebuildPersonButtons();
    void rebuildLinkButtons();
    void pushLayout();

    // Menu actions (bar_actions.cpp).
    void addURL();
    void addFavorites();
    void offerPageIcon(browser::clsInputForm& form, std::function<void(text::Text)> done);
    void toggleControlPanel();
    void askParameters();
    void showAbout();
    void clickTest();
    void pageOf(browser::clsInputForm& form, text::Text& name, text::Text& url);
    void message(text::TextView text);

    BarView& m_view;
    TimerSource& m_timers;
    BrowserProvider& m_browser;
    IconFetcher* m_icons;
    std::unique_ptr<SessionEvents> m_sessionEvents;
    browser::SessionRouter m_router;
    devtools::BrowserSession* m_session = nullptr;  // the session the watchers belong to

    std::vector<Watcher> m_watchers;
    std::vector<std::shared_ptr<browser::clsInputForm>> m_dropped;
    std::shared_ptr<browser::clsInputForm> m_current;
    std::int32_t m_counter = 0;
    bool m_justCreated = false;
    std::string m_lastCreated;
    std::deque<std::shared_ptr<PendingWindow>> m_pending;
    int m_depth = 0;
    bool m_exiting = false;

    StatusAnimation m_status;
    Flasher m_flasher;
    int m_hits = 0;
    text::Text m_shownStatus;
    bool m_prizeMode = true;
    std::int32_t m_storedControlPanelMode = 0;

    settings::BarSettings m_barSettings;
    PersonList m_persons;
    links::LinkCollection m_links;
    std::vector<ButtonView> m_personButtons;
    std::vector<ButtonView> m_linkButtons;
    int m_barWidth = 0;
    FixedItemSizes m_sizes;
    int m_personRowEnd = kStatusBoxWidth;
    BarLayout m_layout;

    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace orvex::bar
