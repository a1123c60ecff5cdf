#include "bar/bar_geometry.h"

#include <gtest/gtest.h>

#include "bar/button_rows.h"

namespace orvex::bar {
namespace {

constexpr Rect kScreen{0, 0, 1280, 800};

DockArea plainScreen() {
    return DockArea{kScreen, kScreen, kScreen, false, {}};
}

// Tests the bar at the top of a bare screen: the whole width at y 0, 30 high, and the struts that
// keep its band; the edge comes from "BarPosition" (only 1 is the bottom).
TEST(DockTest, TopOfTheScreen) {
    const DockPlacement top = placeBar(kEdgeTop, plainScreen());
    EXPECT_EQ(top.bar, (Rect{0, 0, 1280, 30}));
    EXPECT_EQ(top.strut.partial(), (std::array<long, 12>{0, 0, 30, 0, 0, 0, 0, 0, 0, 1279, 0, 0}));
    EXPECT_EQ(top.strut.full(), (std::array<long, 4>{0, 0, 30, 0}));
    EXPECT_EQ(edgeForBarPosition(kBarPositionTop), kEdgeTop);
    EXPECT_EQ(edgeForBarPosition(kBarPositionBottom), kEdgeBottom);
    EXPECT_EQ(edgeForBarPosition(2), kEdgeTop);
}

// Tests that at the bottom the bar sits directly above a 40-pixel bottom panel and reserves up to
// the screen's bottom edge; a left panel narrows it; its own strut in the work area never pushes it
// off its place, while a work area that does not hold it yet is trusted.
TEST(DockTest, BesideOtherDocks) {
    DockArea area = plainScreen();
    Strut panel;
    panel.bottom = 40;
    panel.bottomStartX = 0;
    panel.bottomEndX = 1279;
    area.otherStruts.push_back(panel);
    area.workArea = Rect{0, 0, 1280, 760};
    const DockPlacement bottom = placeBar(kEdgeBottom, area);
    EXPECT_EQ(bottom.bar, (Rect{0, 730, 1280, 30}));
    EXPECT_EQ(bottom.strut.bottom, 70);
    EXPECT_EQ(bottom.strut.bottomEndX, 1279);
    EXPECT_EQ(bottom.strut.top, 0);

    const long left[] = {48, 0, 0, 0};
    area.otherStruts.push_back(Strut::fromValues(left));
    area.workArea = Rect{48, 0, 1232, 760};
    EXPECT_EQ(placeBar(kEdgeBottom, area).bar, (Rect{48, 730, 1232, 30}));

    DockArea own = plainScreen();
    own.workArea = Rect{0, 30, 1280, 770};
    own.workAreaHasOwnStrut = true;
    EXPECT_EQ(placeBar(kEdgeTop, own).bar.y, 0);
    own.workAreaHasOwnStrut = false;
    EXPECT_EQ(placeBar(kEdgeTop, own).bar.y, 30);
}

// Tests the painted lines and the fixed items: the gray base line 3 pixels above the bottom, each
// separator gray one pixel left and white at its place from 3 to 5 pixels off the edges; the
// status picture centred in its 36-pixel box, the menu picture and "Auto" 4 pixels apart.
TEST(DockTest, LinesAndFixedItems) {
    const int separators[] = {200};
    const auto lines = barPaintLines(1000, 30, separators);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (PaintLine{0, 27, 999, 27, kLineGray}));
    EXPECT_EQ(lines[1], (PaintLine{199, 3, 199, 25, kLineGray}));
    EXPECT_EQ(lines[2], (PaintLine{200, 3, 200, 25, kLineWhite}));
    EXPECT_TRUE(barPaintLines(0, 30, separators).empty());

    const FixedItemsLayout fixed = layoutFixedItems(1000, 30, FixedItemSizes{24, 24, 16, 16, 32, 14});
    EXPECT_EQ(kStatusBoxWidth, 36);
    EXPECT_EQ(fixed.statusPicture, (Rect{6, 3, 24, 24}));
    EXPECT_EQ(fixed.menuPicture, (Rect{980, 7, 16, 16}));
    EXPECT_EQ(fixed.autoLabel, (Rect{944, 8, 32, 14}));
}

// Tests the link buttons' shared width: the rest of the bar divided among the named buttons less
// 2 pixels, at most 160; icon-only buttons are 24 wide and take 26 from the rest; 2 pixels apart.
TEST(ButtonRowsTest, LinkButtonWidth) {
    // 800 - 300 - 26 - 24 - 32 - 4 = 414 for three: 138 - 2.
    EXPECT_EQ(sharedLinkButtonWidth(3, 1, 300, 800, 24, 32), 136);
    EXPECT_EQ(sharedLinkButtonWidth(2, 1, 300, 800, 24, 32), 160);
    EXPECT_EQ(sharedLinkButtonWidth(3, 0, 300, 800, 24, 32), 144);
    EXPECT_EQ(sharedLinkButtonWidth(3, 1, 790, 800, 24, 32), 0);
    EXPECT_EQ(sharedLinkButtonWidth(0, 1, 300, 800, 24, 32), 0);

    const ButtonRow row = layoutLinkButtons({false, true, false, false}, 300, 800, 24, 32);
    ASSERT_EQ(row.buttons.size(), 4u);
    EXPECT_EQ(row.buttons[0], (Rect{300, 3, 136, 23}));
    EXPECT_EQ(row.buttons[1], (Rect{438, 3, 24, 23}));
    EXPECT_EQ(row.buttons[2].x, 464);
    EXPECT_EQ(row.end, 464 + 136 + 2 + 136);
}

// Tests the person row: 80 or 24 pixels by "UserButtonType" (only 0 is narrow), 23 high, 3 below
// the top, 2 apart from the status box's right edge; an empty row ends where it starts.
TEST(ButtonRowsTest, PersonButtons) {
    EXPECT_EQ(personButtonWidth(kUserButtonWide), 80);
    EXPECT_EQ(personButtonWidth(kUserButtonNarrow), 24);
    EXPECT_EQ(personButtonWidth(7), 80);
    const ButtonRow row = layoutPersonButtons(2, 80, kStatusBoxWidth);
    EXPECT_EQ(row.buttons[1], (Rect{118, 3, 80, 23}));
    EXPECT_EQ(row.end, 198);
    EXPECT_EQ(layoutPersonButtons(0, 80, kStatusBoxWidth).end, kStatusBoxWidth);
}

}  // namespace
}  // namespace orvex::bar
