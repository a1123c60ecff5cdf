#pragma once
// The bar's pop-up menu: every entry in order, the hidden ones included, and what each shows
// (caption, visibility, enabled state, tick) for one opening of the menu.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace orvex::bar {

enum class MenuEntry {
    ShellWindows,
    ShellUIHelper,
    Kensho,
    ClickTest,
    NextUser,
    AddURL,
    AddFavorites,
    EditURL,
    LinkSeparator,
    Clipboard,
    Hist,
    ZolvanSetup,
    SystemSetup,
    UserSetup,
    ControlPanel,
    KenshoMode,
    NewHelp,
    Version,
    Exit,
    Parameter,
};

struct MenuEntryRow {
    MenuEntry entry;
    std::string_view name;   // the menu item's object name
    text::TextView caption;  // hidden entries carry their name without "mnu"
    bool hidden;             // never shown to the user
    bool linkEntry;          // one of the four entries that only the bar's own opening shows
};

// The entries of `mnuRight`, in menu order.
inline constexpr std::array<MenuEntryRow, 20> kRightMenuEntries = {{
    {MenuEntry::ShellWindows, "mnuShellWindows", u"ShellWindows", true, false},
    {MenuEntry::ShellUIHelper, "mnuShellUIHelper", u"ShellUIHelper", true, false},
    {MenuEntry::Kensho, "mnuKensho", u"Kensho", true, false},
    {MenuEntry::ClickTest, "mnuClickTest", u"ClickTest", true, false},
    {MenuEntry::NextUser, "mnuNextUser", u"NextUser", true, false},
    {MenuEntry::AddURL, "mnuAddURL", u"リンク追加", false, true},
    {MenuEntry::AddFavorites, "mnuAddFavorites", u"お気に入りに追加", false, true},
    {MenuEntry::EditURL, "mnuEditURL", u"リンク編集", false, true},
    {MenuEntry::LinkSeparator, "mnuLinkSeparator", u"-", false, true},
    {MenuEntry::Clipboard, "mnuClipboard", u"Clipboard", false, false},
    {MenuEntry::Hist, "mnuHist", u"応募履歴", false, false},
    {MenuEntry::ZolvanSetup, "mnuZolvanSetup", u"Zolvan設定", false, false},
    {MenuEntry::SystemSetup, "mnuSystemSetup", u"システム設定", false, false},
    {MenuEntry::UserSetup, "mnuUserSetup", u"ユーザ設定", false, false},
    {MenuEntry::ControlPanel, "mnuControlPanel", u"ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ", false, false},
    {MenuEntry::KenshoMode, "mnuKenshoMode", u"懸賞モード", false, false},
    {MenuEntry::NewHelp, "mnuNewHelp", u"ヘルプ", false, false},
    {MenuEntry::Version, "mnuVersion", u"バージョン情報", false, false},
    {MenuEntry::Exit, "mnuExit", u"終了", false, false},
    {MenuEntry::Parameter, "mnuParameter", u"Parameter", true, false},
}};

/// How the menu was opened: by the bar itself (a right-button release on the bar or a link button,
/// a click on the menu picture) with the link entries, or through ShowRightMenu without them.
enum class MenuOpening { WithLinkEntries, WithoutLinkEntries };

/// One entry as the view shows it.
struct MenuItem {
    MenuEntry entry = MenuEntry::Exit;
    std::string name;
    text::Text caption;
    bool separator = false;
    bool visible = true;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

/// The bar's state that the menu shows.
struct MenuState {
    bool currentWatcherWithBrowser = false;  // enables "リンク追加" and "お気に入りに追加"
    bool controlPanelOn = false;             // the stored control panel mode is not 0
    bool prizeMode = true;
};

/// Every entry of the menu in order: hidden entries not visible, the link entries visible only
/// for WithLinkEntries, the two page entries enabled only with a current watcher that has a
/// browser, the control panel ticked by its mode and the prize mode entry ticked and captioned
/// "メルマガモード On" or "メルマガモード Off".
std::vector<MenuItem> rightMenuItems(MenuOpening opening, const MenuState& state);

/// The row of an entry.
const MenuEntryRow& menuEntryRow(MenuEntry entry);

}  // namespace orvex::bar
