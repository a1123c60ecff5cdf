#include "bar/bar_menu.h"

#include "bar/bar_texts.h"

namespace orvex::bar {

const MenuEntryRow& menuEntryRow(MenuEntry entry) {
    for (const MenuEntryRow& row : kRightMenuEntries)
        if (row.entry == entry) return row;
    return kRightMenuEntries.back();
}

std::vector<MenuItem> rightMenuItems(MenuOpening opening, const MenuState& state) {
    std::vector<MenuItem> items;
    items.reserve(kRightMenuEntries.size());
    for (const MenuEntryRow& row : kRightMenuEntries) {
        MenuItem item;
        item.entry = row.entry;
        item.name = std::string(row.name);
        item.caption = text::Text(row.caption);
        item.separator = row.entry == MenuEntry::LinkSeparator;
        item.visible = !row.hidden && (!row.linkEntry || opening == MenuOpening::WithLinkEntries);
        switch (row.entry) {
            case MenuEntry::AddURL:
            case MenuEntry::AddFavorites:
                item.enabled = state.currentWatcherWithBrowser;
                break;
            case MenuEntry::ControlPanel:
                item.checkable = true;
                item.checked = state.controlPanelOn;
                break;
            case MenuEntry::KenshoMode:
                item.checkable = true;
                item.checked = state.prizeMode;
                item.caption = text::Text(state.prizeMode ? kPrizeModeOnCaption : kPrizeModeOffCaption);
                break;
            default:
                break;
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace orvex::bar
