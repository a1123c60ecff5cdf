#include "bar/button/button_press.h"

#include <gtest/gtest.h>

#include "bar/button/button_properties.h"

namespace orvex::bar::button {
namespace {

constexpr int kW = 80;
constexpr int kH = 23;

// Tests that a press and a release inside click, and one ending outside does not but looks raised again.
TEST(ButtonPressTest, ClickOnlyForReleaseInside) {
    ButtonPress b;
    EXPECT_TRUE(b.leftDown(0).redraw);
    EXPECT_TRUE(b.pressed());
    PressOutcome up = b.leftUp(0, kW, kH, kW, kH);  // the far corner still counts as inside
    EXPECT_TRUE(up.click);
    EXPECT_TRUE(up.redraw);
    EXPECT_FALSE(b.pressed());

    b.leftDown(0);
    for (auto [x, y] : {std::pair{kW + 1, 5}, {-1, 5}, {5, kH + 1}, {5, -1}}) {
        ButtonPress press = b;
        up = press.leftUp(0, x, y, kW, kH);
        EXPECT_FALSE(up.click) << x << "," << y;
        EXPECT_FALSE(press.pressed());
    }
}

// Tests that a second press while pressed does not redraw again.
TEST(ButtonPressTest, PressWhilePressedKeepsState) {
    ButtonPress b;
    b.leftDown(0);
    EXPECT_FALSE(b.leftDown(0).redraw);
    EXPECT_TRUE(b.pressed());
}

// Tests that a right release asks for the menu and never clicks, and leaves the pressed flag alone.
TEST(ButtonPressTest, RightReleaseAsksForMenuOnly) {
    ButtonPress b;
    const PressOutcome up = b.rightUp();
    EXPECT_TRUE(up.rightMenu);
    EXPECT_FALSE(up.click);
    EXPECT_FALSE(b.leftUp(0, 3, 3, kW, kH).rightMenu);
}

// Tests that ButtonType 1 never looks pressed but still clicks on a release inside.
TEST(ButtonPressTest, ButtonTypeOneNeverPressed) {
    ButtonPress b;
    EXPECT_FALSE(b.leftDown(1).redraw);
    EXPECT_FALSE(b.pressed());
    const PressOutcome up = b.leftUp(1, 3, 3, kW, kH);
    EXPECT_TRUE(up.click);
    EXPECT_FALSE(up.redraw);
    EXPECT_FALSE(b.leftUp(1, kW + 1, 3, kW, kH).click);
}

// Tests that the property table knows each stored name exactly and the rules for Caption and TextAlign.
TEST(ButtonPropertiesTest, StoredNamesAndRules) {
    EXPECT_EQ(propertyNamed("BorderType"), ButtonProperty::BorderType);
    EXPECT_FALSE(propertyNamed("bordertype"));
    EXPECT_EQ(propertyRow(ButtonProperty::Enabled).defaultText, "False");
    EXPECT_FALSE(propertyRow(ButtonProperty::Caption).reportsChange);
    EXPECT_FALSE(propertyRow(ButtonProperty::TextAlign).reportsChange);
    EXPECT_TRUE(propertyRow(ButtonProperty::ButtonType).reportsChange);
    for (const PropertyRow& row : kButtonProperties) EXPECT_EQ(&propertyRow(row.property), &row);
}

}  // namespace
}  // namespace orvex::bar::button
