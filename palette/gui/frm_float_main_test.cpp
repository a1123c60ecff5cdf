#include "palette/gui/frm_float_main.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "gui/test_app.h"
#include "palette/float_placement.h"
#include "palette/gui/clip_panel.h"
#include "palette/gui/gui_test_support.h"
#include "profile/test_support.h"

namespace orvex::palette::gui {
namespace {

using profile::testing::slurp;
using profile::testing::spit;
using testing::FakeCommands;
using testing::person;

class FrmFloatMainTest : public orvex::gui::testing::QtFixture {
  protected:
    std::unique_ptr<frmFloatMain> make(int barMode = 1) {
        auto w = std::make_unique<frmFloatMain>(commands, file, barMode);
        w->load({person(u"花子さん", u"花子"), person(u"太郎さん", u"太郎")});
        return w;
    }
    template <typename T>
    static T* child(const QWidget& w, const char* name) {
        return w.findChild<T*>(QString::fromLatin1(name));
    }

    FakeCommands commands;
    profile::testing::TempDir dir;
    std::filesystem::path file = dir / "system.ini";
};

// Tests that a stored position on the screen is taken, and that one past the screen's width or a
// damaged file sends the window to the right edge 500 twips from the top, unfolded.
TEST_F(FrmFloatMainTest, StoredPositionOrRightEdge) {
    ASSERT_TRUE(spit(file, "[BAR]\nFloatMainLeft=1500\nFloatMainTop=3000\n"));
    auto w = make();
    EXPECT_EQ(w->pos(), QPoint(100, 200));
    const int width = w->screen()->geometry().width();
    ASSERT_TRUE(spit(file, "[BAR]\nFloatMainLeft=" + std::to_string(width * 15) + "\nFloatMainTop=3000\n"));
    auto outside = make();
    EXPECT_EQ(outside->x(), width - outside->frameGeometry().width());
    EXPECT_EQ(outside->y(), 33);
    static const char kDamaged[] =
        "\xff\x00[BAR\nFloatMainLeft=1500\n[BAR]\nFloatMainTop=3000\nShowClipBoard=\x81\n";
    ASSERT_TRUE(spit(file, std::string(kDamaged, sizeof kDamaged - 1)));
    auto damaged = make();
    EXPECT_EQ(damaged->x(), width - damaged->frameGeometry().width());
    EXPECT_EQ(damaged->height(), 591);
}

// Tests the two heights: the clipboard part shown by default, folded by the toggle (stored as
// "False"), and a new window loading folded until unfolded again.
TEST_F(FrmFloatMainTest, FoldsAndRemembers) {
    auto w = make();
    EXPECT_TRUE(w->clipBoardShown());
    EXPECT_EQ(w->height(), 591);
    w->toggleClipBoard();
    EXPECT_EQ(w->height(), 51);
    EXPECT_FALSE(w->panel()->isVisibleTo(w.get()));
    EXPECT_NE(slurp(file).find("ShowClipBoard=False"), std::string::npos);
    auto again = make();
    EXPECT_EQ(again->height(), 51);
    again->toggleClipBoard();
    EXPECT_EQ(again->height(), 591);
    EXPECT_TRUE(again->panel()->isVisibleTo(again.get()));
    EXPECT_NE(slurp(file).find("ShowClipBoard=True"), std::string::npos);
}

// Tests the window's own controls: "<< 入力" fills with the chosen person and gives the focus
// back to the list, as the record button does; the pictures open the home page and the menu;
// "Auto" turns automatic input over and is green only while it is on.
TEST_F(FrmFloatMainTest, ControlsGoToTheCommands) {
    auto w = make();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto* users = child<QComboBox>(*w, "cmbUsers");
    users->setCurrentIndex(1);
    EXPECT_EQ(w->model().fullText(2), u"太郎");
    QTest::mouseClick(child<QPushButton>(*w, "cmdInput"), Qt::LeftButton);
    EXPECT_EQ(commands.filled, std::vector<int>{1});
    EXPECT_EQ(QApplication::focusWidget(), users);
    child<QPushButton>(*w, "cmdInput")->setFocus();
    QTest::mouseClick(child<QPushButton>(*w, "cmdRec"), Qt::LeftButton);
    EXPECT_EQ(commands.records, 1);
    EXPECT_EQ(QApplication::focusWidget(), users);
    QTest::mouseClick(child<QToolButton>(*w, "imgHomePage"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(*w, "imgMenu"), Qt::LeftButton);
    EXPECT_EQ(commands.homePages, 1);
    EXPECT_EQ(commands.menus, 1);

    auto* autoLabel = child<QLabel>(*w, "lblAuto");
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), QColor(0, 255, 0));
    QTest::mouseClick(autoLabel, Qt::LeftButton);
    EXPECT_FALSE(commands.on);
    EXPECT_NE(autoLabel->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(autoLabel->accessibleDescription(), QStringLiteral("自動入力モード停止中"));
    QTest::mouseClick(autoLabel, Qt::LeftButton);
    EXPECT_TRUE(commands.on);
    EXPECT_EQ(autoLabel->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvex2000"));
    EXPECT_EQ(testing::unnamedControls(*w), std::vector<std::string>{});
}

// Tests that closing stores the position in twips and ends the program, and that closing while
// minimised ends it but keeps the position stored before.
TEST_F(FrmFloatMainTest, CloseStoresPositionUnlessMinimised) {
    auto w = make();
    w->show();
    w->move(150, 90);
    w->close();
    EXPECT_EQ(commands.exits, 1);
    const FloatSettings stored = readFloatSettings(file);
    EXPECT_EQ(stored.leftTwips, 2250);
    EXPECT_EQ(stored.topTwips, 1350);

    auto minimised = make();
    minimised->move(300, 300);
    minimised->showMinimized();
    ASSERT_TRUE(minimised->isMinimized());
    minimised->close();
    EXPECT_EQ(commands.exits, 2);
    EXPECT_EQ(readFloatSettings(file).leftTwips, 2250);
}

// Tests that only BarMode 2 keeps the window above the others, and that the setup dialog's
// refresh lists the new persons with the first chosen.
TEST_F(FrmFloatMainTest, OnTopAndRefresh) {
    EXPECT_TRUE(make(2)->windowFlags() & Qt::WindowStaysOnTopHint);
    auto w = make(1);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    child<QComboBox>(*w, "cmbUsers")->setCurrentIndex(1);
    w->setPersons({person(u"次郎さん", u"次郎")});
    auto* users = child<QComboBox>(*w, "cmbUsers");
    ASSERT_EQ(users->count(), 1);
    EXPECT_EQ(users->itemText(0), QStringLiteral("次郎さん"));
    EXPECT_EQ(w->model().fullText(2), u"次郎");
}

}  // namespace
}  // namespace orvex::palette::gui
