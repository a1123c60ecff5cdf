#pragma once
// The floating window's stored state and where it goes: its position ("FloatMainLeft",
// "FloatMainTop", in twips; "-10000" when none is stored), whether its clipboard part is shown
// ("ShowClipBoard"), and its heights. The values live in "system.ini", section "BAR", beside the
// settings of the bar that the window stands in for.

#include <filesystem>

#include "palette/clip_layout.h"
#include "text/text.h"

namespace orvex::palette {

// Twips per pixel at 96 dpi: stored positions are in twips, windows are placed in pixels.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr text::TextView kFloatSection = u"BAR";
inline constexpr text::TextView kFloatLeftKey = u"FloatMainLeft";
inline constexpr text::TextView kFloatTopKey = u"FloatMainTop";
inline constexpr text::TextView kShowClipBoardKey = u"ShowClipBoard";
// The stored position's default: no position stored.
inline constexpr int kNoStoredPosition = -10000;
// The clipboard part is shown until the user folds it away.
inline constexpr bool kShowClipBoardDefault = true;

// Both windows start 500 twips below the top of the screen, at its right edge.
inline constexpr int kTopTwips = 500;
// Inner heights of the floating window with its clipboard part shown and folded away; the
// window manager adds its frame around them.
inline constexpr int kShownHeightTwips = 8865;
inline constexpr int kFoldedHeightTwips = 765;

/// Pixels of a length in twips (rounded down for positive lengths).
constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
/// Twips of a length in pixels.
constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
static_assert(twipsToPixels(kShownHeightTwips - kFoldedHeightTwips) == kClipPartHeight);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

/// The floating window's stored state.
struct FloatSettings {
    int leftTwips = kNoStoredPosition;
    int topTwips = kNoStoredPosition;
    bool showClipBoard = kShowClipBoardDefault;
};

/// The stored state of `systemFile`; a missing or unreadable file, key or value (not a number,
/// not "True"/"False") gives that value's default.
FloatSettings readFloatSettings(const std::filesystem::path& systemFile);
/// Stores the window's position in twips; false when it could not be written (nothing changed).
bool writeFloatPosition(const std::filesystem::path& systemFile, int leftTwips, int topTwips);
/// Stores whether the clipboard part is shown ("True"/"False"); false when it could not be written.
bool writeShowClipBoard(const std::filesystem::path& systemFile, bool shown);

/// Where a window `windowWidth` pixels wide starts when nothing else places it: at the right edge
/// of `screen`, 500 twips below its top.
Point rightEdgePosition(const Rect& screen, int windowWidth);

/// Where the floating window goes, in pixels: the stored position when both values are 0 or
/// more, the left is less than the screen's width and the top less than its height (all in
/// twips); otherwise rightEdgePosition.
Point floatWindowPosition(const FloatSettings& stored, const Rect& screen, int windowWidth);

/// The floating window's inner height in pixels with its clipboard part shown or folded away.
int floatInnerHeight(bool clipBoardShown);

}  // namespace orvex::palette
