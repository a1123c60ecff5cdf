#include "bar/gui/frm_main.h"

#include <stdexcept>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "bar/gui/ibutton.h"
#include "gui/message_box.h"
#include "gui/test_app.h"

namespace orvex::bar::gui {
namespace {

struct RecordingInput : FrmMainInput {
    void personClicked(int i) override {
        calls << QString("person %1").arg(i);
        if (onPerson) onPerson();
    }
    void linkClicked(int i) override { calls << QString("link %1").arg(i); }
    void menuRequested() override { calls << "menu"; }
    void menuChosen(MenuEntry e) override { calls << QString::fromLatin1(menuEntryRow(e).name.data()); }
    void autoClicked() override {
        calls << "auto";
        if (throwOnAuto) throw std::runtime_error("handler failed");
    }
    void statusClicked() override { calls << "status"; }
    void templateExit() override { calls << "template exit"; }
    QStringList calls;
    std::function<void()> onPerson;
    bool throwOnAuto = false;
};

ButtonView button(int index, int x, int width, const char16_t* caption) {
    ButtonView b;
    b.index = index;
    b.rect = {x, 3, width, 23};
    b.caption = caption;
    b.toolTip = caption;
    return b;
}

class FrmMainTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        bar.resize(800, 30);
        bar.setLayout({layoutFixedItems(800, 30, bar.fixedItemSizes()), {}, {}});
        bar.setPersonButtons({button(0, 36, 80, u"A"), button(1, 118, 80, u"B")});
        // Link buttons carry their link's index in the collection.
        bar.setLinkButtons({button(4, 202, 100, u"L")});
        bar.show();
    }
    IButton* find(const char* name, int position) {
        for (IButton* b : bar.findChildren<IButton*>(name))
            if (b->property("Index").toInt() == position && !b->isHidden()) return b;
        return nullptr;
    }
    void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
        ASSERT_NE(w, nullptr);
        QTest::mousePress(w, b, {}, QPoint(5, 5));
        QTest::mouseRelease(w, b, {}, QPoint(5, 5));
    }
    RecordingInput input;
    frmMain bar{&input};
};

// Tests that buttons, the bar's right release, the labels and the menu picture forward to the
// logic, link buttons with their link's index.
TEST_F(FrmMainTest, ClicksAreForwarded) {
    click(find(kPersonButtonsName, 1));
    click(find(kLinkButtonsName, 0));
    click(find(kLinkButtonsName, 0), Qt::RightButton);
    click(&bar, Qt::RightButton);
    click(&bar);  // a left click on the bar itself does nothing
    click(bar.findChild<QLabel*>("lblAuto"));
    click(bar.findChild<QLabel*>("imgStatus"));
    click(bar.findChild<QLabel*>("imgMenu"));
    bar.findChild<QAction*>("mnuFileExit")->trigger();
    EXPECT_EQ(input.calls, QStringList({"person 1", "link 4", "menu", "menu", "auto", "status", "menu", "template exit"}));
}

// Tests that every menu entry exists by name, that an opening shows what the logic says, and
// that a chosen entry comes back as its entry.
TEST_F(FrmMainTest, MenuShowsTheLogicsItems) {
    QMenu* menu = bar.findChild<QMenu*>("mnuRight");
    ASSERT_NE(menu, nullptr);
    for (const MenuEntryRow& row : kRightMenuEntries)
        EXPECT_NE(menu->findChild<QAction*>(QString::fromLatin1(row.name.data(), row.name.size())), nullptr) << row.name;
    MenuState state;
    state.prizeMode = false;
    bar.showMenu(rightMenuItems(MenuOpening::WithoutLinkEntries, state));
    EXPECT_FALSE(menu->findChild<QAction*>("mnuAddURL")->isVisible());
    EXPECT_FALSE(menu->findChild<QAction*>("mnuParameter")->isVisible());
    EXPECT_TRUE(menu->findChild<QAction*>("mnuExit")->isVisible());
    EXPECT_EQ(menu->findChild<QAction*>("mnuKenshoMode")->text(), QString::fromUtf8("メルマガモード Off"));
    menu->findChild<QAction*>("mnuVersion")->trigger();
    menu->close();
    EXPECT_EQ(input.calls.last(), "mnuVersion");
    EXPECT_EQ(bar.findChild<QAction*>("mnuFileExit")->text(), QString::fromUtf8("終了(&X)"));
}

// Tests that a failing handler does not escape, and that a click handler may rebuild the buttons.
TEST_F(FrmMainTest, HandlersMayFailOrRebuild) {
    input.throwOnAuto = true;
    click(bar.findChild<QLabel*>("lblAuto"));
    input.onPerson = [this] { bar.setPersonButtons({button(0, 36, 80, u"C")}); };
    click(find(kPersonButtonsName, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar.findChildren<IButton*>(kPersonButtonsName).size(), 1);
    EXPECT_EQ(find(kPersonButtonsName, 0)->Caption(), "C");
}

// Tests the status text on the status line, the Auto label's colours, the hit counter and a
// narrow button's picture without caption.
TEST_F(FrmMainTest, WhatTheLogicShows) {
    bar.setStatusText(u"Orvex2000(自動入力モード) ");
    EXPECT_EQ(bar.findChild<QLabel*>("picStatus")->toolTip(), bar.statusText());
    EXPECT_EQ(bar.findChild<QLabel*>("imgStatus")->toolTip(), bar.statusText());
    auto* autoLabel = bar.findChild<QLabel*>("lblAuto");
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), QColor(0, 255, 0));
    bar.setAutoLabel(false);
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), bar.palette().color(QPalette::Button));
    bar.setHitCount(u"3");
    EXPECT_EQ(bar.findChild<QLabel*>("lblHitCnt")->text(), "3");

    ButtonView narrow = button(0, 36, 24, u"花子");
    narrow.showCaption = false;
    narrow.builtInPicture = 2;
    narrow.pictureFile = "/nonexistent/icon.ico";  // unreadable: the built-in picture instead
    bar.setPersonButtons({narrow});
    IButton* b = find(kPersonButtonsName, 0);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Caption().isEmpty());
    EXPECT_FALSE(b->Picture().isNull());
    EXPECT_EQ(b->accessibleName(), QString::fromUtf8("花子"));
}

// Tests that message boxes carry the given title and that an input box's Cancel gives nothing.
TEST_F(FrmMainTest, DialogsGoThroughTheHelpers) {
    QStringList seen;
    orvex::gui::setDialogResponderForTesting([&](const orvex::gui::DialogCall& call) {
        seen << call.title + ":" + call.text;
        return orvex::gui::DialogAnswer{call.kind != orvex::gui::DialogKind::Input, "12"};
    });
    bar.showMessage(u"m", u"Orvex2000");
    EXPECT_TRUE(bar.askOkCancel(u"q", u"Orvex2000"));
    EXPECT_FALSE(bar.askText(u"p", u"500", u"Orvex2000"));
    orvex::gui::setDialogResponderForTesting({});
    EXPECT_EQ(seen, QStringList({"Orvex2000:m", "Orvex2000:q", "Orvex2000:p"}));
}

}  // namespace
}  // namespace orvex::bar::gui
