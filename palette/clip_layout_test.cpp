#include "palette/clip_layout.h"

#include <vector>

#include <gtest/gtest.h>

#include "palette/float_placement.h"

namespace orvex::palette {
namespace {

bool overlap(const Rect& a, const Rect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

// Every pair of rectangles apart, and every one inside a box of `width` × `height`.
void expectApartAndInside(const std::vector<Rect>& rects, int width, int height) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_GE(rects[i].x, 0) << i;
        EXPECT_GE(rects[i].y, 0) << i;
        EXPECT_LE(rects[i].right(), width) << i;
        EXPECT_LE(rects[i].bottom(), height) << i;
        EXPECT_GT(rects[i].width, 0) << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(overlap(rects[i], rects[j])) << i << " " << j;
    }
}

// Tests that the 35 buttons stand apart inside the clipboard part, data buttons three to a row in
// index order and the phrases across the width below them; an index outside gives nothing.
TEST(ClipLayoutTest, ButtonsApartInsideThePart) {
    std::vector<Rect> rects;
    for (int i = 0; i < kButtonCount; ++i) rects.push_back(clipButtonRect(i));
    expectApartAndInside(rects, kWindowWidth, kClipPartHeight);
    EXPECT_EQ(clipButtonRect(1).y, clipButtonRect(0).y);
    EXPECT_GT(clipButtonRect(1).x, clipButtonRect(0).x);
    EXPECT_GT(clipButtonRect(3).y, clipButtonRect(2).y);
    EXPECT_GT(clipButtonRect(30).y, clipButtonRect(29).bottom());
    EXPECT_GT(clipButtonRect(30).width, 3 * clipButtonRect(0).width);
    EXPECT_EQ(clipButtonRect(35), Rect{});
}

// Tests that the controls above the clipboard part stand apart inside the palette's top row and
// inside the floating window's folded height.
TEST(ClipLayoutTest, TopControlsApart) {
    expectApartAndInside({kClipUsersRect, kClipHelpRect}, kWindowWidth, kClipPartTopInPalette);
    expectApartAndInside({kFloatUsersRect, kFloatInputRect, kFloatRecordRect, kFloatHomePageRect,
                          kFloatMenuRect, kFloatAutoRect, kFloatHelpRect},
                         kWindowWidth, floatInnerHeight(false));
}

}  // namespace
}  // namespace orvex::palette
