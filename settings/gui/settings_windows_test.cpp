#include <sys/stat.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "bar/bar_model.h"
#include "bar/bar_test_support.h"
#include "bar/fake_timers.h"
#include "gui/message_box.h"
#include "gui/test_app.h"
#include "gui/window_setup.h"
#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/gui/frm_system_setup.h"
#include "settings/gui/frm_zolvan_setup.h"
#include "settings/gui/open_settings.h"
#include "settings/paths.h"
#include "settings/settings_store.h"
#include "settings/test_env.h"

namespace orvex::settings::gui {
namespace {

using orvex::gui::DialogAnswer;
using orvex::gui::DialogCall;

class SettingsWindowsTest : public orvex::gui::testing::QtFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ensureDataDir());
        orvex::gui::setDialogResponderForTesting([this](const DialogCall& call) {
            calls.push_back(call);
            return DialogAnswer{};
        });
    }
    void TearDown() override { orvex::gui::setDialogResponderForTesting({}); }
    static QRadioButton* option(QWidget& dialog, const char* array, int index) {
        for (QRadioButton* b : dialog.findChildren<QRadioButton*>(QString::fromLatin1(array)))
            if (b->property("Index").toInt() == index) return b;
        ADD_FAILURE() << array << " " << index;
        return nullptr;
    }
    template <typename W>
    static W* find(QWidget& dialog, const char* name) {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void press(QWidget& dialog, const char* name) { QTest::mouseClick(find<QPushButton>(dialog, name), Qt::LeftButton); }
    static void click(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2)); }
    std::filesystem::path systemIni() const { return dataFile("system.ini"); }

    testing::TempHome home;
    std::vector<DialogCall> calls;
};

// Tests the system settings dialog: its caption and options chosen from the saved values; OK
// without changes writes nothing; only "HelloMessage" changed writes only that key and rebuilds
// nothing; a changed "UserButtonType" asks for the rebuild; Cancel writes nothing.
TEST_F(SettingsWindowsTest, SystemSetupWritesOnlyChanges) {
    frmSystemSetup dialog(readBarSettings());
    std::vector<BarSettings> rebuilt;
    dialog.setOnButtonTypeChanged([&rebuilt](const BarSettings& s) { rebuilt.push_back(s); });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("システム設定"));
    EXPECT_TRUE(option(dialog, "optBarPosition", 0)->isChecked());
    EXPECT_EQ(option(dialog, "optBarPosition", 1)->text(), QStringLiteral("下"));
    EXPECT_TRUE(option(dialog, "optUserButtonType", 1)->isChecked());
    EXPECT_EQ(option(dialog, "optUserButtonType", 1)->text(), QStringLiteral("アイコンと名前"));
    EXPECT_TRUE(option(dialog, "optHelloMessage", 2)->isChecked());
    EXPECT_EQ(option(dialog, "optHelloMessage", 0)->text(), QStringLiteral("表示しない"));
    EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("cmdCalcel")), nullptr);
    const QRect area = dialog.screen()->availableGeometry();
    EXPECT_LE(std::abs(dialog.frameGeometry().center().x() - area.center().x()), 1);

    press(dialog, "cmdOK");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(std::filesystem::exists(systemIni()));

    dialog.show();
    click(option(dialog, "optHelloMessage", 0));
    press(dialog, "cmdOK");
    EXPECT_EQ(profile::testing::slurp(systemIni()), "[BAR]\nHelloMessage=0\n");
    EXPECT_TRUE(rebuilt.empty());

    dialog.show();
    click(option(dialog, "optUserButtonType", 0));
    click(option(dialog, "optBarPosition", 1));
    press(dialog, "cmdCalcel");
    EXPECT_EQ(profile::testing::slurp(systemIni()), "[BAR]\nHelloMessage=0\n");
    EXPECT_TRUE(option(dialog, "optUserButtonType", 1)->isChecked());

    dialog.show();
    click(option(dialog, "optUserButtonType", 0));
    press(dialog, "cmdOK");
    ASSERT_EQ(rebuilt.size(), 1u);
    EXPECT_EQ(rebuilt[0].UserButtonType, 0);
    EXPECT_EQ(readBarSettings().UserButtonType, 0);
}

// Tests that a write that fails says so and keeps the dialog open with the choice.
TEST_F(SettingsWindowsTest, SystemSetupFailedWriteKeepsTheDialog) {
    ASSERT_TRUE(profile::testing::spit(systemIni(), "[BAR]\n"));
    frmSystemSetup dialog(readBarSettings());
    dialog.show();
    click(option(dialog, "optBarPosition", 1));
    ::chmod(systemIni().c_str(), 0444);
    press(dialog, "cmdOK");
    ::chmod(systemIni().c_str(), 0644);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].text.startsWith(QStringLiteral("システム設定を保存できませんでした")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(option(dialog, "optBarPosition", 1)->isChecked());
    press(dialog, "cmdOK");
    EXPECT_EQ(readBarSettings().BarPosition, 1);
}

// Tests the advanced dialog: caption, width, the panel list and one panel at a time, previous and
// next, options chosen from the globals, "バーの設定" index 2 stored at once, the text boxes stored
// as typed, and the restart notice and local folder of the control-panel panel.
TEST_F(SettingsWindowsTest, ZolvanPanelsAndChoices) {
    Globals g;
    g.Hist = true;
    g.FirstPageMode = 3;
    g.FirstPageUrl = u"http://first.example/";
    frmZolvanSetup dialog(g, {});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zolvan設定"));
    EXPECT_EQ(dialog.width(), 323);
    QComboBox* panels = find<QComboBox>(dialog, "cmbSetup");
    ASSERT_EQ(panels->count(), 5);
    EXPECT_EQ(panels->itemText(0), QStringLiteral("コントロールパネルの設定"));
    EXPECT_EQ(panels->itemText(4), QStringLiteral("ブラウザ表示位置設定"));
    auto shown = [&] {
        for (QGroupBox* f : dialog.findChildren<QGroupBox*>(QStringLiteral("fraSetup")))
            if (f->isVisible()) return f->property("Index").toInt();
        return -1;
    };
    EXPECT_EQ(shown(), 0);
    EXPECT_TRUE(find<QLabel>(dialog, "lblRestart")->isVisible());
    EXPECT_EQ(find<QLabel>(dialog, "lblRestart")->text(), QStringLiteral("指定変更後、Orvex2000を再起動して下さい"));
    EXPECT_EQ(find<QLabel>(dialog, "lblControlPanelPath")->text(),
              QString::fromStdString("(" + (home.data() / "control02").string() + ")"));
    press(dialog, "cmdPrev");
    EXPECT_EQ(shown(), 0);
    press(dialog, "cmdNext");
    EXPECT_EQ(shown(), 1);
    EXPECT_TRUE(option(dialog, "optHist", 1)->isChecked());
    EXPECT_EQ(option(dialog, "optHist", 0)->text(), QStringLiteral("記録時に内容を編集しない"));
    press(dialog, "cmdNext");
    EXPECT_EQ(shown(), 2);
    click(option(dialog, "optBar", 2));
    EXPECT_EQ(getSetting(u"BarMode", u"<none>"), u"2");
    EXPECT_EQ(g.BarMode, 2);
    panels->setCurrentIndex(3);
    EXPECT_EQ(shown(), 3);
    EXPECT_EQ(option(dialog, "optFirstPage", 0)->text(), QStringLiteral("起動時にブラウザを起動しない"));
    EXPECT_TRUE(option(dialog, "optFirstPage", 3)->isChecked());
    QLineEdit* first = find<QLineEdit>(dialog, "txtFirstPage");
    EXPECT_EQ(first->text(), QStringLiteral("http://first.example/"));
    first->selectAll();
    QTest::keyClicks(first, "http://a.b/?q=[x]");
    EXPECT_EQ(getSetting(u"FirstPageUrl", u"<none>"), u"http://a.b/?q=[x]");
    EXPECT_EQ(g.FirstPageUrl, u"http://a.b/?q=[x]");
    press(dialog, "cmdNext");
    press(dialog, "cmdNext");
    EXPECT_EQ(shown(), 4);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(first->font().families().value(0), QString::fromUtf16(orvex::gui::kUiFontName));
}

// Tests the fixed position: the controls follow "以下の位置に指定", "位置変更" opens the page and
// reads the position every 500 ms into the label, "更新" stops and stores it.
TEST_F(SettingsWindowsTest, ZolvanTakesTheBrowserPosition) {
    Globals g;
    int opened = 0;
    int reads = 0;
    BrowserPositionSource source;
    source.openPage = [&opened] { ++opened; };
    source.read = [&reads](std::function<void(std::optional<BrowserPosition>)> done) {
        ++reads;
        done(BrowserPosition{5, 6, 700 + reads, 500});
    };
    frmZolvanSetup dialog(g, source);
    dialog.show();
    find<QComboBox>(dialog, "cmbSetup")->setCurrentIndex(4);
    QLabel* label = find<QLabel>(dialog, "lblConstPos");
    QPushButton* take = find<QPushButton>(dialog, "cmdNewPos");
    QTimer* timer = dialog.findChild<QTimer*>(QStringLiteral("timInterval"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("X=0, Y=0, 横=600, 縦=400"));
    EXPECT_FALSE(take->isEnabled());
    EXPECT_FALSE(label->isEnabled());
    click(option(dialog, "optConstPos", 1));
    EXPECT_TRUE(take->isEnabled());
    EXPECT_TRUE(find<QPushButton>(dialog, "cmdUpdatePos")->isEnabled());
    EXPECT_EQ(getSetting(u"ConstEnabled", u"<none>"), u"True");

    press(dialog, "cmdNewPos");
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    QTRY_VERIFY_WITH_TIMEOUT(reads >= 2, 3000);
    EXPECT_TRUE(label->text().startsWith(QStringLiteral("X=5, Y=6, 横=70")));
    press(dialog, "cmdUpdatePos");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(getSetting(u"ConstLeft", u"<none>"), u"5");
    EXPECT_EQ(getSetting(u"ConstHeight", u"<none>"), u"500");
    EXPECT_EQ(g.ConstTop, 6);

    click(option(dialog, "optConstPos", 0));
    EXPECT_FALSE(take->isEnabled());
    EXPECT_EQ(getSetting(u"ConstEnabled", u"<none>"), u"False");
}

// Tests that a choice that cannot be stored says so, while the dialog stays open.
TEST_F(SettingsWindowsTest, ZolvanStoreFailureIsReported) {
    ASSERT_TRUE(saveSetting(u"BarMode", u"0"));
    Globals g;
    frmZolvanSetup dialog(g, {});
    dialog.show();
    find<QComboBox>(dialog, "cmbSetup")->setCurrentIndex(2);
    ::chmod(settingsFile().c_str(), 0444);
    click(option(dialog, "optBar", 1));
    ::chmod(settingsFile().c_str(), 0644);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(getSetting(u"BarMode", u"<none>"), u"0");
}

// Tests the bar's ways in: a changed button shape narrows the bar's person buttons at once, and
// "位置変更" opens a window through the bar whose bounds fill the label.
TEST_F(SettingsWindowsTest, OpenedByTheBar) {
    bar::testing::writeFile(dataFile("userdata.ini"), bar::testing::personsFile({"太郎"}));
    bar::testing::RecordingView view;
    bar::FakeTimerSource timers;
    bar::testing::FakeBrowser browser;
    settings::globals().FirstPageMode = 0;
    bar::BarModel model(view, timers, browser);
    model.setBarWidth(1000);
    model.load();
    ASSERT_EQ(view.personButtons.size(), 1u);
    ASSERT_EQ(view.personButtons[0].rect.width, 80);

    QWidget owner;
    QTimer::singleShot(0, [&owner] {
        auto* dialog = owner.findChild<frmSystemSetup*>();
        ASSERT_NE(dialog, nullptr);
        click(option(*dialog, "optUserButtonType", 0));
        press(*dialog, "cmdOK");
    });
    frmSystemSetup* dialog = openSystemSetup(model, &owner);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(view.personButtons.size(), 1u);
    EXPECT_EQ(view.personButtons[0].rect.width, 24);

    frmZolvanSetup* zolvan = openZolvanSetup(model, browser, &owner);
    EXPECT_EQ(openZolvanSetup(model, browser, &owner), zolvan);
    find<QComboBox>(*zolvan, "cmbSetup")->setCurrentIndex(4);
    click(option(*zolvan, "optConstPos", 1));
    const std::size_t windows = browser.session ? browser.session->windows().size() : 0;
    press(*zolvan, "cmdNewPos");
    ASSERT_TRUE(browser.session);
    EXPECT_EQ(browser.session->windows().size(), windows + 1);
    ASSERT_TRUE(model.currentForm());
    browser.session->bounds[model.currentForm()->Browser()] = {11, 22, 640, 480, "normal"};
    QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>(*zolvan, "lblConstPos")->text(), QStringLiteral("X=11, Y=22, 横=640, 縦=480"),
                              3000);
    zolvan->close();
    settings::globals() = Globals();
}

}  // namespace
}  // namespace orvex::settings::gui
