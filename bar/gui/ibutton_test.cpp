#include "bar/gui/ibutton.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "bar/button/button_properties.h"
#include "gui/test_app.h"

namespace orvex::bar::gui {
namespace {

class IButtonTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        button.resize(80, 23);
        button.setCaption(QString::fromUtf8("花子"));
        button.show();
    }
    IButton button;
};

// Tests that a press and release inside clicks once, and a release outside cancels the click
// and raises the button again.
TEST_F(IButtonTest, ClickOnlyForReleaseInside) {
    QSignalSpy clicks(&button, &IButton::Click);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_TRUE(button.looksPressed());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button.looksPressed());

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(120, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button.looksPressed());
}

// Tests that a right release raises RightMenu and never Click.
TEST_F(IButtonTest, RightReleaseRaisesRightMenuOnly) {
    QSignalSpy clicks(&button, &IButton::Click);
    QSignalSpy menus(&button, &IButton::RightMenu);
    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(40, 10));
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(40, 10));
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(clicks.count(), 0);
}

// Tests that with ButtonType 1 the button never looks pressed and still clicks.
TEST_F(IButtonTest, ButtonTypeOneClicksWithoutPressedLook) {
    QSignalSpy clicks(&button, &IButton::Click);
    button.setButtonType(1);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_FALSE(button.looksPressed());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clicks.count(), 1);
}

// Tests that a release on the picture is judged by the picture's own size.
TEST_F(IButtonTest, PictureJudgesReleaseByItsOwnSize) {
    button.setPicture(QIcon(":/pictures/user1.svg"));
    auto* picture = button.findChild<QLabel*>("imgPicture");
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->isVisible());
    QSignalSpy clicks(&button, &IButton::Click);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(picture->width() + 2, 8));
    EXPECT_EQ(clicks.count(), 1);
}

// Tests that every stored property is a Qt property under its stored name with its default,
// and that changes are reported for all but Caption and TextAlign.
TEST_F(IButtonTest, PropertiesUnderStoredNames) {
    IButton fresh;
    QSignalSpy changes(&fresh, &IButton::PropertyChanged);
    for (const button::PropertyRow& row : button::kButtonProperties) {
        const std::string name(row.storedAs);
        const QVariant value = fresh.property(name.c_str());
        ASSERT_TRUE(value.isValid()) << name;
        if (row.kind == button::PropertyKind::Boolean) {
            EXPECT_EQ(value.toBool(), row.defaultText == "True") << name;
        }
        if (row.kind == button::PropertyKind::Int16 || row.kind == button::PropertyKind::Colour) {
            EXPECT_EQ(value.toInt(), 0) << name;
        }
        EXPECT_TRUE(fresh.setProperty(name.c_str(), value)) << name;
    }
    EXPECT_EQ(changes.count(), 14);
    EXPECT_FALSE(fresh.property("Enabled").toBool());
    EXPECT_TRUE(fresh.isEnabled());  // the stored flag does not disable the widget
}

// Tests that the tool tip goes to both caption labels and the picture, and names the button, which
// assistive tools see as a push button that they can press.
TEST_F(IButtonTest, ToolTipOnCaptionsAndPicture) {
    IButton b;
    b.SetToolTipText("tip");
    for (const char* part : {"lblCaption", "lblCaptionA", "imgPicture"})
        EXPECT_EQ(b.findChild<QLabel*>(part)->toolTip(), "tip") << part;
    EXPECT_EQ(b.accessibleName(), "tip");
    b.setCaption("cap");
    EXPECT_EQ(b.accessibleName(), "cap");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&b);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    QSignalSpy clicks(&b, &IButton::Click);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(b.findChild<QLabel*>("lblCaptionA")->text(), "cap");
}

}  // namespace
}  // namespace orvex::bar::gui
