#pragma once
// Where the bar's person buttons and link buttons stand: the person row from the status box's
// right edge, the link row after it, and the width the link buttons share.

#include <array>
#include <cstdint>
#include <vector>

#include "bar/bar_geometry.h"

namespace orvex::bar {

// "UserButtonType" of "system.ini": narrow person buttons (icon) or wide ones (icon and name).
inline constexpr std::int32_t kUserButtonNarrow = 0;
inline constexpr std::int32_t kUserButtonWide = 1;

inline constexpr int kNarrowPersonButtonWidth = 24;
inline constexpr int kWidePersonButtonWidth = 80;
// Every button of the bar: 23 pixels high, 3 pixels below the top, 2 pixels apart.
inline constexpr int kButtonHeight = 23;
inline constexpr int kButtonTop = 3;
inline constexpr int kButtonGap = 2;
// The link row starts this far right of the end of the person row.
inline constexpr int kLinkRowGap = 4;
// An icon-only link button, and the room it takes from the others (its width and a gap).
inline constexpr int kIconLinkButtonWidth = 24;
inline constexpr int kIconLinkButtonRoom = 26;
// Room the shared width formula keeps beside the status picture and the "Auto" label.
inline constexpr int kLinkRowSlack = 4;
// Widest a link button with a name gets.
inline constexpr int kMaxLinkButtonWidth = 160;

/// The width of a person button for "UserButtonType": 24 for 0, 80 for any other value.
int personButtonWidth(std::int32_t userButtonType);

/// A row of buttons, left to right, and the first column past its last button.
struct ButtonRow {
    std::vector<Rect> buttons;
    int end = 0;  ///< the start when the row is empty
};

/// `count` person buttons of `width` pixels from `startX`, 2 pixels apart.
ButtonRow layoutPersonButtons(int count, int width, int startX);

/// The width each link button with a name gets: the bar's width minus the row's start, minus 26
/// pixels per icon-only button, minus the widths of the status picture and the "Auto" label and
/// 4 pixels, divided by the number of such buttons, less 2 pixels; at most 160 and never below 0
/// (0 also when there is none).
int sharedLinkButtonWidth(int namedButtons, int iconButtons, int rowStart, int barWidth,
                          int statusPictureWidth, int autoLabelWidth);

/// The link buttons from `rowStart`, 2 pixels apart: 24 pixels wide where `iconOnly` is true, the
/// shared width elsewhere.
ButtonRow layoutLinkButtons(const std::vector<bool>& iconOnly, int rowStart, int barWidth,
                            int statusPictureWidth, int autoLabelWidth);

/// The two separators the bar paints: in the gap before the link row and just left of the "Auto"
/// label.
std::array<int, 2> separatorPositions(int linkRowStart, const FixedItemsLayout& fixed);

}  // namespace orvex::bar
