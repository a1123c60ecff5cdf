#include "palette/float_placement.h"

#include <gtest/gtest.h>

#include "profile/test_support.h"

namespace orvex::palette {
namespace {

using profile::testing::spit;
using profile::testing::TempDir;

constexpr Rect kScreen{0, 0, 1280, 800};
constexpr int kWidth = 336;
// The right edge, 500 twips (33 pixels) from the top.
constexpr Point kRightEdge{1280 - kWidth, 33};

FloatSettings at(int left, int top) {
    FloatSettings s;
    s.leftTwips = left;
    s.topTwips = top;
    return s;
}

// Tests that a stored position on the screen is taken (in pixels), up to the last twip of the
// screen, and that one twip past the width or height sends the window to the right edge.
TEST(FloatPlacementTest, StoredPositionOnTheScreen) {
    EXPECT_EQ(floatWindowPosition(at(1500, 3000), kScreen, kWidth), (Point{100, 200}));
    EXPECT_EQ(floatWindowPosition(at(0, 0), kScreen, kWidth), (Point{0, 0}));
    EXPECT_EQ(floatWindowPosition(at(1280 * 15 - 1, 800 * 15 - 1), kScreen, kWidth), (Point{1279, 799}));
    EXPECT_EQ(floatWindowPosition(at(1280 * 15, 3000), kScreen, kWidth), kRightEdge);
    EXPECT_EQ(floatWindowPosition(at(1500, 800 * 15), kScreen, kWidth), kRightEdge);
}

// Tests that no stored position, a negative one or a half-stored one all go to the right edge.
TEST(FloatPlacementTest, NoUsablePosition) {
    EXPECT_EQ(floatWindowPosition(FloatSettings{}, kScreen, kWidth), kRightEdge);
    EXPECT_EQ(floatWindowPosition(at(-1, 3000), kScreen, kWidth), kRightEdge);
    EXPECT_EQ(floatWindowPosition(at(1500, kNoStoredPosition), kScreen, kWidth), kRightEdge);
    EXPECT_EQ(rightEdgePosition(Rect{1280, 0, 1024, 768}, 330), (Point{1974, 33}));
}

// Tests the inner heights: 8865 twips shown, 765 folded.
TEST(FloatPlacementTest, Heights) {
    EXPECT_EQ(floatInnerHeight(true), 591);
    EXPECT_EQ(floatInnerHeight(false), 51);
}

// Tests that the stored state reads back as written, and that missing, damaged or out-of-range
// values take their defaults while the good ones beside them are kept.
TEST(FloatPlacementTest, StoredState) {
    TempDir dir;
    const auto file = dir / "system.ini";
    const FloatSettings none = readFloatSettings(file);
    EXPECT_EQ(none.leftTwips, -10000);
    EXPECT_EQ(none.topTwips, -10000);
    EXPECT_TRUE(none.showClipBoard);

    ASSERT_TRUE(writeFloatPosition(file, 1500, 3000));
    ASSERT_TRUE(writeShowClipBoard(file, false));
    const FloatSettings s = readFloatSettings(file);
    EXPECT_EQ(s.leftTwips, 1500);
    EXPECT_EQ(s.topTwips, 3000);
    EXPECT_FALSE(s.showClipBoard);

    ASSERT_TRUE(spit(file, "[bar]\nFloatMainLeft=abc\nFloatMainTop=99999999999\nShowClipBoard=yes\n"));
    const FloatSettings bad = readFloatSettings(file);
    EXPECT_EQ(bad.leftTwips, -10000);
    EXPECT_EQ(bad.topTwips, -10000);
    EXPECT_TRUE(bad.showClipBoard);
    ASSERT_TRUE(spit(file, "[BAR]\nFloatMainLeft= 45 \nShowClipBoard=FALSE\n"));
    EXPECT_EQ(readFloatSettings(file).leftTwips, 45);
    EXPECT_FALSE(readFloatSettings(file).showClipBoard);
}

// Tests that a position that cannot be written is reported.
TEST(FloatPlacementTest, WriteFailure) {
    TempDir dir;
    const auto file = dir / "system.ini";
    std::filesystem::create_directory(file);
    EXPECT_FALSE(writeFloatPosition(file, 1, 2));
    EXPECT_FALSE(writeShowClipBoard(file, true));
}

}  // namespace
}  // namespace orvex::palette
