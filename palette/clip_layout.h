#pragma once
// Where the palette windows' controls stand, in pixels: the 35 buttons in the clipboard part,
// and the controls above it in the palette and in the floating window.

#include "palette/data_buttons.h"

namespace orvex::palette {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Inner width of both windows.
inline constexpr int kWindowWidth = 330;
// Height of the clipboard part: the floating window's unfolded height less its folded height
// (8865 − 765 twips).
inline constexpr int kClipPartHeight = 540;
// The data buttons stand in rows of three, in index order.
inline constexpr int kDataColumns = 3;
inline constexpr int kDataRows = kDataButtonCount / kDataColumns;
static_assert(kDataRows * kDataColumns == kDataButtonCount);

/// Button `index` (0 to 34) inside the clipboard part: data buttons three to a row, then the
/// phrase buttons across the whole width below them, which gives long phrases the most room. An
/// index out of range gives an empty rectangle.
Rect clipButtonRect(int index);

// The palette (frmClip): the person list and the help button above the clipboard part.
inline constexpr Rect kClipUsersRect{4, 4, 248, 24};
inline constexpr Rect kClipHelpRect{256, 4, 70, 24};
inline constexpr int kClipPartTopInPalette = 32;
inline constexpr int kPaletteHeight = kClipPartTopInPalette + kClipPartHeight;

// The floating window (frmFloatMain): two rows above the clipboard part, within its folded
// height.
inline constexpr Rect kFloatUsersRect{4, 3, 186, 24};
inline constexpr Rect kFloatInputRect{194, 3, 74, 24};
inline constexpr Rect kFloatRecordRect{272, 3, 54, 24};
inline constexpr Rect kFloatHomePageRect{4, 29, 20, 20};
inline constexpr Rect kFloatMenuRect{28, 29, 20, 20};
inline constexpr Rect kFloatAutoRect{52, 29, 44, 20};
inline constexpr Rect kFloatHelpRect{256, 29, 70, 20};

}  // namespace orvex::palette
