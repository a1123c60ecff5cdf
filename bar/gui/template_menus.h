#pragma once
// The standard template menus of the bar's window (file, edit, view, tools, help): each entry's
// object name and the string-table entry of its caption. They are never shown on the bar; their
// "終了" ends the program.

#include <array>
#include <string_view>

namespace orvex::bar::gui {

// The template menus of the bar's window: object name and the string-table entry of its caption
// (a top menu is followed by its items).
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

// The template menus' exit item.
inline constexpr std::string_view kTemplateExitName = "mnuFileExit";

}  // namespace orvex::bar::gui
