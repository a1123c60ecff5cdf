#include "bar/button_rows.h"

#include <algorithm>

namespace orvex::bar {

int personButtonWidth(std::int32_t userButtonType) {
    return userButtonType == kUserButtonNarrow ? kNarrowPersonButtonWidth : kWidePersonButtonWidth;
}

ButtonRow layoutPersonButtons(int count, int width, int startX) {
    ButtonRow row;
    row.end = startX;
    int x = startX;
    for (int i = 0; i < count; ++i) {
        row.buttons.push_back(Rect{x, kButtonTop, width, kButtonHeight});
        row.end = x + width;
        x += width + kButtonGap;
    }
    return row;
}

int sharedLinkButtonWidth(int namedButtons, int iconButtons, int rowStart, int barWidth,
                          int statusPictureWidth, int autoLabelWidth) {
    if (namedButtons <= 0) return 0;
    const int room = barWidth - rowStart - kIconLinkButtonRoom * iconButtons - statusPictureWidth -
                     autoLabelWidth - kLinkRowSlack;
    if (room <= 0) return 0;
    return std::clamp(room / namedButtons - kButtonGap, 0, kMaxLinkButtonWidth);
}

ButtonRow layoutLinkButtons(const std::vector<bool>& iconOnly, int rowStart, int barWidth,
                            int statusPictureWidth, int autoLabelWidth) {
    const int icons = static_cast<int>(std::count(iconOnly.begin(), iconOnly.end(), true));
    const int named = static_cast<int>(iconOnly.size()) - icons;
    const int shared = sharedLinkButtonWidth(named, icons, rowStart, barWidth, statusPictureWidth, autoLabelWidth);
    ButtonRow row;
    row.end = rowStart;
    int x = rowStart;
    for (bool icon : iconOnly) {
        const int width = icon ? kIconLinkButtonWidth : shared;
        row.buttons.push_back(Rect{x, kButtonTop, width, kButtonHeight});
        row.end = x + width;
        x += width + kButtonGap;
    }
    return row;
}

std::array<int, 2> separatorPositions(int linkRowStart, const FixedItemsLayout& fixed) {
    return {linkRowStart - kLinkRowGap / 2, fixed.autoLabel.x - kButtonGap};
}

}  // namespace orvex::bar
