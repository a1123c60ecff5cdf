// The bar's menu and the actions of its entries, the "Auto" label and the status picture.

#include "bar/bar_model.h"
#include "bar/bar_texts.h"
#include "bar/favorites.h"
#include "bar/parameter_check.h"
#include "browser/kvsub_page_objects.h"
#include "kvsub/kvsub_library.h"
#include "settings/globals.h"
#include "settings/paths.h"
#include "settings/settings_store.h"
#include "text/strings.h"

#ifndef ORVEX_VERSION
#define ORVEX_VERSION "0.0.0"
#endif

namespace orvex::bar {
namespace {

constexpr text::TextView kControlPanelModeKey = u"ControlPanelMode";
constexpr std::int32_t kControlPanelOff = 0;
constexpr std::int32_t kControlPanelProductSite = 1;

text::Text failure(text::TextView before, const std::string& reason, text::TextView after) {
    return text::Text(before) + text::fromUtf8(reason) + text::Text(after);
}

}  // namespace

std::vector<MenuItem> BarModel::menuItems(MenuOpening opening) const {
    MenuState state;
    state.currentWatcherWithBrowser = m_current && !m_current->Browser().empty();
    state.controlPanelOn = m_storedControlPanelMode != kControlPanelOff;
    state.prizeMode = m_prizeMode;
    return rightMenuItems(opening, state);
}

void BarModel::openRightMenu() {
    Entry entry(*this);
    m_view.showMenu(menuItems(MenuOpening::WithLinkEntries));
}

void BarModel::ShowRightMenu() {
    Entry entry(*this);
    m_view.showMenu(menuItems(MenuOpening::WithoutLinkEntries));
}

void BarModel::menuChosen(MenuEntry chosen) {
    Entry entry(*this);
    const settings::Globals& g = settings::globals();
    switch (chosen) {
        case MenuEntry::ShellWindows:
            // The list of windows is looked at and dropped.
            if (devtools::BrowserSession* session = m_browser.currentSession()) (void)session->windows();
            break;
        case MenuEntry::ShellUIHelper:
        case MenuEntry::Kensho:
        case MenuEntry::LinkSeparator:
            break;
        case MenuEntry::ClickTest:
            clickTest();
            break;
        case MenuEntry::NextUser:
            if (m_current) m_current->FillNextUser();
            break;
        case MenuEntry::AddURL:
            addURL();
            break;
        case MenuEntry::AddFavorites:
            addFavorites();
            break;
        case MenuEntry::EditURL:
            m_view.openDialog(BarDialog::Links);
            break;
        case MenuEntry::Clipboard:
            m_view.openDialog(g.floatingPalette() ? BarDialog::FloatingClipboard : BarDialog::Clipboard);
            break;
        case MenuEntry::Hist:
            m_view.openDialog(BarDialog::HistoryList);
            break;
        case MenuEntry::ZolvanSetup:
            m_view.openDialog(BarDialog::AdvancedSettings);
            break;
        case MenuEntry::SystemSetup:
            m_view.openDialog(BarDialog::SystemSettings);
            break;
        case MenuEntry::UserSetup:
            m_view.openDialog(BarDialog::PersonSetup);
            break;
        case MenuEntry::ControlPanel:
            toggleControlPanel();
            break;
        case MenuEntry::KenshoMode:
            m_prizeMode = !m_prizeMode;
            break;
        case MenuEntry::NewHelp:
            ShowHelp();
            break;
        case MenuEntry::Version:
            showAbout();
            break;
        case MenuEntry::Exit:
            exit();
            break;
        case MenuEntry::Parameter:
            askParameters();
            break;
    }
}

void BarModel::clickAutoLabel() {
    Entry entry(*this);
    settings::Globals& g = settings::globals();
    g.autoInput = !g.autoInput;
    m_view.setAutoLabel(g.autoInput);
}

void BarModel::clickStatusPicture() {
    Entry entry(*this);
    if (!m_current) return;
    bringCurrentToFront();
    writeStatusText(*m_current);
}

// ----- the page entries -------------------------------------------------------------------------

void BarModel::pageOf(browser::clsInputForm& form, text::Text& name, text::Text& url) {
    if (form.Link().InputMode == links::kInputAutomatic) {
        name = form.DestName;
        url = form.DestURL;
    }
    // Without a page of the content frame: the window's own title and address.
    if (name.empty() || url.empty()) {
        if (devtools::BrowserSession* session = m_browser.currentSession()) {
            for (const devtools::WindowInfo& window : session->windows()) {
                if (window.windowId != form.Browser()) continue;
                if (name.empty()) name = text::fromUtf8(window.title);
                if (url.empty()) url = text::fromUtf8(window.url);
            }
        }
    }
}

void BarModel::addURL() {
    const std::shared_ptr<browser::clsInputForm> form = m_current;
    if (!form || form->Browser().empty()) return;
    bringCurrentToFront();
    links::clsLink link;
    pageOf(*form, link.Name, link.URL);
    link.InputMode = form->Link().InputMode;
    link.ButtonType = links::kButtonName;
    link.Visible = true;
    link.Editable = true;
    link.GetNewID();
    const std::weak_ptr<bool> alive = m_alive;
    offerPageIcon(*form, [this, alive, link](text::Text icon) mutable {
        if (alive.expired()) return;
        Entry inner(*this);
        if (!icon.empty()) {
            link.IconFileName = icon;
            link.ButtonType = links::kButtonIconAndName;
        }
        m_view.openLinksDialog(link);
    });
}

void BarModel::offerPageIcon(browser::clsInputForm& form, std::function<void(text::Text)> done) {
    const std::shared_ptr<browser::DocumentSource> documents = m_browser.documents();
    const browser::DocumentRef document = documents ? documents->load(form.Browser(), form.Browser()) : nullptr;
    const text::Text address = pageIconAddress(document);
    const text::Text name = iconTargetName(address);
    if (name.empty() || !m_view.askOkCancel(text::Text(kIconOfferQuestion), text::Text(kProductName))) {
        done({});
        return;
    }
    const std::filesystem::path dataDir = settings::dataDir();
    auto finish = [this, dataDir, name, done](FetchResult fetched) {
        text::Text stored;
        if (fetched.ok) stored = storeIcon(dataDir, name, fetched.bytes, &fetched.error);
        if (stored.empty()) message(failure(kDownloadFailedBefore, fetched.error, kDownloadFailedAfter));
        done(stored);
    };
    if (text::startsWith(text::toLower(address), u"file:")) {
        finish(readFileAddress(address));
        return;
    }
    if (m_icons == nullptr) {
        finish(FetchResult{false, {}, "no network access"});
        return;
    }
    m_view.showBusy(text::Text(kDownloadingNote));
    const std::weak_ptr<bool> alive = m_alive;
    m_icons->fetch(text::toUtf8(address), [this, alive, finish](FetchResult fetched) {
        if (alive.expired()) return;
        Entry inner(*this);
        m_view.hideBusy();
        finish(std::move(fetched));
    });
}

void BarModel::addFavorites() {
    const std::shared_ptr<browser::clsInputForm> form = m_current;
    if (!form || form->Browser().empty()) return;
    bringCurrentToFront();
    text::Text name;
    text::Text url;
    pageOf(*form, name, url);
    const FavoriteResult result = addFavorite(settings::dataDir() / kFavoritesFolder, name, url);
    if (!result.ok) message(failure(kFavoriteFailedBefore, result.error, kFavoriteFailedAfter));
}

void BarModel::clickTest() {
    const std::shared_ptr<browser::DocumentSource> documents = m_browser.documents();
    if (!m_current || m_current->Browser().empty() || !documents) return;
    const browser::DocumentRef document = documents->load(m_current->Browser(), m_current->Browser());
    if (!document) return;
    KvObject* object = browser::wrapDocument(document);
    if (object == nullptr) return;
    (void)kvsub::KvsubLibrary::forProgram().RefreshDoc(&object);
    object->vtbl->release(object);
}

// ----- settings entries -----------------------------------------------------------------------------

void BarModel::toggleControlPanel() {
    const std::int32_t next =
        m_storedControlPanelMode == kControlPanelOff ? kControlPanelProductSite : kControlPanelOff;
    if (!settings::saveSetting(kControlPanelModeKey, text::number(next))) {
        message(kSettingNotStoredMessage);
        return;
    }
    m_storedControlPanelMode = next;
    message(kNextStartMessage);
}

void BarModel::askParameters() {
    settings::Globals& g = settings::globals();
    struct Prompt {
        text::TextView text;
        std::int32_t& value;
    };
    Prompt prompts[] = {{kParameter1Prompt, g.waitRounds}, {kParameter2Prompt, g.secondParameter}};
    for (Prompt& prompt : prompts) {
        const std::optional<text::Text> answer =
            m_view.askText(text::Text(prompt.text), text::number(prompt.value), text::Text(kProductName));
        if (!answer) return;
        const ParameterCheck check = checkParameter(*answer);
        if (check.answer == ParameterAnswer::Empty) return;
        if (check.answer != ParameterAnswer::Accepted) {
            message(parameterMessage(check.answer));
            return;
        }
        prompt.value = check.value;
    }
}

void BarModel::showAbout() {
    AboutInfo info;
    info.name = text::Text(kProductName);
    info.version = text::fromUtf8(ORVEX_VERSION);
    info.licence = text::Text(kLicenceText);
    info.dataDirectory = settings::dataDir();
    m_view.showAbout(info);
}

void BarModel::ShowHelp() {
    Entry entry(*this);
    const std::filesystem::path page = settings::resourceDir() / kHelpPage;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
        m_view.showMessage(text::Text(kNoHelpMessage), text::Text(kBarCaption));
        return;
    }
    std::filesystem::path absolute = std::filesystem::absolute(page, ec);
    if (ec) absolute = page;
    OpenURL(settings::fileUrl(absolute.lexically_normal()), {}, {}, links::kInputNever);
}

void BarModel::exit() {
    Entry entry(*this);
    m_exiting = true;
    m_browser.setObserver(nullptr);
    m_browser.shutdown();
    // The watchers go before the browser they belong to is freed.
    dropAllWatchers();
    m_view.quit();
}

}  // namespace orvex::bar
