#pragma once
// The bar's geometry without a display: the edge it docks on, its rectangle and the screen space
// it reserves (struts) among the other docks, the lines it paints, and where its fixed items
// (status picture, menu picture, "Auto" label) stand. The window system code reads and writes the
// window properties; the numbers come from here.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orvex::bar {

// Edges of the screen, numbered as the docking interface numbers them.
inline constexpr int kEdgeLeft = 0;
inline constexpr int kEdgeTop = 1;
inline constexpr int kEdgeRight = 2;
inline constexpr int kEdgeBottom = 3;

// "BarPosition" of "system.ini": the bar at the top or at the bottom of the screen.
inline constexpr std::int32_t kBarPositionTop = 0;
inline constexpr std::int32_t kBarPositionBottom = 1;

// Height of a bar docked at the top or the bottom, in pixels.
inline constexpr int kBarThickness = 30;
// Twips per pixel at 96 dpi; stored window positions and a few sizes are given in twips.
inline constexpr int kTwipsPerPixel = 15;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }    // first column past the rectangle
    int bottom() const { return y + height; }  // first row past the rectangle
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// The edge a bar docks on for a "BarPosition" value: bottom for 1, top for any other value.
int edgeForBarPosition(std::int32_t barPosition);

/// Space a dock keeps clear along the edges of the whole screen, in the order and meaning of
/// _NET_WM_STRUT_PARTIAL: widths from each screen edge, then the range along that edge.
struct Strut {
    long left = 0;
    long right = 0;
    long top = 0;
    long bottom = 0;
    long leftStartY = 0;
    long leftEndY = 0;
    long rightStartY = 0;
    long rightEndY = 0;
    long topStartX = 0;
    long topEndX = 0;
    long bottomStartX = 0;
    long bottomEndX = 0;

    /// The twelve values of _NET_WM_STRUT_PARTIAL.
    std::array<long, 12> partial() const;
    /// The four values of _NET_WM_STRUT (left, right, top, bottom).
    std::array<long, 4> full() const;
    /// A strut read from a window: twelve values as _NET_WM_STRUT_PARTIAL, four as _NET_WM_STRUT
    /// (reserved along the whole edge); any other count gives an empty strut.
    static Strut fromValues(std::span<const long> values);
    friend bool operator==(const Strut&, const Strut&) = default;
};

/// What the bar docks into.
struct DockArea {
    Rect root;      ///< the whole screen of the window system; struts are measured from its edges
    Rect screen;    ///< the monitor the bar docks on
    Rect workArea;  ///< the window manager's work area
    /// True once the bar's own struts are set: the work area then already leaves the bar's own
    /// band out, so only its horizontal extent is taken from it.
    bool workAreaHasOwnStrut = false;
    std::vector<Strut> otherStruts;  ///< the struts of the other docks (panels)
};

/// The bar's rectangle and the struts it sets.
struct DockPlacement {
    Rect bar;
    Strut strut;
    friend bool operator==(const DockPlacement&, const DockPlacement&) = default;
};

/// The bar on `edge` (kEdgeBottom, else the top): the monitor minus the other docks' bands and,
/// where it can be trusted, cut to the work area; the bar spans its width, 30 pixels high, at its
/// top or directly above its bottom (above a bottom panel). An area with nothing left falls back
/// to the monitor.
DockPlacement placeBar(int edge, const DockArea& area);

// Colours of the bar's lines.
inline constexpr Rgb kLineGray{128, 128, 128};
inline constexpr Rgb kLineWhite{255, 255, 255};

/// One straight line, both end points drawn.
struct PaintLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Rgb colour;
    friend bool operator==(const PaintLine&, const PaintLine&) = default;
};

/// The bar's drawing for a bar of width × height pixels: a gray line across the whole width 3
/// pixels above the bottom edge, then per separator a gray line one pixel left of its position and
/// a white one at it, from 3 pixels below the top to 5 pixels above the bottom. Nothing for an
/// empty bar.
std::vector<PaintLine> barPaintLines(int width, int height, std::span<const int> separators);

/// Sizes of the fixed items as the view draws them, in pixels.
struct FixedItemSizes {
    int statusPictureWidth = 24;
    int statusPictureHeight = 24;
    int menuPictureWidth = 16;
    int menuPictureHeight = 16;
    int autoLabelWidth = 32;
    int autoLabelHeight = 16;
    friend bool operator==(const FixedItemSizes&, const FixedItemSizes&) = default;
};

// The status box: 4 pixels plus 480 twips wide, at the left end of the bar.
inline constexpr int kStatusBoxWidth = 4 + 480 / kTwipsPerPixel;
// Space between the menu picture and the right edge, and between the "Auto" label and the menu picture.
inline constexpr int kFixedItemGap = 4;

struct FixedItemsLayout {
    Rect statusBox;
    Rect statusPicture;
    Rect menuPicture;
    Rect autoLabel;
    friend bool operator==(const FixedItemsLayout&, const FixedItemsLayout&) = default;
};

/// The fixed items of a bar of width × height pixels: the status picture centred in the status
/// box, the menu picture 4 pixels from the right edge, the "Auto" label 4 pixels left of it, all
/// centred vertically.
FixedItemsLayout layoutFixedItems(int width, int height, const FixedItemSizes& sizes);

}  // namespace orvex::bar
