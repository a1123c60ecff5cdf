#include "bar/button/button_frame.h"

#include <gtest/gtest.h>

#include "bar/button/button_layout.h"

namespace orvex::bar::button {
namespace {

// The colour of pixel (x, y) after drawing the lines in order; nothing when no line covers it.
std::optional<Rgb> pixel(const std::vector<PixelLine>& lines, int x, int y) {
    std::optional<Rgb> c;
    for (const PixelLine& l : lines) {
        const bool covers = l.x1 == l.x2 ? x == l.x1 && y >= l.y1 && y < l.y2 : y == l.y1 && x >= l.x1 && x < l.x2;
        if (covers) c = l.colour;
    }
    return c;
}

// Tests the raised frame's lines and corners on an 80 × 23 button, and the empty top edge.
TEST(ButtonFrameTest, RaisedFrameAsTabled) {
    const auto lines = frameLines(80, 23, false, kBorderTypeDeep);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(pixel(lines, 40, 22), kBlack);       // bottom outer
    EXPECT_EQ(pixel(lines, 40, 21), kDarkGray);    // bottom inner
    EXPECT_EQ(pixel(lines, 0, 10), kWhite);        // left outer
    EXPECT_EQ(pixel(lines, 1, 10), kLightGray);    // left inner
    EXPECT_EQ(pixel(lines, 79, 10), kBlack);       // right outer
    EXPECT_EQ(pixel(lines, 78, 10), kDarkGray);    // right inner
    EXPECT_EQ(pixel(lines, 0, 22), kBlack);        // the left line stops short of the bottom corner
    EXPECT_EQ(pixel(lines, 79, 22), kBlack);       // the right line reaches the bottom corner
    EXPECT_EQ(pixel(lines, 40, 0), std::nullopt);  // no line along the top
    EXPECT_EQ(pixel(lines, 40, 10), std::nullopt);
}

// Tests that the sunken frame swaps the colours line for line.
TEST(ButtonFrameTest, SunkenFrameSwapsColours) {
    const auto lines = frameLines(24, 23, true, kBorderTypeDeep);
    EXPECT_EQ(pixel(lines, 10, 22), kWhite);
    EXPECT_EQ(pixel(lines, 10, 21), kLightGray);
    EXPECT_EQ(pixel(lines, 0, 10), kBlack);
    EXPECT_EQ(pixel(lines, 1, 10), kDarkGray);
}

// Tests that BorderType 1 draws only the outer ring, and a tiny button gets no empty lines.
TEST(ButtonFrameTest, ThinVariantAndTinyButtons) {
    const auto thin = frameLines(24, 23, false, kBorderTypeThin);
    EXPECT_EQ(thin.size(), 3u);
    EXPECT_EQ(pixel(thin, 1, 10), std::nullopt);
    EXPECT_EQ(frameLines(24, 23, false, 7).size(), 6u);
    EXPECT_TRUE(frameLines(0, 23, false, 0).empty());
    for (const PixelLine& l : frameLines(1, 1, false, 0)) EXPECT_TRUE(l.x1 >= 0 && l.y1 >= 0);
}

// Tests the picture and caption boxes of a wide, a narrow and a pressed button.
TEST(ButtonLayoutTest, PictureLeftCaptionBeside) {
    const ButtonLayout wide = layoutButton(80, 23, true, true, kTextAlignLeft, false);
    EXPECT_EQ(wide.picture, (Box{4, 3, 16, 16}));
    EXPECT_EQ(wide.caption.x, 23);
    EXPECT_EQ(wide.caption.x + wide.caption.width, 76);
    const ButtonLayout narrow = layoutButton(24, 23, true, false, kTextAlignLeft, false);
    EXPECT_EQ(narrow.picture, (Box{4, 3, 16, 16}));
    EXPECT_EQ(narrow.caption, Box{});
    const ButtonLayout pressed = layoutButton(80, 23, true, true, kTextAlignRight, true);
    EXPECT_EQ(pressed.picture.x, 5);
    EXPECT_EQ(pressed.align, CaptionAlign::Right);
    EXPECT_EQ(layoutButton(10, 23, true, true, 0, false).caption, Box{});
}

}  // namespace
}  // namespace orvex::bar::button
