#pragma once
// The entries of the bar's pop-up menu mnuRight, in order: the object name of each entry, its
// caption and whether it is ever shown. The four link entries are hidden when the palette
// window opens the menu.

#include <array>
#include <string_view>

#include "text/text.h"

namespace orvex::bar::gui {

struct MenuEntrySpec {
    std::string_view name;  // the entry's object name
    text::TextView caption; // empty for a separator
    bool visible;           // hidden entries are in the menu but never shown
    bool linkEntry;         // one of "リンク追加", "お気に入りに追加", "リンク編集" and the separator after them
    bool checkable;
};

inline constexpr std::array<MenuEntrySpec, 20> kMenuEntries = {{
    {"mnuShellWindows", u"ShellWindows", false, false, false},
    {"mnuShellUIHelper", u"ShellUIHelper", false, false, false},
    {"mnuKensho", u"Kensho", false, false, false},
    {"mnuClickTest", u"ClickTest", false, false, false},
    {"mnuNextUser", u"NextUser", false, false, false},
    {"mnuAddURL", u"リンク追加", true, true, false},
    {"mnuAddFavorites", u"お気に入りに追加", true, true, false},
    {"mnuEditURL", u"リンク編集", true, true, false},
    {"mnuSeparator1", u"", true, true, false},
    {"mnuClipboard", u"Clipboard", true, false, false},
    {"mnuHist", u"応募履歴", true, false, false},
    {"mnuZolvanSetup", u"Zolvan設定", true, false, false},
    {"mnuSystemSetup", u"システム設定", true, false, false},
    {"mnuUserSetup", u"ユーザ設定", true, false, false},
    {"mnuControlPanel", u"ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ", true, false, true},
    {"mnuKenshoMode", u"メルマガモード On", true, false, true},
    {"mnuNewHelp", u"ヘルプ", true, false, false},
    {"mnuVersion", u"バージョン情報", true, false, false},
    {"mnuExit", u"終了", true, false, false},
    {"mnuParameter", u"Parameter", false, false, false},
}};
static_assert(kMenuEntries.size() == 20);

// The template menus of the bar's window: object name and the string-table entry of its caption
// (a top menu is followed by its items; 0 marks a separator).
struct TemplateMenuSpec {
    std::string_view name;
    int stringId;
    bool topMenu;
};

inline constexpr std::array<TemplateMenuSpec, 31> kTemplateMenus = {{
    {"mnuFile", 1000, true},         {"mnuFileNew", 1001, false},     {"mnuFileOpen", 1002, false},
    {"mnuFileClose", 1003, false},   {"mnuFileSave", 1004, false},    {"mnuFileSaveAs", 1005, false},
    {"mnuFileSaveAll", 1006, false}, {"mnuFileProperties", 1007, false}, {"mnuFilePageSetup", 1008, false},
    {"mnuFilePrint", 1009, false},   {"mnuFileExit", 1010, false},    {"mnuEdit", 1011, true},
    {"mnuEditUndo", 1012, false},    {"mnuEditCut", 1013, false},     {"mnuEditCopy", 1014, false},
    {"mnuEditPaste", 1015, false},   {"mnuEditSelectAll", 1016, false}, {"mnuView", 1017, true},
    {"mnuViewToolbar", 1018, false}, {"mnuViewStatusBar", 1019, false}, {"mnuViewRefresh", 1020, false},
    {"mnuViewLargeIcons", 1021, false}, {"mnuViewSmallIcons", 1022, false}, {"mnuViewList", 1023, false},
    {"mnuViewDetails", 1024, false}, {"mnuTools", 1025, true},        {"mnuToolsOptions", 1026, false},
    {"mnuHelp", 1027, true},         {"mnuHelpContents", 1028, false}, {"mnuHelpSearch", 1029, false},
    {"mnuHelpAbout", 1030, false},
}};
static_assert(kTemplateMenus.size() == 1030 - 1000 + 1);

}  // namespace orvex::bar::gui
