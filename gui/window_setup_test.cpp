#include "gui/window_setup.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include "gui/test_app.h"

namespace orvex::gui {
namespace {

class WindowSetupTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override { testing::testApp(); }
};

// Tests that tags pick captions for labels, menus, tabs, tool bars, column headers, other
// controls and the window, and that tags naming no entry leave texts alone.
TEST_F(WindowSetupTest, TagsTakeTheirCaptions) {
    QWidget window;
    window.setProperty(kTagProperty, "1017");
    auto* label = new QLabel("keep", &window);
    label->setProperty(kTagProperty, "1001");
    auto* stray = new QLabel("keep", &window);
    stray->setProperty(kTagProperty, "1001x");
    auto* menu = new QMenu(&window);
    menu->setProperty(kTagProperty, "1000");
    QAction* exit = menu->addAction("x");
    exit->setProperty(kTagProperty, "1010");
    QAction* unknown = menu->addAction("stays");
    unknown->setProperty(kTagProperty, "2000");
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new QWidget, "t");
    tabs->tabBar()->setTabData(0, "1042");
    tabs->setTabToolTip(0, "1043");
    auto* bar = new QToolBar(&window);
    QAction* tool = bar->addAction("n");
    tool->setProperty(kTagProperty, "1052");
    auto* tree = new QTreeWidget(&window);
    tree->setHeaderLabels({"a", "b"});
    tree->headerItem()->setData(1, Qt::UserRole, "1056");
    auto* button = new QPushButton("b", &window);
    button->setProperty(kTagProperty, "1031 ok");
    button->setToolTip("1032");

    applyStringTable(&window);

    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("表示(&V)"));
    EXPECT_EQ(label->text(), QString::fromUtf8("新規作成(&N)"));
    EXPECT_EQ(stray->text(), "keep");
    EXPECT_EQ(menu->title(), QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(exit->text(), QString::fromUtf8("終了(&X)"));
    EXPECT_EQ(unknown->text(), "stays");
    EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("全般"));
    EXPECT_EQ(tabs->tabToolTip(0), QString::fromUtf8("詳細設定"));
    EXPECT_EQ(tool->toolTip(), QString::fromUtf8("新規作成"));
    EXPECT_EQ(tool->text(), "n");
    EXPECT_EQ(tree->headerItem()->text(0), "a");
    EXPECT_EQ(tree->headerItem()->text(1), QString::fromUtf8("サイズ"));
    EXPECT_EQ(button->text(), "OK");
    EXPECT_EQ(button->toolTip(), QString::fromUtf8("キャンセル"));
}

// Tests that every control asks for the UI font and that it resolves to a Japanese face.
TEST_F(WindowSetupTest, ControlsGetTheJapaneseFont) {
    QWidget window;
    auto* label = new QLabel(QString::fromUtf8("終了"), &window);
    setUpWindow(&window);
    EXPECT_EQ(label->font().families().value(0), QString::fromUtf16(kUiFontName));
    const QString family = QFontInfo(label->font()).family();
    EXPECT_TRUE(family.contains("CJK") || family.contains("IPA") || family.contains("Gothic")) << family.toStdString();
}

// Tests that accessible names come from the caption, else the tool tip, and are never replaced.
TEST_F(WindowSetupTest, AccessibleNamesFromCaptionOrToolTip) {
    QWidget window;
    auto* captioned = new QPushButton("&Auto", &window);
    captioned->setToolTip("tip");
    auto* tipped = new QLabel(&window);
    tipped->setToolTip(QString::fromUtf8("状態"));
    auto* named = new QLabel("x", &window);
    named->setAccessibleName("given");
    auto* bare = new QWidget(&window);
    setUpWindow(&window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(captioned)->text(QAccessible::Name), "Auto");
    captioned->setText("Off");  // a name taken from the text follows it
    EXPECT_EQ(QAccessible::queryAccessibleInterface(captioned)->text(QAccessible::Name), "Off");
    EXPECT_EQ(tipped->accessibleName(), QString::fromUtf8("状態"));
    EXPECT_EQ(named->accessibleName(), "given");
    EXPECT_TRUE(bare->accessibleName().isEmpty());
}

}  // namespace
}  // namespace orvex::gui
