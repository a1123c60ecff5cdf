#pragma once
// The three-dimensional frame of the bar's button as data: six lines, each with its ends
// relative to the button's width and height and its colour when raised and when sunken.

#include <array>
#include <cstdint>
#include <vector>

namespace orvex::bar::button {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kDarkGray{128, 128, 128};
inline constexpr Rgb kLightGray{224, 224, 224};

/// One coordinate of a line end: `offset` pixels from 0, or from the button's size when `fromSize`.
struct Edge {
    bool fromSize;
    int offset;
    constexpr int at(int size) const { return (fromSize ? size : 0) + offset; }
};
inline constexpr Edge near(int offset) { return {false, offset}; }
inline constexpr Edge far(int offset) { return {true, offset}; }

struct FrameLine {
    Edge x1, y1, x2, y2;  // x relative to the width, y to the height
    Rgb raised;
    Rgb sunken;
    bool outer;  // the outer ring of lines; the inner ring lies one pixel inside it
};

// The frame, drawn in this order; the lines join end to start, so each covers the pixels from
// its first end up to, not including, its second end.
inline constexpr std::array<FrameLine, 6> kFrameLines = {{
    // bottom outer, (0, h-1) to (w-1, h-1)
    {near(0), far(-1), far(-1), far(-1), kBlack, kWhite, true},
    // bottom inner, (1, h-2) to (w-1, h-2)
    {near(1), far(-2), far(-1), far(-2), kDarkGray, kLightGray, false},
    // left outer, (0, 0) to (0, h-1)
    {near(0), near(0), near(0), far(-1), kWhite, kBlack, true},
    // left inner, (1, 1) to (1, h-2)
    {near(1), near(1), near(1), far(-2), kLightGray, kDarkGray, false},
    // right outer, (w-1, 0) to (w-1, h)
    {far(-1), near(0), far(-1), far(0), kBlack, kWhite, true},
    // right inner, (w-2, 1) to (w-2, h-1)
    {far(-2), near(1), far(-2), far(-1), kDarkGray, kLightGray, false},
}};
static_assert(kFrameLines.size() == 6);

// BorderType 0 draws both rings of lines (a deep frame); 1 only the outer ring (a thin frame).
inline constexpr int kBorderTypeDeep = 0;
inline constexpr int kBorderTypeThin = 1;

/// One line in pixels: from (x1, y1) up to, not including, (x2, y2); horizontal or vertical.
struct PixelLine {
    int x1, y1, x2, y2;
    Rgb colour;
};

/// The frame lines of a button of width × height pixels, raised or sunken, for `borderType`
/// (any value other than 1 draws the deep frame); lines of no length are left out, so a
/// button smaller than 2 × 2 pixels gets fewer or none.
std::vector<PixelLine> frameLines(int width, int height, bool sunken, int borderType);

}  // namespace orvex::bar::button
