#include "bar/gui/frm_main.h"

#include <stdexcept>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "bar/gui/ibutton.h"
#include "bar/gui/menu_entries.h"
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
    void menuChosen(const QString& n) override { calls << n; }
    void autoClicked() override {
        calls << "auto";
        if (throwOnAuto) throw std::runtime_error("handler failed");
    }
    void statusClicked() override { calls << "status"; }
    QStringList calls;
    std::function<void()> onPerson;
    bool throwOnAuto = false;
};

class FrmMainTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        bar.resize(800, 30);
        bar.setFixedItems({QRect(6, 3, 24, 24), QRect(700, 7, 20, 16), QRect(740, 7, 32, 16), QRect(780, 7, 16, 16)});
        bar.setPersonButtons({{"A", "A", QIcon(), QRect(36, 3, 80, 23)}, {"B", "B", QIcon(), QRect(118, 3, 80, 23)}});
        bar.setLinkButtons({{"L", "L", QIcon(), QRect(202, 3, 100, 23)}});
        bar.show();
    }
    IButton* button(const char* name, int index) {
        for (IButton* b : bar.findChildren<IButton*>(name))
            if (b->property("Index").toInt() == index && !b->isHidden()) return b;
        return nullptr;
    }
    void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(w, b, {}, QPoint(5, 5));
        QTest::mouseRelease(w, b, {}, QPoint(5, 5));
    }
    RecordingInput input;
    frmMain bar{&input};
};

// Tests that person and link buttons, the bar's right release, the labels and the menu
// picture forward to the logic with their indexes.
TEST_F(FrmMainTest, ClicksAreForwarded) {
    click(button("ibnUsers", 1));
    click(button("ibnLinks", 0));
    click(button("ibnLinks", 0), Qt::RightButton);
    click(button("ibnUsers", 0), Qt::RightButton);  // a person button has no menu
    click(&bar, Qt::RightButton);
    click(&bar);  // a left click on the bar itself does nothing
    click(bar.findChild<QLabel*>("lblAuto"));
    click(bar.findChild<QLabel*>("imgStatus"));
    click(bar.findChild<QLabel*>("imgMenu"));
    EXPECT_EQ(input.calls, QStringList({"person 1", "link 0", "menu", "menu", "auto", "status", "menu"}));
}

// Tests that the menu holds every entry by name, hidden ones hidden, and that the link entries
// can be left out and the add entries disabled.
TEST_F(FrmMainTest, MenuEntriesByName) {
    QMenu* menu = bar.findChild<QMenu*>("mnuRight");
    ASSERT_NE(menu, nullptr);
    for (const MenuEntrySpec& e : kMenuEntries) {
        QAction* a = menu->findChild<QAction*>(QString::fromLatin1(e.name.data(), e.name.size()));
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->isVisible(), e.visible) << e.name;
    }
    bar.showMenu(false, false);
    EXPECT_FALSE(menu->findChild<QAction*>("mnuAddURL")->isVisible());
    EXPECT_TRUE(menu->findChild<QAction*>("mnuExit")->isVisible());
    menu->close();
    bar.showMenu(true, false);
    EXPECT_TRUE(menu->findChild<QAction*>("mnuEditURL")->isVisible());
    EXPECT_FALSE(menu->findChild<QAction*>("mnuAddFavorites")->isEnabled());
    menu->findChild<QAction*>("mnuVersion")->trigger();
    menu->close();
    EXPECT_EQ(input.calls.last(), "mnuVersion");
    EXPECT_EQ(bar.findChild<QAction*>("mnuFileExit")->text(), QString::fromUtf8("終了(&X)"));
}

// Tests that a failing handler does not escape, and that a click handler may rebuild the buttons.
TEST_F(FrmMainTest, HandlersMayFailOrRebuild) {
    input.throwOnAuto = true;
    click(bar.findChild<QLabel*>("lblAuto"));
    input.onPerson = [this] { bar.setPersonButtons({{"C", "C", QIcon(), QRect(36, 3, 80, 23)}}); };
    click(button("ibnUsers", 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar.findChildren<IButton*>("ibnUsers").size(), 1);
    EXPECT_EQ(button("ibnUsers", 0)->Caption(), "C");
}

// Tests the status text on the status line and the Auto label's colours.
TEST_F(FrmMainTest, StatusTextAndAutoColours) {
    bar.setStatusText(QString::fromUtf8("Orvex2000(自動入力モード) "));
    EXPECT_EQ(bar.findChild<QWidget*>("picStatus")->toolTip(), bar.statusText());
    EXPECT_EQ(bar.findChild<QLabel*>("imgStatus")->toolTip(), bar.statusText());
    auto* autoLabel = bar.findChild<QLabel*>("lblAuto");
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), QColor(0, 255, 0));
    bar.setAutoOn(false);
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), bar.palette().color(QPalette::Button));
    bar.setHitCount(3);
    EXPECT_EQ(bar.findChild<QLabel*>("lblHitCnt")->text(), "3");
}

}  // namespace
}  // namespace orvex::bar::gui
