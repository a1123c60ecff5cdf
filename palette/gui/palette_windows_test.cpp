#include "palette/gui/palette_windows.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "bar/bar_test_support.h"
#include "bar/bar_texts.h"
#include "bar/fake_timers.h"
#include "gui/test_app.h"
#include "palette/gui/frm_clip.h"
#include "palette/gui/frm_float_main.h"
#include "settings/globals.h"

namespace orvex::palette::gui {
namespace {

using bar::BarDialog;
using bar::testing::personsFile;
using bar::testing::writeFile;

class PaletteWindowsTest : public orvex::gui::testing::QtFixture {
  protected:
    PaletteWindowsTest() {
        settings::globals() = settings::Globals{};
        settings::globals().FirstPageMode = 0;
        settings::globals().BarMode = 1;
    }
    ~PaletteWindowsTest() override { settings::globals() = settings::Globals{}; }
    void load(const std::vector<std::string>& names) {
        writeFile(home.data() / "userdata.ini", personsFile(names));
        model.setBarWidth(1024);
        model.load();
    }
    static QStringList listed(const QWidget* window) {
        QStringList names;
        const auto* users = window->findChild<QComboBox*>(QStringLiteral("cmbUsers"));
        for (int i = 0; i < users->count(); ++i) names << users->itemText(i);
        return names;
    }

    settings::testing::TempHome home;
    bar::testing::RecordingView view;
    bar::FakeTimerSource timers;
    bar::testing::FakeBrowser browser;
    bar::BarModel model{view, timers, browser};
    PaletteWindows windows{model};
};

// Tests that the palette's three dialogs open their windows with the bar's persons (the palette's
// entry closing it again), and that the other dialogs are left to the bar.
TEST_F(PaletteWindowsTest, OpensThePaletteDialogsOnly) {
    load({"太郎", "花子"});
    EXPECT_EQ(view.dialogs, std::vector<BarDialog>{BarDialog::FloatingWindow});
    ASSERT_TRUE(windows.open(BarDialog::Clipboard));
    ASSERT_TRUE(windows.clipboard());
    EXPECT_TRUE(windows.clipboard()->isVisible());
    EXPECT_EQ(listed(windows.clipboard()), (QStringList{QStringLiteral("太郎"), QStringLiteral("花子")}));
    EXPECT_TRUE(windows.open(BarDialog::Clipboard));
    EXPECT_FALSE(windows.clipboard()->isVisible());

    ASSERT_TRUE(windows.open(BarDialog::FloatingWindow));
    frmFloatMain* floating = windows.floatingWindow();
    ASSERT_TRUE(floating);
    EXPECT_TRUE(floating->isVisible());
    EXPECT_EQ(listed(floating), (QStringList{QStringLiteral("太郎"), QStringLiteral("花子")}));
    const bool shown = floating->clipBoardShown();
    EXPECT_TRUE(windows.open(BarDialog::FloatingClipboard));
    EXPECT_NE(floating->clipBoardShown(), shown);

    EXPECT_FALSE(windows.open(BarDialog::PersonSetup));
    EXPECT_FALSE(windows.open(BarDialog::Links));
}

// Tests that the floating window's controls reach the bar's own routines: "<< 入力" without
// persons gets the bar's message, the menu picture the menu without its link entries, "Auto" the
// program's switch, and closing the window the bar's exit.
TEST_F(PaletteWindowsTest, CommandsGoThroughTheBar) {
    load({});
    windows.open(BarDialog::FloatingWindow);
    frmFloatMain* floating = windows.floatingWindow();
    QTest::mouseClick(floating->findChild<QPushButton*>(QStringLiteral("cmdInput")), Qt::LeftButton);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, bar::kNoPersonMessage);

    QTest::mouseClick(floating->findChild<QToolButton*>(QStringLiteral("imgMenu")), Qt::LeftButton);
    ASSERT_EQ(view.menus.size(), 1u);
    for (const bar::MenuItem& item : view.menus[0])
        if (item.entry == bar::MenuEntry::AddURL) {
            EXPECT_FALSE(item.visible);
        }

    QTest::mouseClick(floating->findChild<QLabel*>(QStringLiteral("lblAuto")), Qt::LeftButton);
    EXPECT_FALSE(settings::globals().autoInput);
    EXPECT_FALSE(view.autoLabel);

    floating->close();
    EXPECT_EQ(view.quits, 1);
}

// Tests that after the setup dialog's OK has the bar read the persons again, the floating window
// and the open palette list the new persons.
TEST_F(PaletteWindowsTest, PersonsChangedRefreshesTheLists) {
    load({"太郎"});
    windows.open(BarDialog::FloatingWindow);
    windows.open(BarDialog::Clipboard);
    writeFile(home.data() / "userdata.ini", personsFile({"次郎", "三郎"}));
    model.UpdateUserData();
    windows.personsChanged();
    EXPECT_EQ(listed(windows.floatingWindow()),
              (QStringList{QStringLiteral("次郎"), QStringLiteral("三郎")}));
    EXPECT_EQ(listed(windows.clipboard()), (QStringList{QStringLiteral("次郎"), QStringLiteral("三郎")}));
    EXPECT_EQ(windows.floatingWindow()->model().fullText(2), u"次郎");
}

}  // namespace
}  // namespace orvex::palette::gui
